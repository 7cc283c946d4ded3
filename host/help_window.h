#pragma once
// The user guide inside the program: a window with the guide's contents, a
// search field and the guide itself (pictures included), read from the
// installed HTML file without any other program or a network.  F1 opens it
// anywhere; on a sheet it opens at that sheet's section.

#include <QString>
#include <QStringList>
#include <QWidget>

#include <string>
#include <vector>

class QLabel;
class QLineEdit;
class QTextBrowser;
class QTreeWidget;

namespace regsmith::host {

// One heading of the guide that has an anchor.
struct HelpHeading {
    int level = 2;  // 2 for a section, 3 for a subsection
    QString anchor;
    QString text;
};
// The headings (h2, h3) with an id, in document order.
std::vector<HelpHeading> HelpHeadings(const QString& html);

// Every anchor of the guide: the ids of its headings and the names and ids of its links.
QStringList HelpAnchors(const QString& html);

// The guide's anchor for a page of a sheet: the page's own section
// ("port-i-o-priority-crossbar") where the guide has one, else the sheet's
// ("portio"), else the chapter on sheets.  `anchors` are the guide's.
QString HelpAnchorFor(const std::string& sheetTitle, const std::string& pageTitle, const QStringList& anchors);

class HelpWindow : public QWidget {
public:
    explicit HelpWindow(QWidget* parent = nullptr);

    // Reads the guide; false with the reason in `error`.
    bool Load(const QString& file, QString& error);
    // Shows the section with that anchor (the top for an empty or unknown one).
    void GoTo(const QString& anchor);
    // Finds `text` after (or before) the current match, wrapping round, and
    // marks every match; false when the guide does not contain it.
    bool Find(const QString& text, bool backwards = false);

    QStringList Anchors() const;
    QTextBrowser* Browser() const { return browser_; }
    QTreeWidget* Contents() const { return contents_; }
    QLineEdit* SearchField() const { return search_; }

private:
    void MarkMatches(const QString& text);

    QTextBrowser* browser_ = nullptr;
    QTreeWidget* contents_ = nullptr;
    QLineEdit* search_ = nullptr;
    QLabel* searchStatus_ = nullptr;
    std::vector<HelpHeading> headings_;
    QStringList anchors_;
};

// Opens the help window at `anchor` (the installed guide, the application's
// help file).  While a sheet or dialog is open the window belongs to it, so
// that it can be used beside it.  Null, after a message, if the guide cannot
// be read.
HelpWindow* ShowHelp(const QString& anchor = {});
// The same without the message: null with the reason in `error`.
HelpWindow* OpenHelp(const QString& anchor, QString& error);
// Opens the help window at the section of a sheet's page (HelpAnchorFor);
// a dialog of its own passes its title and an empty page.
HelpWindow* ShowHelpFor(const std::string& sheetTitle, const std::string& pageTitle);

}  // namespace regsmith::host

#include "host/help_window.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QDir>
#include <QImageReader>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
#include <QScreen>
#include <QShortcut>
#include <QSplitter>
#include <QTextBrowser>
#include <QTextDocument>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>
#include <QUrl>
#include <QVBoxLayout>

#include <algorithm>
#include <map>
#include <memory>

#include "fw/app.h"
#include "host/text.h"

namespace regsmith::host {

namespace {

// The guide is small; anything far larger is not it.
constexpr qint64 kMaxGuideBytes = 8 * 1024 * 1024;

// The guide's chapter of each sheet, by the sheet's title.
const std::map<std::string, QString>& SheetChapters() {
    static const std::map<std::string, QString> chapters{
        {"Port I/O", "portio"},
        {"Interrupts", "interrupts"},
        {"Oscillators", "oscillators"},
        {"Timers", "timers"},
        {"UARTs", "uart"},
        {"UART", "uart"},
        {"Programmable Counter Array", "pca"},
        {"Enhanced Serial Peripheral Interface", "spi"},
        {"Reset Sources", "resetsources"},
        {"Voltage Reference", "supply"},
        {"Voltage Regulator", "supply"},
        {"ADC", "adc"},
        {"Comparator", "comparator"},
    };
    return chapters;
}

QString PlainText(QString html) {
    html.remove(QRegularExpression("<[^>]*>"));
    QTextDocument decode;
    decode.setHtml(html);
    return decode.toPlainText().simplified();
}

// The guide's browser: pictures wider than a page are shown scaled down to
// its width (the guide's style sheet asks for that, the browser cannot), by
// a width on each <img> of the page as it is read.
class GuideBrowser : public QTextBrowser {
public:
    QVariant loadResource(int type, const QUrl& name) override {
        QVariant resource = QTextBrowser::loadResource(type, name);
        if (type != QTextDocument::HtmlResource || !name.isLocalFile()) return resource;
        QString html = resource.canConvert<QByteArray>() ? QString::fromUtf8(resource.toByteArray())
                                                         : resource.toString();
        static const QRegularExpression image(R"re(<img\b(?![^>]*\bwidth=)([^>]*)\bsrc="([^"]+)")re",
                                              QRegularExpression::CaseInsensitiveOption);
        const QDir folder = QFileInfo(name.toLocalFile()).absoluteDir();
        QString out;
        qsizetype last = 0;
        for (auto it = image.globalMatch(html); it.hasNext();) {
            const QRegularExpressionMatch match = it.next();
            constexpr int kWidest = 640;
            const QSize size = QImageReader(folder.filePath(match.captured(2))).size();
            out += html.mid(last, match.capturedEnd() - last);
            if (size.width() > kWidest) out += QString(" width=\"%1\"").arg(kWidest);
            last = match.capturedEnd();
        }
        out += html.mid(last);
        // The browser lays pictures with a style of their own out with room
        // above them as tall as they are: the widths above do the style's work.
        out.replace(QRegularExpression(R"re(\bimg\s*\{[^}]*\})re"), QString());
        return out;
    }
};

}  // namespace

std::vector<HelpHeading> HelpHeadings(const QString& html) {
    static const QRegularExpression heading(R"re(<h([23])\b[^>]*\bid\s*=\s*"([^"]+)"[^>]*>(.*?)</h\1>)re",
                                            QRegularExpression::CaseInsensitiveOption |
                                                QRegularExpression::DotMatchesEverythingOption);
    std::vector<HelpHeading> headings;
    for (auto it = heading.globalMatch(html); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        headings.push_back({match.captured(1).toInt(), match.captured(2), PlainText(match.captured(3))});
    }
    return headings;
}

QStringList HelpAnchors(const QString& html) {
    static const QRegularExpression anchor(R"re(<(?:h[1-6]|a)\b[^>]*\b(?:id|name)\s*=\s*"([^"]+)")re",
                                           QRegularExpression::CaseInsensitiveOption);
    QStringList anchors;
    for (auto it = anchor.globalMatch(html); it.hasNext();) anchors << it.next().captured(1);
    return anchors;
}

QString HelpAnchorFor(const std::string& sheetTitle, const std::string& pageTitle, const QStringList& anchors) {
    const QString page = Q(Slug(sheetTitle) + "-" + Slug(pageTitle));
    if (anchors.contains(page)) return page;
    // A dialog of its own ("Calculate Baud Rate") has a section of its own.
    const QString own = Q(Slug(sheetTitle));
    if (pageTitle.empty() && anchors.contains(own)) return own;
    const auto chapter = SheetChapters().find(sheetTitle);
    if (chapter != SheetChapters().end() && anchors.contains(chapter->second)) return chapter->second;
    return anchors.contains("sheets") ? QString("sheets") : QString();
}

HelpWindow::HelpWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    setWindowTitle("Regsmith Help");
    setAttribute(Qt::WA_DeleteOnClose);

    auto* layout = new QVBoxLayout(this);
    auto* bar = new QHBoxLayout;
    auto* back = new QToolButton;
    back->setText("&Back");
    back->setToolTip("Back (Alt+Left)");
    auto* forward = new QToolButton;
    forward->setText("&Forward");
    forward->setToolTip("Forward (Alt+Right)");
    auto* home = new QToolButton;
    home->setText("C&ontents");
    auto* searchLabel = new QLabel("&Search:");
    search_ = new QLineEdit;
    search_->setPlaceholderText("Word or phrase; Enter finds the next");
    search_->setClearButtonEnabled(true);
    search_->setAccessibleName("Search the guide");
    searchLabel->setBuddy(search_);
    searchStatus_ = new QLabel;
    bar->addWidget(back);
    bar->addWidget(forward);
    bar->addWidget(home);
    bar->addSpacing(12);
    bar->addWidget(searchLabel);
    bar->addWidget(search_, 1);
    bar->addWidget(searchStatus_);
    layout->addLayout(bar);

    auto* splitter = new QSplitter;
    contents_ = new QTreeWidget;
    contents_->setHeaderHidden(true);
    contents_->setAccessibleName("Contents");
    browser_ = new GuideBrowser;
    browser_->setOpenLinks(true);
    browser_->setOpenExternalLinks(false);
    browser_->setAccessibleName("User guide");
    // The guide is written for a light page: it keeps one in a dark scheme.
    QPalette page = browser_->palette();
    page.setColor(QPalette::Base, Qt::white);
    page.setColor(QPalette::Text, QColor(0x22, 0x22, 0x22));
    page.setColor(QPalette::Link, QColor(0x1a, 0x4f, 0xa0));
    browser_->setPalette(page);
    splitter->addWidget(contents_);
    splitter->addWidget(browser_);
    splitter->setStretchFactor(1, 1);
    layout->addWidget(splitter, 1);

    connect(back, &QToolButton::clicked, browser_, &QTextBrowser::backward);
    connect(forward, &QToolButton::clicked, browser_, &QTextBrowser::forward);
    connect(home, &QToolButton::clicked, this, [this] { GoTo("contents"); });
    connect(browser_, &QTextBrowser::backwardAvailable, back, &QToolButton::setEnabled);
    connect(browser_, &QTextBrowser::forwardAvailable, forward, &QToolButton::setEnabled);
    back->setEnabled(false);
    forward->setEnabled(false);
    // Links out of the guide are not followed: it is read offline.
    connect(browser_, &QTextBrowser::anchorClicked, this, [this](const QUrl& url) {
        if (!url.isRelative() && !url.isLocalFile()) {
            browser_->setSource(browser_->source());  // stay where the reader is
            searchStatus_->setText("Links to the web open in a browser: " + url.toString());
        }
    });
    connect(contents_, &QTreeWidget::itemActivated, this,
            [this](QTreeWidgetItem* item) { GoTo(item->data(0, Qt::UserRole).toString()); });
    connect(contents_, &QTreeWidget::itemClicked, this,
            [this](QTreeWidgetItem* item) { GoTo(item->data(0, Qt::UserRole).toString()); });
    connect(search_, &QLineEdit::returnPressed, this, [this] { Find(search_->text()); });
    connect(search_, &QLineEdit::textChanged, this, [this](const QString& text) { MarkMatches(text); });
    auto* next = new QShortcut(QKeySequence::FindNext, this);
    connect(next, &QShortcut::activated, this, [this] { Find(search_->text()); });
    auto* previous = new QShortcut(QKeySequence::FindPrevious, this);
    connect(previous, &QShortcut::activated, this, [this] { Find(search_->text(), true); });
    auto* find = new QShortcut(QKeySequence::Find, this);
    connect(find, &QShortcut::activated, this, [this] {
        search_->setFocus();
        search_->selectAll();
    });
    auto* close = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(close, &QShortcut::activated, this, &QWidget::close);

    // A comfortable reading size that fits the screen's free area.
    const QRect available = screen() ? screen()->availableGeometry() : QRect(0, 0, 1024, 768);
    resize(std::min(980, available.width() * 9 / 10), std::min(760, available.height() * 9 / 10));
}

bool HelpWindow::Load(const QString& file, QString& error) {
    QFile guide(file);
    if (file.isEmpty() || !QFileInfo(file).isFile()) {
        error = "The user guide \"" + file + "\" is not installed.";
        return false;
    }
    if (guide.size() > kMaxGuideBytes || !guide.open(QIODevice::ReadOnly)) {
        error = "The user guide \"" + file + "\" could not be read.";
        return false;
    }
    const QString html = QString::fromUtf8(guide.readAll());
    headings_ = HelpHeadings(html);
    anchors_ = HelpAnchors(html);
    contents_->clear();
    QTreeWidgetItem* section = nullptr;
    for (const HelpHeading& heading : headings_) {
        if (heading.anchor == "contents") continue;
        auto* item = heading.level == 3 && section ? new QTreeWidgetItem(section) : new QTreeWidgetItem(contents_);
        item->setText(0, heading.text);
        item->setData(0, Qt::UserRole, heading.anchor);
        if (heading.level == 2) section = item;
    }
    // Loaded by its location, so that its pictures are found beside it.
    browser_->setSource(QUrl::fromLocalFile(QFileInfo(file).absoluteFilePath()));
    return true;
}

QStringList HelpWindow::Anchors() const { return anchors_; }

void HelpWindow::GoTo(const QString& anchor) {
    QUrl url = browser_->source();
    url.setFragment(anchor.isEmpty() ? QString() : anchor);
    browser_->setSource(url);
    // The whole guide laid out first (pictures included), then to the
    // anchor: scrolled earlier it would land where the heading was before
    // the pictures above it took their room.
    browser_->document()->documentLayout()->documentSize();
    browser_->scrollToAnchor(anchor);
    QTimer::singleShot(0, browser_, [browser = browser_, anchor] { browser->scrollToAnchor(anchor); });
    // The contents follow.
    for (QTreeWidgetItemIterator it(contents_); *it; ++it)
        if ((*it)->data(0, Qt::UserRole).toString() == anchor) {
            contents_->setCurrentItem(*it);
            break;
        }
}

bool HelpWindow::Find(const QString& text, bool backwards) {
    if (text.trimmed().isEmpty()) {
        searchStatus_->clear();
        return false;
    }
    MarkMatches(text);
    // A new search starts where the reader is, not at the top of the guide.
    if (!browser_->textCursor().hasSelection())
        browser_->setTextCursor(browser_->cursorForPosition(QPoint(0, 0)));
    const QTextDocument::FindFlags flags = backwards ? QTextDocument::FindBackward : QTextDocument::FindFlags();
    if (browser_->find(text, flags)) {
        searchStatus_->clear();
        return true;
    }
    // Round the end (or the start) once.
    QTextCursor wrap(browser_->document());
    if (backwards) wrap.movePosition(QTextCursor::End);
    browser_->setTextCursor(wrap);
    if (browser_->find(text, flags)) {
        searchStatus_->setText("Continued from the " + QString(backwards ? "end" : "start"));
        return true;
    }
    searchStatus_->setText("Not found");
    return false;
}

void HelpWindow::MarkMatches(const QString& text) {
    QList<QTextEdit::ExtraSelection> marks;
    if (!text.trimmed().isEmpty()) {
        QTextCharFormat format;
        format.setBackground(QColor(255, 225, 100));
        format.setForeground(Qt::black);
        for (QTextCursor match = browser_->document()->find(text); !match.isNull() && marks.size() < 1000;
             match = browser_->document()->find(text, match))
            marks.append({match, format});
    }
    browser_->setExtraSelections(marks);
    if (!text.trimmed().isEmpty() && marks.isEmpty()) searchStatus_->setText("Not found");
    else if (marks.size() > 0) searchStatus_->setText(QString("%1 found").arg(marks.size()));
    else searchStatus_->clear();
}

HelpWindow* OpenHelp(const QString& anchor, QString& error) {
    // Beside an open sheet the window must belong to it: the sheet blocks every other window.
    QWidget* owner = QApplication::activeModalWidget();
    if (!owner)
        for (QWidget* top : QApplication::topLevelWidgets())
            if (top->inherits("QMainWindow") && top->isVisible()) {
                owner = top;
                break;
            }
    HelpWindow* help = nullptr;
    for (QWidget* top : QApplication::topLevelWidgets()) {
        auto* candidate = dynamic_cast<HelpWindow*>(top);
        if (candidate && candidate->parentWidget() == owner) help = candidate;
    }
    if (!help) {
        auto window = std::make_unique<HelpWindow>(owner);
        const fw::CWinApp* app = fw::AfxGetApp();
        if (!window->Load(app ? Q(app->GetHelpFilePath()) : QString(), error)) return nullptr;
        help = window.release();
        // Over the window it belongs to, inside that screen's free area.
        if (owner && owner->isVisible()) {
            const QRect available = owner->screen()->availableGeometry();
            QRect frame(QPoint(), help->size());
            frame.moveCenter(owner->frameGeometry().center());
            frame.moveLeft(std::clamp(frame.left(), available.left(), std::max(available.left(), available.right() - frame.width())));
            frame.moveTop(std::clamp(frame.top(), available.top() + 30, std::max(available.top(), available.bottom() - frame.height())));
            help->move(frame.topLeft());
        }
    }
    help->GoTo(anchor);
    help->show();
    help->raise();
    help->activateWindow();
    return help;
}

HelpWindow* ShowHelp(const QString& anchor) {
    QString error;
    HelpWindow* help = OpenHelp(anchor, error);
    if (!help)
        if (const fw::CWinApp* app = fw::AfxGetApp())
            app->Platform().MessageBox("Error: " + S(error), fw::MessageIcon::Warning, fw::MessageButtons::Ok);
    return help;
}

HelpWindow* ShowHelpFor(const std::string& sheetTitle, const std::string& pageTitle) {
    HelpWindow* help = ShowHelp();
    if (help) help->GoTo(HelpAnchorFor(sheetTitle, pageTitle, help->Anchors()));
    return help;
}

}  // namespace regsmith::host

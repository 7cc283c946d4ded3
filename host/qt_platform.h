#pragma once
// The platform services of the desktop host: Qt message boxes, sheets and
// dialogs rendered from the UI model, file dialogs, printing and the desktop's
// "open" action.

#include <QPointer>
#include <QWidget>

#include <functional>
#include <memory>

#include "fw/platform.h"

class QPrinter;

namespace regsmith::host {

class SheetDialog;
class FormDialog;

class QtPlatform : public fw::PlatformServices {
public:
    QtPlatform();
    ~QtPlatform() override;

    // The window that owns the dialogs when no modal window is open.
    void SetMainWindow(QWidget* window) { mainWindow_ = window; }

    fw::DialogResult MessageBox(const std::string& text, fw::MessageIcon icon, fw::MessageButtons buttons) override;
    fw::DialogResult RunModal(fw::PropertySheet& sheet) override;
    fw::DialogResult RunModal(fw::Dialog& dialog) override;
    std::optional<std::string> SaveFileDialog(const fw::SaveFileRequest& request) override;
    fw::PrintResult Print(const fw::PrintRequest& request) override;
    bool OpenWithDefaultApplication(const std::string& path) override;

    // Print Setup: the page set-up dialog for the printer that Print uses.
    void PrintSetup();
    QPrinter& Printer();

    // What the printout's header names: the project as its tab does
    // ("board.rsg - QK750") and its file, if it has one.
    struct PrintHeader {
        QString title;
        QString path;
    };
    // Asked when printing (set by the main window); no header without it.
    std::function<PrintHeader()> printHeader;

    // Prints on `printer` as it is set up: the text with its colours, on as
    // many pages as it needs, inside margins of at least kPrintMarginMm, with
    // the header's title and file at the top of every page and "page n of m"
    // at its foot.
    static fw::PrintResult PrintText(QPrinter& printer, const fw::PrintRequest& request,
                                     const PrintHeader& header = {});
    static constexpr double kPrintMarginMm = 15.0;
    // "page 2 of 5".
    static QString PageFooter(int page, int pages);
    // The PDF a printout to a file is proposed under: beside the project,
    // named after it ("board.pdf"); in the documents folder for a project
    // never saved.
    static QString DefaultPdfPath(const PrintHeader& header);

    // Hooks that replace the interactive parts (screenshots and tests):
    // when set, they run instead of exec() of the sheet or dialog, instead of
    // showing a message box, or instead of the print dialog (return false
    // for Cancel).
    std::function<void(SheetDialog&)> sheetHook;
    std::function<void(FormDialog&)> dialogHook;
    std::function<fw::DialogResult(const std::string&, fw::MessageIcon, fw::MessageButtons)> messageHook;
    std::function<bool(QPrinter&)> printDialogHook;

    // The tab title of the page the next sheet opens on (a problem's or a
    // clock's page, from the overview docks); used by that sheet only.
    std::string initialPage;

    // The parent for a new dialog: the innermost modal window, else the main window.
    QWidget* DialogParent() const;

private:
    QPointer<QWidget> mainWindow_;
    std::unique_ptr<QPrinter> printer_;
    QString proposedPdf_;  // the PDF name last proposed, replaced for another project
};

}  // namespace regsmith::host

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

    // Prints on `printer` as it is set up: the text with its colours, on as
    // many pages as it needs.
    static fw::PrintResult PrintText(QPrinter& printer, const fw::PrintRequest& request);

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
};

}  // namespace regsmith::host

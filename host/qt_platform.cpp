#include "host/qt_platform.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QTextDocument>
#include <QUrl>

#include "fw/ui.h"
#include "host/code_view.h"
#include "host/form_renderer.h"
#include "host/text.h"

namespace regsmith::host {

QtPlatform::QtPlatform() = default;
QtPlatform::~QtPlatform() = default;

QWidget* QtPlatform::DialogParent() const {
    if (QWidget* modal = QApplication::activeModalWidget()) return modal;
    return mainWindow_.data();
}

fw::DialogResult QtPlatform::MessageBox(const std::string& text, fw::MessageIcon icon, fw::MessageButtons buttons) {
    if (messageHook) return messageHook(text, icon, buttons);
    QMessageBox box(DialogParent());
    box.setWindowTitle(QString());
    box.setText(Q(text));
    switch (icon) {
        case fw::MessageIcon::None: box.setIcon(QMessageBox::NoIcon); break;
        case fw::MessageIcon::Warning: box.setIcon(QMessageBox::Warning); break;
        case fw::MessageIcon::Question: box.setIcon(QMessageBox::Question); break;
        case fw::MessageIcon::Information: box.setIcon(QMessageBox::Information); break;
        case fw::MessageIcon::Error: box.setIcon(QMessageBox::Critical); break;
    }
    switch (buttons) {
        case fw::MessageButtons::Ok:
            box.setStandardButtons(QMessageBox::Ok);
            box.setEscapeButton(QMessageBox::Ok);
            break;
        case fw::MessageButtons::YesNo:
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
            box.setDefaultButton(QMessageBox::Yes);
            box.setEscapeButton(QMessageBox::No);
            break;
        case fw::MessageButtons::YesNoCancel:
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
            box.setDefaultButton(QMessageBox::Yes);
            box.setEscapeButton(QMessageBox::Cancel);
            break;
    }
    box.exec();
    const QAbstractButton* clicked = box.clickedButton();
    switch (clicked ? box.standardButton(const_cast<QAbstractButton*>(clicked)) : QMessageBox::NoButton) {
        case QMessageBox::Yes: return fw::DialogResult::Yes;
        case QMessageBox::No: return fw::DialogResult::No;
        case QMessageBox::Ok: return fw::DialogResult::Ok;
        default: return buttons == fw::MessageButtons::Ok ? fw::DialogResult::Ok : fw::DialogResult::Cancel;
    }
}

fw::DialogResult QtPlatform::RunModal(fw::PropertySheet& sheet) {
    sheet.Start();
    if (!initialPage.empty()) {
        const int page = sheet.FindPage(initialPage);
        initialPage.clear();
        if (page >= 0) sheet.SetActivePage(page);
    }
    SheetDialog dialog(sheet, DialogParent());
    if (sheetHook)
        sheetHook(dialog);
    else if (!sheet.IsEnded())
        dialog.exec();
    if (!sheet.IsEnded()) sheet.PressCancel();
    return sheet.Result() == fw::DialogResult::Ok ? fw::DialogResult::Ok : fw::DialogResult::Cancel;
}

fw::DialogResult QtPlatform::RunModal(fw::Dialog& model) {
    model.Start();
    FormDialog dialog(model, DialogParent());
    if (dialogHook)
        dialogHook(dialog);
    else if (!model.IsEnded())
        dialog.exec();
    if (!model.IsEnded()) model.PressCancel();
    return model.Result() == fw::DialogResult::Ok ? fw::DialogResult::Ok : fw::DialogResult::Cancel;
}

std::optional<std::string> QtPlatform::SaveFileDialog(const fw::SaveFileRequest& request) {
    QFileDialog dialog(DialogParent());
    dialog.setWindowTitle("Save As");
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.promptBeforeOverwrite);
    const QStringList filters = ConvertFileFilter(request.filter);
    dialog.setNameFilters(filters);
    dialog.selectNameFilter(filters.front());
    dialog.setDefaultSuffix(Q(request.defaultExtension));
    dialog.selectFile(Q(request.fileName));
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    const QStringList files = dialog.selectedFiles();
    if (files.isEmpty()) return std::nullopt;
    return S(files.front());
}

QPrinter& QtPlatform::Printer() {
    if (!printer_) printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *printer_;
}

void QtPlatform::PrintSetup() {
    QPageSetupDialog dialog(&Printer(), DialogParent());
    dialog.exec();
}

fw::PrintResult QtPlatform::Print(const fw::PrintRequest& request) {
    QPrinter& printer = Printer();
    bool accepted = false;
    if (printDialogHook) {
        accepted = printDialogHook(printer);
    } else {
        QPrintDialog dialog(&printer, DialogParent());
        dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
        accepted = dialog.exec() == QDialog::Accepted;
    }
    if (!accepted) return fw::PrintResult::Cancelled;
    // The printer (or PDF file) the user chose in the dialog is the one used.
    return PrintText(printer, request);
}

fw::PrintResult QtPlatform::PrintText(QPrinter& printer, const fw::PrintRequest& request) {
    if (!printer.isValid()) return fw::PrintResult::NoPrinter;
    printer.setDocName(Q(request.documentName));
    QPainter painter;
    if (!painter.begin(&printer)) return fw::PrintResult::JobFailed;

    // Lay the text out for the printer's resolution, one page rectangle (the
    // printable area) at a time.
    QTextDocument document;
    document.documentLayout()->setPaintDevice(&printer);
    document.setDocumentMargin(0);
    FillTextDocument(document, request.text, request.colours, ResolveFixedFont(request.font));
    const QRectF page = printer.pageRect(QPrinter::DevicePixel);
    const QSizeF pageSize(page.width(), page.height());
    document.setPageSize(pageSize);
    const int pages = std::max(1, document.pageCount());
    for (int i = 0; i < pages; ++i) {
        if (i > 0 && !printer.newPage()) {
            painter.end();
            return fw::PrintResult::PageFailed;
        }
        painter.save();
        const QRectF clip(0, i * pageSize.height(), pageSize.width(), pageSize.height());
        painter.translate(0, -clip.top());
        document.drawContents(&painter, clip);
        painter.restore();
    }
    painter.end();
    return fw::PrintResult::Printed;
}

bool QtPlatform::OpenWithDefaultApplication(const std::string& path) {
    // The caller reports a failure in its own words.
    const QFileInfo file(Q(path));
    if (path.empty() || !file.exists()) return false;
    return QDesktopServices::openUrl(QUrl::fromLocalFile(file.absoluteFilePath()));
}

}  // namespace regsmith::host

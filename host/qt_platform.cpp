#include "host/qt_platform.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QDateTime>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPrintDialog>
#include <QStandardPaths>
#include <QStyle>
#include <QPrinter>
#include <QPrinterInfo>
#include <QRegularExpression>
#include <QScreen>
#include <QShortcut>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>
#include <QUrl>

#include "fw/app.h"
#include "fw/ui.h"
#include "host/code_view.h"
#include "host/form_renderer.h"
#include "host/help_window.h"
#include "host/text.h"

namespace regsmith::host {

namespace {

// A message box wide enough for its longest line (a path, a list of projects)
// up to most of the screen, centred over the window it belongs to and kept
// on that window's screen.  Placed once its size is final, just before it
// appears, so that neither its own last resizing nor a main window the
// window manager has not placed yet can push it aside.
class PlacedMessageBox : public QMessageBox {
public:
    using QMessageBox::QMessageBox;

    void Widen() {
        int longest = 0;
        for (const QString& line : text().split('\n'))
            longest = std::max(longest, fontMetrics().horizontalAdvance(line));
        if (auto* label = findChild<QLabel*>("qt_msgbox_label"))
            label->setMinimumWidth(std::min(longest + 8, Available().width() * 3 / 4 - 120));
    }

protected:
    void showEvent(QShowEvent* event) override {
        QMessageBox::showEvent(event);
        const QRect available = Available();
        QWidget* parent = parentWidget() ? parentWidget()->window() : nullptr;
        QRect frame(QPoint(), frameGeometry().size().expandedTo(size()));
        frame.moveCenter(parent && parent->isVisible() ? parent->frameGeometry().center() : available.center());
        frame.moveLeft(std::clamp(frame.left(), available.left(),
                                  std::max(available.left(), available.right() - frame.width())));
        frame.moveTop(std::clamp(frame.top(), available.top(),
                                 std::max(available.top(), available.bottom() - frame.height())));
        move(frame.topLeft());
    }

private:
    QRect Available() const {
        QWidget* parent = parentWidget() ? parentWidget()->window() : nullptr;
        const QScreen* screen = parent && parent->screen() ? parent->screen() : QGuiApplication::primaryScreen();
        return screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
    }
};

}  // namespace

QtPlatform::QtPlatform() = default;
QtPlatform::~QtPlatform() = default;

QWidget* QtPlatform::DialogParent() const {
    if (QWidget* modal = QApplication::activeModalWidget()) return modal;
    return mainWindow_.data();
}

fw::DialogResult QtPlatform::MessageBox(const std::string& text, fw::MessageIcon icon, fw::MessageButtons buttons) {
    if (messageHook) return messageHook(text, icon, buttons);
    PlacedMessageBox box(DialogParent());
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
    box.Widen();
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
    // F1 opens the guide at the section of the page in front.
    auto* help = new QShortcut(QKeySequence::HelpContents, &dialog);
    QObject::connect(help, &QShortcut::activated, &dialog, [&sheet] {
        const fw::PropertyPage* page = sheet.ActivePage();
        ShowHelpFor(sheet.Title(), page ? page->Title() : std::string());
    });
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
    auto* help = new QShortcut(QKeySequence::HelpContents, &dialog);
    QObject::connect(help, &QShortcut::activated, &dialog, [&model] { ShowHelpFor(model.Title(), std::string()); });
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
    if (!printer_) {
        printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printer_->setPageMargins(QMarginsF(kPrintMarginMm, kPrintMarginMm, kPrintMarginMm, kPrintMarginMm),
                                 QPageLayout::Millimeter);
    }
    return *printer_;
}

QString QtPlatform::PageFooter(int page, int pages) { return QString("page %1 of %2").arg(page).arg(pages); }

QString QtPlatform::DefaultPdfPath(const PrintHeader& header) {
    if (!header.path.isEmpty()) {
        const QFileInfo file(header.path);
        return file.absoluteDir().filePath(file.completeBaseName() + ".pdf");
    }
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty() || !QFileInfo(folder).isDir()) folder = QDir::homePath();
    QString name = header.title.isEmpty() ? QString("Untitled") : header.title;
    name.replace(QRegularExpression("[/\\\\:*?\"<>|]"), "-");
    return QDir(folder).filePath(name + ".pdf");
}

void QtPlatform::PrintSetup() {
    QPageSetupDialog dialog(&Printer(), DialogParent());
    dialog.exec();
}

fw::PrintResult QtPlatform::Print(const fw::PrintRequest& request) {
    QPrinter& printer = Printer();
    const PrintHeader header = printHeader ? printHeader() : PrintHeader();
    // "Print to File (PDF)" proposes a file named after the project (not
    // print.pdf in the home folder).  Where there is a printer, choosing a
    // file name would choose PDF over it: then only the name is given.
    const QString pdf = DefaultPdfPath(header);
    if (QPrinterInfo::availablePrinterNames().isEmpty()) {
        if (printer.outputFileName().isEmpty() || printer.outputFileName() == proposedPdf_) {
            printer.setOutputFileName(pdf);
            proposedPdf_ = pdf;
        }
    } else {
        printer.setDocName(QFileInfo(pdf).completeBaseName());
    }
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
    return PrintText(printer, request, header);
}

fw::PrintResult QtPlatform::PrintText(QPrinter& printer, const fw::PrintRequest& request,
                                      const PrintHeader& header) {
    if (!printer.isValid()) return fw::PrintResult::NoPrinter;
    printer.setDocName(Q(request.documentName));
    QPainter painter;
    if (!painter.begin(&printer)) return fw::PrintResult::JobFailed;

    // The painter starts at the printable area's corner; the margins are
    // kept from the paper's edge, however little the printer itself keeps.
    const QRectF paper = printer.paperRect(QPrinter::DevicePixel);
    const QRectF printable = printer.pageRect(QPrinter::DevicePixel);
    const double margin = kPrintMarginMm / 25.4 * printer.resolution();
    const QRectF area = paper.adjusted(margin, margin, -margin, -margin)
                            .intersected(printable)
                            .translated(-printable.topLeft());

    QFont small = ResolveFixedFont(request.font);
    small.setFamily(QApplication::font().family());
    small.setPointSizeF(9);
    const QFontMetricsF metrics(small, &printer);
    const double band = metrics.height() * 2;  // header or footer line and the gap to the text
    const QRectF body(area.left(), area.top() + band, area.width(), std::max(1.0, area.height() - 2 * band));

    // Lay the text out for the printer's resolution, one body rectangle at a time.
    QTextDocument document;
    document.documentLayout()->setPaintDevice(&printer);
    document.setDocumentMargin(0);
    FillTextDocument(document, request.text, request.colours, ResolveFixedFont(request.font));
    const QSizeF pageSize(body.width(), body.height());
    // Laid out as one long page, then cut between lines: no line is split
    // across two pages or drawn under the footer.
    document.setPageSize(QSizeF(pageSize.width(), 1e9));
    std::vector<double> breaks{0.0};  // the top of each page in the document
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        const QTextLayout* layout = block.layout();
        const QPointF origin = document.documentLayout()->blockBoundingRect(block).topLeft();
        for (int l = 0; layout && l < layout->lineCount(); ++l) {
            const QRectF line = layout->lineAt(l).rect().translated(origin);
            if (line.bottom() - breaks.back() > pageSize.height() && line.top() > breaks.back())
                breaks.push_back(line.top());
        }
    }
    breaks.push_back(document.documentLayout()->documentSize().height());
    const int pages = std::max(1, static_cast<int>(breaks.size()) - 1);
    const QString title = header.title.isEmpty() ? Q(request.documentName) : header.title;
    for (int i = 0; i < pages; ++i) {
        if (i > 0 && !printer.newPage()) {
            painter.end();
            return fw::PrintResult::PageFailed;
        }
        painter.save();
        painter.setFont(small);
        painter.setPen(Qt::black);
        const QRectF top(area.left(), area.top(), area.width(), metrics.height());
        painter.drawText(top, Qt::AlignLeft | Qt::AlignVCenter, title);
        if (!header.path.isEmpty()) {
            const double room = area.width() - metrics.horizontalAdvance(title) - metrics.horizontalAdvance("    ");
            painter.drawText(top, Qt::AlignRight | Qt::AlignVCenter,
                             metrics.elidedText(QDir::toNativeSeparators(header.path), Qt::ElideMiddle, room));
        }
        const double rule = area.top() + metrics.height() * 1.3;
        painter.drawLine(QPointF(area.left(), rule), QPointF(area.right(), rule));
        const QRectF foot(area.left(), area.bottom() - metrics.height(), area.width(), metrics.height());
        painter.drawText(foot, Qt::AlignHCenter | Qt::AlignVCenter, PageFooter(i + 1, pages));
        painter.restore();

        painter.save();
        const double end = i + 1 < static_cast<int>(breaks.size()) ? breaks[static_cast<std::size_t>(i) + 1]
                                                                   : breaks.back();
        const QRectF clip(0, breaks[static_cast<std::size_t>(i)], pageSize.width(),
                          std::max(0.0, end - breaks[static_cast<std::size_t>(i)]));
        painter.translate(body.left(), body.top() - clip.top());
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
    // The user guide opens in the program's own help window: no browser needed.
    const fw::CWinApp* app = fw::AfxGetApp();
    if (app && !app->GetHelpFilePath().empty() && file == QFileInfo(Q(app->GetHelpFilePath()))) {
        QString error;
        return OpenHelp(QString(), error) != nullptr;
    }
    return QDesktopServices::openUrl(QUrl::fromLocalFile(file.absoluteFilePath()));
}

}  // namespace regsmith::host

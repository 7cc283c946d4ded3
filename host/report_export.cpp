#include "host/report_export.h"

#include <sys/stat.h>

#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

#include <filesystem>

#include "fw/document.h"
#include "fw/view.h"
#include "report/report_pdf.h"

namespace regsmith {

namespace {

struct Filter {
    const char* text;
    fw::ReportFormat format;
};
constexpr Filter kFilters[] = {
    {"HTML report (*.html)", fw::ReportFormat::Html},
    {"PDF report (*.pdf)", fw::ReportFormat::Pdf},
    {"Markdown report (*.md)", fw::ReportFormat::Markdown},
};

bool SameFile(const std::string& a, const std::string& b) {
    struct stat first, second;
    return ::stat(a.c_str(), &first) == 0 && ::stat(b.c_str(), &second) == 0 && first.st_dev == second.st_dev &&
           first.st_ino == second.st_ino;
}

}  // namespace

bool WriteReportFile(fw::CView& view, const std::string& output, fw::ReportFormat format, std::string& error) {
    fw::CDocument* document = view.GetDocument();
    if (!document) {
        error = "no project is open";
        return false;
    }
    if (!document->GetPathName().empty() && SameFile(output, document->GetPathName())) {
        error = "it is the project itself";
        return false;
    }
    if (document->RecognisesFile(fw::ReadFileHead(output, 64))) {
        error = "it holds a Regsmith project";
        return false;
    }
    fw::ReportContent content;
    if (!view.GetReportContent(content)) {
        error = "this project's plug-in writes no report";
        return false;
    }
    content.fileName = document->GetPathName().empty() ? document->GetTitle()
                                                         : std::filesystem::path(document->GetPathName()).filename().string();
    std::string bytes;
    switch (format) {
        case fw::ReportFormat::Html: bytes = fw::ReportHtml(content); break;
        case fw::ReportFormat::Markdown: bytes = fw::ReportMarkdown(content); break;
        case fw::ReportFormat::Pdf:
            if (!report::WritePdf(content, false, bytes, error)) return false;
            break;
    }
    return fw::WriteFileAtomically(output, bytes, error);
}

void ExportReport(QWidget* parent, fw::CView& view) {
    fw::CDocument* document = view.GetDocument();
    if (!document) return;
    QStringList filters;
    for (const Filter& filter : kFilters) filters << filter.text;
    const std::string project = document->GetPathName();
    const QString suggested = project.empty()
                                  ? QString::fromStdString(document->GetTitle()) + ".html"
                                  : QFileInfo(QString::fromStdString(project)).dir().filePath(
                                        QFileInfo(QString::fromStdString(project)).completeBaseName() + ".html");
    QString chosenFilter = filters.front();
    QString path = QFileDialog::getSaveFileName(parent, "Export Report", suggested, filters.join(";;"), &chosenFilter);
    if (path.isEmpty()) return;
    std::optional<fw::ReportFormat> format = fw::ReportFormatOfPath(path.toStdString());
    if (!format) {
        // No known extension: the chosen type's.
        format = fw::ReportFormat::Html;
        for (const Filter& filter : kFilters)
            if (chosenFilter == filter.text) format = filter.format;
        path += QString::fromUtf8(fw::ReportExtension(*format).data());
    }
    std::string error;
    if (!WriteReportFile(view, path.toStdString(), *format, error))
        QMessageBox::warning(parent, "Export Report", "Could not write the report " + path + ":\n" +
                                                          QString::fromStdString(error));
}

}  // namespace regsmith

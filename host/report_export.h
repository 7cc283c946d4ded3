#pragma once
// File > Export Report...: the configuration report of the active project,
// as HTML, PDF or Markdown, through the same writers as `regsmith-cli report`.

#include <string>

#include "fw/report.h"

class QWidget;

namespace fw {
class CDocument;
class CView;
}  // namespace fw

namespace regsmith {

// Writes the report of `view`'s project to `output` in `format`
// (atomically; never over the project itself or any other project file).
// False with `error` set when it could not.
bool WriteReportFile(fw::CView& view, const std::string& output, fw::ReportFormat format, std::string& error);

// Asks for the file (the dialog offers the three formats; a name without a
// known extension gets the chosen format's), writes it and reports a
// failure in a message box.
void ExportReport(QWidget* parent, fw::CView& view);

}  // namespace regsmith

#pragma once
// The configuration report as PDF, drawn with Qt's own PDF writer: selectable
// text, the pin map and the clock tree as vector drawings, a header with the
// project and model on every page and "Page n of m" below.  Shared by the
// desktop program's File > Export Report and `regsmith-cli report`.

#include <memory>
#include <string>

#include "fw/report.h"

class QGuiApplication;

namespace regsmith::report {

// A QGuiApplication for as long as it lives, where the program has none (the
// command-line tool): on Qt's offscreen platform unless QT_QPA_PLATFORM
// names another, so no display is needed.
class GuiScope {
public:
    GuiScope();
    ~GuiScope();
    GuiScope(const GuiScope&) = delete;
    GuiScope& operator=(const GuiScope&) = delete;

private:
    std::unique_ptr<QGuiApplication> app_;
};

// The PDF bytes of the report, A4 or US Letter.  Needs a QGuiApplication.
// False with `error` set when Qt could not write it.
bool WritePdf(const fw::ReportContent& content, bool letter, std::string& bytes, std::string& error);

}  // namespace regsmith::report

#pragma once
// The configuration report: a project's facts, problems, pins, clocks,
// settings and generated source in one readable document.  A view gathers
// the content (CView::GetReportContent); this writer turns it into HTML or
// Markdown, the same bytes for the desktop program and the command-line
// tool.  The PDF form is drawn by the Qt host from the same content.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "fw/overview.h"

namespace fw {

// The settings of one page that differ from a new project of the same
// model, in the page's own captions ("Timer Mode: 8 Bit Counter/Timer
// Auto-Reload", "Enable UART0 Reception: on").
struct ReportSettingsPage {
    std::string sheet;  // "Timers"
    std::string page;   // "Timer 1"
    std::vector<std::string> lines;
};

struct ReportContent {
    std::string fileName;    // "board.rsg", or the new-file title
    std::string model;       // "QK750"
    std::string package;     // "large package"
    int pinCount = 0;        // port pins of the package
    bool lin = false;        // whether the model has the LIN interrupt
    std::string deviceId;    // "0xD6"
    bool assembly = false;   // the code format: 8051 assembly, else C
    std::string date;        // printed only when not empty (`--date`)
    ChipOverview overview;
    std::vector<ReportSettingsPage> settings;
    std::string source;      // the generated source as the code window holds it
};

enum class ReportFormat { Html, Markdown, Pdf };

// "html", "md" (also "markdown") or "pdf".
std::optional<ReportFormat> ReportFormatNamed(std::string_view name);
// From a file name's extension: ".html"/".htm", ".md"/".markdown", ".pdf"
// (any case); nothing for any other.
std::optional<ReportFormat> ReportFormatOfPath(std::string_view path);
// The extension a report of that format is written with: ".html", ".md", ".pdf".
std::string_view ReportExtension(ReportFormat format);

// One self-contained HTML5 file: inline CSS and SVG, no script, nothing
// fetched; light and dark after the reader's preference; print CSS.
std::string ReportHtml(const ReportContent& content);
// GitHub-flavoured Markdown: tables, the source in a fenced block, no pictures.
std::string ReportMarkdown(const ReportContent& content);

// The pictures, as inline SVG (also for the HTML report's tests).
std::string PinMapSvg(const std::vector<PinInfo>& pins);
std::string ClockTreeSvg(const std::vector<ClockInfo>& clocks);

// The title and the facts line as every format prints them.
std::string ReportTitle(const ReportContent& content);
std::vector<std::pair<std::string, std::string>> ReportFacts(const ReportContent& content);
// The source with LF line ends and no trailing blank lines.
std::string ReportSourceText(const ReportContent& content);
// The text of a clock's "set on" column: "Oscillators > Internal Oscillator".
std::string WhereText(const SheetPage& where);
// "Digital"/"Analog", "Push-Pull"/"Open-Drain", "Skipped"/"" as the pin table shows them.
std::string_view PinModeText(const PinInfo& pin);
std::string_view PinOutputText(const PinInfo& pin);

// The pictures' measures, in CSS pixels: the SVG of the HTML report and the
// PDF's drawing use the same.
namespace picture {
inline constexpr int kPinWidth = 100;
inline constexpr int kPinHeight = 54;
inline constexpr int kPinGap = 8;
inline constexpr int kPortLabel = 36;
inline constexpr int kClockWidth = 176;
inline constexpr int kClockHeight = 44;
inline constexpr int kClockColumn = 196;
inline constexpr int kClockRow = 52;
}  // namespace picture

// The position of each clock box in the tree drawing: its depth (column)
// and row, both from 0; the tree is laid out in the order given.
struct ClockBoxPlace {
    int column = 0;
    int row = 0;
};
std::vector<ClockBoxPlace> ClockTreeLayout(const std::vector<ClockInfo>& clocks);

}  // namespace fw

#include "fw/report.h"

#include <algorithm>
#include <cctype>
#include <map>

namespace fw {

namespace {

std::string Lower(std::string_view text) {
    std::string lower(text);
    for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return lower;
}

// Text for HTML element content and attribute values.
std::string Escaped(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        switch (c) {
            case '&': out += "&amp;"; break;
            case '<': out += "&lt;"; break;
            case '>': out += "&gt;"; break;
            case '"': out += "&quot;"; break;
            default: out += c;
        }
    }
    return out;
}

// Text for a Markdown table cell or list item: no line breaks, and the
// characters that would start markup or end the cell taken literally.
std::string MarkdownText(std::string_view text) {
    std::string out;
    for (char c : text) {
        if (c == '\r') continue;
        if (c == '\n') {
            out += ' ';
        } else if (c == '|' || c == '\\' || c == '*' || c == '_' || c == '`' || c == '<' || c == '[' || c == ']') {
            out += '\\';
            out += c;
        } else {
            out += c;
        }
    }
    return out;
}

const char* PinClass(PinFunction function) {
    switch (function) {
        case PinFunction::Peripheral: return "peripheral";
        case PinFunction::GeneralIO: return "gpio";
        case PinFunction::Skipped: return "skipped";
        case PinFunction::Analog: return "analog";
    }
    return "gpio";
}

const char* SeverityClass(Severity severity) {
    switch (severity) {
        case Severity::Error: return "error";
        case Severity::Warning: return "warning";
        case Severity::Note: return "note";
    }
    return "note";
}

// The pins grouped by port, in the order given: "P0" -> its pins.
std::vector<std::pair<std::string, std::vector<const PinInfo*>>> PinsByPort(const std::vector<PinInfo>& pins) {
    std::vector<std::pair<std::string, std::vector<const PinInfo*>>> ports;
    for (const PinInfo& pin : pins) {
        const std::string port = pin.name.substr(0, pin.name.find('.'));
        if (ports.empty() || ports.back().first != port) ports.emplace_back(port, std::vector<const PinInfo*>{});
        ports.back().second.push_back(&pin);
    }
    return ports;
}

std::string PinSignalText(const PinInfo& pin) {
    if (!pin.signal.empty()) return pin.signal;
    return std::string(PinFunctionName(pin.function));
}

using namespace picture;

const char* const kCss = R"css(
:root { color-scheme: light dark; --fg: #1b1f24; --bg: #ffffff; --muted: #57606a; --line: #d0d7de;
  --head: #f3f5f7; --peripheral: #cfe3ff; --gpio: #e6e9ed; --skipped: #ffe7b3; --analog: #e9d7ff;
  --error: #b42318; --warning: #8a5a00; --note: #0b5cad; --box: #f6f8fa; --off: #656d76; }
@media (prefers-color-scheme: dark) {
  :root { --fg: #e6edf3; --bg: #0d1117; --muted: #9da7b3; --line: #3d444d; --head: #161b22;
    --peripheral: #1f3f66; --gpio: #2d333b; --skipped: #5a4310; --analog: #47306b;
    --error: #ff8b81; --warning: #e3b341; --note: #79c0ff; --box: #161b22; --off: #8b949e; }
}
* { box-sizing: border-box; }
body { margin: 0 auto; max-width: 60rem; padding: 1rem; font: 15px/1.45 system-ui, sans-serif; color: var(--fg); background: var(--bg); }
h1 { font-size: 1.6rem; margin: 0 0 .5rem; }
h2 { font-size: 1.3rem; border-bottom: 1px solid var(--line); padding-bottom: .2rem; margin-top: 2rem; }
h3 { font-size: 1.05rem; margin: 1.2rem 0 .3rem; }
dl.facts { display: grid; grid-template-columns: max-content 1fr; gap: .15rem 1rem; margin: 0; }
dl.facts dt { color: var(--muted); }
dl.facts dd { margin: 0; }
.scroll { overflow-x: auto; }
table { border-collapse: collapse; width: 100%; margin: .5rem 0; }
th, td { text-align: left; padding: .25rem .5rem; border-bottom: 1px solid var(--line); vertical-align: top; }
th { background: var(--head); }
.error { color: var(--error); font-weight: 600; }
.warning { color: var(--warning); font-weight: 600; }
.note { color: var(--note); font-weight: 600; }
figure { margin: .5rem 0; }
svg { max-width: 100%; height: auto; font-family: system-ui, sans-serif; }
svg text { fill: var(--fg); }
svg .pin rect, svg .legend rect { stroke: var(--line); }
svg .peripheral rect { fill: var(--peripheral); }
svg .gpio rect { fill: var(--gpio); }
svg .skipped rect { fill: var(--skipped); }
svg .analog rect { fill: var(--analog); }
svg .clock rect { fill: var(--box); stroke: var(--fg); }
svg .clock.off rect { stroke: var(--off); stroke-dasharray: 4 3; }
svg .clock.off text { fill: var(--off); }
svg path { stroke: var(--muted); fill: none; }
pre { background: var(--box); border: 1px solid var(--line); padding: .75rem; overflow-x: auto; font-size: 13px; }
ul.settings { margin: .2rem 0; padding-left: 1.2rem; }
p.none { color: var(--muted); }
@media print {
  :root { --fg: #000; --bg: #fff; --muted: #444; --line: #999; --head: #eee; --box: #fff; }
  body { max-width: none; padding: 0; font-size: 10pt; }
  h2 { break-after: avoid; }
  table, figure, tr { break-inside: avoid; }
  pre { white-space: pre-wrap; border: none; }
}
@page { margin: 15mm; }
)css";

}  // namespace

std::optional<ReportFormat> ReportFormatNamed(std::string_view name) {
    const std::string lower = Lower(name);
    if (lower == "html") return ReportFormat::Html;
    if (lower == "md" || lower == "markdown") return ReportFormat::Markdown;
    if (lower == "pdf") return ReportFormat::Pdf;
    return std::nullopt;
}

std::optional<ReportFormat> ReportFormatOfPath(std::string_view path) {
    const std::size_t slash = path.find_last_of('/');
    const std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
    const std::size_t dot = name.find_last_of('.');
    if (dot == std::string_view::npos || dot == 0) return std::nullopt;
    const std::string extension = Lower(name.substr(dot + 1));
    if (extension == "htm") return ReportFormat::Html;
    if (extension == "markdown") return ReportFormat::Markdown;
    return ReportFormatNamed(extension);
}

std::string_view ReportExtension(ReportFormat format) {
    switch (format) {
        case ReportFormat::Html: return ".html";
        case ReportFormat::Markdown: return ".md";
        case ReportFormat::Pdf: return ".pdf";
    }
    return ".html";
}

std::string ReportTitle(const ReportContent& content) {
    return content.fileName + (content.model.empty() ? "" : " - " + content.model);
}

std::vector<std::pair<std::string, std::string>> ReportFacts(const ReportContent& content) {
    std::vector<std::pair<std::string, std::string>> facts = {
        {"Project", content.fileName},
        {"Model", content.model},
        {"Package", content.package + ", " + std::to_string(content.pinCount) + " port pins"},
        {"LIN interrupt", content.lin ? "yes" : "no"},
        {"Device id", content.deviceId},
        {"Code format", content.assembly ? "8051 assembly" : "C"},
    };
    if (!content.date.empty()) facts.emplace_back("Date", content.date);
    return facts;
}

std::string ReportSourceText(const ReportContent& content) {
    std::string text;
    text.reserve(content.source.size());
    for (char c : content.source)
        if (c != '\r') text += c;
    while (!text.empty() && (text.back() == '\n' || text.back() == ' ')) text.pop_back();
    return text;
}

std::string WhereText(const SheetPage& where) {
    if (where.sheet.empty()) return {};
    return where.page.empty() || where.page == where.sheet ? where.sheet : where.sheet + " > " + where.page;
}

std::string_view PinModeText(const PinInfo& pin) { return pin.analog ? "Analog" : "Digital"; }
std::string_view PinOutputText(const PinInfo& pin) { return pin.pushPull ? "Push-Pull" : "Open-Drain"; }

std::vector<ClockBoxPlace> ClockTreeLayout(const std::vector<ClockInfo>& clocks) {
    std::map<std::string, std::size_t> index;
    for (std::size_t i = 0; i < clocks.size(); ++i) index.emplace(clocks[i].id, i);
    std::vector<std::vector<std::size_t>> children(clocks.size());
    std::vector<std::size_t> roots;
    for (std::size_t i = 0; i < clocks.size(); ++i) {
        const auto parent = index.find(clocks[i].source);
        // A source that comes later or does not exist makes a root, so a
        // damaged list cannot loop.
        if (clocks[i].source.empty() || parent == index.end() || parent->second >= i) {
            roots.push_back(i);
        } else {
            children[parent->second].push_back(i);
        }
    }
    std::vector<ClockBoxPlace> places(clocks.size());
    int row = 0;
    // Depth first, each child under its parent, in the order given.
    std::vector<std::pair<std::size_t, int>> stack;
    for (auto root = roots.rbegin(); root != roots.rend(); ++root) stack.emplace_back(*root, 0);
    while (!stack.empty()) {
        const auto [box, depth] = stack.back();
        stack.pop_back();
        places[box] = {depth, row++};
        for (auto child = children[box].rbegin(); child != children[box].rend(); ++child)
            stack.emplace_back(*child, depth + 1);
    }
    return places;
}

std::string PinMapSvg(const std::vector<PinInfo>& pins) {
    const auto ports = PinsByPort(pins);
    std::size_t widest = 1;
    for (const auto& port : ports) widest = std::max(widest, port.second.size());
    const int legendTop = static_cast<int>(ports.size()) * (kPinHeight + kPinGap) + 8;
    const int width = kPortLabel + static_cast<int>(widest) * (kPinWidth + kPinGap);
    const int height = legendTop + 24;
    std::string svg = "<svg xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"0 0 " + std::to_string(width) + " " +
                      std::to_string(height) + "\" width=\"" + std::to_string(width) + "\" height=\"" +
                      std::to_string(height) + "\" role=\"img\" aria-label=\"Pin map\">\n<title>Pin map</title>\n";
    int y = 0;
    for (const auto& [port, portPins] : ports) {
        svg += "<text x=\"0\" y=\"" + std::to_string(y + kPinHeight / 2 + 5) + "\" font-size=\"14\" font-weight=\"bold\">" +
               Escaped(port) + "</text>\n";
        int x = kPortLabel;
        for (const PinInfo* pin : portPins) {
            svg += "<g class=\"pin " + std::string(PinClass(pin->function)) + "\"><title>" +
                   Escaped(pin->name + ": " + PinSignalText(*pin) + ", " + std::string(PinModeText(*pin)) + ", " +
                           std::string(PinOutputText(*pin)) + (pin->skipped ? ", skipped" : "")) +
                   "</title><rect x=\"" + std::to_string(x) + "\" y=\"" + std::to_string(y) + "\" width=\"" +
                   std::to_string(kPinWidth) + "\" height=\"" + std::to_string(kPinHeight) +
                   "\" rx=\"4\"/><text x=\"" + std::to_string(x + 6) + "\" y=\"" + std::to_string(y + 18) +
                   "\" font-size=\"13\" font-weight=\"bold\">" + Escaped(pin->name) + "</text><text x=\"" +
                   std::to_string(x + 6) + "\" y=\"" + std::to_string(y + 36) + "\" font-size=\"11\">" +
                   Escaped(PinSignalText(*pin)) + "</text><text x=\"" + std::to_string(x + 6) + "\" y=\"" +
                   std::to_string(y + 49) + "\" font-size=\"10\">" +
                   Escaped(pin->analog ? "analog" : (pin->pushPull ? "push-pull" : "open-drain")) + "</text></g>\n";
            x += kPinWidth + kPinGap;
        }
        y += kPinHeight + kPinGap;
    }
    int x = kPortLabel;
    for (PinFunction function : {PinFunction::Peripheral, PinFunction::GeneralIO, PinFunction::Skipped,
                                 PinFunction::Analog}) {
        const std::string name(PinFunctionName(function));
        svg += "<g class=\"legend " + std::string(PinClass(function)) + "\"><rect x=\"" + std::to_string(x) + "\" y=\"" +
               std::to_string(legendTop) + "\" width=\"14\" height=\"14\"/><text x=\"" + std::to_string(x + 20) +
               "\" y=\"" + std::to_string(legendTop + 12) + "\" font-size=\"12\">" + Escaped(name) + "</text></g>\n";
        x += 40 + static_cast<int>(name.size()) * 8;
    }
    svg += "</svg>";
    return svg;
}

std::string ClockTreeSvg(const std::vector<ClockInfo>& clocks) {
    const std::vector<ClockBoxPlace> places = ClockTreeLayout(clocks);
    int columns = 1;
    int rows = 1;
    for (const ClockBoxPlace& place : places) {
        columns = std::max(columns, place.column + 1);
        rows = std::max(rows, place.row + 1);
    }
    const int width = (columns - 1) * kClockColumn + kClockWidth + 2;
    const int height = (rows - 1) * kClockRow + kClockHeight + 2;
    std::string svg = "<svg xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"0 0 " + std::to_string(width) + " " +
                      std::to_string(height) + "\" width=\"" + std::to_string(width) + "\" height=\"" +
                      std::to_string(height) + "\" role=\"img\" aria-label=\"Clock tree\">\n<title>Clock tree</title>\n";
    std::map<std::string, std::size_t> index;
    for (std::size_t i = 0; i < clocks.size(); ++i) index.emplace(clocks[i].id, i);
    for (std::size_t i = 0; i < clocks.size(); ++i) {
        const auto parent = index.find(clocks[i].source);
        if (clocks[i].source.empty() || parent == index.end() || parent->second >= i) continue;
        const ClockBoxPlace& from = places[parent->second];
        const ClockBoxPlace& to = places[i];
        const int x1 = from.column * kClockColumn + kClockWidth + 1;
        const int y1 = from.row * kClockRow + kClockHeight / 2 + 1;
        const int x2 = to.column * kClockColumn + 1;
        const int y2 = to.row * kClockRow + kClockHeight / 2 + 1;
        const int middle = (x1 + x2) / 2;
        svg += "<path d=\"M" + std::to_string(x1) + " " + std::to_string(y1) + " H" + std::to_string(middle) + " V" +
               std::to_string(y2) + " H" + std::to_string(x2) + "\"/>\n";
    }
    for (std::size_t i = 0; i < clocks.size(); ++i) {
        const ClockInfo& clock = clocks[i];
        const int x = places[i].column * kClockColumn + 1;
        const int y = places[i].row * kClockRow + 1;
        svg += "<g class=\"clock" + std::string(clock.running ? "" : " off") + "\"><title>" +
               Escaped(clock.name + ": " + clock.text + (clock.detail.empty() ? "" : " (" + clock.detail + ")") +
                       (clock.running ? "" : ", off")) +
               "</title><rect x=\"" + std::to_string(x) + "\" y=\"" + std::to_string(y) + "\" width=\"" +
               std::to_string(kClockWidth) + "\" height=\"" + std::to_string(kClockHeight) +
               "\" rx=\"4\"/><text x=\"" + std::to_string(x + 8) + "\" y=\"" + std::to_string(y + 18) +
               "\" font-size=\"12\" font-weight=\"bold\">" + Escaped(clock.name) + "</text><text x=\"" +
               std::to_string(x + 8) + "\" y=\"" + std::to_string(y + 35) + "\" font-size=\"12\">" +
               Escaped(clock.running ? clock.text : clock.text + " (off)") + "</text></g>\n";
    }
    svg += "</svg>";
    return svg;
}

std::string ReportHtml(const ReportContent& content) {
    const std::string title = ReportTitle(content);
    std::string html;
    html.reserve(16384 + content.source.size() * 2);
    html += "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
            "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n"
            "<meta name=\"color-scheme\" content=\"light dark\">\n<title>" +
            Escaped("Configuration report: " + title) + "</title>\n<style>" + kCss + "</style>\n</head>\n<body>\n";

    html += "<header>\n<h1>" + Escaped("Configuration report: " + title) + "</h1>\n<dl class=\"facts\">\n";
    for (const auto& [name, value] : ReportFacts(content))
        html += "<dt>" + Escaped(name) + "</dt><dd>" + Escaped(value) + "</dd>\n";
    html += "</dl>\n</header>\n<main>\n";

    const std::vector<Problem>& problems = content.overview.problems;
    html += "<section id=\"problems\">\n<h2>Problems</h2>\n<p>" + Escaped(CountsText(CountProblems(problems))) + "</p>\n";
    if (!problems.empty()) {
        html += "<div class=\"scroll\"><table>\n<thead><tr><th>Severity</th><th>Peripheral</th><th>Problem</th>"
                "<th>Fixed on</th></tr></thead>\n<tbody>\n";
        for (const Problem& problem : problems)
            html += "<tr><td class=\"" + std::string(SeverityClass(problem.severity)) + "\">" +
                    Escaped(SeverityName(problem.severity)) + "</td><td>" + Escaped(problem.peripheral) + "</td><td>" +
                    Escaped(problem.message) + "</td><td>" + Escaped(WhereText(problem.where)) + "</td></tr>\n";
        html += "</tbody>\n</table></div>\n";
    }
    html += "</section>\n";

    html += "<section id=\"pins\">\n<h2>Pins</h2>\n<figure>" + PinMapSvg(content.overview.pins) +
            "</figure>\n<div class=\"scroll\"><table>\n<thead><tr><th>Pin</th><th>Function</th><th>Signal</th>"
            "<th>Mode</th><th>Output</th><th>Skipped</th></tr></thead>\n<tbody>\n";
    for (const PinInfo& pin : content.overview.pins)
        html += "<tr><td>" + Escaped(pin.name) + "</td><td>" + Escaped(PinFunctionName(pin.function)) + "</td><td>" +
                Escaped(pin.signal) + "</td><td>" + Escaped(PinModeText(pin)) + "</td><td>" +
                Escaped(PinOutputText(pin)) + "</td><td>" + (pin.skipped ? "yes" : "no") + "</td></tr>\n";
    html += "</tbody>\n</table></div>\n</section>\n";

    html += "<section id=\"clocks\">\n<h2>Clocks</h2>\n<figure>" + ClockTreeSvg(content.overview.clocks) +
            "</figure>\n<div class=\"scroll\"><table>\n<thead><tr><th>Clock</th><th>Value</th><th>From</th>"
            "<th>Set on</th></tr></thead>\n<tbody>\n";
    for (const ClockInfo& clock : content.overview.clocks)
        html += "<tr><td>" + Escaped(clock.name) + "</td><td>" +
                Escaped(clock.running ? clock.text : clock.text + " (off)") + "</td><td>" + Escaped(clock.detail) +
                "</td><td>" + Escaped(WhereText(clock.where)) + "</td></tr>\n";
    html += "</tbody>\n</table></div>\n</section>\n";

    html += "<section id=\"settings\">\n<h2>Settings</h2>\n";
    if (content.settings.empty())
        html += "<p class=\"none\">Every setting is as in a new " + Escaped(content.model) + " project.</p>\n";
    for (const ReportSettingsPage& page : content.settings) {
        html += "<h3>" + Escaped(WhereText({page.sheet, page.page})) + "</h3>\n<ul class=\"settings\">\n";
        for (const std::string& line : page.lines) html += "<li>" + Escaped(line) + "</li>\n";
        html += "</ul>\n";
    }
    html += "</section>\n";

    html += "<section id=\"source\">\n<h2>Generated source (" +
            std::string(content.assembly ? "8051 assembly" : "C") + ")</h2>\n<pre><code>" +
            Escaped(ReportSourceText(content)) + "</code></pre>\n</section>\n</main>\n</body>\n</html>\n";
    return html;
}

std::string ReportMarkdown(const ReportContent& content) {
    std::string md;
    md.reserve(8192 + content.source.size());
    md += "# Configuration report: " + MarkdownText(ReportTitle(content)) + "\n\n| | |\n|---|---|\n";
    for (const auto& [name, value] : ReportFacts(content))
        md += "| " + MarkdownText(name) + " | " + MarkdownText(value) + " |\n";

    const std::vector<Problem>& problems = content.overview.problems;
    md += "\n## Problems\n\n" + CountsText(CountProblems(problems)) + "\n";
    if (!problems.empty()) {
        md += "\n| Severity | Peripheral | Problem | Fixed on |\n|---|---|---|---|\n";
        for (const Problem& problem : problems)
            md += "| " + std::string(SeverityName(problem.severity)) + " | " + MarkdownText(problem.peripheral) +
                  " | " + MarkdownText(problem.message) + " | " + MarkdownText(WhereText(problem.where)) + " |\n";
    }

    md += "\n## Pins\n\n| Pin | Function | Signal | Mode | Output | Skipped |\n|---|---|---|---|---|---|\n";
    for (const PinInfo& pin : content.overview.pins)
        md += "| " + MarkdownText(pin.name) + " | " + MarkdownText(PinFunctionName(pin.function)) + " | " +
              MarkdownText(pin.signal) + " | " + std::string(PinModeText(pin)) + " | " +
              std::string(PinOutputText(pin)) + " | " + (pin.skipped ? "yes" : "no") + " |\n";

    md += "\n## Clocks\n\n| Clock | Value | From | Set on |\n|---|---|---|---|\n";
    const std::vector<ClockBoxPlace> places = ClockTreeLayout(content.overview.clocks);
    for (std::size_t i = 0; i < content.overview.clocks.size(); ++i) {
        const ClockInfo& clock = content.overview.clocks[i];
        // The tree's depth as an indent of the name (non-breaking spaces survive table rendering).
        std::string indent;
        for (int level = 0; level < places[i].column; ++level) indent += "\u00a0\u00a0";
        md += "| " + indent + MarkdownText(clock.name) + " | " +
              MarkdownText(clock.running ? clock.text : clock.text + " (off)") + " | " + MarkdownText(clock.detail) +
              " | " + MarkdownText(WhereText(clock.where)) + " |\n";
    }

    md += "\n## Settings\n";
    if (content.settings.empty()) md += "\nEvery setting is as in a new " + MarkdownText(content.model) + " project.\n";
    for (const ReportSettingsPage& page : content.settings) {
        md += "\n### " + MarkdownText(WhereText({page.sheet, page.page})) + "\n\n";
        for (const std::string& line : page.lines) md += "- " + MarkdownText(line) + "\n";
    }

    // A fence longer than any run of backticks in the source.
    const std::string source = ReportSourceText(content);
    std::size_t longest = 0;
    std::size_t run = 0;
    for (char c : source) {
        run = c == '`' ? run + 1 : 0;
        longest = std::max(longest, run);
    }
    const std::string fence(std::max<std::size_t>(3, longest + 1), '`');
    md += "\n## Generated source (" + std::string(content.assembly ? "8051 assembly" : "C") + ")\n\n" + fence +
          (content.assembly ? "asm" : "c") + "\n" + source + "\n" + fence + "\n";
    return md;
}

}  // namespace fw

#include "fw/overview.h"

#include <cstdio>

namespace fw {

std::string_view SeverityName(Severity severity) {
    switch (severity) {
        case Severity::Error: return "error";
        case Severity::Warning: return "warning";
        default: return "note";
    }
}

std::string_view PinFunctionName(PinFunction function) {
    switch (function) {
        case PinFunction::Peripheral: return "peripheral";
        case PinFunction::GeneralIO: return "general I/O";
        case PinFunction::Skipped: return "skipped";
        default: return "analog";
    }
}

ProblemCounts CountProblems(const std::vector<Problem>& problems) {
    ProblemCounts counts;
    for (const Problem& problem : problems) {
        switch (problem.severity) {
            case Severity::Error: ++counts.errors; break;
            case Severity::Warning: ++counts.warnings; break;
            case Severity::Note: ++counts.notes; break;
        }
    }
    return counts;
}

namespace {

std::string Counted(int count, const char* word) {
    return std::to_string(count) + " " + word + (count == 1 ? "" : "s");
}

}  // namespace

std::string CountsText(const ProblemCounts& counts) {
    return Counted(counts.errors, "error") + ", " + Counted(counts.warnings, "warning") + ", " +
           Counted(counts.notes, "note");
}

std::string ProblemLine(const std::string& file, const Problem& problem) {
    std::string line;
    if (!file.empty()) line = file + ": ";
    line += SeverityName(problem.severity);
    line += ": ";
    if (!problem.peripheral.empty()) line += problem.peripheral + ": ";
    line += problem.message;
    if (!problem.where.sheet.empty()) {
        line += " [" + problem.where.sheet;
        if (!problem.where.page.empty()) line += " > " + problem.where.page;
        line += "]";
    }
    return line;
}

namespace {

std::string Padded(std::string text, std::size_t width) {
    if (text.size() < width) text.append(width - text.size(), ' ');
    return text;
}

std::string Where(const SheetPage& where) {
    if (where.sheet.empty()) return {};
    return "[" + where.sheet + (where.page.empty() ? "" : " > " + where.page) + "]";
}

std::string Number(double value) {
    char text[40];
    std::snprintf(text, sizeof text, "%.10g", value);
    return text;
}

std::string WhereJson(const SheetPage& where) {
    return "\"sheet\": " + JsonQuoted(where.sheet) + ", \"page\": " + JsonQuoted(where.page);
}

}  // namespace

std::string PinTableText(const std::vector<PinInfo>& pins) {
    std::string text = "Pin   Function     Signal           Mode     Output      Skip\n";
    for (const PinInfo& pin : pins) {
        std::string line = Padded(pin.name, 6) + Padded(std::string(PinFunctionName(pin.function)), 13) +
                           Padded(pin.signal.empty() ? "-" : pin.signal, 17) + Padded(pin.analog ? "analog" : "digital", 9) +
                           Padded(pin.pushPull ? "push-pull" : "open-drain", 12) + (pin.skipped ? "skipped" : "-");
        text += line + "\n";
    }
    return text;
}

std::vector<ClockLine> ClockTreeOrder(const std::vector<ClockInfo>& clocks) {
    std::vector<ClockLine> order;
    order.reserve(clocks.size());
    std::vector<bool> placed(clocks.size(), false);
    // Depth first: each box, then the boxes fed from it.  A box whose source
    // is unknown (or comes later) is a root; a cycle cannot occur because a
    // box is placed once.
    const auto place = [&](auto& self, std::size_t index, int depth) -> void {
        placed[index] = true;
        order.push_back({index, depth});
        for (std::size_t child = 0; child < clocks.size(); ++child)
            if (!placed[child] && !clocks[child].source.empty() && clocks[child].source == clocks[index].id)
                self(self, child, depth + 1);
    };
    for (std::size_t index = 0; index < clocks.size(); ++index) {
        if (placed[index]) continue;
        bool hasSource = false;
        for (std::size_t other = 0; other < index && !hasSource; ++other)
            hasSource = !clocks[index].source.empty() && clocks[other].id == clocks[index].source;
        if (!hasSource) place(place, index, 0);
    }
    for (std::size_t index = 0; index < clocks.size(); ++index)
        if (!placed[index]) place(place, index, 0);
    return order;
}

std::string ClockTreeText(const std::vector<ClockInfo>& clocks) {
    std::string text;
    for (const ClockLine& entry : ClockTreeOrder(clocks)) {
        const ClockInfo& clock = clocks[entry.index];
        std::string line = Padded(std::string(static_cast<std::size_t>(entry.depth) * 2, ' ') + clock.name, 30) +
                           Padded(clock.text, 14) + clock.detail;
        if (!clock.running) line += " (off)";
        line += "  " + Where(clock.where);
        text += line + "\n";
    }
    return text;
}

std::string JsonQuoted(std::string_view text) {
    std::string quoted = "\"";
    for (const char c : text) {
        switch (c) {
            case '"': quoted += "\\\""; break;
            case '\\': quoted += "\\\\"; break;
            case '\n': quoted += "\\n"; break;
            case '\r': quoted += "\\r"; break;
            case '\t': quoted += "\\t"; break;
            default:
                if (static_cast<unsigned char>(c) < 0x20) {
                    char escape[8];
                    std::snprintf(escape, sizeof escape, "\\u%04X", static_cast<unsigned char>(c));
                    quoted += escape;
                } else {
                    quoted += c;
                }
        }
    }
    return quoted + "\"";
}

std::string PinsJson(const std::vector<PinInfo>& pins) {
    std::string json = "[";
    for (std::size_t i = 0; i < pins.size(); ++i) {
        const PinInfo& pin = pins[i];
        json += std::string(i == 0 ? "\n" : ",\n") + "  {\"name\": " + JsonQuoted(pin.name) +
                ", \"function\": " + JsonQuoted(PinFunctionName(pin.function)) + ", \"signal\": " + JsonQuoted(pin.signal) +
                ", \"analog\": " + (pin.analog ? "true" : "false") + ", \"pushPull\": " + (pin.pushPull ? "true" : "false") +
                ", \"skipped\": " + (pin.skipped ? "true" : "false") + "}";
    }
    return json + (pins.empty() ? "]" : "\n]");
}

std::string ClocksJson(const std::vector<ClockInfo>& clocks) {
    std::string json = "[";
    for (std::size_t i = 0; i < clocks.size(); ++i) {
        const ClockInfo& clock = clocks[i];
        json += std::string(i == 0 ? "\n" : ",\n") + "  {\"id\": " + JsonQuoted(clock.id) + ", \"name\": " +
                JsonQuoted(clock.name) + ", \"source\": " + JsonQuoted(clock.source) + ", \"value\": " +
                Number(clock.value) + ", \"unit\": " + JsonQuoted(clock.unit) + ", \"text\": " + JsonQuoted(clock.text) +
                ", \"detail\": " + JsonQuoted(clock.detail) + ", \"running\": " + (clock.running ? "true" : "false") +
                ", " + WhereJson(clock.where) + "}";
    }
    return json + (clocks.empty() ? "]" : "\n]");
}

std::string ProblemsJson(const std::vector<Problem>& problems) {
    std::string json = "[";
    for (std::size_t i = 0; i < problems.size(); ++i) {
        const Problem& problem = problems[i];
        json += std::string(i == 0 ? "\n" : ",\n") + "  {\"severity\": " + JsonQuoted(SeverityName(problem.severity)) +
                ", \"peripheral\": " + JsonQuoted(problem.peripheral) + ", \"message\": " + JsonQuoted(problem.message) +
                ", " + WhereJson(problem.where) + "}";
    }
    return json + (problems.empty() ? "]" : "\n]");
}

}  // namespace fw

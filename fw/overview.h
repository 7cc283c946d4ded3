#pragma once
// The whole chip at a glance, as plain data: what each port pin does, the
// clocks from the oscillators to every peripheral, and the problems of the
// configuration.  A document computes it (CDocument::GetOverview); the
// desktop program's docks, the command-line tool's `check`, `pins` and
// `clocks` and the script mode print the same data, so none of them knows
// a rule of its own.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace fw {

// Where a setting is made: the sheet (its Peripherals menu item, "Timers")
// and the page (its tab title, "Timer 1").
struct SheetPage {
    std::string sheet;
    std::string page;

    friend bool operator==(const SheetPage&, const SheetPage&) = default;
};

enum class PinFunction {
    Peripheral,  // a signal the crossbar routes there (UART0 TX, CEX0, ...)
    GeneralIO,   // digital, not skipped, no signal: a port bit of the firmware's
    Skipped,     // digital and skipped by the crossbar (CNVSTR, an external clock, or unused)
    Analog,      // analog input mode (an ADC0 or comparator input, VREF, a crystal, or unused)
};

struct PinInfo {
    std::string name;      // "P0.4"
    PinFunction function = PinFunction::GeneralIO;
    std::string signal;    // "UART0 TX", "ADC0 input", "VREF"; "" when nothing names the pin
    bool analog = false;   // PnMDIN bit 0
    bool pushPull = false; // PnMDOUT bit 1 (else open-drain)
    bool skipped = false;  // PnSKIP bit 1

    friend bool operator==(const PinInfo&, const PinInfo&) = default;
};

// One box of the clock tree.  `source` names the id of the box it is
// derived from ("" for an oscillator), so the boxes form a tree in the
// order given: every source comes before the boxes fed from it.
struct ClockInfo {
    std::string id;          // "sysclk", "timer1", "uart0", ...
    std::string name;        // "SYSCLK", "Timer 1 overflow", "UART0 baud rate"
    std::string source;      // the id of the box it comes from
    double value = 0;        // in `unit`
    std::string unit;        // "Hz", "bps" or "ms"
    std::string text;        // the value as shown: "191406 Hz", "16.0 ms"
    std::string detail;      // how it is derived: "internal oscillator / 128"
    bool running = true;     // false: off, stopped or unused (drawn greyed)
    SheetPage where;         // the sheet and page that set it

    friend bool operator==(const ClockInfo&, const ClockInfo&) = default;
};

enum class Severity { Error, Warning, Note };

struct Problem {
    Severity severity = Severity::Note;
    std::string peripheral;  // "UART0"
    std::string message;     // "Timer 1 is stopped, so UART0 has no baud clock"
    SheetPage where;         // the sheet and page that fix it

    friend bool operator==(const Problem&, const Problem&) = default;
};

struct ChipOverview {
    std::string model;  // "QK750"
    std::vector<PinInfo> pins;
    std::vector<ClockInfo> clocks;
    std::vector<Problem> problems;  // errors first, then warnings, then notes
};

// "error", "warning", "note".
std::string_view SeverityName(Severity severity);
// "pin", "general I/O", "skipped", "analog" as the pin table prints them.
std::string_view PinFunctionName(PinFunction function);

struct ProblemCounts {
    int errors = 0;
    int warnings = 0;
    int notes = 0;
};
ProblemCounts CountProblems(const std::vector<Problem>& problems);
// "2 errors, 1 warning, 1 note" (every count, 0 included).
std::string CountsText(const ProblemCounts& counts);

// "board.rsg: warning: UART0: Timer 1 is stopped, so UART0 has no baud
// clock [Timers > Timer 1]", without a line end; without `file` the line
// starts at the severity.
std::string ProblemLine(const std::string& file, const Problem& problem);

// The boxes of the clock tree in drawing order, depth first (a box, then
// the boxes fed from it, in the order given), with their depth (0: a root).
struct ClockLine {
    std::size_t index;  // into the clocks
    int depth;
};
std::vector<ClockLine> ClockTreeOrder(const std::vector<ClockInfo>& clocks);

// The pin table as `regsmith-cli dump --pins` prints it: a heading line,
// then one line per pin: name, function, signal, mode, output, skip.
std::string PinTableText(const std::vector<PinInfo>& pins);
// The clock tree as `regsmith-cli dump --clocks` prints it: one line per
// box, indented under its source: name, value, detail, "(off)" when it does
// not run, and the sheet and page that set it.
std::string ClockTreeText(const std::vector<ClockInfo>& clocks);

// The same data as JSON arrays of objects (keys as the struct members; the
// sheet and page as "sheet" and "page"), and a JSON string literal.
std::string PinsJson(const std::vector<PinInfo>& pins);
std::string ClocksJson(const std::vector<ClockInfo>& clocks);
std::string ProblemsJson(const std::vector<Problem>& problems);
std::string JsonQuoted(std::string_view text);

}  // namespace fw

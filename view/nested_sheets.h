#pragma once
// The nested sheets that "Configure ..." and "Change Clock Frequency" buttons
// open while their own sheet runs: one row per sheet, with its title, its
// pages (by tab title, as their page groups register them), the blocks it
// takes fresh from the document instead of sharing the caller's copies, and
// the blocks it writes into the document when accepted.  A page names a row;
// it never calls another page group.

#include <cstdint>
#include <string>
#include <vector>

#include "fw/platform.h"

namespace regsmith {

class SheetContext;

enum class NestedSheet {
    PortIO,             // "Priority Crossbar" on the caller's port I/O copy, a fresh SPI copy
    PortIOWithOwnSpi,   // the same on the caller's SPI copy (the SPI page: the crossbar needs its wire mode)
    PortIOFresh,        // the same on fresh port I/O and SPI copies
    Interrupts,         // "Enable Interrupts" and "Interrupt Priority" on the caller's copy
    Int01Config,        // "INT0/INT1 Configuration" on the caller's copy
    Oscillators,        // the three oscillator pages on fresh copies; clocks restored on Cancel
    OscillatorsInternalExternal,  // the internal and external oscillator pages alone
    Timer1,             // "Timer 1" on the caller's timers, interrupts and port I/O copies
    VoltageReference,   // "Voltage Reference" on the caller's copies
    Comparator,         // "Comparator0" on the caller's comparator copy, fresh port I/O and interrupts
};

struct NestedSheetSpec {
    NestedSheet sheet;
    const char* title;
    std::vector<std::string> pages;
    std::vector<std::int32_t> freshCopies;
    std::vector<std::int32_t> writtenOnOk;
    bool restoresOscillatorClocks = false;
};

const std::vector<NestedSheetSpec>& NestedSheets();
const NestedSheetSpec& FindNestedSheet(NestedSheet sheet);

// Runs the nested sheet on `context` (the caller's sheet run).  On OK the
// blocks of its row are written into the document at once; on Cancel the
// caller's copies are given back as they were.  A block the row takes fresh
// that the document changed meanwhile is read again into the caller's copy,
// when that copy held what the document held (a copy the caller only reads).  Cancel without showing anything
// while its pages are not registered.
fw::DialogResult RunNestedSheet(NestedSheet sheet, SheetContext& context);
// Whether every page of the row is registered (a button's enabled state).
bool NestedSheetAvailable(NestedSheet sheet);

}  // namespace regsmith

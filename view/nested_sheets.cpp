#include "view/nested_sheets.h"

#include "model/device_data.h"
#include "view/sheet_commands.h"

namespace regsmith {

namespace {

const std::vector<std::string> kCrossbarPage{"Priority Crossbar"};
const std::vector<std::string> kInterruptPages{"Enable Interrupts", "Interrupt Priority"};

}  // namespace

const std::vector<NestedSheetSpec>& NestedSheets() {
    static const std::vector<NestedSheetSpec> sheets{
        {NestedSheet::PortIO, "Port I/O", kCrossbarPage, {kBlockSpi}, {kBlockPortIO}},
        {NestedSheet::PortIOWithOwnSpi, "Port I/O", kCrossbarPage, {}, {kBlockPortIO}},
        {NestedSheet::PortIOFresh, "Port I/O", kCrossbarPage, {kBlockPortIO, kBlockSpi}, {kBlockPortIO}},
        {NestedSheet::Interrupts, "Interrupts", kInterruptPages, {}, {kBlockInterrupts}},
        {NestedSheet::Int01Config, "Interrupts", {"INT0/INT1 Configuration"}, {}, {kBlockInterrupts}},
        {NestedSheet::Oscillators, "Oscillators", {"Internal Oscillator", "External Oscillator", "SYSCLK Select"},
         {kBlockOscillators, kBlockPortIO}, {kBlockOscillators}, true},
        {NestedSheet::OscillatorsInternalExternal, "Oscillators", {"Internal Oscillator", "External Oscillator"},
         {kBlockOscillators, kBlockPortIO}, {kBlockOscillators}, true},
        {NestedSheet::Timer1, "Timers", {"Timer 1"}, {}, {kBlockTimers}},
        {NestedSheet::VoltageReference, "Voltage Reference", {"Voltage Reference"}, {}, {kBlockVoltageReference}},
        {NestedSheet::Comparator, "Comparator", {"Comparator0"}, {kBlockPortIO, kBlockInterrupts}, {kBlockComparator}},
    };
    return sheets;
}

const NestedSheetSpec& FindNestedSheet(NestedSheet sheet) {
    for (const NestedSheetSpec& spec : NestedSheets())
        if (spec.sheet == sheet) return spec;
    return NestedSheets().front();  // every enumerator has a row
}

fw::DialogResult RunNestedSheet(NestedSheet sheet, SheetContext& context) {
    const NestedSheetSpec& spec = FindNestedSheet(sheet);
    SheetContext nested(context);
    for (std::int32_t number : spec.freshCopies) nested.CopyOut(number);
    return RunNestedSheet(spec.title, spec.pages, nested, spec.writtenOnOk, spec.restoresOscillatorClocks);
}

bool NestedSheetAvailable(NestedSheet sheet) { return PagesRegistered(FindNestedSheet(sheet).pages); }

}  // namespace regsmith

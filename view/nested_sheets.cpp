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
    // The caller's copies of the blocks this sheet takes fresh that still
    // hold what the document holds (copies the caller only reads).
    std::vector<std::pair<std::int32_t, PeripheralBlock>> unedited;
    for (std::int32_t number : spec.freshCopies) {
        if (context.Holds(number)) {
            PeripheralBlock block = context.FromDocument(number);
            if (block == context.Block(number)) unedited.emplace_back(number, std::move(block));
        }
        nested.CopyOut(number);
    }
    const fw::DialogResult result =
        RunNestedSheet(spec.title, spec.pages, nested, spec.writtenOnOk, spec.restoresOscillatorClocks);
    // The nested sheet, or one nested in it (the External Oscillator page's
    // crossbar, say), may have written such a block into the document: the
    // caller's copy follows, so that it never writes the older block back.
    for (const auto& [number, block] : unedited) {
        if (!(context.FromDocument(number) == block)) context.Reload(number);
    }
    return result;
}

bool NestedSheetAvailable(NestedSheet sheet) { return PagesRegistered(FindNestedSheet(sheet).pages); }

}  // namespace regsmith

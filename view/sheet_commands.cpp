#include "view/sheet_commands.h"

#include "model/register_tables.h"
#include "view/command_ids.h"
#include "view/device_dlg.h"

namespace regsmith {

// ---- SheetContext ----------------------------------------------------------

PeripheralBlock& SheetContext::Block(std::int32_t number) {
    auto found = blocks_.find(number);
    if (found != blocks_.end()) return *found->second;
    return CopyOut(number);
}

PeripheralBlock SheetContext::FromDocument(std::int32_t number) const {
    PeripheralBlock block;
    document_->GetBlock(block, number);
    CompleteFromTable(block, number);
    return block;
}

PeripheralBlock& SheetContext::CopyOut(std::int32_t number) {
    owned_.push_back(std::make_unique<PeripheralBlock>(FromDocument(number)));
    PeripheralBlock& copy = *owned_.back();
    blocks_[number] = &copy;
    return copy;
}

PeripheralBlock& SheetContext::Reload(std::int32_t number) {
    PeripheralBlock& copy = Block(number);
    copy = FromDocument(number);
    return copy;
}

// ---- Registry --------------------------------------------------------------

namespace {

std::map<int, std::vector<PageRegistration>>& Registry() {
    static std::map<int, std::vector<PageRegistration>> registry;
    return registry;
}

std::vector<CDeviceDocument*>& RunningDocuments() {
    static std::vector<CDeviceDocument*> running;
    return running;
}

// Keeps the document of a running sheet known while it runs.
class RunningScope {
public:
    explicit RunningScope(CDeviceDocument& document) { RunningDocuments().push_back(&document); }
    ~RunningScope() { RunningDocuments().pop_back(); }
    RunningScope(const RunningScope&) = delete;
    RunningScope& operator=(const RunningScope&) = delete;
};

// What a sheet run can change in the document, to tell whether it did.
struct DocumentState {
    std::map<std::int32_t, PeripheralBlock> blocks;
    ClockSettings clocks;

    explicit DocumentState(const CDeviceDocument& document)
        : blocks(document.deviceData.blockMap), clocks(document.clocks) {}
    bool SameAs(const CDeviceDocument& document) const {
        return clocks == document.clocks && blocks == document.deviceData.blockMap;
    }
};

}  // namespace

void RegisterSheetPages(int command, std::vector<PageRegistration> pages) { Registry()[command] = std::move(pages); }

bool HasSheetPages(int command) {
    auto found = Registry().find(command);
    return found != Registry().end() && !found->second.empty();
}

const PageRegistration* FindRegisteredPage(const std::string& title) {
    for (const auto& [command, pages] : Registry())
        for (const PageRegistration& page : pages)
            if (page.title == title && page.create) return &page;
    return nullptr;
}

void ClearSheetRegistry() { Registry().clear(); }

bool PagesRegistered(const std::vector<std::string>& pageTitles) {
    for (const std::string& title : pageTitles)
        if (!FindRegisteredPage(title)) return false;
    return true;
}

CDeviceDocument* RunningSheetDocument() {
    return RunningDocuments().empty() ? nullptr : RunningDocuments().back();
}

// ---- The table of commands -------------------------------------------------

const std::vector<SheetCommandSpec>& SheetCommands() {
    static const std::vector<SheetCommandSpec> commands{
        {ID_PERIPHERALS_PORTIO, "&Port I/O", "Port I/O", {kBlockPortIO, kBlockSpi}, {kBlockPortIO}},
        {ID_PERIPHERALS_OSCILLATORS, "&Oscillators", "Oscillators", {kBlockOscillators, kBlockPortIO},
         {kBlockOscillators}, true},
        {ID_PERIPHERALS_TIMERS, "&Timers", "Timers", {kBlockTimers, kBlockInterrupts, kBlockPortIO}, {kBlockTimers}},
        {ID_PERIPHERALS_PCA, "P&CA", "Programmable Counter Array",
         {kBlockPca, kBlockPortIO, kBlockTimers, kBlockInterrupts}, {kBlockPca}},
        {ID_PERIPHERALS_UART, "&UART", "UARTs", {kBlockUart, kBlockTimers, kBlockPortIO, kBlockInterrupts},
         {kBlockUart}},
        {ID_PERIPHERALS_SPI, "&SPI", "Enhanced Serial Peripheral Interface", {kBlockSpi, kBlockPortIO, kBlockInterrupts},
         {kBlockSpi}},
        {ID_PERIPHERALS_ADC, "&ADC", "ADC", {kBlockAdc, kBlockPortIO, kBlockInterrupts, kBlockVoltageReference},
         {kBlockAdc}},
        {ID_PERIPHERALS_COMPARATOR, "Co&mparator", "Comparator", {kBlockComparator, kBlockPortIO, kBlockInterrupts},
         {kBlockComparator}},
        {ID_PERIPHERALS_VOLTAGEREFERENCE, "&Voltage Reference", "Voltage Reference",
         {kBlockVoltageReference, kBlockPortIO}, {kBlockVoltageReference}},
        {ID_PERIPHERALS_VOLTAGEREGULATOR, "Voltage Re&gulator", "Voltage Regulator", {kBlockVoltageRegulator},
         {kBlockVoltageRegulator}},
        {ID_PERIPHERALS_RESETSOURCES, "&Reset Sources", "Reset Sources",
         {kBlockResetSources, kBlockComparatorReset, kBlockComparator}, {kBlockResetSources, kBlockComparatorReset}},
        {ID_PERIPHERALS_INTERRUPTS, "&Interrupts", "Interrupts", {kBlockInterrupts}, {kBlockInterrupts}},
    };
    return commands;
}

const SheetCommandSpec* FindSheetCommand(int command) {
    for (const SheetCommandSpec& spec : SheetCommands())
        if (spec.command == command) return &spec;
    return nullptr;
}

// ---- Running sheets --------------------------------------------------------

namespace {

// Runs `sheet` on `context`, writes back on OK, restores the oscillator clock
// words on Cancel when asked to.
fw::DialogResult RunAndWriteBack(CDeviceDlg& sheet, SheetContext& context, const std::vector<std::int32_t>& written,
                                 bool restoresOscillatorClocks) {
    CDeviceDocument& document = context.Document();
    const DocumentState before(document);
    const std::uint32_t sysclk = document.clocks.sysclk;
    const std::uint32_t externalOscFrequency = document.clocks.externalOscFrequency;

    fw::DialogResult result;
    {
        RunningScope running(document);
        result = sheet.DoModal();
    }
    if (result == fw::DialogResult::Ok) {
        for (std::int32_t number : written) document.SetBlock(context.Block(number), number);
    } else if (restoresOscillatorClocks) {
        document.clocks.sysclk = sysclk;
        document.clocks.externalOscFrequency = externalOscFrequency;
    }
    if (!before.SameAs(document)) document.SetModifiedFlag();
    return result;
}

// Builds the registered pages on `context` and adds them to `sheet` in
// order; the caller keeps them alive while the sheet runs.
std::vector<std::unique_ptr<fw::PropertyPage>> AddPages(CDeviceDlg& sheet,
                                                        const std::vector<PageRegistration>& registrations,
                                                        SheetContext& context) {
    std::vector<std::unique_ptr<fw::PropertyPage>> pages;
    for (const PageRegistration& registration : registrations) {
        if (!registration.create) continue;
        if (auto page = registration.create(context)) {
            sheet.AddPage(page.get());
            pages.push_back(std::move(page));
        }
    }
    return pages;
}

}  // namespace

fw::DialogResult RunSheetCommand(int command, CDeviceDocument& document) {
    const SheetCommandSpec* spec = FindSheetCommand(command);
    auto registered = Registry().find(command);
    if (!spec || registered == Registry().end() || registered->second.empty()) return fw::DialogResult::Cancel;
    // Copy the registrations: a page may register or open nested sheets
    // while this one runs.
    const std::vector<PageRegistration> registrations = registered->second;

    SheetContext context(document);
    for (std::int32_t number : spec->copiedOut) context.CopyOut(number);

    // Declared before the pages so that the pages go first.
    CDeviceDlg sheet(spec->title);
    const auto pages = AddPages(sheet, registrations, context);
    if (pages.empty()) return fw::DialogResult::Cancel;
    return RunAndWriteBack(sheet, context, spec->writtenOnOk, spec->restoresOscillatorClocks);
}

void VisitSheetPages(CDeviceDocument& document,
                     const std::function<void(const SheetCommandSpec& sheet, fw::PropertyPage& page)>& visit) {
    const ClockSettings clocks = document.clocks;
    const bool modified = document.IsModified();
    for (const SheetCommandSpec& spec : SheetCommands()) {
        auto registered = Registry().find(spec.command);
        if (registered == Registry().end() || registered->second.empty()) continue;
        const std::vector<PageRegistration> registrations = registered->second;
        SheetContext context(document);
        for (std::int32_t number : spec.copiedOut) context.CopyOut(number);
        CDeviceDlg sheet(spec.title);
        const auto pages = AddPages(sheet, registrations, context);
        RunningScope running(document);
        for (int index = 0; index < sheet.PageCount(); ++index) {
            if (!sheet.SetActivePage(index)) break;
            visit(spec, sheet.Page(index));
        }
        // The clock words are the document's own: a page that wrote them
        // while loading must not change the document.
        document.clocks = clocks;
    }
    document.SetModifiedFlag(modified);
}

fw::DialogResult RunNestedSheet(CDeviceDlg& sheet, SheetContext& context, const std::vector<std::int32_t>& writtenOnOk,
                                bool restoresOscillatorClocks) {
    // The nested pages edit the outer sheet's copies directly.  A cancelled
    // nested sheet gives them back as they were: otherwise the outer page
    // would show the discarded edits and the next accepted nested sheet would
    // write them into the document.
    std::vector<std::pair<PeripheralBlock*, PeripheralBlock>> before;
    for (std::int32_t number : writtenOnOk) {
        PeripheralBlock& copy = context.Block(number);
        before.emplace_back(&copy, copy);
    }
    const fw::DialogResult result = RunAndWriteBack(sheet, context, writtenOnOk, restoresOscillatorClocks);
    if (result != fw::DialogResult::Ok)
        for (auto& [copy, saved] : before) *copy = std::move(saved);
    return result;
}

fw::DialogResult RunNestedSheet(const std::string& title, const std::vector<std::string>& pageTitles,
                                SheetContext& context, const std::vector<std::int32_t>& writtenOnOk,
                                bool restoresOscillatorClocks) {
    std::vector<PageRegistration> registrations;
    for (const std::string& pageTitle : pageTitles) {
        const PageRegistration* registration = FindRegisteredPage(pageTitle);
        if (!registration) return fw::DialogResult::Cancel;
        registrations.push_back(*registration);
    }
    CDeviceDlg sheet(title);
    const auto pages = AddPages(sheet, registrations, context);
    if (pages.empty()) return fw::DialogResult::Cancel;
    return RunNestedSheet(sheet, context, writtenOnOk, restoresOscillatorClocks);
}

}  // namespace regsmith

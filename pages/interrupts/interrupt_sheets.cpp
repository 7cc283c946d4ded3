#include "pages/interrupts/interrupt_sheets.h"

#include <memory>

#include "pages/interrupts/int01_config_page.h"
#include "pages/interrupts/int_enable_page.h"
#include "pages/interrupts/int_priority_page.h"
#include "view/command_ids.h"
#include "view/sheet_commands.h"

namespace regsmith {

using namespace interrupts;

void RegisterInterruptPages() {
    // All three pages edit the one interrupts copy of the run.
    RegisterSheetPages(ID_PERIPHERALS_INTERRUPTS,
                       {
                           {kEnablePageTitle,
                            [](SheetContext& sheet) -> std::unique_ptr<fw::PropertyPage> {
                                return std::make_unique<CIntEnablePropPage>(sheet.Block(kBlockInterrupts));
                            }},
                           {kPriorityPageTitle,
                            [](SheetContext& sheet) -> std::unique_ptr<fw::PropertyPage> {
                                return std::make_unique<CIntPriorityPropPage>(sheet.Block(kBlockInterrupts));
                            }},
                           {kInt01ConfigPageTitle,
                            [](SheetContext& sheet) -> std::unique_ptr<fw::PropertyPage> {
                                return std::make_unique<CInt01ConfigPropPage>(sheet.Block(kBlockInterrupts), sheet);
                            }},
                       });
}

namespace {

// The nested pages edit the caller's copy directly.  A cancelled sheet must
// not leave its edits there: the caller would report them, and its next
// accepted nested sheet would write them into the document.
fw::DialogResult RunOnCallersCopy(const std::vector<std::string>& pageTitles, SheetContext& context) {
    PeripheralBlock& copy = context.Block(kBlockInterrupts);
    const PeripheralBlock before = copy;
    const fw::DialogResult result = RunNestedSheet(kSheetTitle, pageTitles, context, {kBlockInterrupts});
    if (result != fw::DialogResult::Ok) copy = before;
    return result;
}

}  // namespace

fw::DialogResult RunInterruptsNestedSheet(SheetContext& context) {
    return RunOnCallersCopy({kEnablePageTitle, kPriorityPageTitle}, context);
}

fw::DialogResult RunInt01ConfigNestedSheet(SheetContext& context) {
    return RunOnCallersCopy({kInt01ConfigPageTitle}, context);
}

}  // namespace regsmith

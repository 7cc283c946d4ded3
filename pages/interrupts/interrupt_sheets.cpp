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

// The nested pages edit the caller's copy directly; RunNestedSheet gives it
// back unchanged when the sheet is cancelled.
fw::DialogResult RunInterruptsNestedSheet(SheetContext& context) {
    return RunNestedSheet(kSheetTitle, {kEnablePageTitle, kPriorityPageTitle}, context, {kBlockInterrupts});
}

fw::DialogResult RunInt01ConfigNestedSheet(SheetContext& context) {
    return RunNestedSheet(kSheetTitle, {kInt01ConfigPageTitle}, context, {kBlockInterrupts});
}

}  // namespace regsmith

#include "pages/interrupts/interrupt_sheets.h"

#include "pages/interrupts/int01_config_page.h"
#include "pages/interrupts/int_enable_page.h"
#include "pages/interrupts/int_priority_page.h"
#include "view/command_ids.h"
#include "view/sheet_commands.h"

namespace regsmith {

void RegisterInterruptPages() {
    // All three pages edit the one interrupts copy of the run.
    RegisterSheetPages(ID_PERIPHERALS_INTERRUPTS, {
                                                      PageOf<CIntEnablePropPage>(interrupts::kEnablePageTitle),
                                                      PageOf<CIntPriorityPropPage>(interrupts::kPriorityPageTitle),
                                                      PageOf<CInt01ConfigPropPage>(interrupts::kInt01ConfigPageTitle),
                                                  });
}

}  // namespace regsmith

#include "pages/clocks/oscillator_sheets.h"

#include "pages/clocks/osc_ext_page.h"
#include "pages/clocks/osc_int_page.h"
#include "pages/clocks/osc_sys_page.h"
#include "view/command_ids.h"
#include "view/sheet_commands.h"

namespace regsmith {

void RegisterClockPages() {
    // The three pages edit the one oscillators copy of the run.
    RegisterSheetPages(ID_PERIPHERALS_OSCILLATORS, {
                                                       PageOf<COscIntPropPage>(kInternalOscillatorPageTitle),
                                                       PageOf<COscExtPropPage>(kExternalOscillatorPageTitle),
                                                       PageOf<COscSysPropPage>(kSysclkSelectPageTitle),
                                                   });
}

}  // namespace regsmith

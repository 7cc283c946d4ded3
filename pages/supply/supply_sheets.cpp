#include "pages/supply/supply_sheets.h"

#include "pages/supply/reset_source_rules.h"
#include "pages/supply/reset_sources_page.h"
#include "pages/supply/reset_vddmon_page.h"
#include "pages/supply/voltage_ref_page.h"
#include "pages/supply/voltage_reg_page.h"
#include "view/command_ids.h"
#include "view/sheet_commands.h"

namespace regsmith {

void RegisterSupplyPages() {
    // Both pages edit the run's copies of blocks 0 and 8.
    RegisterSheetPages(ID_PERIPHERALS_RESETSOURCES, {
                                                        PageOf<CResetSourcesPropPage>(kResetSourcesPageTitle),
                                                        PageOf<CResetVDDMonPropPage>(kVddMonitorPageTitle),
                                                    });
    RegisterSheetPages(ID_PERIPHERALS_VOLTAGEREFERENCE,
                       {PageOf<CVoltageRefPropPage>(kVoltageReferencePageTitle)});
    RegisterSheetPages(ID_PERIPHERALS_VOLTAGEREGULATOR,
                       {PageOf<CVoltageRegPropPage>(kVoltageRegulatorPageTitle)});
}

}  // namespace regsmith

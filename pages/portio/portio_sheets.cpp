#include "pages/portio/portio_sheets.h"

#include "pages/portio/crossbar_page.h"
#include "pages/portio/port_match_page.h"
#include "view/command_ids.h"
#include "view/sheet_commands.h"

namespace regsmith {

void RegisterPortIOPages() {
    // Both pages edit the one port I/O copy of the run.
    RegisterSheetPages(ID_PERIPHERALS_PORTIO, {
                                                  PageOf<CPortIOCrossbarPropPage>(kCrossbarPageTitle),
                                                  PageOf<CPortIOMatchPropPage>(kPortMatchPageTitle),
                                              });
}

}  // namespace regsmith

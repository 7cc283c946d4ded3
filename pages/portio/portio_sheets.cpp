#include "pages/portio/portio_sheets.h"

#include <memory>

#include "pages/portio/crossbar_page.h"
#include "pages/portio/port_match_page.h"
#include "view/command_ids.h"
#include "view/sheet_commands.h"

namespace regsmith {

void RegisterPortIOPages() {
    // Both pages edit the one port I/O copy of the run.
    RegisterSheetPages(ID_PERIPHERALS_PORTIO,
                       {
                           {kCrossbarPageTitle,
                            [](SheetContext& sheet) -> std::unique_ptr<fw::PropertyPage> {
                                PeripheralBlock& portIO = sheet.Block(kBlockPortIO);
                                return std::make_unique<CPortIOCrossbarPropPage>(portIO, sheet.Block(kBlockSpi));
                            }},
                           {kPortMatchPageTitle,
                            [](SheetContext& sheet) -> std::unique_ptr<fw::PropertyPage> {
                                return std::make_unique<CPortIOMatchPropPage>(sheet.Block(kBlockPortIO));
                            }},
                       });
}

fw::DialogResult RunPortIONestedSheet(SheetContext& context, PortIOCopy portIO, SpiCopy spi) {
    SheetContext nested(context);
    if (portIO == PortIOCopy::Fresh) nested.CopyOut(kBlockPortIO);
    if (spi == SpiCopy::Fresh) nested.CopyOut(kBlockSpi);
    // On Cancel the framework gives the port I/O copy back as it was, so the
    // caller's status texts never report edits that were not accepted.
    return RunNestedSheet(kPortIOSheetTitle, {kCrossbarPageTitle}, nested, {kBlockPortIO});
}

}  // namespace regsmith

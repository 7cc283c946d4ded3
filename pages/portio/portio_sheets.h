#pragma once
// The "Port I/O" sheet of the Peripherals menu ("Priority Crossbar" and "Port
// Match" on one port I/O copy; the SPI copy is read for the NSS mode) and
// the nested "Port I/O" sheet that the "Configure Port I/O" buttons of other
// pages open.

#include "fw/platform.h"

namespace regsmith {

class SheetContext;

// Registers both pages for the "Port I/O" command (blocks 11 and 5 copied
// out, 11 written back on OK) and by their tab titles for nested sheets.
// Called once from the plug-in's initialisation.
void RegisterPortIOPages();

// Which port I/O copy the nested crossbar page works on.
enum class PortIOCopy {
    Callers,  // the caller's copy (taken from the document if it has none)
    Fresh,    // a fresh copy of the document's block 11
};
// Which SPI copy it reads the NSS mode from.
enum class SpiCopy {
    Fresh,    // a fresh copy of the document's block 5 (most callers)
    Callers,  // the caller's own SPI copy (the SPI page)
};

// A nested "Port I/O" sheet with the "Priority Crossbar" page alone.  On OK
// the port I/O copy is written into the document as block 11 at once; the
// caller then refreshes what depends on it.  On Cancel nothing reaches the
// document and the caller's copy is given back unchanged.
fw::DialogResult RunPortIONestedSheet(SheetContext& context, PortIOCopy portIO = PortIOCopy::Callers,
                                      SpiCopy spi = SpiCopy::Fresh);

}  // namespace regsmith

#pragma once
// The "Port I/O" sheet of the Peripherals menu: "Priority Crossbar" and "Port
// Match" on one port I/O copy (the SPI copy is read for the NSS mode).  The
// crossbar page also serves the nested "Port I/O" sheets of other pages'
// "Configure Port I/O" buttons (rows of view/nested_sheets.h).

namespace regsmith {

// Registers both pages for the "Port I/O" command and, by their tab titles,
// for nested sheets.  Called once from the plug-in's initialisation.
void RegisterPortIOPages();

}  // namespace regsmith

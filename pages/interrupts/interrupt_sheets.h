#pragma once
// The "Interrupts" sheet of the Peripherals menu.  Its pages also serve the
// nested "Interrupts" sheets that other pages open ("Configure ...
// Interrupts", "Configure /INTn Ports"; rows of view/nested_sheets.h).

namespace regsmith {

// Registers the three interrupt pages for the "Interrupts" command and, by
// their tab titles, for nested sheets.  Called once from the plug-in's
// initialisation.
void RegisterInterruptPages();

}  // namespace regsmith

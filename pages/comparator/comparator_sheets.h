#pragma once
// The "Comparator" sheet of the Peripherals menu.  Its page also serves the
// nested "Comparator" sheet of the "Reset Sources" page.

namespace regsmith {

// Registers "Comparator0" for the "Comparator" command and, by its tab
// title, for nested sheets.  Called once from the plug-in's initialisation.
void RegisterComparatorPages();

}  // namespace regsmith

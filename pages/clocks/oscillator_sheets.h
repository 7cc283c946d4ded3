#pragma once
// The "Oscillators" sheet of the Peripherals menu.  Its pages also serve the
// nested "Oscillators" sheets that "Change Clock Frequency" buttons open
// (rows of view/nested_sheets.h).

namespace regsmith {

// Registers the three oscillator pages for the "Oscillators" command and, by
// their tab titles, for nested sheets.
void RegisterClockPages();

}  // namespace regsmith

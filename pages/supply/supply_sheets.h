#pragma once
// The supply sheets of the Peripherals menu: "Reset Sources" (with the
// "Power-Fail Reset/VDD Monitor" page), "Voltage Reference" and "Voltage
// Regulator".  The "Voltage Reference" page also serves the nested sheet of
// the ADC page's "Configure Reference Control".

namespace regsmith {

// Registers the pages for their three commands and, by their tab titles, for
// nested sheets.  Called once from the plug-in's initialisation.
void RegisterSupplyPages();

}  // namespace regsmith

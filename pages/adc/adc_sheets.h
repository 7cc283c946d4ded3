#pragma once
// The "ADC" sheet of the Peripherals menu.

namespace regsmith {

// Registers "ADC0" for the "ADC" command.  Called once from the plug-in's
// initialisation.
void RegisterAdcPages();

}  // namespace regsmith

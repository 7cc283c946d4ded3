#pragma once
// The "Enhanced Serial Peripheral Interface" sheet of the Peripherals menu
// ("SPI"): the one page "SPI0".

namespace regsmith {

// Registers the page for the "SPI" command.  Called once from the plug-in's
// initialisation.
void RegisterSpiPages();

}  // namespace regsmith

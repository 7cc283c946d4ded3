#pragma once
// The "Programmable Counter Array" sheet of the Peripherals menu ("PCA"):
// "PCA0", "Module 0", "Module 1" and "Module 2/WDT" on one PCA block copy.

namespace regsmith {

// Registers the four pages for the "PCA" command.  Called once from the
// plug-in's initialisation.
void RegisterPcaPages();

}  // namespace regsmith

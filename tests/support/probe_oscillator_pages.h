#pragma once
// Pages standing in for the oscillator pages, under their tab titles, for the
// buttons that open the nested Oscillators sheet ("Change Clock Frequency")
// without the clock pages: "New SYSCLK" sets SYSCLK to the number typed,
// "Set Clocks" and "Set Slow Clocks" set SYSCLK and the external oscillator
// through the document's words, "Set OSCICN" writes the page's own block.

#include <map>
#include <string>

namespace regsmith::testing {

// Registers "Internal Oscillator", "External Oscillator" and "SYSCLK Select"
// for the Oscillators sheet; `built`, when given, counts the pages built per
// title.
void RegisterProbeOscillatorPages(std::map<std::string, int>* built = nullptr);

}  // namespace regsmith::testing

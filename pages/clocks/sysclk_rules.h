#pragma once
// The oscillator pages' own numbers: SYSCLK after a Reset and the reading of
// a typed frequency.  How SYSCLK follows from the oscillator registers is in
// model/clock_rates.h (clocks::Sysclk), which the three oscillator pages, the
// sheet's OK check and the chip overview share, so the same registers always
// give the same SYSCLK whichever page was touched last.

#include <cstdint>
#include <string>

#include "model/clock_rates.h"
#include "model/register_fields.h"

namespace regsmith::clocks {

// SYSCLK after a Reset of the Oscillators sheet: the internal oscillator / 128.
inline constexpr std::uint32_t kResetSysclk = 191406;

// A decimal frequency typed into a digits-only field: every character other
// than a digit is dropped; `value` is empty when the digits exceed
// 4294967295.  An empty text is 0.
struct FrequencyText {
    std::string digits;
    bool droppedCharacters = false;
    bool tooLarge = false;
    std::uint32_t value = 0;
};
FrequencyText ReadFrequencyText(const std::string& text);

}  // namespace regsmith::clocks

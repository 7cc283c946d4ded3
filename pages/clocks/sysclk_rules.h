#pragma once
// How SYSCLK follows from the oscillator registers and the two oscillator
// frequencies, and the crystal pin check of the External Oscillator page.
// Plain numbers in, plain numbers out; the three oscillator pages and the
// sheet's OK check use the same rule, so the same registers always give the
// same SYSCLK whichever page was touched last.

#include <cstdint>
#include <string>

#include "model/register_fields.h"

namespace regsmith::clocks {

// The external oscillator's modes (OSCXCN bits 6-4), in the order of the
// choices of its field; mode 001 is never written by the page.
inline constexpr std::uint8_t kExternalModeMask = field::OSCXCN_XOSCMD.mask;
inline constexpr std::uint8_t kModeOff = field::OSCXCN_XOSCMD.choices[0].value;
inline constexpr std::uint8_t kModeUnused = 0x10;
inline constexpr std::uint8_t kModeCmos = field::OSCXCN_XOSCMD.choices[1].value;
inline constexpr std::uint8_t kModeCmosHalf = field::OSCXCN_XOSCMD.choices[2].value;
inline constexpr std::uint8_t kModeRc = field::OSCXCN_XOSCMD.choices[3].value;
inline constexpr std::uint8_t kModeCapacitor = field::OSCXCN_XOSCMD.choices[4].value;
inline constexpr std::uint8_t kModeCrystal = field::OSCXCN_XOSCMD.choices[5].value;
inline constexpr std::uint8_t kModeCrystalHalf = field::OSCXCN_XOSCMD.choices[6].value;
// OSCICN bits 2-0 (divider n: / 2^(7-n)) and CLKSEL bit 0 (1: the external
// oscillator is SYSCLK).
inline constexpr std::uint8_t kInternalDividerMask = field::OSCICN_IFCN.mask;
inline constexpr std::uint8_t kExternalSourceBit = field::CLKSEL_CLKSL.mask;

// SYSCLK after a Reset of the Oscillators sheet: the internal oscillator / 128.
inline constexpr std::uint32_t kResetSysclk = 191406;

// The internal oscillator's frequency divided by 2^(7 - n), n = OSCICN bits
// 2-0, as a double product with the exact factor, truncated (24500000 / 128
// gives 191406).
std::uint32_t InternalSysclk(std::uint32_t internalOscFrequency, std::uint8_t oscicn);

// Whether the external mode halves its frequency: CMOS / 2, RC, capacitor
// and crystal / 2.
bool ExternalModeHalves(std::uint8_t oscxcn);
// The external frequency, halved (0.5 times, truncated) in the modes that halve.
std::uint32_t ExternalSysclk(std::uint32_t externalOscFrequency, std::uint8_t oscxcn);

// SYSCLK from the source CLKSEL bit 0 selects.  Neither the /SYSCLK output
// divider nor the internal oscillator's power mode changes it.
std::uint32_t Sysclk(std::uint8_t oscxcn, std::uint8_t oscicn, std::uint8_t clksel, std::uint32_t internalOscFrequency,
                     std::uint32_t externalOscFrequency);


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

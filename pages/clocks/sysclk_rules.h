#pragma once
// How SYSCLK follows from the oscillator registers and the two oscillator
// frequencies, and the crystal pin check of the External Oscillator page.
// Plain numbers in, plain numbers out; the three oscillator pages and the
// sheet's OK check use the same rule, so the same registers always give the
// same SYSCLK whichever page was touched last.

#include <cstdint>
#include <string>

namespace regsmith::clocks {

// OSCXCN bits 6-4, the external oscillator mode.
inline constexpr std::uint8_t kExternalModeMask = 0x70;
inline constexpr std::uint8_t kModeOff = 0x00;
inline constexpr std::uint8_t kModeUnused = 0x10;  // never written by the page
inline constexpr std::uint8_t kModeCmos = 0x20;
inline constexpr std::uint8_t kModeCmosHalf = 0x30;
inline constexpr std::uint8_t kModeRc = 0x40;
inline constexpr std::uint8_t kModeCapacitor = 0x50;
inline constexpr std::uint8_t kModeCrystal = 0x60;
inline constexpr std::uint8_t kModeCrystalHalf = 0x70;
// OSCXCN bits 2-0, the external frequency control.
inline constexpr std::uint8_t kFrequencyControlMask = 0x07;
// OSCICN bits 7-6 (enable and power mode) and 2-0 (divider n: / 2^(7-n)).
inline constexpr std::uint8_t kInternalEnableMask = 0xC0;
inline constexpr std::uint8_t kInternalDividerMask = 0x07;
// CLKSEL bit 0 (1: the external oscillator is SYSCLK) and bits 5-4 (/SYSCLK output divider).
inline constexpr std::uint8_t kExternalSourceBit = 0x01;
inline constexpr std::uint8_t kOutputDividerMask = 0x30;

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

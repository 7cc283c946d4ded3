#pragma once
// The SPI0 clock: the SCK rate that SPI0CKR gives and the SPI0CKR that comes
// closest to a target SCK, as free functions of plain numbers.

#include <cstdint>
#include <string>

#include "model/clock_rates.h"

namespace regsmith::spi {

enum class SckOutcome {
    InvalidInput,  // SYSCLK or the target is 0: "Error: Invalid Input Values."
    OutOfRange,    // "Error: Invalid SCK Value Using Current SYSCLK Frequency."
    Ok,
};
struct SckSetting {
    SckOutcome outcome = SckOutcome::InvalidInput;
    std::uint8_t spi0ckr = 0;
    std::string question;  // "Change SPI0CKR Data to: ..."
};
// SPI0CKR = SYSCLK / (2 * target) - 1 in integers (2 * target in 64 bits,
// so no target divides by zero); a target above SYSCLK / 2 gives -1 and is
// out of range, as is a divider above 255.
SckSetting CalculateSck(std::uint32_t sysclk, std::uint32_t target);

inline constexpr const char* kInvalidSckMessage = "Error: Invalid SCK Value Using Current SYSCLK Frequency.";

}  // namespace regsmith::spi

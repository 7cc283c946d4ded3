#pragma once
// The SAR conversion clock of ADC0: SYSCLK divided by AD0SC + 1, and the
// divider for a target SAR frequency ("Calculate SAR").

#include <cstdint>

#include "model/clock_rates.h"

namespace regsmith {

inline constexpr unsigned kMaxAd0sc = 0x1F;

enum class SarDividerResult {
    kOk,
    kInvalidInput,  // SYSCLK or the target is 0
    kOutOfRange,    // the divider would be above 31
};

struct SarDivider {
    SarDividerResult result = SarDividerResult::kInvalidInput;
    long long ad0sc = 0;  // the rounded divider (also when out of range)
};

// AD0SC = SYSCLK / target - 1, computed in double precision and rounded half
// up.  A target above SYSCLK gives 0.
SarDivider CalculateSarDivider(std::uint32_t sysclk, std::uint32_t target);

}  // namespace regsmith

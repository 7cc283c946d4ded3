#include "pages/adc/sar_calculator.h"

#include "view/number_field.h"

namespace regsmith {

SarDivider CalculateSarDivider(std::uint32_t sysclk, std::uint32_t target) {
    SarDivider divider;
    if (sysclk == 0 || target == 0) return divider;
    const double exact = static_cast<double>(sysclk) / static_cast<double>(target) - 1.0;
    // A target above SYSCLK gives an exact value between -1 and 0, hence 0.
    const long long rounded = RoundHalfUp(exact);
    divider.ad0sc = rounded;
    divider.result = rounded < 0 || rounded > static_cast<long long>(kMaxAd0sc) ? SarDividerResult::kOutOfRange
                                                                                 : SarDividerResult::kOk;
    return divider;
}

}  // namespace regsmith

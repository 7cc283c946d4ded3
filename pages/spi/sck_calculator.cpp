#include "pages/spi/sck_calculator.h"

#include <cstdio>

namespace regsmith::spi {

SckSetting CalculateSck(std::uint32_t sysclk, std::uint32_t target) {
    SckSetting setting;
    if (sysclk == 0 || target == 0) return setting;
    const std::int64_t divider =
        static_cast<std::int64_t>(sysclk / (2 * static_cast<std::uint64_t>(target))) - 1;
    if (divider < 0 || divider > 255) {
        setting.outcome = SckOutcome::OutOfRange;
        return setting;
    }
    setting.outcome = SckOutcome::Ok;
    setting.spi0ckr = static_cast<std::uint8_t>(divider);
    char text[64];
    std::snprintf(text, sizeof text, "Change SPI0CKR Data to:\n\n SPI0CKR = %02X", setting.spi0ckr);
    setting.question = text;
    return setting;
}

}  // namespace regsmith::spi

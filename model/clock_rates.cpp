#include "model/clock_rates.h"

namespace regsmith {

namespace {

std::uint32_t Truncated(double value) { return static_cast<std::uint32_t>(value); }

}  // namespace

std::uint32_t PrescaledTimerClock(std::uint8_t ckcon, std::uint32_t sysclk) {
    switch (ckcon & 0x03) {
        case 0: return sysclk / 12;
        case 1: return Truncated(sysclk * 0.25);
        case 2: return sysclk / 48;
        default: return Truncated(sysclk * 0.125);
    }
}

std::uint32_t UartBaudFromTimer1(std::uint8_t ckcon, std::uint8_t th1, std::uint32_t sysclk) {
    const std::uint32_t clock = (ckcon & 0x08) != 0 ? sysclk : PrescaledTimerClock(ckcon, sysclk);
    return Truncated((clock / (256u - th1)) * 0.5);
}

std::uint32_t Timer0OverflowRate(std::uint8_t ckcon, std::uint8_t th0, std::uint32_t sysclk) {
    const std::uint32_t base = (ckcon & 0x04) != 0 ? sysclk : PrescaledTimerClock(ckcon, sysclk);
    if (base == 0) return 0;
    // The period of one overflow is (256 - TH0) clock periods.
    return Truncated(1.0 / ((256 - th0) * (1.0 / base)));
}

}  // namespace regsmith

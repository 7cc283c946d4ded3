#include "model/clock_rates.h"

#include "model/device_document.h"
#include "model/register_tables.h"

namespace regsmith {

namespace {

std::uint32_t Truncated(double value) { return static_cast<std::uint32_t>(value); }

}  // namespace

namespace clocks {

std::uint32_t InternalSysclk(std::uint32_t internalOscFrequency, std::uint8_t oscicn) {
    const int n = oscicn & kInternalDividerMask;
    if (n == 7) return internalOscFrequency;
    // 1/2 ... 1/128 are exact in a double, so the product is truncated exactly.
    const double factor = 1.0 / static_cast<double>(1u << (7 - n));
    return static_cast<std::uint32_t>(static_cast<double>(internalOscFrequency) * factor);
}

bool ExternalModeHalves(std::uint8_t oscxcn) {
    switch (oscxcn & kExternalModeMask) {
        case kModeCmosHalf:
        case kModeRc:
        case kModeCapacitor:
        case kModeCrystalHalf: return true;
        default: return false;
    }
}

std::uint32_t ExternalSysclk(std::uint32_t externalOscFrequency, std::uint8_t oscxcn) {
    if (!ExternalModeHalves(oscxcn)) return externalOscFrequency;
    return static_cast<std::uint32_t>(static_cast<double>(externalOscFrequency) * 0.5);
}

std::uint32_t Sysclk(std::uint8_t oscxcn, std::uint8_t oscicn, std::uint8_t clksel, std::uint32_t internalOscFrequency,
                     std::uint32_t externalOscFrequency) {
    if ((clksel & kExternalSourceBit) != 0) return ExternalSysclk(externalOscFrequency, oscxcn);
    return InternalSysclk(internalOscFrequency, oscicn);
}

}  // namespace clocks

std::uint32_t PrescaledTimerClock(std::uint8_t ckcon, std::uint32_t sysclk) {
    switch (ckcon & 0x03) {
        case 0: return sysclk / 12;
        case 1: return Truncated(sysclk * 0.25);
        case 2: return sysclk / 48;
        default: return Truncated(sysclk * 0.125);
    }
}

std::uint32_t Timer0Clock(std::uint8_t ckcon, std::uint32_t sysclk) {
    return (ckcon & 0x04) != 0 ? sysclk : PrescaledTimerClock(ckcon, sysclk);
}

std::uint32_t Timer1Clock(std::uint8_t ckcon, std::uint32_t sysclk) {
    return (ckcon & 0x08) != 0 ? sysclk : PrescaledTimerClock(ckcon, sysclk);
}

std::uint32_t Timer1OverflowRate(std::uint8_t ckcon, std::uint8_t th1, std::uint32_t sysclk) {
    return Timer1Clock(ckcon, sysclk) / (256u - th1);
}

std::uint32_t UartBaudFromTimer1(std::uint8_t ckcon, std::uint8_t th1, std::uint32_t sysclk) {
    return Truncated(Timer1OverflowRate(ckcon, th1, sysclk) * 0.5);
}

std::uint32_t Timer0OverflowRate(std::uint8_t ckcon, std::uint8_t th0, std::uint32_t sysclk) {
    const std::uint32_t base = Timer0Clock(ckcon, sysclk);
    if (base == 0) return 0;
    // The period of one overflow is (256 - TH0) clock periods.
    return Truncated(1.0 / ((256 - th0) * (1.0 / base)));
}

std::uint32_t Timer2Clock(std::uint8_t ckcon, std::uint8_t tmr2cn, bool highByte, std::uint32_t sysclk,
                          std::uint32_t externalOscFrequency) {
    if ((ckcon & (highByte ? 0x20 : 0x10)) != 0) return sysclk;
    return (tmr2cn & 0x01) != 0 ? externalOscFrequency / 8 : sysclk / 12;
}

std::uint32_t Timer2OverflowRate(std::uint32_t clock, std::uint8_t reloadHigh, std::uint8_t reloadLow, bool split) {
    const std::uint32_t count = split ? 256u - reloadLow : 65536u - ((static_cast<std::uint32_t>(reloadHigh) << 8) | reloadLow);
    return clock / count;
}

std::uint32_t SarClock(std::uint32_t sysclk, unsigned ad0sc) { return sysclk / (ad0sc + 1u); }

namespace spi {

std::uint32_t SckRate(std::uint32_t sysclk, std::uint8_t spi0ckr) { return sysclk / (2u * spi0ckr + 2u); }

}  // namespace spi

namespace pca {

PcaClocks PcaClocksOf(const ClockSettings& words, const PeripheralBlock& timers) {
    PcaClocks clocks;
    clocks.sysclk = words.sysclk;
    clocks.externalOsc = words.externalOscFrequency;
    clocks.eci = words.pcaClockWord;
    clocks.timer0Rate = Timer0OverflowRate(ValueOf(timers, reg::CKCON), ValueOf(timers, reg::TH0), clocks.sysclk);
    return clocks;
}

std::uint32_t PcaClockFrequency(std::uint8_t pca0md, const PcaClocks& clocks) {
    switch (pca0md & kTimeBaseMask) {
        case kSysclkDiv12: return clocks.sysclk / 12;
        case kSysclkDiv4: return clocks.sysclk >> 2;
        case kTimer0Overflow: return clocks.timer0Rate;
        case kEciFalling: return clocks.eci;
        case kExternalDiv8: return clocks.externalOsc >> 3;
        default: return clocks.sysclk;
    }
}

std::optional<double> WatchdogTimeoutMs(std::uint8_t pca0md, std::uint8_t pca0cpl2, std::uint8_t pca0l,
                                        const PcaClocks& clocks) {
    // PCA clock periods per clock of the source, and the source.
    double divider = 1;
    std::uint32_t source = 0;
    switch (pca0md & kTimeBaseMask) {
        case kSysclkDiv12: divider = 12, source = clocks.sysclk; break;
        case kSysclkDiv4: divider = 4, source = clocks.sysclk; break;
        case kTimer0Overflow: source = clocks.timer0Rate; break;
        case kEciFalling: source = clocks.eci; break;
        case kSysclk: source = clocks.sysclk; break;
        case kExternalDiv8: divider = 8, source = clocks.externalOsc; break;
        default: return std::nullopt;
    }
    // A clock that does not run has no period: shown as 0, never divided by.
    if (source == 0) return 0.0;
    const double period = divider / source;
    return period * ((pca0cpl2 + 1) * 256.0 - pca0l) * 1000;
}

WatchdogState ReadWatchdog(const PeripheralBlock& pca) {
    const RegisterEntry* cpl2 = EntryOf(pca, reg::PCA0CPL2);
    if (cpl2 == nullptr || cpl2->cAfter.empty()) return WatchdogState::Disabled;
    return cpl2->cAfter.size() > 19 && cpl2->cAfter[19] == '2' ? WatchdogState::Locked : WatchdogState::Enabled;
}

}  // namespace pca

}  // namespace regsmith

#include "pages/pca/pca_calculators.h"

#include <cmath>
#include <cstdio>

#include "view/number_field.h"

namespace regsmith::pca {

namespace {

std::string Format(const char* format, auto... values) {
    char text[160];
    std::snprintf(text, sizeof text, format, values...);
    return text;
}

}  // namespace

std::string FormatTimeout(std::optional<double> milliseconds) {
    return milliseconds ? Format("%.1f", *milliseconds) : std::string();
}

TimeoutSource TimeoutSourceFor(std::uint8_t pca0md) {
    switch (pca0md & kTimeBaseMask) {
        case kTimer0Overflow: return TimeoutSource::Timer0;
        case kEciFalling: return TimeoutSource::Eci;
        case kExternalDiv8: return TimeoutSource::ExternalOscillator;
        default: return TimeoutSource::Sysclk;
    }
}

TimeoutSetting CalculateTimeout(TimeoutSource source, double targetMs, const PcaClocks& clocks) {
    // Counts of 256 PCA clocks, less the first: PCA0CPL2 = clocks / 256 - 1.
    auto compare = [](double pcaClocks) { return (pcaClocks - 256) * 0.00390625; };
    const double seconds = targetMs * 0.001;
    double v = -1;
    std::uint8_t code = kSysclk;
    const char* tail = "SYSCLK";
    switch (source) {
        case TimeoutSource::Sysclk: {
            if (clocks.sysclk == 0) break;  // no clock: no timeout reaches the target
            const double f = clocks.sysclk * seconds;
            const double fullCountMs = 65536.0 / clocks.sysclk * 1000;  // 16 bits of SYSCLK
            if (fullCountMs > targetMs) {
                v = compare(f);
            } else if (4 * fullCountMs > targetMs) {
                v = compare(f * 0.25), code = kSysclkDiv4, tail = "SYSCLK / 4";
            } else {
                v = compare(f * 0.08333333333333333), code = kSysclkDiv12, tail = "SYSCLK / 12";
            }
            break;
        }
        case TimeoutSource::ExternalOscillator:
            v = compare(seconds * clocks.externalOsc * 0.125), code = kExternalDiv8, tail = "External Oscillator / 8";
            break;
        case TimeoutSource::Eci:
            v = compare(seconds * clocks.eci), code = kEciFalling, tail = "High to Low Transitions on ECI";
            break;
        case TimeoutSource::Timer0:
            v = compare(seconds * clocks.timer0Rate), code = kTimer0Overflow, tail = "Timer 0 Overflow";
            break;
    }
    TimeoutSetting setting;
    v = std::trunc(v);
    // Checked as a double: a huge target must not be converted to an integer.
    if (!(v >= 0 && v <= 255)) return setting;
    setting.valid = true;
    setting.pca0cpl2 = static_cast<std::uint8_t>(v);
    setting.timeBase = code;
    setting.question = Format("Change PCA0's Data to:\n\n PCA0CPL2 = %02X\n Clock Source: %s", setting.pca0cpl2, tail);
    return setting;
}

std::uint32_t CexOutputFrequency(std::uint32_t pcaFrequency, std::uint8_t highByte) {
    return highByte != 0 ? pcaFrequency / (2u * highByte) : pcaFrequency >> 9;
}

CexSetting CalculateCexFrequency(std::uint32_t pcaFrequency, std::uint32_t target, int module) {
    CexSetting setting;
    if (pcaFrequency == 0 || target == 0) return setting;
    // 2 * target in double: a target of 2^31 and more stays a real divisor.
    const double x = pcaFrequency / (2.0 * target);
    std::int64_t d = RoundHalfUp(x);
    // Rounded to 0, the target is above the PCA frequency: a high byte of 0
    // would give the lowest frequency instead.
    if (d == 0 || d > 256) {
        setting.outcome = CalculatorOutcome::Invalid;
        return setting;
    }
    setting.outcome = CalculatorOutcome::Ok;
    setting.highByte = d == 256 ? 0 : static_cast<std::uint8_t>(d);  // a high byte of 0 divides by 256
    setting.question = Format("Change PCA0 Data to:\n\n PCA0CPHN%d = %02X", module, setting.highByte);
    return setting;
}

double DutyCyclePercent(bool sixteenBit, std::uint8_t highByte, std::uint8_t lowByte) {
    if (!sixteenBit) return (256 - highByte) * 0.00390625 * 100;
    return (65536 - highByte * 256 - lowByte) * 0.0000152587890625 * 100;
}

std::string FormatDutyCycle(double percent) { return Format("%.4f", percent); }

DutySetting CalculateDutyCycle(std::uint32_t resolution, double dutyPercent, int module) {
    DutySetting setting;
    if (dutyPercent < 0) return setting;
    const double raw = resolution - resolution * dutyPercent * 0.01;
    // Above 100 % (beyond what truncation takes to 0) and below the smallest
    // step: the count would be negative, or R, which reads back as 100 %.
    if (!(raw > -1) || std::trunc(raw) >= resolution) {
        setting.outcome = CalculatorOutcome::Invalid;
        return setting;
    }
    const auto count = static_cast<std::uint32_t>(std::trunc(raw));
    setting.outcome = CalculatorOutcome::Ok;
    if (resolution == 256) {
        setting.highByte = static_cast<std::uint8_t>(count & 0xFF);
        setting.question = Format("Change PCA0 Data to:\n\n PCA0CPH%d = %02X\n PCA0CPL%d = 00", module,
                                  setting.highByte, module);
    } else {
        setting.highByte = static_cast<std::uint8_t>((count >> 8) & 0xFF);
        setting.lowByte = static_cast<std::uint8_t>(count & 0xFF);
        setting.question = Format("Change PCA0 Data to:\n\n PCA0CPH%d = %02X\n PCA0CPL%d = %02X", module,
                                  setting.highByte, module, setting.lowByte);
    }
    return setting;
}

}  // namespace regsmith::pca

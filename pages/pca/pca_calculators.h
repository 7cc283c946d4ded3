#pragma once
// The numbers of the PCA sheet as free functions of plain numbers: the PCA
// clock of each time base, the watchdog timeout shown and its calculator,
// the frequency output and PWM duty cycle shown and their calculators.  The
// pages and dialogs call them; they show no message themselves.

#include <cstdint>
#include <optional>
#include <string>

#include "model/clock_rates.h"

namespace regsmith::pca {

// The timeout as the page shows it ("%.1f"), "" without a value.
std::string FormatTimeout(std::optional<double> milliseconds);

// The clocks the timeout calculator can choose from.
enum class TimeoutSource { Sysclk, ExternalOscillator, Eci, Timer0 };
TimeoutSource TimeoutSourceFor(std::uint8_t pca0md);

struct TimeoutSetting {
    bool valid = false;         // false: "Error: Invalid Timeout Interval Using Current Frequency."
    std::uint8_t pca0cpl2 = 0;
    std::uint8_t timeBase = 0;  // PCA0MD bits 3-1
    std::string question;       // "Change PCA0's Data to: ..."
};
// PCA0CPL2 and the time base for a target timeout of `targetMs`, assuming
// PCA0L = 0.  From SYSCLK the fastest of SYSCLK, / 4 and / 12 whose 16-bit
// count still reaches the target is chosen.  Values are truncated.
TimeoutSetting CalculateTimeout(TimeoutSource source, double targetMs, const PcaClocks& clocks);

// The frequency-output mode's frequency for PCA0CPHn (a high byte of 0
// divides by 256).
std::uint32_t CexOutputFrequency(std::uint32_t pcaFrequency, std::uint8_t highByte);

enum class CalculatorOutcome {
    NoAction,  // the input is not used: the dialog stays open without a message
    Invalid,   // the calculator's error message, nothing stored
    Ok,        // ask the question, store on Yes
};

struct CexSetting {
    CalculatorOutcome outcome = CalculatorOutcome::NoAction;
    std::uint8_t highByte = 0;
    std::string question;  // "Change PCA0 Data to: ..."
};
// PCA0CPHn for a target output frequency: PCA frequency / (2 * target),
// rounded half up, 256 stored as 0.  A target the PCA clock cannot reach
// (above the PCA frequency, where the rounding would give 0) is invalid.
CexSetting CalculateCexFrequency(std::uint32_t pcaFrequency, std::uint32_t target, int module);

// The duty cycle shown for a PWM module, in percent ("%.4f").
double DutyCyclePercent(bool sixteenBit, std::uint8_t highByte, std::uint8_t lowByte);
std::string FormatDutyCycle(double percent);

struct DutySetting {
    CalculatorOutcome outcome = CalculatorOutcome::NoAction;
    std::uint8_t highByte = 0;
    std::uint8_t lowByte = 0;
    std::string question;
};
// The compare bytes for a duty cycle in percent at a resolution of 256 (8-bit)
// or 65536 (16-bit): R - R * duty / 100, truncated.  Below 0 nothing happens;
// a duty cycle too small to tell from 0 % (which the registers would read as
// 100 %) and one above 100 % beyond the truncation are invalid.
DutySetting CalculateDutyCycle(std::uint32_t resolution, double dutyPercent, int module);

inline constexpr const char* kInvalidTimeoutMessage = "Error: Invalid Timeout Interval Using Current Frequency.";
inline constexpr const char* kInvalidCexMessage = "Error: Invalid CEX Frequency Value Using Current PCA Clock Frequency.";
inline constexpr const char* kInvalidDutyMessage = "Error: Invalid Duty Cycle.";

}  // namespace regsmith::pca

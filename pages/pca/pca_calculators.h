#pragma once
// The numbers of the PCA sheet as free functions of plain numbers: the PCA
// clock of each time base, the watchdog timeout shown and its calculator,
// the frequency output and PWM duty cycle shown and their calculators.  The
// pages and dialogs call them; they show no message themselves.

#include <cstdint>
#include <optional>
#include <string>

namespace regsmith::pca {

// PCA0MD bits 3-1: the PCA counter's time base.
inline constexpr std::uint8_t kTimeBaseMask = 0x0E;
enum TimeBase : std::uint8_t {
    kSysclkDiv12 = 0x00,
    kSysclkDiv4 = 0x02,
    kTimer0Overflow = 0x04,
    kEciFalling = 0x06,
    kSysclk = 0x08,
    kExternalDiv8 = 0x0A,
};

// The clocks a time base may run on, in Hz.
struct PcaClocks {
    std::uint32_t sysclk = 0;
    std::uint32_t externalOsc = 0;
    std::uint32_t eci = 0;         // the frequency on the ECI pin (the document's pcaClockWord)
    std::uint32_t timer0Rate = 0;  // timer 0 overflows per second
};

// The PCA counter's clock for PCA0MD: SYSCLK / 12 and / 4 are integer
// divisions (a shift for / 4), the external oscillator / 8 a shift.  The two
// codes no radio sets (0x0C, 0x0E) count as SYSCLK.
std::uint32_t PcaClockFrequency(std::uint8_t pca0md, const PcaClocks& clocks);

// The watchdog timeout in ms, PCA0L counted: one PCA clock period times
// ((PCA0CPL2 + 1) * 256 - PCA0L).  A time base whose clock is 0 gives 0; the
// two codes no radio sets give no value.
std::optional<double> WatchdogTimeoutMs(std::uint8_t pca0md, std::uint8_t pca0cpl2, std::uint8_t pca0l,
                                        const PcaClocks& clocks);
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

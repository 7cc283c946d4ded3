// The PCA sheet's numbers as tables: the PCA clock of every time base, the
// watchdog timeout shown and calculated, the frequency output and the duty
// cycle shown and calculated, with their ranges and rounding.

#include "pages/pca/pca_calculators.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace regsmith::pca {
namespace {

using Outcome = CalculatorOutcome;

TEST(PcaClock, EveryTimeBase) {
    const PcaClocks clocks{191406, 24000007, 32768, 747};
    const struct {
        std::uint8_t pca0md;
        std::uint32_t hz;
    } rows[] = {
        {0x00, 15950},     // 191406 / 12, integer division
        {0x02, 47851},     // 191406 >> 2
        {0x04, 747},       // timer 0 overflows (model/clock_rates: Timer0OverflowRate)
        {0x06, 32768},     // ECI pin
        {0x08, 191406},    // SYSCLK
        {0x0A, 3000000},   // 24000007 >> 3
        {0x0C, 191406},    // no radio sets these: counted as SYSCLK
        {0x0E, 191406},
        {0x8B, 3000000},   // only bits 3-1 count
    };
    for (const auto& row : rows) EXPECT_EQ(PcaClockFrequency(row.pca0md, clocks), row.hz) << int(row.pca0md);
}

TEST(WatchdogTimeout, ShownForEveryTimeBaseAndFallsBackForStoppedClocks) {
    const PcaClocks clocks{191406, 24000000, 32768, 62};
    const PcaClocks stopped{0, 0, 0, 0};
    const struct {
        std::uint8_t pca0md, cpl2, pca0l;
        const PcaClocks& clocks;
        const char* shown;
    } rows[] = {
        {0x00, 0x00, 0x00, clocks, "16.0"},      // 12 / 191406 * 256 clocks
        {0x00, 0xFF, 0x00, clocks, "4108.7"},
        {0x02, 0xB9, 0x00, clocks, "995.1"},     // the calculator's 1000 ms
        {0x02, 0xB9, 0xFF, clocks, "989.7"},     // PCA0L shortens the first count
        {0x04, 0x00, 0x00, clocks, "4129.0"},
        {0x06, 0x01, 0x00, clocks, "15.6"},
        {0x08, 0x49, 0x00, clocks, "99.0"},
        {0x0A, 0x00, 0x00, clocks, "0.1"},
        {0x0C, 0x00, 0x00, clocks, ""},          // no radio sets this: no value
        // A clock word of 0 shows 0.0, never a division by zero.
        {0x00, 0x10, 0x00, stopped, "0.0"},
        {0x02, 0x10, 0x00, stopped, "0.0"},
        {0x04, 0x10, 0x00, stopped, "0.0"},
        {0x06, 0x10, 0x00, stopped, "0.0"},
        {0x08, 0x10, 0x00, stopped, "0.0"},
        {0x0A, 0x10, 0x00, stopped, "0.0"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(FormatTimeout(WatchdogTimeoutMs(row.pca0md, row.cpl2, row.pca0l, row.clocks)), row.shown)
            << int(row.pca0md) << " " << int(row.cpl2);
}

TEST(WatchdogTimeout, CalculatorChoosesTheClockAndChecksTheRange) {
    const PcaClocks clocks{191406, 24000000, 32768, 62};
    const auto S = TimeoutSource::Sysclk;
    const struct {
        TimeoutSource source;
        double targetMs;
        bool valid;
        std::uint8_t cpl2, timeBase;
    } rows[] = {
        {S, 100, true, 0x49, kSysclk},          // 16 bits of SYSCLK last 342.39 ms
        {S, 342, true, 0xFE, kSysclk},
        {S, 1000, true, 0xB9, kSysclkDiv4},
        {S, 1369, true, 0xFE, kSysclkDiv4},
        {S, 2000, true, 0x7B, kSysclkDiv12},
        {S, 4109, true, 0xFF, kSysclkDiv12},
        {S, 5000, false, 0, 0},                 // 310: too long
        {S, 0, false, 0, 0},                    // -1
        {S, 1, true, 0x00, kSysclk},            // shorter than 256 clocks: 0
        {S, -5, false, 0, 0},
        {S, 1e300, false, 0, 0},                // far out of range, no integer overflow
        {TimeoutSource::ExternalOscillator, 10, true, 0x74, kExternalDiv8},
        {TimeoutSource::Eci, 1000, true, 0x7F, kEciFalling},
        {TimeoutSource::Timer0, 1000, true, 0x00, kTimer0Overflow},  // 62 clocks: -0.76 truncates to 0
        {TimeoutSource::Timer0, 10000, true, 0x01, kTimer0Overflow},
    };
    for (const auto& row : rows) {
        const TimeoutSetting setting = CalculateTimeout(row.source, row.targetMs, clocks);
        EXPECT_EQ(setting.valid, row.valid) << row.targetMs;
        if (!row.valid) continue;
        EXPECT_EQ(setting.pca0cpl2, row.cpl2) << row.targetMs;
        EXPECT_EQ(setting.timeBase, row.timeBase) << row.targetMs;
    }
    // Clocks that do not run give no timeout at all.
    EXPECT_FALSE(CalculateTimeout(S, 100, PcaClocks{}).valid);
    EXPECT_FALSE(CalculateTimeout(TimeoutSource::ExternalOscillator, 100, PcaClocks{}).valid);
}

TEST(WatchdogTimeout, QuestionNamesTheClockSource) {
    const PcaClocks clocks{191406, 24000000, 32768, 62};
    EXPECT_EQ(CalculateTimeout(TimeoutSource::Sysclk, 2000, clocks).question,
              "Change PCA0's Data to:\n\n PCA0CPL2 = 7B\n Clock Source: SYSCLK / 12");
    EXPECT_EQ(CalculateTimeout(TimeoutSource::Sysclk, 100, clocks).question,
              "Change PCA0's Data to:\n\n PCA0CPL2 = 49\n Clock Source: SYSCLK");
    EXPECT_EQ(CalculateTimeout(TimeoutSource::ExternalOscillator, 10, clocks).question,
              "Change PCA0's Data to:\n\n PCA0CPL2 = 74\n Clock Source: External Oscillator / 8");
    EXPECT_EQ(CalculateTimeout(TimeoutSource::Eci, 1000, clocks).question,
              "Change PCA0's Data to:\n\n PCA0CPL2 = 7F\n Clock Source: High to Low Transitions on ECI");
    EXPECT_EQ(CalculateTimeout(TimeoutSource::Timer0, 10000, clocks).question,
              "Change PCA0's Data to:\n\n PCA0CPL2 = 01\n Clock Source: Timer 0 Overflow");
    EXPECT_EQ(TimeoutSourceFor(0x04), TimeoutSource::Timer0);
    EXPECT_EQ(TimeoutSourceFor(0x06), TimeoutSource::Eci);
    EXPECT_EQ(TimeoutSourceFor(0x0A), TimeoutSource::ExternalOscillator);
    for (std::uint8_t code : {0x00, 0x02, 0x08}) EXPECT_EQ(TimeoutSourceFor(code), TimeoutSource::Sysclk);
}

TEST(CexFrequency, RoundsHalfUpStores256As0AndRefusesTheUnreachable) {
    const struct {
        std::uint32_t pcaHz, target;
        Outcome outcome;
        std::uint8_t highByte;
    } rows[] = {
        {191406, 1000, Outcome::Ok, 0x60},       // 95.703 rounds up
        {191406, 375, Outcome::Ok, 0xFF},        // 255.208
        {191406, 374, Outcome::Ok, 0x00},        // 255.89 -> 256, a high byte of 0
        {191406, 373, Outcome::Invalid, 0},      // 257
        {1000, 1000, Outcome::Ok, 0x01},         // 0.5 rounds up
        {1000, 1001, Outcome::Invalid, 0},       // above the PCA clock: not the lowest frequency
        {191406, 2147483648u, Outcome::Invalid, 0},  // 2 * target needs more than 32 bits
        {191406, 4294967295u, Outcome::Invalid, 0},
        {0, 1000, Outcome::NoAction, 0},
        {191406, 0, Outcome::NoAction, 0},
    };
    for (const auto& row : rows) {
        const CexSetting setting = CalculateCexFrequency(row.pcaHz, row.target, 1);
        EXPECT_EQ(setting.outcome, row.outcome) << row.pcaHz << " " << row.target;
        if (row.outcome == Outcome::Ok) {
            EXPECT_EQ(setting.highByte, row.highByte) << row.target;
        }
    }
    EXPECT_EQ(CalculateCexFrequency(191406, 1000, 2).question, "Change PCA0 Data to:\n\n PCA0CPHN2 = 60");
}

TEST(CexFrequency, ShownFromTheHighByte) {
    EXPECT_EQ(CexOutputFrequency(191406, 0x60), 996u);
    EXPECT_EQ(CexOutputFrequency(191406, 0x01), 95703u);
    EXPECT_EQ(CexOutputFrequency(191406, 0x00), 373u);  // / 512
    EXPECT_EQ(CexOutputFrequency(0, 0x10), 0u);
}

TEST(DutyCycle, CalculatorBytesAndRange) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const struct {
        std::uint32_t resolution;
        double duty;
        Outcome outcome;
        std::uint8_t high, low;
    } rows[] = {
        {256, 50, Outcome::Ok, 0x80, 0x00},
        {256, 100, Outcome::Ok, 0x00, 0x00},
        {256, 100.1, Outcome::Ok, 0x00, 0x00},   // -0.256 truncates to 0
        {256, 101, Outcome::Invalid, 0, 0},      // -2
        {256, 0.1, Outcome::Ok, 0xFF, 0x00},
        {256, 0, Outcome::Invalid, 0, 0},        // 256 would read back as 100 %
        {256, 1e-9, Outcome::Ok, 0xFF, 0x00},   // truncated to the smallest step
        {256, -1, Outcome::NoAction, 0, 0},
        {256, 1e300, Outcome::Invalid, 0, 0},
        {65536, 25, Outcome::Ok, 0xC0, 0x00},
        {65536, 33.3, Outcome::Ok, 0xAA, 0xC0},  // 43712.512 truncated
        {65536, 0.001, Outcome::Ok, 0xFF, 0xFF},
        {65536, 0, Outcome::Invalid, 0, 0},
        {65536, 1e-15, Outcome::Invalid, 0, 0},  // rounds to 65536 in double
        {65536, 100, Outcome::Ok, 0x00, 0x00},
        {65536, nan, Outcome::Invalid, 0, 0},
    };
    for (const auto& row : rows) {
        const DutySetting setting = CalculateDutyCycle(row.resolution, row.duty, 0);
        EXPECT_EQ(setting.outcome, row.outcome) << row.resolution << " " << row.duty;
        if (row.outcome != Outcome::Ok) continue;
        EXPECT_EQ(setting.highByte, row.high) << row.duty;
        EXPECT_EQ(setting.lowByte, row.low) << row.duty;
    }
    EXPECT_EQ(CalculateDutyCycle(256, 50, 1).question, "Change PCA0 Data to:\n\n PCA0CPH1 = 80\n PCA0CPL1 = 00");
    EXPECT_EQ(CalculateDutyCycle(65536, 33.3, 2).question, "Change PCA0 Data to:\n\n PCA0CPH2 = AA\n PCA0CPL2 = C0");
}

TEST(DutyCycle, Shown) {
    EXPECT_EQ(FormatDutyCycle(DutyCyclePercent(false, 0x80, 0x55)), "50.0000");  // the low byte does not count
    EXPECT_EQ(FormatDutyCycle(DutyCyclePercent(false, 0x00, 0x00)), "100.0000");
    EXPECT_EQ(FormatDutyCycle(DutyCyclePercent(false, 0xFF, 0x00)), "0.3906");
    EXPECT_EQ(FormatDutyCycle(DutyCyclePercent(true, 0xC0, 0x00)), "25.0000");
    EXPECT_EQ(FormatDutyCycle(DutyCyclePercent(true, 0xAA, 0xC0)), "33.3008");
    EXPECT_EQ(FormatDutyCycle(DutyCyclePercent(true, 0xFF, 0xFF)), "0.0015");
}

}  // namespace
}  // namespace regsmith::pca

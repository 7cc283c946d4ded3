// Baud rate from timer 1 and timer 0 overflow rate, as tables of numbers.

#include "model/clock_rates.h"

#include <gtest/gtest.h>

namespace regsmith {
namespace {

TEST(ClockRates, UartBaudFromTimer1) {
    struct Case {
        std::uint8_t ckcon, th1;
        std::uint32_t sysclk, baud;
    };
    for (const Case& c : std::initializer_list<Case>{
             {0x08, 0x96, 24500000, 115566},  // SYSCLK: 24500000 / 106 = 231132, halved
             {0x08, 0xF3, 24500000, 942307},
             {0x00, 0x60, 191406, 49},         // /12 in integers, then / 160 in integers
             {0x01, 0x00, 3062500, 1495},      // /4: 765625 / 256 = 2990
             {0x02, 0xFF, 24500000, 255208},   // /48: 510416, TH1 0xFF divides by 1
             {0x03, 0xFE, 1000001, 31250},     // /8: 125000 (truncated), / 2, halved
             {0x08, 0x00, 0, 0},
             {0x08, 0xFF, 4294967295u, 2147483647},
         })
        EXPECT_EQ(UartBaudFromTimer1(c.ckcon, c.th1, c.sysclk), c.baud)
            << std::hex << int(c.ckcon) << " " << int(c.th1) << std::dec << " " << c.sysclk;
}

TEST(ClockRates, Timer0OverflowRate) {
    struct Case {
        std::uint8_t ckcon, th0;
        std::uint32_t sysclk, rate;
    };
    for (const Case& c : std::initializer_list<Case>{
             {0x04, 0x00, 24500000, 95703},  // SYSCLK / 256
             {0x04, 0xFF, 24500000, 24500000},
             {0x00, 0x00, 191406, 62},       // 15950 / 256
             {0x01, 0x9C, 1000000, 2500},    // 250000 / 100
             {0x02, 0x00, 24500000, 1993},   // 510416 / 256
             {0x01, 0x00, 191406, 186},      // SYSCLK * 0.25 = 47851, / 256
             {0x02, 0xFF, 191406, 3987},     // SYSCLK / 48, reload every clock
             {0x03, 0x80, 24500000, 23925},  // SYSCLK * 0.125, / 128
             {0x04, 0x00, 191406, 747},      // clocked by SYSCLK: the prescaler is ignored
             {0x07, 0xF0, 24500000, 1531250},  // the same, / 16
             {0x03, 0x00, 0, 0},             // no clock, no overflow
             {0x04, 0x00, 0, 0},
         })
        EXPECT_EQ(Timer0OverflowRate(c.ckcon, c.th0, c.sysclk), c.rate)
            << std::hex << int(c.ckcon) << " " << int(c.th0) << std::dec << " " << c.sysclk;
}

}  // namespace
}  // namespace regsmith

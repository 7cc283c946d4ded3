// SYSCLK from the oscillator registers, the crystal pin texts and the
// frequency field, as tables.

#include "pages/clocks/sysclk_rules.h"

#include <gtest/gtest.h>

#include "model/analog_inputs.h"

namespace regsmith::clocks {
namespace {

TEST(SysclkRules, SysclkFromRegisters) {
    struct Case {
        std::uint8_t oscxcn, oscicn, clksel;
        std::uint32_t internal, external, sysclk;
    };
    for (const Case& c : std::initializer_list<Case>{
             // Internal source: / 2^(7-n), truncated; the power mode and the
             // output divider do not count.
             {0x00, 0xC0, 0x00, 24500000, 0, 191406},
             {0x00, 0xC1, 0x00, 24500000, 0, 382812},
             {0x00, 0x02, 0x30, 24500000, 0, 765625},
             {0x00, 0x43, 0x00, 24500000, 0, 1531250},
             {0x00, 0x84, 0x10, 24500000, 0, 3062500},
             {0x00, 0xC5, 0x00, 24500000, 0, 6125000},
             {0x00, 0xC6, 0x00, 24500000, 0, 12250000},
             {0x00, 0xC7, 0x20, 24500000, 0, 24500000},
             {0x00, 0xC0, 0x00, 4294967295u, 0, 33554431},  // 33554431.99 truncated
             {0x00, 0xC7, 0x00, 4294967295u, 0, 4294967295u},
             {0x70, 0xC0, 0x00, 24500000, 11059201, 191406},  // the external mode does not count
             // External source: CMOS / 2, RC, capacitor and crystal / 2 halve.
             {0x00, 0xC0, 0x01, 24500000, 1000000, 1000000},  // off: the frequency as stored
             {0x20, 0xC0, 0x01, 24500000, 3000001, 3000001},
             {0x30, 0xC0, 0x01, 24500000, 3000001, 1500000},
             {0x40, 0xC0, 0x01, 24500000, 1000000, 500000},
             {0x57, 0xC0, 0x31, 24500000, 1000001, 500000},
             {0x66, 0xC0, 0x01, 24500000, 11059201, 11059201},
             {0x77, 0xC0, 0x01, 24500000, 11059201, 5529600},
             {0x10, 0xC0, 0x01, 24500000, 8, 8},  // the unused mode 001 does not halve
             {0x30, 0xC0, 0x01, 24500000, 1, 0},
             {0x70, 0xC0, 0x01, 24500000, 4294967295u, 2147483647},
         })
        EXPECT_EQ(Sysclk(c.oscxcn, c.oscicn, c.clksel, c.internal, c.external), c.sysclk)
            << std::hex << int(c.oscxcn) << " " << int(c.oscicn) << " " << int(c.clksel) << std::dec << " "
            << c.external;
}

TEST(SysclkRules, PinCheckText) {
    struct Case {
        bool analog, skipped, expectedAnalog;
        const char* text;
    };
    for (const Case& c : std::initializer_list<Case>{
             {true, true, true, "X is Analog and Skipped: Configured Properly"},
             {true, false, true, "X is Analog and Not Skipped: NOT Configured Properly"},
             {false, true, true, "X is Digital and Skipped: NOT Configured Properly"},
             {false, false, true, "X is Digital and Not Skipped: NOT Configured Properly"},
             {true, true, false, "X is Analog and Skipped: NOT Configured Properly"},
             {true, false, false, "X is Analog and Not Skipped: NOT Configured Properly"},
             {false, true, false, "X is Digital and Skipped: Configured Properly"},
             {false, false, false, "X is Digital and Not Skipped: NOT Configured Properly"},
         })
        EXPECT_EQ(PinStatusText("X", c.analog, c.skipped, c.expectedAnalog), c.text);
}

TEST(SysclkRules, FrequencyText) {
    struct Case {
        const char* text;
        const char* digits;
        bool dropped, tooLarge;
        std::uint32_t value;
    };
    for (const Case& c : std::initializer_list<Case>{
             {"", "", false, false, 0},
             {"0", "0", false, false, 0},
             {" 32768 ", "32768", false, false, 32768},
             {"12a3.4", "1234", true, false, 1234},
             {"12 34", "1234", true, false, 1234},
             {"   ", "", false, false, 0},
             {"-5", "5", true, false, 5},
             {"0004294967295", "0004294967295", false, false, 4294967295u},
             {"4294967296", "4294967296", false, true, 0},
             {"99999999999999999999999999", "99999999999999999999999999", false, true, 0},
         }) {
        const FrequencyText read = ReadFrequencyText(c.text);
        EXPECT_EQ(read.digits, c.digits) << c.text;
        EXPECT_EQ(read.droppedCharacters, c.dropped) << c.text;
        EXPECT_EQ(read.tooLarge, c.tooLarge) << c.text;
        if (!c.tooLarge) {
            EXPECT_EQ(read.value, c.value) << c.text;
        }
    }
}

}  // namespace
}  // namespace regsmith::clocks

// The baud-rate calculator: the clock row by the integer quotient, the reload
// rounded half up, the range checked after rounding, and what accepting
// writes.

#include "pages/timers/baud_rate_calculator.h"

#include <gtest/gtest.h>

#include "model/register_tables.h"
#include "view/calculator_dialog.h"

namespace regsmith::timers {
namespace {

using Outcome = BaudProposal::Outcome;

TEST(BaudRateCalculator, Proposals) {
    struct Case {
        std::uint32_t sysclk, target;
        Outcome outcome;
        BaudClock clock;
        int reload;
    };
    for (const Case& c : std::initializer_list<Case>{
             {24500000, 115200, Outcome::Proposal, BaudClock::Sysclk, 0x96},
             {24500000, 57600, Outcome::Proposal, BaudClock::Sysclk, 0x2B},
             {24500000, 9600, Outcome::Proposal, BaudClock::Sysclk12, 0x96},
             {24500000, 1200, Outcome::Proposal, BaudClock::Sysclk48, 0x2B},
             {3062500, 9600, Outcome::Proposal, BaudClock::Sysclk, 0x60},
             {191406, 9600, Outcome::Proposal, BaudClock::Sysclk, 0xF6},
             {24500000, 10, Outcome::InvalidBaudRate, BaudClock::Sysclk48, 0},  // below 0
             {1000, 9600, Outcome::InvalidBaudRate, BaudClock::Sysclk, 0},     // rounds to 256
             {24500000, 0, Outcome::InvalidInput, BaudClock::Sysclk, 0},
             {0, 9600, Outcome::InvalidInput, BaudClock::Sysclk, 0},
             // Row edges: quotients 511 / 512, 2047 / 2048, 6143 / 6144.
             {511, 1, Outcome::Proposal, BaudClock::Sysclk, 1},        // 256 - 255.5 = 0.5 goes up
             {512, 1, Outcome::Proposal, BaudClock::Sysclk4, 192},     // 256 - 64
             {2047, 1, Outcome::Proposal, BaudClock::Sysclk4, 0},      // 0.125 stays 0
             {2048, 1, Outcome::Proposal, BaudClock::Sysclk12, 171},   // 256 - 85.33
             {6143, 1, Outcome::Proposal, BaudClock::Sysclk12, 0},     // 256 - 255.96 = 0.04
             {6144, 1, Outcome::Proposal, BaudClock::Sysclk48, 192},   // 256 - 64
             // Exact halves go up; just below stays.
             {1000, 4, Outcome::Proposal, BaudClock::Sysclk, 131},     // 256 - 125 = 131
             {1001, 4, Outcome::Proposal, BaudClock::Sysclk, 131},     // 130.875 -> 131
             {1004, 4, Outcome::Proposal, BaudClock::Sysclk, 131},     // 256 - 125.5 = 130.5 -> 131
             {1005, 4, Outcome::Proposal, BaudClock::Sysclk, 130},     // 130.375 -> 130
             {22118400, 115200, Outcome::Proposal, BaudClock::Sysclk, 0xA0},  // exactly 96
             {12000000, 9600, Outcome::Proposal, BaudClock::Sysclk4, 0x64},   // 256 - 156.25 = 99.75
             // Targets the 32-bit doubling used to wrap: no reload reaches them.
             {24500000, 2147483648u, Outcome::InvalidBaudRate, BaudClock::Sysclk, 0},
             {24500000, 4294967295u, Outcome::InvalidBaudRate, BaudClock::Sysclk, 0},
             {4294967295u, 2147483648u, Outcome::Proposal, BaudClock::Sysclk, 255},  // 256 - 0.99999
             // The fastest rate SYSCLK gives: TH1 = FF is SYSCLK / 2.
             {24500000, 12250000, Outcome::Proposal, BaudClock::Sysclk, 255},
             {24500000, 24500000, Outcome::InvalidBaudRate, BaudClock::Sysclk, 0},  // 255.5 -> 256
         }) {
        const BaudProposal proposal = CalculateBaudRate(c.sysclk, c.target);
        EXPECT_EQ(proposal.outcome, c.outcome) << c.sysclk << " / " << c.target;
        if (c.outcome == Outcome::InvalidInput) continue;
        EXPECT_EQ(proposal.clock, c.clock) << c.sysclk << " / " << c.target;
        if (c.outcome == Outcome::Proposal) {
            EXPECT_EQ(proposal.reload, c.reload) << c.sysclk << " / " << c.target;
        }
    }
}

// The live line: the rate the proposal gives and its error, from the
// proposal's own clock and reload.
TEST(BaudRateCalculator, AchievedRateAndItsLine) {
    struct Case {
        std::uint32_t sysclk, target;
        const char* line;
    };
    for (const Case& c : std::initializer_list<Case>{
             {24500000, 115200, "Achieves 115566 bps, error +0.32 %"},  // SYSCLK / (2 x 106)
             {24500000, 9600, "Achieves 9631 bps, error +0.32 %"},      // SYSCLK / 12 / (2 x 106)
             {24500000, 1200, "Achieves 1198 bps, error -0.15 %"},      // SYSCLK / 48 / (2 x 213)
             {3062500, 9600, "Achieves 9570 bps, error -0.31 %"},
             {22118400, 115200, "Achieves 115200 bps, error +0.00 %"},  // SYSCLK / (2 x 96)
         }) {
        const BaudProposal proposal = CalculateBaudRate(c.sysclk, c.target);
        ASSERT_EQ(proposal.outcome, Outcome::Proposal) << c.sysclk << " " << c.target;
        EXPECT_EQ(AchievedText(AchievedBaudRate(c.sysclk, proposal), c.target, "bps"), c.line);
    }
    EXPECT_EQ(AchievedText(100.0, 0, "Hz"), "");
    EXPECT_EQ(AchievedText(2450000.0, 2500000, "Hz"), "Achieves 2450000 Hz, error -2.00 %");
    EXPECT_EQ(AchievedText(4294967295.0, 1, "Hz"), "Achieves 4294967295 Hz, error +429496729400.00 %");
}

TEST(BaudRateCalculator, ProposalTexts) {
    EXPECT_EQ(ProposalText(CalculateBaudRate(24500000, 115200)), "Change T1's Data to:\n\n T1H = 96\n Clock Source: SYSCLK");
    EXPECT_EQ(ProposalText(CalculateBaudRate(2048, 1)), "Change T1's Data to:\n\n T1H = AB\n Clock Source: SYSCLK / 12");
    EXPECT_EQ(ProposalText(CalculateBaudRate(512, 1)), "Change T1's Data to:\n\n T1H = C0\n Clock Source: SYSCLK / 4");
    EXPECT_EQ(ProposalText(CalculateBaudRate(24500000, 1200)),
              "Change T1's Data to:\n\n T1H = 2B\n Clock Source: SYSCLK / 48");
    EXPECT_EQ(ProposalText(CalculateBaudRate(511, 1)), "Change T1's Data to:\n\n T1H = 01\n Clock Source: SYSCLK");
}

TEST(BaudRateCalculator, AcceptingWritesOnlyTheListedBits) {
    struct Case {
        BaudClock clock;
        std::uint8_t ckcon;  // from 0xF7: bits 7-4 and 2 stay
    };
    for (const Case& c : std::initializer_list<Case>{
             {BaudClock::Sysclk, 0xFC},
             {BaudClock::Sysclk4, 0xF5},
             {BaudClock::Sysclk12, 0xF4},
             {BaudClock::Sysclk48, 0xF6},
         }) {
        PeripheralBlock timers = BuildDefaultBlock(*FindBlockSpec(kBlockTimers));
        for (RegisterEntry& entry : timers.registers) entry.value = 0xA5;
        timers.registers[reg::TMOD].value = 0xFF;
        timers.registers[reg::CKCON].value = 0xF7;
        BaudProposal proposal;
        proposal.outcome = Outcome::Proposal;
        proposal.clock = c.clock;
        proposal.reload = 0x3C;
        ApplyProposal(timers, proposal);
        for (int entry = 0; entry < static_cast<int>(timers.registers.size()); ++entry) {
            const std::uint8_t expected = entry == reg::TH1     ? 0x3C
                                          : entry == reg::TMOD  ? 0xBF
                                          : entry == reg::CKCON ? c.ckcon
                                                                : 0xA5;
            EXPECT_EQ(timers.registers[static_cast<std::size_t>(entry)].value, expected)
                << timers.registers[static_cast<std::size_t>(entry)].name;
        }
    }
}

}  // namespace
}  // namespace regsmith::timers

#pragma once
// The baud-rate calculator: which clock timer 1 runs from and which TH1
// reload gives a target UART baud rate at a SYSCLK, and what accepting the
// proposal writes into a timers block.  Plain numbers in, plain numbers out.

#include <cstdint>
#include <string>

#include "model/device_data.h"

namespace regsmith::timers {

inline constexpr const char* kInvalidBaudRateMessage = "Error: Invalid Baud Rate Using Current Frequency.";

// Timer 1's clock, chosen by SYSCLK / target: the first divider whose 256
// reloads (times 2, the UART's own halving) still reach the quotient.
enum class BaudClock { Sysclk, Sysclk4, Sysclk12, Sysclk48 };

struct BaudProposal {
    enum class Outcome { Proposal, InvalidInput, InvalidBaudRate } outcome = Outcome::InvalidInput;
    BaudClock clock = BaudClock::Sysclk;
    int reload = 0;  // TH1, 0..255 for a proposal
};

// SYSCLK or target 0: invalid input.  Otherwise the clock by the integer
// quotient SYSCLK / target (< 512 SYSCLK, < 2048 /4, < 6144 /12, else /48),
// x = 256 - SYSCLK * factor / (2 * target) in doubles (no overflow for any
// 32-bit target), rounded half up; a reload outside 0..255 is an invalid
// baud rate.  Another clock is not tried.
BaudProposal CalculateBaudRate(std::uint32_t sysclk, std::uint32_t target);

// The baud rate a proposal gives: timer 1's clock / (2 x (256 - reload)).
double AchievedBaudRate(std::uint32_t sysclk, const BaudProposal& proposal);

// "Change T1's Data to:\n\n T1H = 96\n Clock Source: SYSCLK"
std::string ProposalText(const BaudProposal& proposal);

// Accepting a proposal: TH1 := reload, TMOD bit 6 := 0 (timer 1 counts its
// clock), CKCON bit 3 and bits 1-0 for the clock.  No other bit changes.
void ApplyProposal(PeripheralBlock& timers, const BaudProposal& proposal);

}  // namespace regsmith::timers

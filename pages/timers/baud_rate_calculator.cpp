#include "pages/timers/baud_rate_calculator.h"

#include <cstdio>

#include "model/register_tables.h"
#include "view/number_field.h"

namespace regsmith::timers {

namespace {

struct ClockRow {
    BaudClock clock;
    std::uint32_t quotientBelow;  // 2 x 256 x the divider
    double factor;
    const char* caption;
    std::uint8_t ckconSysclk;     // CKCON bit 3
    std::uint8_t ckconPrescaler;  // CKCON bits 1-0
};

constexpr ClockRow kRows[] = {
    {BaudClock::Sysclk, 512, 1.0, "SYSCLK", 0x08, 0x00},
    {BaudClock::Sysclk4, 2048, 0.25, "SYSCLK / 4", 0x00, 0x01},
    {BaudClock::Sysclk12, 6144, 1.0 / 12, "SYSCLK / 12", 0x00, 0x00},
    {BaudClock::Sysclk48, 0, 1.0 / 48, "SYSCLK / 48", 0x00, 0x02},
};

const ClockRow& RowOf(BaudClock clock) {
    for (const ClockRow& row : kRows)
        if (row.clock == clock) return row;
    return kRows[0];
}

}  // namespace

BaudProposal CalculateBaudRate(std::uint32_t sysclk, std::uint32_t target) {
    BaudProposal proposal;
    if (sysclk == 0 || target == 0) return proposal;

    const std::uint32_t quotient = sysclk / target;
    const ClockRow* chosen = &kRows[3];
    for (const ClockRow& row : kRows)
        if (row.quotientBelow != 0 && quotient < row.quotientBelow) {
            chosen = &row;
            break;
        }
    proposal.clock = chosen->clock;

    const double clock = chosen->factor == 1.0 ? static_cast<double>(sysclk) : sysclk * chosen->factor;
    const double x = 256.0 - clock / (2.0 * static_cast<double>(target));
    const std::int64_t rounded = RoundHalfUp(x);
    if (rounded > 255 || rounded < 0) {
        proposal.outcome = BaudProposal::Outcome::InvalidBaudRate;
        return proposal;
    }
    proposal.outcome = BaudProposal::Outcome::Proposal;
    proposal.reload = static_cast<int>(rounded);
    return proposal;
}

double AchievedBaudRate(std::uint32_t sysclk, const BaudProposal& proposal) {
    return sysclk * RowOf(proposal.clock).factor / (2.0 * (256 - proposal.reload));
}

std::string ProposalText(const BaudProposal& proposal) {
    char reload[8];
    std::snprintf(reload, sizeof reload, "%02X", static_cast<unsigned>(proposal.reload & 0xFF));
    return std::string("Change T1's Data to:\n\n T1H = ") + reload + "\n Clock Source: " + RowOf(proposal.clock).caption;
}

void ApplyProposal(PeripheralBlock& timers, const BaudProposal& proposal) {
    const ClockRow& row = RowOf(proposal.clock);
    ReplaceBitsIn(timers, reg::TH1, 0xFF, static_cast<std::uint8_t>(proposal.reload));
    ReplaceBitsIn(timers, reg::TMOD, 0x40, 0x00);
    ReplaceBitsIn(timers, reg::CKCON, 0x0B, static_cast<std::uint8_t>(row.ckconSysclk | row.ckconPrescaler));
}

}  // namespace regsmith::timers

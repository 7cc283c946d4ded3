#include "pages/timers/baud_rate_dialog.h"

#include <optional>
#include <string>

#include "fw/app.h"
#include "pages/timers/baud_rate_calculator.h"
#include "view/nested_sheets.h"
#include "view/sheet_commands.h"

namespace regsmith {

using namespace timers;

CBaudRateDialog::CBaudRateDialog(SheetContext& sheet, PeripheralBlock& timers)
    : CCalculatorDialog(kBaudRateDialogTitle), sheet_(sheet), timers_(timers) {
    auto& column = Root().AddColumn();
    sysclkField_ = &AddFieldRow(column, "SYSCLK Frequency", "Hz", true);
    AddClockButton(column, "Change Clock Frequency", sheet_, NestedSheet::Oscillators,
                   [this] { sysclkField_->SetText(std::to_string(sheet_.Clocks().sysclk)); });
    targetField_ = &AddFieldRow(column, "Target Baud Rate", "bps");
    AddLiveLine(*targetField_, [this](std::uint32_t target) -> std::string {
        const std::uint32_t sysclk = sheet_.Clocks().sysclk;
        const BaudProposal proposal = CalculateBaudRate(sysclk, target);
        if (proposal.outcome == BaudProposal::Outcome::InvalidBaudRate) return kOutOfReachAtSysclk;
        if (proposal.outcome != BaudProposal::Outcome::Proposal) return "";
        return AchievedText(AchievedBaudRate(sysclk, proposal), target, "bps");
    });
}

void CBaudRateDialog::OnInitDialog() {
    sysclkField_->SetText(std::to_string(sheet_.Clocks().sysclk));
    targetField_->SetText("0");
}

bool CBaudRateDialog::OnOK() {
    const std::optional<std::uint32_t> target = ReadUnsigned(*targetField_);
    if (!target) return false;
    const BaudProposal proposal = CalculateBaudRate(sheet_.Clocks().sysclk, *target);
    switch (proposal.outcome) {
        case BaudProposal::Outcome::InvalidInput: Warn(kInvalidInputValuesMessage); return false;
        case BaudProposal::Outcome::InvalidBaudRate: Warn(kInvalidBaudRateMessage); return false;
        case BaudProposal::Outcome::Proposal: break;
    }
    if (!Ask(ProposalText(proposal))) return false;
    ApplyProposal(timers_, proposal);
    return true;
}

}  // namespace regsmith

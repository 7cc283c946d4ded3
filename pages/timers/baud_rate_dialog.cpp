#include "pages/timers/baud_rate_dialog.h"

#include <optional>
#include <string>

#include "fw/app.h"
#include "pages/timers/baud_rate_calculator.h"
#include "view/nested_sheets.h"
#include "view/sheet_commands.h"

namespace regsmith {

using namespace timers;

namespace {

// A field of digits only, read as 0 .. 4294967295 (blanks around it allowed).
std::optional<std::uint32_t> ReadWholeNumber(const std::string& text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos) return std::nullopt;
    const std::size_t last = text.find_last_not_of(' ');
    std::uint64_t value = 0;
    for (std::size_t i = first; i <= last; ++i) {
        const char c = text[i];
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + static_cast<std::uint64_t>(c - '0');
        if (value > 0xFFFFFFFFull) return std::nullopt;
    }
    return static_cast<std::uint32_t>(value);
}

fw::DialogResult Message(const std::string& text, fw::MessageIcon icon, fw::MessageButtons buttons) {
    fw::CWinApp* app = fw::AfxGetApp();
    return app ? app->Platform().MessageBox(text, icon, buttons) : fw::DialogResult::Cancel;
}

fw::EditField& FieldRow(fw::Container& parent, const char* label, const char* unit) {
    auto& row = parent.AddRow();
    auto& field = row.Add<fw::EditField>(label);
    field.widthChars = 12;
    row.Add<fw::StaticText>(unit);
    return field;
}

}  // namespace

CBaudRateDialog::CBaudRateDialog(SheetContext& sheet, PeripheralBlock& timers)
    : fw::Dialog(kBaudRateDialogTitle), sheet_(sheet), timers_(timers), sysclk_(sheet.Clocks().sysclk) {
    auto& column = Root().AddColumn();
    sysclkField_ = &FieldRow(column, "SYSCLK Frequency", "Hz");
    sysclkField_->SetReadOnly();
    sysclkField_->Enable(false);
    changeClock_ = &column.Add<fw::PushButton>("Change Clock Frequency");
    changeClock_->onChange = [this] { ChangeClockFrequency(); };
    targetField_ = &FieldRow(column, "Target Baud Rate", "bps");
}

void CBaudRateDialog::OnInitDialog() {
    sysclkField_->SetText(std::to_string(sysclk_));
    targetField_->SetText("0");
    changeClock_->Enable(NestedSheetAvailable(NestedSheet::Oscillators));
}

void CBaudRateDialog::ChangeClockFrequency() {
    // Accepted: the Oscillators block is in the document and `sysclk` is the
    // new SYSCLK; cancelled: the sheet put both clock words back.
    const fw::DialogResult result = RunNestedSheet(NestedSheet::Oscillators, sheet_);
    // Either way a Port I/O sheet accepted on its External page is in the
    // document; the caller's copy follows, so that a crossbar sheet the
    // caller opens later does not write the older pins back.
    if (sheet_.Holds(kBlockPortIO)) sheet_.Reload(kBlockPortIO);
    if (result != fw::DialogResult::Ok) return;
    sysclk_ = sheet_.Clocks().sysclk;
    sysclkField_->SetText(std::to_string(sysclk_));
}

bool CBaudRateDialog::OnOK() {
    const std::optional<std::uint32_t> sysclk = ReadWholeNumber(sysclkField_->Text());
    const std::optional<std::uint32_t> target = ReadWholeNumber(targetField_->Text());
    const BaudProposal proposal = CalculateBaudRate(sysclk.value_or(0), target.value_or(0));
    switch (proposal.outcome) {
        case BaudProposal::Outcome::InvalidInput:
            Message(kInvalidInputMessage, fw::MessageIcon::Warning, fw::MessageButtons::Ok);
            return false;
        case BaudProposal::Outcome::InvalidBaudRate:
            Message(kInvalidBaudRateMessage, fw::MessageIcon::Warning, fw::MessageButtons::Ok);
            return false;
        case BaudProposal::Outcome::Proposal: break;
    }
    if (Message(ProposalText(proposal), fw::MessageIcon::Question, fw::MessageButtons::YesNo) != fw::DialogResult::Yes)
        return false;
    ApplyProposal(timers_, proposal);
    return true;
}

}  // namespace regsmith

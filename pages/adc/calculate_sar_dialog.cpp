#include "pages/adc/calculate_sar_dialog.h"

#include <cstdio>
#include <limits>
#include <string>

#include "fw/app.h"
#include "pages/adc/sar_calculator.h"
#include "view/nested_sheets.h"
#include "view/sheet_commands.h"

namespace regsmith {

namespace {

fw::DialogResult Message(const std::string& text, fw::MessageIcon icon, fw::MessageButtons buttons) {
    fw::CWinApp* app = fw::AfxGetApp();
    return app ? app->Platform().MessageBox(text, icon, buttons) : fw::DialogResult::Cancel;
}

}  // namespace

std::optional<std::uint32_t> ParseFrequency(const std::string& text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos) return std::nullopt;
    const std::size_t last = text.find_last_not_of(' ');
    std::uint64_t value = 0;
    for (std::size_t i = first; i <= last; ++i) {
        const char c = text[i];
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + static_cast<std::uint64_t>(c - '0');
        if (value > std::numeric_limits<std::uint32_t>::max()) return std::nullopt;
    }
    return static_cast<std::uint32_t>(value);
}

CCalculateSarDlg::CCalculateSarDlg(SheetContext& sheet) : fw::Dialog(kCalculateSarTitle), sheet_(sheet) {
    sysclk_ = &Root().Add<fw::EditField>("SYSCLK Frequency");
    sysclk_->SetReadOnly();
    sysclk_->Enable(false);
    target_ = &Root().Add<fw::EditField>("Target SAR Frequency");
    target_->SetText("0");
    changeClock_ = &Root().Add<fw::PushButton>("Change Clock Frequency");
    changeClock_->onChange = [this] {
        RunNestedSheet(NestedSheet::Oscillators, sheet_);
        // Accepted: the new SYSCLK; cancelled: the one from before, restored.
        ShowSysclk();
    };
}

void CCalculateSarDlg::ShowSysclk() { sysclk_->SetText(std::to_string(sheet_.Clocks().sysclk)); }

void CCalculateSarDlg::OnInitDialog() {
    ShowSysclk();
    changeClock_->Enable(NestedSheetAvailable(NestedSheet::Oscillators));
}

bool CCalculateSarDlg::OnOK() {
    const std::optional<std::uint32_t> target = ParseFrequency(target_->Text());
    const SarDivider divider = CalculateSarDivider(sheet_.Clocks().sysclk, target.value_or(0));
    if (divider.result == SarDividerResult::kInvalidInput) {
        Message("Error: Invalid Input Values.", fw::MessageIcon::Warning, fw::MessageButtons::Ok);
        return false;
    }
    if (divider.result == SarDividerResult::kOutOfRange) {
        Message("Error: Invalid SAR Value Using Current SYSCLK Frequency.", fw::MessageIcon::Warning,
                fw::MessageButtons::Ok);
        return false;
    }
    char question[64];
    std::snprintf(question, sizeof question, "Change AD0SC Data to:\n\n AD0SC = %02X",
                  static_cast<unsigned>(divider.ad0sc));
    if (Message(question, fw::MessageIcon::Question, fw::MessageButtons::YesNo) != fw::DialogResult::Yes) return false;
    divider_ = static_cast<std::uint8_t>(divider.ad0sc);
    return true;
}

}  // namespace regsmith

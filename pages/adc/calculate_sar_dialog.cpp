#include "pages/adc/calculate_sar_dialog.h"

#include <cstdio>
#include <limits>
#include <string>

#include "fw/app.h"
#include "pages/adc/sar_calculator.h"
#include "view/nested_sheets.h"
#include "view/sheet_commands.h"

namespace regsmith {

CCalculateSarDlg::CCalculateSarDlg(SheetContext& sheet) : CCalculatorDialog(kCalculateSarTitle), sheet_(sheet) {
    sysclk_ = &AddFieldRow(Root(), "SYSCLK Frequency", "Hz", true);
    target_ = &AddFieldRow(Root(), "Target SAR Frequency", "Hz");
    target_->SetText("0");
    AddLiveLine(*target_, [this](std::uint32_t target) -> std::string {
        const std::uint32_t sysclk = sheet_.Clocks().sysclk;
        const SarDivider divider = CalculateSarDivider(sysclk, target);
        if (divider.result == SarDividerResult::kOutOfRange) return kOutOfReachAtSysclk;
        if (divider.result != SarDividerResult::kOk) return "";
        return AchievedText(sysclk / (divider.ad0sc + 1.0), target, "Hz");
    });
    AddClockButton(Root(), "Change Clock Frequency", sheet_, NestedSheet::Oscillators, [this] { ShowSysclk(); });
}

void CCalculateSarDlg::ShowSysclk() { sysclk_->SetText(std::to_string(sheet_.Clocks().sysclk)); }

void CCalculateSarDlg::OnInitDialog() { ShowSysclk(); }

bool CCalculateSarDlg::OnOK() {
    const std::optional<std::uint32_t> target = ReadUnsigned(*target_);
    if (!target) return false;
    const SarDivider divider = CalculateSarDivider(sheet_.Clocks().sysclk, *target);
    if (divider.result == SarDividerResult::kInvalidInput) {
        Warn(kInvalidInputValuesMessage);
        return false;
    }
    if (divider.result == SarDividerResult::kOutOfRange) {
        Warn("Error: Invalid SAR Value Using Current SYSCLK Frequency.");
        return false;
    }
    char question[64];
    std::snprintf(question, sizeof question, "Change AD0SC Data to:\n\n AD0SC = %02X",
                  static_cast<unsigned>(divider.ad0sc));
    if (!Ask(question)) return false;
    divider_ = static_cast<std::uint8_t>(divider.ad0sc);
    return true;
}

}  // namespace regsmith

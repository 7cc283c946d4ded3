#include "pages/spi/sck_dialog.h"

#include <string>

#include "pages/spi/sck_calculator.h"
#include "view/nested_sheets.h"
#include "view/sheet_commands.h"

namespace regsmith {

CSckDialog::CSckDialog(SheetContext& sheet) : CCalculatorDialog(kSckDialogTitle), sheet_(sheet) {
    sysclkField_ = &AddFieldRow(Root(), "SYSCLK Frequency", "Hz", true);
    target_ = &AddFieldRow(Root(), "Target SCK Frequency", "Hz");
    target_->SetText("0");
    AddLiveLine(*target_, [this](std::uint32_t target) -> std::string {
        const std::uint32_t sysclk = sheet_.Clocks().sysclk;
        const spi::SckSetting setting = spi::CalculateSck(sysclk, target);
        if (setting.outcome == spi::SckOutcome::OutOfRange) return kOutOfReachAtSysclk;
        if (setting.outcome != spi::SckOutcome::Ok) return "";
        return AchievedText(sysclk / (2.0 * setting.spi0ckr + 2.0), target, "Hz");
    });
    AddClockButton(Root(), "Change Clock Frequency", sheet_, NestedSheet::Oscillators, [this] { OnInitDialog(); });
}

void CSckDialog::OnInitDialog() {
    sysclkField_->SetText(std::to_string(sheet_.Clocks().sysclk));
}

bool CSckDialog::OnOK() {
    const std::optional<std::uint32_t> target = ReadUnsigned(*target_);
    if (!target) return false;
    const spi::SckSetting setting = spi::CalculateSck(sheet_.Clocks().sysclk, *target);
    switch (setting.outcome) {
        case spi::SckOutcome::InvalidInput: Warn(kInvalidInputValuesMessage); return false;
        case spi::SckOutcome::OutOfRange: Warn(spi::kInvalidSckMessage); return false;
        case spi::SckOutcome::Ok: break;
    }
    if (!Ask(setting.question)) return false;
    spi0ckr_ = setting.spi0ckr;
    return true;
}

}  // namespace regsmith

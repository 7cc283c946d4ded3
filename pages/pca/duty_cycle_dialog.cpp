#include "pages/pca/duty_cycle_dialog.h"

namespace regsmith {

CDutyCycleDialog::CDutyCycleDialog(std::uint32_t resolution, int module)
    : CCalculatorDialog(kDutyDialogTitle), resolution_(resolution), module_(module) {
    target_ = &AddFieldRow(Root(), "Target Duty Cycle", "%");
    target_->SetText("0");
}

bool CDutyCycleDialog::OnOK() {
    const std::optional<double> duty = ReadNumber(*target_);
    if (!duty) return false;
    const pca::DutySetting setting = pca::CalculateDutyCycle(resolution_, *duty, module_);
    switch (setting.outcome) {
        case pca::CalculatorOutcome::NoAction: return false;
        case pca::CalculatorOutcome::Invalid: Warn(pca::kInvalidDutyMessage); return false;
        case pca::CalculatorOutcome::Ok: break;
    }
    if (!Ask(setting.question)) return false;
    highByte_ = setting.highByte;
    lowByte_ = setting.lowByte;
    return true;
}

}  // namespace regsmith

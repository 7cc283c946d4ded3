#include "pages/pca/cex_frequency_dialog.h"

#include <string>

namespace regsmith {

CCexFrequencyDialog::CCexFrequencyDialog(std::uint32_t pcaFrequency, int module)
    : CCalculatorDialog(kCexDialogTitle), pcaFrequency_(pcaFrequency), module_(module) {
    AddFieldRow(Root(), "PCA Frequency", "Hz", true).SetText(std::to_string(pcaFrequency));
    target_ = &AddFieldRow(Root(), "Target CEX Frequency", "Hz");
    target_->SetText("0");
    AddLiveLine(*target_, [this](std::uint32_t target) -> std::string {
        const pca::CexSetting setting = pca::CalculateCexFrequency(pcaFrequency_, target, module_);
        if (setting.outcome == pca::CalculatorOutcome::Invalid) return "Out of reach at this PCA clock";
        if (setting.outcome != pca::CalculatorOutcome::Ok) return "";
        const double divider = setting.highByte != 0 ? setting.highByte : 256.0;
        return AchievedText(pcaFrequency_ / (2.0 * divider), target, "Hz");
    });
}

bool CCexFrequencyDialog::OnOK() {
    const std::optional<std::uint32_t> target = ReadUnsigned(*target_);
    if (!target) return false;
    const pca::CexSetting setting = pca::CalculateCexFrequency(pcaFrequency_, *target, module_);
    switch (setting.outcome) {
        case pca::CalculatorOutcome::NoAction: return false;
        case pca::CalculatorOutcome::Invalid: Warn(pca::kInvalidCexMessage); return false;
        case pca::CalculatorOutcome::Ok: break;
    }
    if (!Ask(setting.question)) return false;
    highByte_ = setting.highByte;
    return true;
}

}  // namespace regsmith

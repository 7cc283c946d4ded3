#include "pages/pca/eci_frequency_dialog.h"

#include <string>

namespace regsmith {

CEciFrequencyDialog::CEciFrequencyDialog(std::uint32_t& pcaClockWord)
    : CCalculatorDialog(kEciDialogTitle), pcaClockWord_(pcaClockWord) {
    frequency_ = &AddFieldRow(Root(), "ECI Pin Frequency", "Hz");
}

void CEciFrequencyDialog::OnInitDialog() { frequency_->SetText(std::to_string(pcaClockWord_)); }

bool CEciFrequencyDialog::OnOK() {
    const std::optional<std::uint32_t> frequency = ReadUnsigned(*frequency_);
    if (!frequency) return false;
    pcaClockWord_ = *frequency;
    return true;
}

}  // namespace regsmith

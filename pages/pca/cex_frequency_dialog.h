#pragma once
// "Calculate CEX Frequency": the high byte PCA0CPHn that makes module n's
// frequency output closest to a target, from the PCA clock frequency.

#include <cstdint>

#include "pages/pca/pca_calculators.h"
#include "view/calculator_dialog.h"

namespace regsmith {

inline constexpr const char* kCexDialogTitle = "Calculate CEX Frequency";

class CCexFrequencyDialog : public CCalculatorDialog {
public:
    CCexFrequencyDialog(std::uint32_t pcaFrequency, int module);
    bool OnOK() override;
    // The accepted high byte (valid after OK).
    std::uint8_t HighByte() const { return highByte_; }

private:
    std::uint32_t pcaFrequency_;
    int module_;
    fw::EditField* target_ = nullptr;
    std::uint8_t highByte_ = 0;
};

}  // namespace regsmith

#pragma once
// "Duty Cycle": the compare bytes of module n's 8-bit (resolution 256) or
// 16-bit (65536) pulse width modulator for a target duty cycle.

#include <cstdint>

#include "pages/pca/pca_calculators.h"
#include "view/calculator_dialog.h"

namespace regsmith {

inline constexpr const char* kDutyDialogTitle = "Duty Cycle";

class CDutyCycleDialog : public CCalculatorDialog {
public:
    CDutyCycleDialog(std::uint32_t resolution, int module);
    bool OnOK() override;
    // The accepted bytes (valid after OK; the low byte is 0 at 8 bits).
    std::uint8_t HighByte() const { return highByte_; }
    std::uint8_t LowByte() const { return lowByte_; }

private:
    std::uint32_t resolution_;
    int module_;
    fw::EditField* target_ = nullptr;
    std::uint8_t highByte_ = 0, lowByte_ = 0;
};

}  // namespace regsmith

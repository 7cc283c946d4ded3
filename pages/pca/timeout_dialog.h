#pragma once
// "Calculate Timeout Interval": the watchdog's PCA0CPL2 and time base for a
// target timeout, from the clock the user picks among SYSCLK, the external
// oscillator, the ECI pin and timer 0 overflows.  "Change Clock Frequencies"
// opens the internal and external oscillator pages; "ECI Source:" asks for
// the ECI pin's frequency.

#include <array>
#include <cstdint>

#include "pages/pca/pca_calculators.h"
#include "view/calculator_dialog.h"

namespace regsmith {

class SheetContext;

inline constexpr const char* kTimeoutDialogTitle = "Calculate Timeout Interval";

class CTimeoutDialog : public CCalculatorDialog {
public:
    // `sheet` is the page's sheet run (the ECI word, the nested Oscillators
    // sheet); `pca0md` chooses the clock checked on opening.
    CTimeoutDialog(SheetContext& sheet, const pca::PcaClocks& clocks, std::uint8_t pca0md);
    void OnInitDialog() override;
    bool OnOK() override;
    // The accepted PCA0CPL2 and time base (valid after OK).
    const pca::TimeoutSetting& Setting() const { return setting_; }

private:
    void ShowFrequencies();
    void ShowNewClocks();
    void AskEciFrequency();
    pca::TimeoutSource CheckedSource() const;

    SheetContext& sheet_;
    pca::PcaClocks clocks_;
    std::uint8_t pca0md_;
    std::array<fw::RadioButton*, 4> sources_{};
    std::array<fw::EditField*, 4> frequencies_{};
    fw::EditField* target_ = nullptr;
    pca::TimeoutSetting setting_;
};

}  // namespace regsmith

#pragma once
// "Calculate SAR": the AD0SC divider for a target SAR frequency from the
// document's SYSCLK, which "Change Clock Frequency" can change on the way.

#include <cstdint>
#include <optional>

#include "view/calculator_dialog.h"

namespace regsmith {

class SheetContext;

inline constexpr const char* kCalculateSarTitle = "Calculate SAR";

class CCalculateSarDlg : public CCalculatorDialog {
public:
    // `sheet` is the ADC page's sheet run (the Oscillators sheet is nested in it).
    explicit CCalculateSarDlg(SheetContext& sheet);

    void OnInitDialog() override;
    // Computes the divider and asks before accepting it; an error or "No"
    // keeps the dialog open.
    bool OnOK() override;

    // The divider the user accepted (set when the dialog ends with OK).
    std::optional<std::uint8_t> Divider() const { return divider_; }

private:
    void ShowSysclk();

    SheetContext& sheet_;
    fw::EditField* sysclk_;
    fw::EditField* target_;
    std::optional<std::uint8_t> divider_;
};

}  // namespace regsmith

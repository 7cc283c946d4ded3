#pragma once
// "Calculate Baud Rate": proposes timer 1's clock and TH1 for a target baud
// rate at the current SYSCLK and, when the user accepts, writes them into the
// timers copy it was given.  "Change Clock Frequency" opens the Oscillators
// sheet nested, as the Peripherals menu does.

#include <cstdint>

#include "model/device_data.h"
#include "view/calculator_dialog.h"

namespace regsmith {

class SheetContext;

inline constexpr const char* kBaudRateDialogTitle = "Calculate Baud Rate";

class CBaudRateDialog : public CCalculatorDialog {
public:
    // `timers` is the caller's timers copy; `sheet` the caller's sheet run.
    CBaudRateDialog(SheetContext& sheet, PeripheralBlock& timers);

    void OnInitDialog() override;
    // Calculates; the dialog closes only when the proposal is accepted.
    bool OnOK() override;

private:
    SheetContext& sheet_;
    PeripheralBlock& timers_;
    fw::EditField* sysclkField_ = nullptr;
    fw::EditField* targetField_ = nullptr;
};

}  // namespace regsmith

#pragma once
// "Calculate SCK": the SPI0CKR that gives a target SCK frequency at the
// current SYSCLK.  "Change Clock Frequency" opens the Oscillators sheet.

#include <cstdint>

#include "view/calculator_dialog.h"

namespace regsmith {

class SheetContext;

inline constexpr const char* kSckDialogTitle = "Calculate SCK";

class CSckDialog : public CCalculatorDialog {
public:
    // `sheet` is the page's sheet run: its SYSCLK, and the nested
    // Oscillators sheet of "Change Clock Frequency".
    explicit CSckDialog(SheetContext& sheet);
    void OnInitDialog() override;
    bool OnOK() override;
    // The accepted SPI0CKR (valid after OK).
    std::uint8_t Spi0ckr() const { return spi0ckr_; }

private:
    SheetContext& sheet_;
    fw::EditField* sysclkField_ = nullptr;
    fw::EditField* target_ = nullptr;
    std::uint8_t spi0ckr_ = 0;
};

}  // namespace regsmith

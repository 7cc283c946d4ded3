#pragma once
// "ECI Pin Frequency": the frequency of the signal on the ECI pin, kept in
// the document's pcaClockWord.  OK stores it there at once, so it stays even
// when the PCA sheet is cancelled; Cancel leaves it.

#include <cstdint>

#include "view/calculator_dialog.h"

namespace regsmith {

inline constexpr const char* kEciDialogTitle = "ECI Pin Frequency";

class CEciFrequencyDialog : public CCalculatorDialog {
public:
    explicit CEciFrequencyDialog(std::uint32_t& pcaClockWord);
    void OnInitDialog() override;
    bool OnOK() override;

private:
    std::uint32_t& pcaClockWord_;
    fw::EditField* frequency_ = nullptr;
};

}  // namespace regsmith

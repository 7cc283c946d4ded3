#pragma once
// "External Oscillator": the external oscillator's mode and frequency
// control (OSCXCN), its frequency in Hz, the wait code a crystal needs, and
// whether the crystal pins are set up on the Port I/O copy.  While the
// external oscillator is SYSCLK, a new mode or frequency sets `sysclk` at once.

#include <array>
#include <string>

#include "pages/clocks/oscillator_page.h"

namespace regsmith {

inline constexpr const char* kFrequencyControlGroup = "Frequency Control Bits";
inline constexpr const char* kExternalFrequencyLabel = "External Oscillator Frequency";
inline constexpr const char* kInvalidFrequencyCharacterWarning = "Error: Invalid Frequency Character.";
inline constexpr const char* kFrequencyTooLargeWarning = "Error: Frequency Too Large (4294967295 Hz Maximum).";

class COscExtPropPage : public COscillatorPage {
public:
    explicit COscExtPropPage(SheetContext& sheet);

private:
    // The pin texts start empty: the unused mode 001 leaves them as they are.
    void OnFirstDisplay() override {
        xtal1_->SetText("");
        xtal2_->SetText("");
    }
    void AfterLoad() override;

    // A mode radio's rule: the snippets, the frequency-control captions,
    // then SYSCLK.
    void OnModeChosen(std::uint8_t mode);
    // The captions of the eight frequency-control radios for a mode; off and
    // both CMOS modes give the blank state, which also checks the first
    // radio, writes OSCXCN bits 2-0 := 0 and greys all eight.
    void ShowFrequencyControls(std::uint8_t mode);
    void SetCrystalSnippets(bool crystal);
    // The frequency edit after every change: digits only, at most 4294967295.
    void OnFrequencyTyped();
    void ExternalSysclkUpdate();
    void PinCheck();

    std::array<fw::RadioButton*, 8> frequencyControls_{};
    fw::EditField* frequency_ = nullptr;
    fw::StaticText* xtal1_ = nullptr;
    fw::StaticText* xtal2_ = nullptr;
    fw::PushButton* configurePortIO_ = nullptr;
};

}  // namespace regsmith

#pragma once
// The base of the calculator dialogs that pages open ("Calculate SCK",
// "Duty Cycle", ...): rows of a label, a field and its unit, the number
// fields' checks, and the message boxes the calculators show.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "fw/ui.h"
#include "view/nested_sheets.h"
#include "view/messages.h"
#include "view/number_field.h"

namespace regsmith {

class SheetContext;

// A SYSCLK or target of 0 in the baud-rate, SCK and SAR calculators.
inline constexpr const char* kInvalidInputValuesMessage = "Error: Invalid Input Values.";

// The live line of a target no setting reaches.
inline constexpr const char* kOutOfReachAtSysclk = "Out of reach at this SYSCLK";

// The live line beside a calculator's target: what the proposal achieves and
// how far that is from the target ("Achieves 9615 bps, error +0.16 %").
std::string AchievedText(double achieved, std::uint32_t target, const char* unit);

class CCalculatorDialog : public fw::Dialog {
public:
    explicit CCalculatorDialog(std::string title) : fw::Dialog(std::move(title)) {}

protected:
    // A row: the field with its label, then the unit ("Hz").  A read-only
    // field is a display the user cannot change.
    fw::EditField& AddFieldRow(fw::Container& parent, std::string label, const char* unit, bool readOnly = false);

    // "Change Clock Frequency" (or "... Frequencies"): opens the nested
    // oscillator sheet `which` on the caller's sheet run and, when it was
    // accepted, runs `afterOk` to show the new clock words.  Disabled while
    // the oscillator pages are not registered.
    fw::PushButton& AddClockButton(fw::Container& parent, std::string caption, SheetContext& sheet, NestedSheet which,
                                   std::function<void()> afterOk);

    // The live line beside `target` (after its unit), named "Achieved": the
    // text `describe` gives for the target typed so far, "" while the field
    // holds no number.  It follows every change of the field and of the
    // clock (AddClockButton).
    fw::StaticText& AddLiveLine(fw::EditField& target, std::function<std::string(std::uint32_t)> describe);
    void RefreshLiveLine();

    // The field's number, or the refusal message (the dialog then stays open).
    std::optional<std::uint32_t> ReadUnsigned(const fw::EditField& field) const;
    std::optional<double> ReadNumber(const fw::EditField& field) const;

private:
    fw::EditField* liveTarget_ = nullptr;
    fw::StaticText* liveLine_ = nullptr;
    std::function<std::string(std::uint32_t)> describe_;
};

}  // namespace regsmith

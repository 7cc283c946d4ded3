#pragma once
// The base of the calculator dialogs that pages open ("Calculate SCK",
// "Duty Cycle", ...): rows of a label, a field and its unit, the number
// fields' checks, and the message boxes the calculators show.

#include <cstdint>
#include <optional>
#include <string>

#include "fw/ui.h"
#include "view/number_field.h"

namespace regsmith {

class CCalculatorDialog : public fw::Dialog {
public:
    explicit CCalculatorDialog(std::string title) : fw::Dialog(std::move(title)) {}

protected:
    // A row: the field with its label, then the unit ("Hz").  A read-only
    // field is a display the user cannot change.
    fw::EditField& AddFieldRow(fw::Container& parent, std::string label, const char* unit, bool readOnly = false);

    // The field's number, or the refusal message (the dialog then stays open).
    std::optional<std::uint32_t> ReadUnsigned(const fw::EditField& field) const;
    std::optional<double> ReadNumber(const fw::EditField& field) const;

    // A warning with an OK button; a Yes/No question, true on Yes.
    static void Warn(const std::string& text);
    static bool Ask(const std::string& text);
};

}  // namespace regsmith

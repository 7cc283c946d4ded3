#pragma once
// Decimal number fields of the calculator dialogs ("Target SCK Frequency",
// "Target Duty Cycle", ...).  A text that is not a number of the field's kind
// is refused when the dialog reads it: the dialog shows the message below
// and stays open, and nothing is stored.

#include <cstdint>
#include <optional>
#include <string>

namespace regsmith {

// Unsigned decimal digits, 0 to 4294967295, blanks around them allowed.
std::optional<std::uint32_t> ParseUnsignedField(const std::string& text);
// A finite decimal number ("12", "-3", "99.5", "1e3"), blanks around it allowed.
std::optional<double> ParseNumberField(const std::string& text);

// The calculators' rounding: x cut toward zero, plus one when the part cut
// off is one half or more (an exact .5 goes up).  For finite values well
// inside the 64-bit range, as the calculators' results are.
std::int64_t RoundHalfUp(double x);

inline constexpr const char* kEnterWholeNumberMessage = "Enter a whole number from 0 to 4294967295.";
inline constexpr const char* kEnterNumberMessage = "Enter a number.";

}  // namespace regsmith

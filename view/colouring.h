#pragma once
// The colouring scan of the code window: which characters of the generated
// text are comments and which are string or character literals.  Everything
// else keeps the base format (black "Courier New" 10 pt).

#include <string_view>
#include <vector>

#include "fw/platform.h"

namespace regsmith {

inline constexpr fw::Rgb kCommentColour{0, 170, 0};
inline constexpr fw::Rgb kLiteralColour{55, 0, 200};

// One pass over `text` (CR LF line ends count as two characters).  C mode
// knows "//" and "/* */" comments, assembly mode ";" comments; both know
// "..." and '...' literals, without escapes inside strings.  Returns the
// comment and literal runs in text order; a run still open at the end of the
// text runs to its end.
std::vector<fw::ColourRange> ScanColours(std::string_view text, bool assembly);

}  // namespace regsmith

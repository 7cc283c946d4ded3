#pragma once
// The message boxes of pages, sheets and dialogs: an empty title, through
// the platform services (a window, or a "message:" line in script mode).
// Nothing is shown, and the answer is No, when no application runs.

#include <string>

#include "fw/platform.h"

namespace regsmith {

fw::DialogResult ShowMessage(const std::string& text, fw::MessageIcon icon, fw::MessageButtons buttons);
// A warning with an OK button.
void Warn(const std::string& text);
// A question with Yes and No buttons; true on Yes.
bool Ask(const std::string& text);

}  // namespace regsmith

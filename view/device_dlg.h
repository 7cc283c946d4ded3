#pragma once
// CDeviceDlg: the property sheet of every peripheral command, with OK, Cancel
// and a "Reset" button that resets the active page after asking.

#include <string>

#include "fw/ui.h"

namespace regsmith {

inline constexpr const char* kResetButtonCaption = "Reset";
inline constexpr const char* kResetPeripheralQuestion = "Reset all registers to default for this peripheral?";

class CDeviceDlg : public fw::PropertySheet {
public:
    explicit CDeviceDlg(std::string title);

    // The "Reset" button: asks the question (Yes/No, question icon) and on Yes
    // delivers the Reset command to the active page.
    void OnReset();
};

}  // namespace regsmith

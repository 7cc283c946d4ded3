#pragma once
// The interrupts block as the three interrupt pages see it: which check box
// stands for which bit, the /INT0 and /INT1 fields of IT01CF, the pins each
// package offers, and the layout of the pages' controls.  The pages loop over
// these tables instead of repeating one handler per control.

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "model/register_fields.h"

namespace fw {
class CheckBox;
class Container;
class DropDownList;
class GroupBox;
class PushButton;
class RadioButton;
}  // namespace fw

namespace regsmith::interrupts {

// One check box of the "Enable Interrupts" or "Interrupt Priority" page:
// checked means the bit is 1.
struct InterruptCheckBox {
    const char* group;    // caption of the group box holding it
    RegisterField field;  // its bit, with the check box's caption
    bool lin;             // the LIN interrupt: hidden on models without one
    int column;           // layout column of its group (0 left, 1 right)
};

extern const std::array<InterruptCheckBox, 16> kEnableCheckBoxes;
extern const std::array<InterruptCheckBox, 15> kPriorityCheckBoxes;

// One external interrupt's fields in IT01CF: the polarity (its choices
// caption the two radios) and the pin number (its name captions the group
// and names the pin list).
struct ExternalInterrupt {
    const char* polarityGroup;  // "/INT0 Polarity"
    RegisterField polarity;
    RegisterField pin;
};

extern const std::array<ExternalInterrupt, 2> kExternalInterrupts;

inline constexpr const char* kConfigurePortIOCaption = "Configure Port I/O";

// Tab titles of the three pages.
inline constexpr const char* kEnablePageTitle = "Enable Interrupts";
inline constexpr const char* kPriorityPageTitle = "Interrupt Priority";
inline constexpr const char* kInt01ConfigPageTitle = "INT0/INT1 Configuration";

// Whether the model has the LIN interrupt, and so shows the LIN group and
// check box.  Only the six odd catalogue ids hide them.
bool ShowsLinInterrupt(std::uint8_t deviceId);

// Pins offered for /INT0 and /INT1: P0.0-P0.5, plus P0.6 and P0.7 on the
// large package.  List position n is pin P0.n.
std::vector<std::string> ExternalInterruptPins(std::uint8_t deviceId);

// The controls of a check box page, built from its table.  boxes[i] and
// groups[i] belong to table[i]; several entries may share a group.
struct CheckBoxPageControls {
    std::vector<fw::CheckBox*> boxes;
    std::vector<fw::GroupBox*> groups;
};

// Adds the group boxes and check boxes of `table` to `root`, in two columns,
// each group once, in the order of the table.
CheckBoxPageControls BuildCheckBoxPage(fw::Container& root, std::span<const InterruptCheckBox> table);

// Hides or shows the LIN group and check box for the model.
void ApplyLinVisibility(const CheckBoxPageControls& controls, std::span<const InterruptCheckBox> table,
                        std::uint8_t deviceId);

// The controls of one external interrupt on the configuration page.
struct ExternalInterruptControls {
    fw::RadioButton* activeLow = nullptr;
    fw::RadioButton* activeHigh = nullptr;
    fw::DropDownList* pins = nullptr;
    fw::PushButton* configurePortIO = nullptr;
};

// Adds the polarity and pin groups of /INT0 (left) and /INT1 (right).
std::array<ExternalInterruptControls, 2> BuildInt01ConfigPage(fw::Container& root);

}  // namespace regsmith::interrupts

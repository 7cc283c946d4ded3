#include "pages/interrupts/interrupt_tables.h"

#include <map>
#include <string_view>

#include "fw/ui.h"
#include "model/catalogue.h"

namespace regsmith::interrupts {

// The enable page: the register bit of every interrupt source.  Left column
// the peripherals, right column the timers, the external interrupts and the
// rest.
const std::array<InterruptCheckBox, 16> kEnableCheckBoxes{{
    {"Global Interrupt Enable", "Enable All Interrupts   (If not checked, all interrupts are ignored)", reg::IE,
     0x80, false, 0},
    {"UART Interrupts", "Enable UART0 Interrupt", reg::IE, 0x10, false, 0},
    {"Comparator Interrupts", "Enable CP0 Rising Interrupt", reg::EIE1, 0x10, false, 0},
    {"Comparator Interrupts", "Enable CP0 Falling Interrupt", reg::EIE1, 0x08, false, 0},
    {"SPI Interrupts", "Enable SPI0 Interrupt", reg::IE, 0x40, false, 0},
    {"ADC Conversion Complete Interrupts", "Enable AD0INT Interrupt", reg::EIE1, 0x02, false, 0},
    {"Port Match Interrupts", "Enable Port Match Interrupt", reg::EIE1, 0x80, false, 0},
    {"LIN Interrupts", "Enable LIN Interrupt", reg::EIE1, 0x20, true, 0},
    {"Timer Interrupts", "Enable Timer 0 Interrupt", reg::IE, 0x02, false, 1},
    {"Timer Interrupts", "Enable Timer 1 Interrupt", reg::IE, 0x08, false, 1},
    {"Timer Interrupts", "Enable Timer 2 Interrupt", reg::IE, 0x20, false, 1},
    {"Timer Interrupts", "Enable /INT0 Interrupt", reg::IE, 0x01, false, 1},
    {"Timer Interrupts", "Enable /INT1 Interrupt", reg::IE, 0x04, false, 1},
    {"PCA Interrupts", "Enable PCA0 Interrupt", reg::EIE1, 0x04, false, 1},
    {"Window Comparison ADC Interrupts", "Enable AD0WINT Interrupt", reg::EIE1, 0x01, false, 1},
    {"Voltage Regulator Interrupts", "Enable Voltage Regulator Interrupt", reg::EIE1, 0x40, false, 1},
}};

// The priority page: checked is high priority.  There is no global priority,
// so the table has one row fewer than the enable page.
const std::array<InterruptCheckBox, 15> kPriorityCheckBoxes{{
    {"UART Interrupt Priority", "Set UART0 Priority High", reg::IP, 0x10, false, 0},
    {"Comparator Interrupt Priorities", "Set CP0 Rising Priority High", reg::EIP1, 0x10, false, 0},
    {"Comparator Interrupt Priorities", "Set CP0 Falling Priority High", reg::EIP1, 0x08, false, 0},
    {"SPI Interrupt Priority", "Set SPI0 Priority High", reg::IP, 0x40, false, 0},
    {"ADC Interrupt Priority", "Set AD0INT Priority High", reg::EIP1, 0x02, false, 0},
    {"Port Match Interrupt Priority", "Set Port Match Priority High", reg::EIP1, 0x80, false, 0},
    {"LIN Interrupt Priority", "Set LIN Priority High", reg::EIP1, 0x20, true, 0},
    {"Timer Interrupt Priorities", "Set Timer 0 Priority High", reg::IP, 0x02, false, 1},
    {"Timer Interrupt Priorities", "Set Timer 1 Priority High", reg::IP, 0x08, false, 1},
    {"Timer Interrupt Priorities", "Set Timer 2 Priority High", reg::IP, 0x20, false, 1},
    {"Timer Interrupt Priorities", "Set /INT0 Priority High", reg::IP, 0x01, false, 1},
    {"Timer Interrupt Priorities", "Set /INT1 Priority High", reg::IP, 0x04, false, 1},
    {"PCA Interrupt Priorities", "Set PCA0 Priority High", reg::EIP1, 0x04, false, 1},
    {"Window Comparison Interrupt Priority", "Set AD0WINT Priority High", reg::EIP1, 0x01, false, 1},
    {"Voltage Regulator Interrupt Priority", "Set Voltage Regulator Priority High", reg::EIP1, 0x40, false, 1},
}};

const std::array<ExternalInterrupt, 2> kExternalInterrupts{{
    {"/INT0 Polarity", "/INT0 Active Low", "/INT0 Active High", 0x08, "/INT0 Port Pin Selection", 0x07},
    {"/INT1 Polarity", "/INT1 Active Low", "/INT1 Active High", 0x80, "/INT1 Port Pin Selection", 0x70},
}};

bool ShowsLinInterrupt(std::uint8_t deviceId) {
    // Only the catalogue's odd ids hide them: an id the catalogue does not
    // know keeps every control.
    return FindModel(deviceId) == nullptr || HasLinInterrupt(deviceId);
}

std::vector<std::string> ExternalInterruptPins(std::uint8_t deviceId) {
    std::vector<std::string> pins{"P0.0", "P0.1", "P0.2", "P0.3", "P0.4", "P0.5"};
    if (IsLargePackage(deviceId)) {
        pins.push_back("P0.6");
        pins.push_back("P0.7");
    }
    return pins;
}

CheckBoxPageControls BuildCheckBoxPage(fw::Container& root, std::span<const InterruptCheckBox> table) {
    CheckBoxPageControls controls;
    fw::Container& columns = root.AddRow();
    fw::Container* column[2] = {&columns.AddColumn(), &columns.AddColumn()};
    std::map<std::string_view, fw::GroupBox*> groups;
    for (const InterruptCheckBox& row : table) {
        fw::GroupBox*& group = groups[row.group];
        if (!group) group = &column[row.column == 0 ? 0 : 1]->Add<fw::GroupBox>(row.group);
        controls.groups.push_back(group);
        controls.boxes.push_back(&group->Add<fw::CheckBox>(row.caption));
    }
    return controls;
}

void ApplyLinVisibility(const CheckBoxPageControls& controls, std::span<const InterruptCheckBox> table,
                        std::uint8_t deviceId) {
    const bool visible = ShowsLinInterrupt(deviceId);
    for (std::size_t i = 0; i < table.size() && i < controls.boxes.size(); ++i) {
        if (!table[i].lin) continue;
        controls.boxes[i]->Show(visible);
        controls.groups[i]->Show(visible);
    }
}

std::array<ExternalInterruptControls, 2> BuildInt01ConfigPage(fw::Container& root) {
    std::array<ExternalInterruptControls, 2> controls;
    fw::Container& columns = root.AddRow();
    for (std::size_t i = 0; i < kExternalInterrupts.size(); ++i) {
        const ExternalInterrupt& external = kExternalInterrupts[i];
        fw::Container& column = columns.AddColumn();
        auto& polarity = column.Add<fw::GroupBox>(external.polarityGroup);
        controls[i].activeLow = &polarity.Add<fw::RadioButton>(external.activeLow, "polarity");
        controls[i].activeHigh = &polarity.Add<fw::RadioButton>(external.activeHigh, "polarity");
        // The list has no label of its own: its group's caption names it.
        auto& pins = column.Add<fw::GroupBox>(external.pinGroup);
        controls[i].pins = &pins.Add<fw::DropDownList>();
        controls[i].configurePortIO = &pins.Add<fw::PushButton>(kConfigurePortIOCaption);
    }
    return controls;
}

}  // namespace regsmith::interrupts

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
    {"Global Interrupt Enable", field::IE_EA, false, 0},
    {"UART Interrupts", field::IE_ES0, false, 0},
    {"Comparator Interrupts", field::EIE1_ECPR, false, 0},
    {"Comparator Interrupts", field::EIE1_ECPF, false, 0},
    {"SPI Interrupts", field::IE_ESPI0, false, 0},
    {"ADC Conversion Complete Interrupts", field::EIE1_EADC0, false, 0},
    {"Port Match Interrupts", field::EIE1_EMAT, false, 0},
    {"LIN Interrupts", field::EIE1_ELIN, true, 0},
    {"Timer Interrupts", field::IE_ET0, false, 1},
    {"Timer Interrupts", field::IE_ET1, false, 1},
    {"Timer Interrupts", field::IE_ET2, false, 1},
    {"Timer Interrupts", field::IE_EX0, false, 1},
    {"Timer Interrupts", field::IE_EX1, false, 1},
    {"PCA Interrupts", field::EIE1_EPCA0, false, 1},
    {"Window Comparison ADC Interrupts", field::EIE1_EWADC0, false, 1},
    {"Voltage Regulator Interrupts", field::EIE1_EREG0, false, 1},
}};

// The priority page: checked is high priority.  There is no global priority,
// so the table has one row fewer than the enable page.
const std::array<InterruptCheckBox, 15> kPriorityCheckBoxes{{
    {"UART Interrupt Priority", field::IP_PS0, false, 0},
    {"Comparator Interrupt Priorities", field::EIP1_PCPR, false, 0},
    {"Comparator Interrupt Priorities", field::EIP1_PCPF, false, 0},
    {"SPI Interrupt Priority", field::IP_PSPI0, false, 0},
    {"ADC Interrupt Priority", field::EIP1_PADC0, false, 0},
    {"Port Match Interrupt Priority", field::EIP1_PMAT, false, 0},
    {"LIN Interrupt Priority", field::EIP1_PLIN, true, 0},
    {"Timer Interrupt Priorities", field::IP_PT0, false, 1},
    {"Timer Interrupt Priorities", field::IP_PT1, false, 1},
    {"Timer Interrupt Priorities", field::IP_PT2, false, 1},
    {"Timer Interrupt Priorities", field::IP_PX0, false, 1},
    {"Timer Interrupt Priorities", field::IP_PX1, false, 1},
    {"PCA Interrupt Priorities", field::EIP1_PPCA0, false, 1},
    {"Window Comparison Interrupt Priority", field::EIP1_PWADC0, false, 1},
    {"Voltage Regulator Interrupt Priority", field::EIP1_PREG0, false, 1},
}};

const std::array<ExternalInterrupt, 2> kExternalInterrupts{{
    {"/INT0 Polarity", field::IT01CF_IN0PL, field::IT01CF_IN0SL},
    {"/INT1 Polarity", field::IT01CF_IN1PL, field::IT01CF_IN1SL},
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
        controls.boxes.push_back(&group->Add<fw::CheckBox>(std::string(row.field.Caption())));
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
        const auto& levels = external.polarity.choices;
        controls[i].activeLow = &polarity.Add<fw::RadioButton>(std::string(levels[0].caption), "polarity");
        controls[i].activeHigh = &polarity.Add<fw::RadioButton>(std::string(levels[1].caption), "polarity");
        // The list has no label of its own: its group's caption names it.
        auto& pins = column.Add<fw::GroupBox>(std::string(external.pin.name));
        controls[i].pins = &pins.Add<fw::DropDownList>();
        controls[i].configurePortIO = &pins.Add<fw::PushButton>(kConfigurePortIOCaption);
    }
    return controls;
}

}  // namespace regsmith::interrupts

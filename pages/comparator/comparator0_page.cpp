#include "pages/comparator/comparator0_page.h"

#include "model/crossbar.h"
#include "view/sheet_commands.h"

namespace regsmith {

namespace {

// CPT0CN
constexpr std::uint8_t kEnable = 0x80;
constexpr std::uint8_t kPositiveHysteresis = 0x0C;
constexpr std::uint8_t kNegativeHysteresis = 0x03;
// CPT0MD
constexpr std::uint8_t kHighSpeed = 0x80;
constexpr std::uint8_t kRisingEdgeInterrupt = 0x20;
constexpr std::uint8_t kFallingEdgeInterrupt = 0x10;
constexpr std::uint8_t kResponseTime = 0x03;
// EIE1 of the interrupts block
constexpr std::uint8_t kEie1RisingEdge = 0x10;
constexpr std::uint8_t kEie1FallingEdge = 0x08;

std::vector<CDevicePage::RadioChoice> HysteresisChoices(int shift) {
    std::vector<CDevicePage::RadioChoice> choices;
    const char* const captions[] = {"Disabled", "5 mV", "10 mV", "20 mV"};
    for (int code = 0; code < 4; ++code)
        choices.push_back({captions[code], static_cast<std::uint8_t>(code << shift)});
    return choices;
}


}  // namespace

CComparator0PropPage::CComparator0PropPage(SheetContext& sheet)
    : CDevicePropPage(kComparator0PageTitle, sheet, kBlockComparator) {
    auto& columns = Root().AddRow();
    auto& left = columns.AddColumn();
    auto& right = columns.AddColumn();

    auto& enable = BindCheck(left.Add<fw::GroupBox>("Comparator Enable"), "Enable Comparator0", reg::CPT0CN, kEnable);
    Then(enable, [this, &enable] { SetSettlingWait(enable.IsChecked()); });

    auto& hysteresis = left.AddRow();
    BindRadios(hysteresis.Add<fw::GroupBox>("Positive Hysteresis:"), reg::CPT0CN, kPositiveHysteresis,
               HysteresisChoices(2));
    BindRadios(hysteresis.Add<fw::GroupBox>("Negative Hysteresis:"), reg::CPT0CN, kNegativeHysteresis,
               HysteresisChoices(0));

    // The response time (power mode) is written when the slider comes to rest.
    auto& response = left.Add<fw::GroupBox>("Comparator Response Time");
    auto& slider = response.Add<fw::Slider>();
    slider.SetRange(0, 3);
    Bind(
        slider, [this, &slider] { slider.SetValue(Value(reg::CPT0MD) & kResponseTime); },
        [this, &slider] { ReplaceBits(reg::CPT0MD, kResponseTime, static_cast<std::uint8_t>(slider.Value())); });
    auto& ends = response.AddRow();
    ends.Add<fw::StaticText>("Fastest Response Time");
    ends.Add<fw::StaticText>("Lowest Power Consumption").alignment = fw::Control::AlignRight;

    BindCheck(left.Add<fw::GroupBox>("High Speed Mode"), "Enable High Speed Analog Mode", reg::CPT0MD, kHighSpeed);

    auto& interrupts = right.Add<fw::GroupBox>("Comparator Interrupts");
    BindCheck(interrupts, "Enable Rising Edge Interrupt", reg::CPT0MD, kRisingEdgeInterrupt);
    BindCheck(interrupts, "Enable Falling Edge Interrupt", reg::CPT0MD, kFallingEdgeInterrupt);
    BindInterruptStatus(interrupts, "Rising Edge", reg::EIE1, kEie1RisingEdge);
    BindInterruptStatus(interrupts, "Falling Edge", reg::EIE1, kEie1FallingEdge);
    AddNestedSheetButton(interrupts, "Configure CP Interrupts", NestedSheet::Interrupts);

    auto& selection = right.Add<fw::GroupBox>("Input Selection");
    BindInputList(selection, inputs_[0], "Positive Input:");
    BindInputList(selection, inputs_[1], "Negative Input:");

    auto& crossbar = right.Add<fw::GroupBox>("Comparator on the Crossbar");
    BindCrossbarStatus(crossbar, "CP0", CrossbarPeripheral::Cp0);
    BindCrossbarStatus(crossbar, "CP0A", CrossbarPeripheral::Cp0A);
    AddNestedSheetButton(crossbar, "Configure Port I/O", NestedSheet::PortIO);
    AddSummaryBox(Root());
}

void CComparator0PropPage::BindInputList(fw::Container& parent, InputList& input, const char* label) {
    // The inputs of the package.  A stored code without an item (a reserved
    // code, or a pin the package lacks) shows no selection and stays until
    // the user picks an input.
    input.inputs = ComparatorInputs(input.positive, Sheet().Document().deviceId);
    std::vector<ListChoice> items;
    for (const ComparatorInput& choice : input.inputs) items.push_back({choice.item, choice.code});
    BindList(parent, label, reg::CPT0MX, input.mask, std::move(items));
    const int shift = input.positive ? 0 : 4;
    BindStatus(parent, [this, &input, shift] {
        return ComparatorInputStatus(input.inputs, static_cast<std::uint8_t>((Value(reg::CPT0MX) & input.mask) >> shift),
                                     Copy(kBlockPortIO));
    });
}

void CComparator0PropPage::SetSettlingWait(bool enabled) {
    SetWaitTexts(reg::CPT0CN, enabled, kComparatorWaitC, kComparatorWaitAsm);
}

void CComparator0PropPage::ResetPage() {
    ResetRegisters();
    SetSettlingWait(false);
}

}  // namespace regsmith

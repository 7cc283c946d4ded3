#include "pages/comparator/comparator0_page.h"

#include "model/crossbar.h"
#include "view/sheet_commands.h"

namespace regsmith {

CComparator0PropPage::CComparator0PropPage(SheetContext& sheet)
    : CDevicePropPage(kComparator0PageTitle, sheet, kBlockComparator) {
    auto& columns = Root().AddRow();
    auto& left = columns.AddColumn();
    auto& right = columns.AddColumn();

    auto& enable = BindCheck(left.Add<fw::GroupBox>("Comparator Enable"), field::CPT0CN_CP0EN);
    Then(enable, [this, &enable] { SetSettlingWait(enable.IsChecked()); });

    auto& hysteresis = left.AddRow();
    BindRadios(hysteresis.Add<fw::GroupBox>("Positive Hysteresis:"), field::CPT0CN_CP0HYP);
    BindRadios(hysteresis.Add<fw::GroupBox>("Negative Hysteresis:"), field::CPT0CN_CP0HYN);

    // The response time (power mode) is written when the slider comes to rest.
    auto& response = left.Add<fw::GroupBox>("Comparator Response Time");
    auto& slider = response.Add<fw::Slider>();
    slider.SetRange(0, 3);
    Bind(
        slider, [this, &slider] { slider.SetValue(Bits(field::CPT0MD_CP0MD)); },
        [this, &slider] { ReplaceBits(field::CPT0MD_CP0MD, static_cast<std::uint8_t>(slider.Value())); });
    auto& ends = response.AddRow();
    ends.Add<fw::StaticText>("Fastest Response Time");
    ends.Add<fw::StaticText>("Lowest Power Consumption").alignment = fw::Control::AlignRight;

    BindCheck(left.Add<fw::GroupBox>("High Speed Mode"), field::CPT0MD_CP0HSE);

    auto& interrupts = right.Add<fw::GroupBox>("Comparator Interrupts");
    BindCheck(interrupts, field::CPT0MD_CP0RIE);
    BindCheck(interrupts, field::CPT0MD_CP0FIE);
    BindInterruptStatus(interrupts, "Rising Edge", field::EIE1_ECPR);
    BindInterruptStatus(interrupts, "Falling Edge", field::EIE1_ECPF);
    AddNestedSheetButton(interrupts, "Configure CP Interrupts", NestedSheet::Interrupts);

    auto& selection = right.Add<fw::GroupBox>("Input Selection");
    // The inputs of the package: the even pins are positive inputs, the odd ones negative.
    BindInputList(selection, "Positive Input:", field::CPT0MX_CMX0P, ComparatorInputs(true, DeviceId()),
                  "No Pin Selected");
    BindInputList(selection, "Negative Input:", field::CPT0MX_CMX0N, ComparatorInputs(false, DeviceId()),
                  "No Pin Selected");

    auto& crossbar = right.Add<fw::GroupBox>("Comparator on the Crossbar");
    BindCrossbarStatus(crossbar, "CP0", CrossbarPeripheral::Cp0);
    BindCrossbarStatus(crossbar, "CP0A", CrossbarPeripheral::Cp0A);
    AddNestedSheetButton(crossbar, "Configure Port I/O", NestedSheet::PortIO);
    AddSummaryBox(Root());
}

void CComparator0PropPage::SetSettlingWait(bool enabled) {
    SetWait(reg::CPT0CN, Fragment::ComparatorWait, enabled);
}

void CComparator0PropPage::ResetPage() {
    ResetRegisters();
    SetSettlingWait(false);
}

}  // namespace regsmith

#include "pages/supply/voltage_ref_page.h"

#include "model/analog_inputs.h"
#include "model/crossbar.h"
#include "view/sheet_commands.h"

namespace regsmith {

std::string VrefPinStatus(const PeripheralBlock& portIO) {
    return PinStatus(portIO, kVrefPin, PinName(kVrefPin), true, " for VREF");
}

CVoltageRefPropPage::CVoltageRefPropPage(SheetContext& sheet)
    : CDevicePropPage(kVoltageReferencePageTitle, sheet, kBlockVoltageReference) {
    auto& select = Root().Add<fw::GroupBox>("Voltage Reference Select");
    BindRadios(select, field::REF0CN_REFSL);
    // The pin matters only while the reference comes from it.
    BindStatus(select, [this] {
        return TestBits(field::REF0CN_REFSL) ? std::string() : VrefPinStatus(Copy(kBlockPortIO));
    });
    auto& configure = AddNestedSheetButton(select, "Configure Port I/O", NestedSheet::PortIO);
    BindUpdate([this, &configure] {
        configure.Enable(!TestBits(field::REF0CN_REFSL) && NestedSheetAvailable(NestedSheet::PortIO));
    });

    auto& bias = Root().AddRow();
    BindRadios(bias.Add<fw::GroupBox>("Zero TempCo Bias Enable"), field::REF0CN_ZTCEN);
    BindRadios(bias.Add<fw::GroupBox>("Output Level Select"), field::REF0CN_REFLV);
    BindCheck(Root().Add<fw::GroupBox>("Temperature Sensor"), field::REF0CN_TEMPE);
    BindCheck(Root().Add<fw::GroupBox>("Internal Analog Bias Generator"), field::REF0CN_BIASE);
    BindCheck(Root().Add<fw::GroupBox>("Internal Reference Buffer"), field::REF0CN_REFBE);
    AddSummaryBox(Root());
}

}  // namespace regsmith

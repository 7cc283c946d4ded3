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
    BindRadios(select, reg::REF0CN, kRefSelectRegulator, {{"VREF", 0x00}, {"Vregout", kRefSelectRegulator}});
    // The pin matters only while the reference comes from it.
    BindStatus(select, [this] {
        return TestBits(reg::REF0CN, kRefSelectRegulator) ? std::string() : VrefPinStatus(Copy(kBlockPortIO));
    });
    auto& configure = AddNestedSheetButton(select, "Configure Port I/O", NestedSheet::PortIO);
    BindUpdate([this, &configure] {
        configure.Enable(!TestBits(reg::REF0CN, kRefSelectRegulator) && NestedSheetAvailable(NestedSheet::PortIO));
    });

    auto& bias = Root().AddRow();
    BindRadios(bias.Add<fw::GroupBox>("Zero TempCo Bias Enable"), reg::REF0CN, kRefZeroTcOn,
               {{"ZeroTC auto-enable", 0x00}, {"ZeroTC is on", kRefZeroTcOn}});
    BindRadios(bias.Add<fw::GroupBox>("Output Level Select"), reg::REF0CN, kRefLevelHigh,
               {{"1.5V", 0x00}, {"2.25V", kRefLevelHigh}});
    BindCheck(Root().Add<fw::GroupBox>("Temperature Sensor"), "Enable Temperature Sensor", reg::REF0CN,
              kRefTemperatureSensor);
    BindCheck(Root().Add<fw::GroupBox>("Internal Analog Bias Generator"), "Enable Internal Bias Generator",
              reg::REF0CN, kRefBiasGenerator);
    BindCheck(Root().Add<fw::GroupBox>("Internal Reference Buffer"), "Enable Internal Reference Buffer", reg::REF0CN,
              kRefBuffer);
    AddSummaryBox(Root());
}

}  // namespace regsmith

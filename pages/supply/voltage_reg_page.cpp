#include "pages/supply/voltage_reg_page.h"

namespace regsmith {

CVoltageRegPropPage::CVoltageRegPropPage(SheetContext& sheet)
    : CDevicePropPage(kVoltageRegulatorPageTitle, sheet, kBlockVoltageRegulator) {
    constexpr std::uint8_t kOutputHigh = 0x10, kDisabled = 0x80;
    BindRadios(Root().Add<fw::GroupBox>("Voltage Regulator Mode Select"), reg::REG0CN, kOutputHigh,
               {{"Voltage Regulator Output is 2.0V", 0x00}, {"Voltage Regulator Output is 2.5V", kOutputHigh}});
    BindCheck(Root().Add<fw::GroupBox>("Voltage Regulator Disable"), "Disable Voltage Regulator", reg::REG0CN,
              kDisabled);
    AddSummaryBox(Root());
}

}  // namespace regsmith

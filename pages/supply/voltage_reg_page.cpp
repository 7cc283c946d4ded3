#include "pages/supply/voltage_reg_page.h"

namespace regsmith {

CVoltageRegPropPage::CVoltageRegPropPage(SheetContext& sheet)
    : CDevicePropPage(kVoltageRegulatorPageTitle, sheet, kBlockVoltageRegulator) {
    BindRadios(Root().Add<fw::GroupBox>("Voltage Regulator Mode Select"), field::REG0CN_REG0MD);
    BindCheck(Root().Add<fw::GroupBox>("Voltage Regulator Disable"), field::REG0CN_REGDIS);
    AddSummaryBox(Root());
}

}  // namespace regsmith

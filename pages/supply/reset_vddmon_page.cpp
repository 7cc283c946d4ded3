#include "pages/supply/reset_vddmon_page.h"

#include "pages/supply/reset_source_rules.h"
#include "view/sheet_commands.h"

namespace regsmith {

CResetVDDMonPropPage::CResetVDDMonPropPage(SheetContext& sheet)
    : CDevicePropPage(kVddMonitorPageTitle, sheet, kBlockResetSources),
      comparatorResetSource_(sheet.Block(kBlockComparatorReset)) {
    auto& enable = BindCheck(Root().Add<fw::GroupBox>("VDD Monitor"), "Enable VDD Monitor", reg::VDM0CN, kVdmEnable);
    Then(enable, [this, &enable] {
        if (enable.IsChecked()) {
            Block().cPrologue = kLoopCounterDeclarationC;
        } else {
            // A stopped monitor cannot reset the device.
            Block().cPrologue.clear();
            SetBits(false, reg::RSTSRC, kRstsrcVddMonitor);
        }
    });
    BindRadios(Root().Add<fw::GroupBox>("VDD Level Select"), reg::VDM0CN, kVdmThresholdHigh,
               {{"VDD Threshold is set to VRST-LOW", 0x00}, {"VDD Threshold is set to VRST-HIGH", kVdmThresholdHigh}});
    AddSummaryBox(Root());
}

void CResetVDDMonPropPage::ResetPage() { ResetResetSourceRegisters(*this, comparatorResetSource_); }

}  // namespace regsmith

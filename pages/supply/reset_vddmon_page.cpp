#include "pages/supply/reset_vddmon_page.h"

#include "pages/supply/reset_source_rules.h"
#include "view/sheet_commands.h"

namespace regsmith {

CResetVDDMonPropPage::CResetVDDMonPropPage(SheetContext& sheet)
    : CDevicePropPage(kVddMonitorPageTitle, sheet, kBlockResetSources),
      comparatorResetSource_(sheet.Block(kBlockComparatorReset)) {
    auto& enable = BindCheck(Root().Add<fw::GroupBox>("VDD Monitor"), field::VDM0CN_VDMEN);
    Then(enable, [this, &enable] {
        if (enable.IsChecked()) {
            Block().cPrologue = kLoopCounterDeclarationC;
        } else {
            // A stopped monitor cannot reset the device.
            Block().cPrologue.clear();
            SetBits(false, field::RSTSRC_PORSF);
        }
    });
    BindRadios(Root().Add<fw::GroupBox>("VDD Level Select"), field::VDM0CN_VDMLVL);
    AddSummaryBox(Root());
}

void CResetVDDMonPropPage::ResetPage() { ResetResetSourceRegisters(*this, comparatorResetSource_); }

}  // namespace regsmith

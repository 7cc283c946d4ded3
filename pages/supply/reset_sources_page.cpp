#include "pages/supply/reset_sources_page.h"

#include "pages/supply/reset_source_rules.h"
#include "view/sheet_commands.h"

namespace regsmith {

CResetSourcesPropPage::CResetSourcesPropPage(SheetContext& sheet)
    : CDevicePropPage(kResetSourcesPageTitle, sheet, kBlockResetSources),
      comparatorResetSource_(sheet.Block(kBlockComparatorReset)) {
    auto& comparator = Root().Add<fw::GroupBox>("Comparator");
    auto& comparatorReset =
        BindCheck(comparator, "Enable Comparator 0 as an Active-Low Reset Source", reg::RSTSRC, kRstsrcComparator);
    Then(comparatorReset, [this, &comparatorReset] {
        SetBitsIn(comparatorResetSource_, comparatorReset.IsChecked(), reg::RSTSRC, kRstsrcComparator);
    });
    // A disabled comparator may still be chosen; the text tells the user.
    BindStatus(comparator, [this] {
        return TestBits(Copy(kBlockComparator), reg::CPT0CN, kComparatorEnable) ? "Comparator0 is Enabled"
                                                                                : "Comparator0 is Disabled";
    });
    AddNestedSheetButton(comparator, "Configure Comparator0", NestedSheet::Comparator);

    auto& vddMonitorReset = BindCheck(Root().Add<fw::GroupBox>("VDD Monitor"), "Enable VDD Monitor as a Reset Source",
                                      reg::RSTSRC, kRstsrcVddMonitor);
    // Only a running VDD monitor can reset the device.
    BindUpdate([this, &vddMonitorReset] { vddMonitorReset.Enable(TestBits(reg::VDM0CN, kVdmEnable)); });

    BindCheck(Root().Add<fw::GroupBox>("Missing Clock Detector"), "Enable Missing Clock Detector", reg::RSTSRC,
              kRstsrcMissingClock);
    AddSummaryBox(Root());
}

void CResetSourcesPropPage::BeforeLoad() {
    const ResetSourceBytes bytes =
        EnterResetSources({Value(reg::RSTSRC), ValueOf(comparatorResetSource_, reg::RSTSRC)});
    SetValue(reg::RSTSRC, bytes.resetSources);
}

void CResetSourcesPropPage::OnOK() {
    const ResetSourceBytes bytes =
        MoveComparatorResetSource({Value(reg::RSTSRC), ValueOf(comparatorResetSource_, reg::RSTSRC)});
    SetValue(reg::RSTSRC, bytes.resetSources);
    ReplaceBitsIn(comparatorResetSource_, reg::RSTSRC, 0xFF, bytes.comparatorResetSource);
}

void CResetSourcesPropPage::ResetPage() { ResetResetSourceRegisters(*this, comparatorResetSource_); }

}  // namespace regsmith

#include "pages/supply/reset_sources_page.h"

#include "pages/supply/reset_source_rules.h"
#include "view/sheet_commands.h"

namespace regsmith {

CResetSourcesPropPage::CResetSourcesPropPage(SheetContext& sheet)
    : CDevicePropPage(kResetSourcesPageTitle, sheet, kBlockResetSources),
      comparatorResetSource_(sheet.Block(kBlockComparatorReset)) {
    auto& comparator = Root().Add<fw::GroupBox>("Comparator");
    auto& comparatorReset =
        BindCheck(comparator, field::RSTSRC_C0RSEF);
    Then(comparatorReset, [this, &comparatorReset] {
        SetBitsIn(comparatorResetSource_, comparatorReset.IsChecked(), reg::RSTSRC, field::RSTSRC_C0RSEF.mask);
    });
    // A disabled comparator may still be chosen; the text tells the user.
    BindStatus(comparator, [this] {
        return TestBits(Copy(kBlockComparator), field::CPT0CN_CP0EN) ? "Comparator0 is Enabled"
                                                                                : "Comparator0 is Disabled";
    });
    AddNestedSheetButton(comparator, "Configure Comparator0", NestedSheet::Comparator);

    auto& vddMonitorReset = BindCheck(Root().Add<fw::GroupBox>("VDD Monitor"), field::RSTSRC_PORSF);
    // Only a running VDD monitor can reset the device.
    BindUpdate([this, &vddMonitorReset] { vddMonitorReset.Enable(TestBits(field::VDM0CN_VDMEN)); });

    BindCheck(Root().Add<fw::GroupBox>("Missing Clock Detector"), field::RSTSRC_MCDRSF);
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
    if (RegisterEntry* rstsrc = EntryOf(comparatorResetSource_, reg::RSTSRC)) rstsrc->value = bytes.comparatorResetSource;
}

void CResetSourcesPropPage::ResetPage() { ResetResetSourceRegisters(*this, comparatorResetSource_); }

}  // namespace regsmith

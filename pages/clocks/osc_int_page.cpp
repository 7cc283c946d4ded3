#include "pages/clocks/osc_int_page.h"

#include "pages/clocks/sysclk_rules.h"
#include "view/sheet_commands.h"

namespace regsmith {

using namespace clocks;

COscIntPropPage::COscIntPropPage(SheetContext& sheet) : COscillatorPage(kInternalOscillatorPageTitle, sheet) {
    auto& enable = Root().Add<fw::GroupBox>("Internal Oscillator Enable");
    // The power mode does not change SYSCLK.
    BindRadios(enable, field::OSCICN_IOSCEN);

    auto& divider = Root().Add<fw::GroupBox>("Frequency Derived From");
    const auto dividers = BindRadios(divider, field::OSCICN_IFCN);
    for (fw::RadioButton* radio : dividers) Then(*radio, [this] { InternalSysclkUpdate(); });
    AddSummaryBox(Root());
}

void COscIntPropPage::InternalSysclkUpdate() {
    if (ExternalIsSysclk()) return;
    Clocks().sysclk = InternalSysclk(InternalFrequency(), Value(reg::OSCICN));
}

}  // namespace regsmith

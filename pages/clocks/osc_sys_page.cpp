#include "pages/clocks/osc_sys_page.h"

#include "pages/clocks/sysclk_rules.h"
#include "view/sheet_commands.h"

namespace regsmith {

using namespace clocks;

COscSysPropPage::COscSysPropPage(SheetContext& sheet) : COscillatorPage(kSysclkSelectPageTitle, sheet) {
    auto& source = Root().Add<fw::GroupBox>("SYSCLK Source");
    auto radios = BindRadios(source, field::CLKSEL_CLKSL);
    auto& divide = Root().Add<fw::GroupBox>("Output /SYSCLK Divide Value");
    // The output divider does not change SYSCLK, but its click recomputes it
    // as every click on this page does.
    const auto dividers = BindRadios(divide, field::CLKSEL_CLKDIV);
    radios.insert(radios.end(), dividers.begin(), dividers.end());
    for (fw::RadioButton* radio : radios) Then(*radio, [this] { Clocks().sysclk = ComputedSysclk(); });

    auto& speed = Root().AddRow();
    BindDisplay(speed, "SYSCLK Speed", [this] { return std::to_string(Clocks().sysclk); });
    speed.Add<fw::StaticText>("Hz");
    AddSummaryBox(Root());
}

}  // namespace regsmith

#include "pages/clocks/osc_int_page.h"

#include "pages/clocks/sysclk_rules.h"
#include "view/sheet_commands.h"

namespace regsmith {

using namespace clocks;

COscIntPropPage::COscIntPropPage(SheetContext& sheet) : COscillatorPage(kInternalOscillatorPageTitle, sheet) {
    auto& enable = Root().Add<fw::GroupBox>("Internal Oscillator Enable");
    // The power mode does not change SYSCLK.
    BindRadios(enable, reg::OSCICN, kInternalEnableMask,
               {{"Disable Internal Oscillator", 0x00},
                {"Enable Internal Oscillator in Ultra Low Power Mode", 0x40},
                {"Enable Internal Oscillator in Very Low Power Mode", 0x80},
                {"Enable Internal Oscillator in Low Power Mode", 0xC0}});

    auto& divider = Root().Add<fw::GroupBox>("Frequency Derived From");
    const auto dividers = BindRadios(divider, reg::OSCICN, kInternalDividerMask,
                                     {{"Internal Oscillator / 128  (191,406 Hz)", 0},
                                      {"Internal Oscillator / 64  (382,812 Hz)", 1},
                                      {"Internal Oscillator / 32  (765,625 Hz)", 2},
                                      {"Internal Oscillator / 16  (1,531,250 Hz)", 3},
                                      {"Internal Oscillator / 8  (3.0625 MHz)", 4},
                                      {"Internal Oscillator / 4  (6.125 MHz)", 5},
                                      {"Internal Oscillator / 2  (12.25 MHz)", 6},
                                      {"Internal Oscillator / 1  (24.5 MHz)", 7}});
    for (fw::RadioButton* radio : dividers) Then(*radio, [this] { InternalSysclkUpdate(); });
    AddSummaryBox(Root());
}

void COscIntPropPage::InternalSysclkUpdate() {
    if (ExternalIsSysclk()) return;
    Clocks().sysclk = InternalSysclk(InternalFrequency(), Value(reg::OSCICN));
}

}  // namespace regsmith

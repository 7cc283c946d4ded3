#pragma once
// "SYSCLK Select": which oscillator is SYSCLK and the divider of the /SYSCLK
// output (CLKSEL), with the resulting SYSCLK.  Entering the page or clicking
// on it always sets `sysclk`.

#include "pages/clocks/oscillator_page.h"

namespace regsmith {

class COscSysPropPage : public COscillatorPage {
public:
    explicit COscSysPropPage(SheetContext& sheet);

private:
    void AfterLoad() override { Clocks().sysclk = ComputedSysclk(); }
};

}  // namespace regsmith

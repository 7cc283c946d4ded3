#pragma once
// "Internal Oscillator": the internal oscillator's enable and power mode and
// the divider that SYSCLK takes from it (OSCICN).  While the internal
// oscillator is SYSCLK, choosing a divider sets `sysclk` at once.

#include "pages/clocks/oscillator_page.h"

namespace regsmith {

class COscIntPropPage : public COscillatorPage {
public:
    explicit COscIntPropPage(SheetContext& sheet);

private:
    // Entering the page also brings `sysclk` up to date.
    void AfterLoad() override { InternalSysclkUpdate(); }
    // Nothing happens while the external oscillator is SYSCLK.
    void InternalSysclkUpdate();
};

}  // namespace regsmith

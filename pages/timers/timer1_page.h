#pragma once
// "Timer 1": mode, clock source and gate of timer 1 (TMOD bits 7-4, CKCON
// bit 3, TCON bits 6 and 2), the prescaler it shares with timer 0, TH1 and
// TL1, and the UART0 baud rate timer 1 gives, with the "Calculate Baud Rate"
// dialog.  The UART0 page opens this page alone in a nested "Timers" sheet.

#include "pages/timers/timer01_page.h"

namespace regsmith {

class CTimer1PropPage : public CTimer01Page {
public:
    explicit CTimer1PropPage(SheetContext& sheet);

private:
    void AfterLoad() override;
    void OnClockSourceChosen(ClockSource source) override;
    // "Change Baud Rate": the dialog, then, when a proposal was accepted,
    // timer 1 as an 8-bit auto-reload baud-rate generator: stopped, not
    // gated, /INT1 level triggered, and those controls greyed from then on.
    void ChangeBaudRate();

    bool baudRateSet_ = false;
};

}  // namespace regsmith

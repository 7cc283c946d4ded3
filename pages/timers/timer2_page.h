#pragma once
// "Timer 2": one 16-bit or two 8-bit auto-reload timers (TMR2CN), the clock
// of each half (CKCON bits 4 and 5, and TMR2CN bit 0, which both halves
// share), the low-byte overflow interrupt, the capture mode, and the count
// and reload registers.

#include <array>

#include "view/device_page.h"

namespace regsmith {

class CTimer2PropPage : public CDevicePropPage {
public:
    explicit CTimer2PropPage(SheetContext& sheet);

private:
    enum Clock : int { Sysclk = 0, Sysclk12 = 1, ExternalOsc8 = 2 };
    struct Half {
        RegisterField sysclk;  // CKCON
        std::array<fw::RadioButton*, 3> radios{};
    };

    void AfterLoad() override;
    void OnModeChosen(bool split);
    // A clock radio of one half: its CKCON bit, the shared TMR2CN bit 0 for
    // the divided clocks, and the same divided clock shown on the other half
    // unless that half runs from SYSCLK.
    void OnClockChosen(Half& half, Half& other, Clock clock);
    Clock StoredClock(const Half& half) const;
    void EnableHigh(bool enabled);

    Half low_{field::CKCON_T2ML, {}};
    Half high_{field::CKCON_T2MH, {}};
};

}  // namespace regsmith

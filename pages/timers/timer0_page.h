#pragma once
// "Timer 0": mode, clock source and gate of timer 0 (TMOD bits 3-0, CKCON
// bit 2, TCON bits 4 and 0), the prescaler it shares with timer 1, TH0 and
// TL0, and in mode 3 the TH0 half (its run bit is timer 1's TCON bit 6).

#include "pages/timers/timer01_page.h"

namespace regsmith {

class CTimer0PropPage : public CTimer01Page {
public:
    explicit CTimer0PropPage(SheetContext& sheet);

private:
    void AfterLoad() override;
    void OnClockSourceChosen(ClockSource source) override;
    void OnModeChosen(std::size_t mode);
    void OnTh0ClockChosen(bool sysclk);
    void EnableTh0Controls(bool enabled);

    fw::CheckBox* th0Enable_ = nullptr;
    fw::RadioButton* th0Sysclk_ = nullptr;
    fw::RadioButton* th0Prescaled_ = nullptr;
};

}  // namespace regsmith

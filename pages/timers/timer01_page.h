#pragma once
// What the "Timer 0" and "Timer 1" pages share: the mode radios, the clock
// source radios, the prescaler that both timers share (CKCON bits 1-0), the
// run, gate and /INTn controls, the interrupt status and the two value
// fields.  Each page adds its own rules for the clock source radios.

#include <array>
#include <cstdint>
#include <string>

#include "view/device_page.h"

namespace regsmith {

inline constexpr const char* kTimer0PageTitle = "Timer 0";
inline constexpr const char* kTimer1PageTitle = "Timer 1";
inline constexpr const char* kTimer2PageTitle = "Timer 2";

// Everything in which the two pages differ: their register fields (whose
// captions and choices the controls show) and a few captions of their own.
struct Timer01Setup {
    const char* title;
    RegisterField mode;       // TMOD: the mode radios
    const char* clockGroup;
    const char* configureExternalCaption;  // "Configure External T0"
    RegisterField counter;    // TMOD: counts external pulses ("External T0")
    RegisterField sysclk;     // CKCON: clocked by SYSCLK
    RegisterField run;        // TCON
    RegisterField gate;       // TMOD
    RegisterField trigger;    // TCON: level or edge
    const char* configurePinsCaption;
    const char* pinTextPrefix;  // "/INT0 is on "
    RegisterField pin;        // IT01CF
    RegisterField interrupt;  // IE
    const char* interruptSource;  // "Timer 0" (Interrupt is Enabled/Disabled)
    const char* highLabel;
    int highEntry;
    const char* lowLabel;
    int lowEntry;
};

class CTimer01Page : public CDevicePropPage {
public:
    CTimer01Page(const Timer01Setup& setup, SheetContext& sheet);

protected:
    enum class ClockSource { Sysclk, Prescaled, External };

    // The clock source the registers say: external pulses, SYSCLK, or the prescaler.
    ClockSource StoredClockSource() const;
    // CKCON bits 1-0 := 00 with "SYSCLK / 12" shown, and the four prescaler
    // radios greyed: what a clock source that does not use the prescaler
    // leaves it at (timer 0 and timer 1 share it).
    void ForcePrescalerDivideBy12();
    void EnablePrescaler(bool enabled);
    // Whether TMOD holds mode `index` (0 to 3) of the page's timer.
    bool ModeIs(std::size_t index) const;

    void AfterLoad() override;
    // Each page's rules for its clock source radios.
    virtual void OnClockSourceChosen(ClockSource source) = 0;

    const Timer01Setup& setup_;
    std::array<fw::RadioButton*, 4> modes_{};
    std::array<fw::RadioButton*, 4> prescaler_{};
    std::array<fw::RadioButton*, 3> clockSources_{};  // SYSCLK, prescaled, external
    fw::GroupBox* control_ = nullptr;   // "Timer Control"
    fw::CheckBox* gate_ = nullptr;
    std::array<fw::RadioButton*, 2> trigger_{};  // level, edge
    fw::PushButton* configurePins_ = nullptr;
    fw::Container* left_ = nullptr;
    fw::Container* right_ = nullptr;
};

}  // namespace regsmith

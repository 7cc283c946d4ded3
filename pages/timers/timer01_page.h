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

// CKCON bits 1-0: the prescaler of timers 0 and 1.
inline constexpr std::uint8_t kPrescalerMask = 0x03;

// Everything in which the two pages differ only by register bit or caption.
struct Timer01Setup {
    const char* title;
    std::uint8_t modeMask;                     // TMOD bits 1-0 or 5-4
    std::array<const char*, 4> modeCaptions;   // modes 00, 01, 10, 11
    const char* clockGroup;
    const char* externalCaption;               // "External T0"
    const char* configureExternalCaption;      // "Configure External T0"
    std::uint8_t counterBit;                   // TMOD: counts external pulses
    std::uint8_t sysclkBit;                    // CKCON: clocked by SYSCLK
    const char* runCaption;
    std::uint8_t runBit;                       // TCON
    const char* gateCaption;
    std::uint8_t gateBit;                      // TMOD
    const char* levelCaption;
    const char* edgeCaption;
    std::uint8_t triggerBit;                   // TCON: 1 edge
    const char* configurePinsCaption;
    const char* pinTextPrefix;                 // "/INT0 is on "
    std::uint8_t pinMask;                      // IT01CF
    std::uint8_t interruptBit;                 // IE
    const char* interruptSource;               // "Timer 0" (Interrupt is Enabled/Disabled)
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
    bool ModeIs(std::uint8_t modeBits) const;

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

#include "pages/timers/timer0_page.h"

namespace regsmith {

namespace {

constexpr std::uint8_t kMode3 = 0x03;
constexpr std::uint8_t kTh0RunBit = 0x40;   // TCON: timer 1's run bit runs TH0 in mode 3
constexpr std::uint8_t kT0CounterBit = 0x04;
constexpr std::uint8_t kT0SysclkBit = 0x04;

const Timer01Setup kTimer0{
    kTimer0PageTitle,
    0x03,
    {"13 Bit Counter/Timer", "16 Bit Counter/Timer", "8 Bit Counter/Timer Auto-Reload", "Two 8 Bit Counter/Timers"},
    "Clock Source (TL0 in Mode 3)",
    "External T0",
    "Configure External T0",
    kT0CounterBit,
    kT0SysclkBit,
    "Enable Timer (TL0 in Mode 3)",
    0x10,
    "Gate Timer Depending on /INT0",
    0x08,
    "/INT0 is Level Triggered",
    "/INT0 is Edge Triggered",
    0x01,
    "Configure /INT0 Ports",
    "/INT0 is on ",
    0x07,
    0x02,
    "Timer 0",
    "TH0 (High Byte - Reload Val in Mode 2):",
    reg::TH0,
    "TL0 (Low Byte):",
    reg::TL0,
};

}  // namespace

CTimer0PropPage::CTimer0PropPage(SheetContext& sheet) : CTimer01Page(kTimer0, sheet) {
    for (std::size_t i = 0; i < modes_.size(); ++i)
        Then(*modes_[i], [this, i] { OnModeChosen(static_cast<std::uint8_t>(i)); });

    // The TH0 half of mode 3.  Outside mode 3 the box keeps what it showed:
    // TCON bit 6 is then timer 1's run bit.
    th0Enable_ = &control_->Add<fw::CheckBox>("Enable Timer TH0 (Mode 3 Only)");
    Bind(
        *th0Enable_,
        [this] {
            if (ModeIs(kMode3)) th0Enable_->SetChecked(TestBits(reg::TCON, kTh0RunBit));
        },
        [this] {
            SetBits(th0Enable_->IsChecked(), reg::TCON, kTh0RunBit);
            th0Sysclk_->Enable(th0Enable_->IsChecked());
            th0Prescaled_->Enable(th0Enable_->IsChecked());
        });
    th0Sysclk_ = &control_->Add<fw::RadioButton>("SYSCLK", "TH0 clock");
    th0Prescaled_ = &control_->Add<fw::RadioButton>("Prescaled Clock Input (Left)", "TH0 clock");
    Bind(
        *th0Sysclk_, [this] { if (ModeIs(kMode3) && TestBits(reg::CKCON, kT0SysclkBit)) th0Sysclk_->SetChecked(true); },
        [this] { OnTh0ClockChosen(true); });
    Bind(
        *th0Prescaled_,
        [this] { if (!ModeIs(kMode3) || !TestBits(reg::CKCON, kT0SysclkBit)) th0Prescaled_->SetChecked(true); },
        [this] { OnTh0ClockChosen(false); });
    AddSummaryBox(Root());
}

void CTimer0PropPage::AfterLoad() {
    CTimer01Page::AfterLoad();
    EnableTh0Controls(ModeIs(kMode3));
}

void CTimer0PropPage::EnableTh0Controls(bool enabled) {
    th0Enable_->Enable(enabled);
    th0Sysclk_->Enable(enabled);
    th0Prescaled_->Enable(enabled);
}

void CTimer0PropPage::OnModeChosen(std::uint8_t modeBits) {
    EnableTh0Controls(modeBits == kMode3);
    if (modeBits == 0x01 || modeBits == 0x02) th0Prescaled_->SetChecked(true);
}

void CTimer0PropPage::OnClockSourceChosen(ClockSource source) {
    switch (source) {
        case ClockSource::Sysclk:
            ReplaceBits(reg::TMOD, kT0CounterBit, 0x00);
            SetBits(true, reg::CKCON, kT0SysclkBit);
            th0Sysclk_->SetChecked(true);
            ForcePrescalerDivideBy12();
            break;
        case ClockSource::Prescaled:
            ReplaceBits(reg::TMOD, kT0CounterBit, 0x00);
            SetBits(false, reg::CKCON, kT0SysclkBit);
            th0Prescaled_->SetChecked(true);
            EnablePrescaler(true);
            break;
        case ClockSource::External:
            SetBits(true, reg::TMOD, kT0CounterBit);
            SetBits(false, reg::CKCON, kT0SysclkBit);
            if (!ModeIs(kMode3)) th0Prescaled_->SetChecked(true);
            // Nothing of timer 0 uses the prescaler unless TH0 runs from it.
            if (th0Prescaled_->IsChecked() && !th0Enable_->IsChecked()) ForcePrescalerDivideBy12();
            break;
    }
}

void CTimer0PropPage::OnTh0ClockChosen(bool sysclk) {
    fw::RadioButton& tl0Sysclk = *clockSources_[0];
    fw::RadioButton& tl0Prescaled = *clockSources_[1];
    const bool tl0External = clockSources_[2]->IsChecked();
    SetBits(sysclk, reg::CKCON, kT0SysclkBit);
    if (sysclk) {
        if (!tl0External) tl0Sysclk.SetChecked(true);
        if (!tl0Prescaled.IsChecked()) ForcePrescalerDivideBy12();
    } else {
        if (!tl0External) tl0Prescaled.SetChecked(true);
        EnablePrescaler(true);
    }
}

}  // namespace regsmith

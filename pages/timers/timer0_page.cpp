#include "pages/timers/timer0_page.h"

namespace regsmith {

namespace {

constexpr std::size_t kMode3 = 3;  // "Two 8 Bit Counter/Timers"
// Timer 1's run bit runs TH0 in mode 3.
const RegisterField& kTh0Run = field::TCON_TR1;

const Timer01Setup kTimer0{
    .title = kTimer0PageTitle,
    .mode = field::TMOD_T0M,
    .clockGroup = "Clock Source (TL0 in Mode 3)",
    .configureExternalCaption = "Configure External T0",
    .counter = field::TMOD_CT0,
    .sysclk = field::CKCON_T0M,
    .run = field::TCON_TR0,
    .gate = field::TMOD_GATE0,
    .trigger = field::TCON_IT0,
    .configurePinsCaption = "Configure /INT0 Ports",
    .pinTextPrefix = "/INT0 is on ",
    .pin = field::IT01CF_IN0SL,
    .interrupt = field::IE_ET0,
    .interruptSource = "Timer 0",
    .highLabel = "TH0 (High Byte - Reload Val in Mode 2):",
    .highEntry = reg::TH0,
    .lowLabel = "TL0 (Low Byte):",
    .lowEntry = reg::TL0,
};

}  // namespace

CTimer0PropPage::CTimer0PropPage(SheetContext& sheet) : CTimer01Page(kTimer0, sheet) {
    for (std::size_t i = 0; i < modes_.size(); ++i)
        Then(*modes_[i], [this, i] { OnModeChosen(i); });

    // The TH0 half of mode 3.  Outside mode 3 the box keeps what it showed:
    // TCON bit 6 is then timer 1's run bit.
    th0Enable_ = &control_->Add<fw::CheckBox>("Enable Timer TH0 (Mode 3 Only)");
    Bind(
        *th0Enable_,
        [this] {
            if (ModeIs(kMode3)) th0Enable_->SetChecked(TestBits(kTh0Run));
        },
        [this] {
            SetBits(th0Enable_->IsChecked(), kTh0Run);
            th0Sysclk_->Enable(th0Enable_->IsChecked());
            th0Prescaled_->Enable(th0Enable_->IsChecked());
        });
    th0Sysclk_ = &control_->Add<fw::RadioButton>("SYSCLK", "TH0 clock");
    th0Prescaled_ = &control_->Add<fw::RadioButton>("Prescaled Clock Input (Left)", "TH0 clock");
    Bind(
        *th0Sysclk_, [this] { if (ModeIs(kMode3) && TestBits(kTimer0.sysclk)) th0Sysclk_->SetChecked(true); },
        [this] { OnTh0ClockChosen(true); });
    Bind(
        *th0Prescaled_,
        [this] { if (!ModeIs(kMode3) || !TestBits(kTimer0.sysclk)) th0Prescaled_->SetChecked(true); },
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

void CTimer0PropPage::OnModeChosen(std::size_t mode) {
    EnableTh0Controls(mode == kMode3);
    if (mode == 1 || mode == 2) th0Prescaled_->SetChecked(true);
}

void CTimer0PropPage::OnClockSourceChosen(ClockSource source) {
    switch (source) {
        case ClockSource::Sysclk:
            SetBits(false, kTimer0.counter);
            SetBits(true, kTimer0.sysclk);
            th0Sysclk_->SetChecked(true);
            ForcePrescalerDivideBy12();
            break;
        case ClockSource::Prescaled:
            SetBits(false, kTimer0.counter);
            SetBits(false, kTimer0.sysclk);
            th0Prescaled_->SetChecked(true);
            EnablePrescaler(true);
            break;
        case ClockSource::External:
            SetBits(true, kTimer0.counter);
            SetBits(false, kTimer0.sysclk);
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
    SetBits(sysclk, kTimer0.sysclk);
    if (sysclk) {
        if (!tl0External) tl0Sysclk.SetChecked(true);
        if (!tl0Prescaled.IsChecked()) ForcePrescalerDivideBy12();
    } else {
        if (!tl0External) tl0Prescaled.SetChecked(true);
        EnablePrescaler(true);
    }
}

}  // namespace regsmith

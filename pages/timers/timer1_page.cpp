#include "pages/timers/timer1_page.h"

#include "model/clock_rates.h"
#include "pages/timers/baud_rate_dialog.h"
#include "view/sheet_commands.h"

namespace regsmith {

namespace {

const Timer01Setup kTimer1{
    .title = kTimer1PageTitle,
    .mode = field::TMOD_T1M,
    .clockGroup = "Clock Source",
    .configureExternalCaption = "Configure External T1",
    .counter = field::TMOD_CT1,
    .sysclk = field::CKCON_T1M,
    .run = field::TCON_TR1,
    .gate = field::TMOD_GATE1,
    .trigger = field::TCON_IT1,
    .configurePinsCaption = "Configure /INT1 Ports",
    .pinTextPrefix = "/INT1 is on ",
    .pin = field::IT01CF_IN1SL,
    .interrupt = field::IE_ET1,
    .interruptSource = "Timer 1",
    .highLabel = "TH1 (High Byte - Reload Val in Mode 2):",
    .highEntry = reg::TH1,
    .lowLabel = "TL1 (Low Byte):",
    .lowEntry = reg::TL1,
};

}  // namespace

CTimer1PropPage::CTimer1PropPage(SheetContext& sheet) : CTimer01Page(kTimer1, sheet) {
    auto& baud = right_->Add<fw::Container>(fw::Container::Layout::Row);
    BindDisplay(baud, "Baud Rate for UART", [this] {
        const std::uint32_t rate = UartBaudFromTimer1(Value(reg::CKCON), Value(reg::TH1), Sheet().Clocks().sysclk);
        return std::to_string(static_cast<std::int32_t>(rate));
    });
    baud.Add<fw::StaticText>("bps");
    right_->Add<fw::PushButton>("Change Baud Rate").onChange = [this] { ChangeBaudRate(); };
    AddSummaryBox(Root());
}

void CTimer1PropPage::AfterLoad() {
    CTimer01Page::AfterLoad();
    if (!baudRateSet_) return;
    gate_->Enable(false);
    trigger_[0]->Enable(false);
    trigger_[1]->Enable(false);
    configurePins_->Enable(false);
}

void CTimer1PropPage::OnClockSourceChosen(ClockSource source) {
    SetBits(source == ClockSource::External, kTimer1.counter);
    SetBits(source == ClockSource::Sysclk, kTimer1.sysclk);
    // SYSCLK and external pulses leave the shared prescaler at SYSCLK / 12.
    if (source == ClockSource::Prescaled) EnablePrescaler(true);
    else ForcePrescalerDivideBy12();
}

void CTimer1PropPage::ChangeBaudRate() {
    CBaudRateDialog dialog(Sheet(), Block());
    if (dialog.DoModal() != fw::DialogResult::Ok) return;
    // The dialog wrote TH1, CKCON and TMOD bit 6.
    ReplaceBits(kTimer1.mode, kTimer1.mode.choices[2].value);  // "8 Bit Counter/Timer Auto-Reload"
    SetBits(false, kTimer1.run);
    SetBits(false, kTimer1.gate);
    SetBits(false, kTimer1.trigger);
    baudRateSet_ = true;
    // The kit shows the new registers after this click; the greying is the page's.
    AfterLoad();
}

}  // namespace regsmith

#include "pages/timers/timer1_page.h"

#include "model/clock_rates.h"
#include "pages/timers/baud_rate_dialog.h"
#include "view/sheet_commands.h"

namespace regsmith {

namespace {

constexpr std::uint8_t kT1CounterBit = 0x40;
constexpr std::uint8_t kT1SysclkBit = 0x08;
constexpr std::uint8_t kT1ModeMask = 0x30;
constexpr std::uint8_t kT1Mode8BitAutoReload = 0x20;
constexpr std::uint8_t kT1RunBit = 0x40;
constexpr std::uint8_t kT1GateBit = 0x80;
constexpr std::uint8_t kInt1EdgeBit = 0x04;

const Timer01Setup kTimer1{
    kTimer1PageTitle,
    kT1ModeMask,
    {"13 Bit Counter/Timer", "16 Bit Counter/Timer", "8 Bit Counter/Timer Auto-Reload", "Timer 1 Disabled"},
    "Clock Source",
    "External T1",
    "Configure External T1",
    kT1CounterBit,
    kT1SysclkBit,
    "Enable Timer",
    kT1RunBit,
    "Gate Timer Depending on /INT1",
    kT1GateBit,
    "/INT1 is Level Triggered",
    "/INT1 is Edge Triggered",
    kInt1EdgeBit,
    "Configure /INT1 Ports",
    "/INT1 is on ",
    0x70,
    0x08,
    "Timer 1",
    "TH1 (High Byte - Reload Val in Mode 2):",
    reg::TH1,
    "TL1 (Low Byte):",
    reg::TL1,
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
    SetBits(source == ClockSource::External, reg::TMOD, kT1CounterBit);
    SetBits(source == ClockSource::Sysclk, reg::CKCON, kT1SysclkBit);
    // SYSCLK and external pulses leave the shared prescaler at SYSCLK / 12.
    if (source == ClockSource::Prescaled) EnablePrescaler(true);
    else ForcePrescalerDivideBy12();
}

void CTimer1PropPage::ChangeBaudRate() {
    CBaudRateDialog dialog(Sheet(), Block());
    if (dialog.DoModal() != fw::DialogResult::Ok) return;
    // The dialog wrote TH1, CKCON and TMOD bit 6.
    ReplaceBits(reg::TMOD, kT1ModeMask, kT1Mode8BitAutoReload);
    SetBits(false, reg::TCON, kT1RunBit);
    SetBits(false, reg::TMOD, kT1GateBit);
    SetBits(false, reg::TCON, kInt1EdgeBit);
    baudRateSet_ = true;
    Load();
}

}  // namespace regsmith

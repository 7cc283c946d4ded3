#include "pages/timers/timer2_page.h"

#include "pages/timers/timer01_page.h"
#include "view/sheet_commands.h"

namespace regsmith {

namespace {

constexpr std::uint8_t kExternalClockBit = 0x01;  // TMR2CN: shared by both halves
constexpr std::uint8_t kRunBit = 0x04;
constexpr std::uint8_t kSplitBit = 0x08;
constexpr std::uint8_t kCaptureBit = 0x10;
constexpr std::uint8_t kLowOverflowInterruptBit = 0x20;
constexpr std::uint8_t kTimer2InterruptBit = 0x20;  // IE

// Two fields side by side in a group, each with its own label.
void HexPair(CDevicePage& page, fw::Container& parent, const char* caption, const char* highLabel, int high,
             const char* lowLabel, int low) {
    auto& row = parent.Add<fw::GroupBox>(caption, fw::Container::Layout::Row);
    page.BindHex(row, highLabel, high);
    page.BindHex(row, lowLabel, low);
}

}  // namespace

CTimer2PropPage::CTimer2PropPage(SheetContext& sheet) : CDevicePropPage(kTimer2PageTitle, sheet, kBlockTimers) {
    auto& columns = Root().AddRow();
    auto& left = columns.AddColumn();
    auto& right = columns.AddColumn();

    auto& mode = left.Add<fw::GroupBox>("Timer Mode");
    const auto modes = BindRadios(mode, reg::TMR2CN, kSplitBit,
                                  {{"16 Bit Auto Reload Timer", 0x00}, {"Two 8 Bit Auto Reload Timers", kSplitBit}});
    Then(*modes[0], [this] { OnModeChosen(false); });
    Then(*modes[1], [this] { OnModeChosen(true); });

    const std::array<const char*, 3> captions{"SYSCLK", "SYSCLK / 12", "External Oscillator / 8"};
    auto addHalf = [&](const char* group, Half& half, Half& other) {
        auto& box = left.Add<fw::GroupBox>(group);
        for (std::size_t i = 0; i < half.radios.size(); ++i) {
            auto& radio = box.Add<fw::RadioButton>(captions[i], "clock");
            const auto clock = static_cast<Clock>(i);
            Bind(
                radio, [this, &radio, &half, clock] { radio.SetChecked(StoredClock(half) == clock); },
                [this, &half, &other, clock] { OnClockChosen(half, other, clock); });
            half.radios[i] = &radio;
        }
    };
    addHalf("Clock Source (TMR2L in Mode 2)", low_, high_);
    addHalf("TMR2H Clock Source", high_, low_);

    auto& interrupt = right.Add<fw::GroupBox>("Timer Interrupt");
    BindCheck(interrupt, "Enable Timer 2 Low Byte Overflow", reg::TMR2CN, kLowOverflowInterruptBit);
    BindInterruptStatus(interrupt, "Timer 2", reg::IE, kTimer2InterruptBit);
    AddNestedSheetButton(interrupt, "Configure Timer Interrupts", NestedSheet::Interrupts);

    auto& control = right.Add<fw::GroupBox>("Timer Control");
    BindCheck(control, "Enable Timer", reg::TMR2CN, kRunBit);
    control.Add<fw::StaticText>("(Only enables TMR2H in Mode 2, TMR2L is always running)");

    auto& capture = right.Add<fw::GroupBox>("Capture For Timer 2");
    BindCheck(capture, "Enable Capture using External Oscillator / 8", reg::TMR2CN, kCaptureBit);

    HexPair(*this, right, "Timer Initial Value (Hex)", "TMR2H (High Byte):", reg::TMR2H, "TMR2L (Low Byte):",
            reg::TMR2L);
    HexPair(*this, right, "Timer Reload Value (Hex)", "TMR2RLH (High):", reg::TMR2RLH, "TMR2RLL (Low):",
            reg::TMR2RLL);
    AddSummaryBox(Root());
}

CTimer2PropPage::Clock CTimer2PropPage::StoredClock(const Half& half) const {
    if (TestBits(reg::CKCON, half.sysclkBit)) return Sysclk;
    return TestBits(reg::TMR2CN, kExternalClockBit) ? ExternalOsc8 : Sysclk12;
}

void CTimer2PropPage::EnableHigh(bool enabled) {
    for (fw::RadioButton* radio : high_.radios) radio->Enable(enabled);
}

void CTimer2PropPage::AfterLoad() { EnableHigh(TestBits(reg::TMR2CN, kSplitBit)); }

void CTimer2PropPage::OnModeChosen(bool split) {
    EnableHigh(split);
    if (split) return;
    // One 16-bit timer: TMR2H follows TMR2L, so its own clock is undone; the
    // shared bit stays only while TMR2L runs from the external oscillator / 8.
    if (!low_.radios[ExternalOsc8]->IsChecked()) SetBits(false, reg::TMR2CN, kExternalClockBit);
    high_.radios[Sysclk12]->SetChecked(true);
    SetBits(false, reg::CKCON, high_.sysclkBit);
}

void CTimer2PropPage::OnClockChosen(Half& half, Half& other, Clock clock) {
    SetBits(clock == Sysclk, reg::CKCON, half.sysclkBit);
    if (clock == Sysclk) return;
    SetBits(clock == ExternalOsc8, reg::TMR2CN, kExternalClockBit);
    if (!other.radios[Sysclk]->IsChecked()) other.radios[clock]->SetChecked(true);
}

}  // namespace regsmith

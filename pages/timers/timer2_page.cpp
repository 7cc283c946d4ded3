#include "pages/timers/timer2_page.h"

#include "pages/timers/timer01_page.h"
#include "view/sheet_commands.h"

namespace regsmith {

namespace {

// TMR2CN bit 0: the external oscillator / 8, shared by both halves.
const RegisterField& kExternalClock = field::TMR2CN_T2XCLK;

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
    const auto modes = BindRadios(mode, field::TMR2CN_T2SPLIT);
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
    BindCheck(interrupt, field::TMR2CN_TF2LEN);
    BindInterruptStatus(interrupt, "Timer 2", field::IE_ET2);
    AddNestedSheetButton(interrupt, "Configure Timer Interrupts", NestedSheet::Interrupts);

    auto& control = right.Add<fw::GroupBox>("Timer Control");
    BindCheck(control, field::TMR2CN_TR2);
    control.Add<fw::StaticText>("(Only enables TMR2H in Mode 2, TMR2L is always running)");

    auto& capture = right.Add<fw::GroupBox>("Capture For Timer 2");
    BindCheck(capture, field::TMR2CN_T2CE);

    HexPair(*this, right, "Timer Initial Value (Hex)", "TMR2H (High Byte):", reg::TMR2H, "TMR2L (Low Byte):",
            reg::TMR2L);
    HexPair(*this, right, "Timer Reload Value (Hex)", "TMR2RLH (High):", reg::TMR2RLH, "TMR2RLL (Low):",
            reg::TMR2RLL);
    AddSummaryBox(Root());
}

CTimer2PropPage::Clock CTimer2PropPage::StoredClock(const Half& half) const {
    if (TestBits(half.sysclk)) return Sysclk;
    return TestBits(kExternalClock) ? ExternalOsc8 : Sysclk12;
}

void CTimer2PropPage::EnableHigh(bool enabled) {
    for (fw::RadioButton* radio : high_.radios) radio->Enable(enabled);
}

void CTimer2PropPage::AfterLoad() { EnableHigh(TestBits(field::TMR2CN_T2SPLIT)); }

void CTimer2PropPage::OnModeChosen(bool split) {
    EnableHigh(split);
    if (split) return;
    // One 16-bit timer: TMR2H follows TMR2L, so its own clock is undone; the
    // shared bit stays only while TMR2L runs from the external oscillator / 8.
    if (!low_.radios[ExternalOsc8]->IsChecked()) SetBits(false, kExternalClock);
    high_.radios[Sysclk12]->SetChecked(true);
    SetBits(false, high_.sysclk);
}

void CTimer2PropPage::OnClockChosen(Half& half, Half& other, Clock clock) {
    SetBits(clock == Sysclk, half.sysclk);
    if (clock == Sysclk) return;
    SetBits(clock == ExternalOsc8, kExternalClock);
    if (!other.radios[Sysclk]->IsChecked()) other.radios[clock]->SetChecked(true);
}

}  // namespace regsmith

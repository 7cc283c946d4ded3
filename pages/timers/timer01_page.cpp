#include "pages/timers/timer01_page.h"

#include "view/sheet_commands.h"

namespace regsmith {

CTimer01Page::CTimer01Page(const Timer01Setup& setup, SheetContext& sheet)
    : CDevicePropPage(setup.title, sheet, kBlockTimers), setup_(setup) {
    auto& columns = Root().AddRow();
    left_ = &columns.AddColumn();
    right_ = &columns.AddColumn();

    auto& mode = left_->Add<fw::GroupBox>("Timer Mode");
    const int shift = setup.modeMask == 0x03 ? 0 : 4;
    const auto modes = BindRadios(mode, reg::TMOD, setup.modeMask,
                                  {{setup.modeCaptions[0], static_cast<std::uint8_t>(0 << shift)},
                                   {setup.modeCaptions[1], static_cast<std::uint8_t>(1 << shift)},
                                   {setup.modeCaptions[2], static_cast<std::uint8_t>(2 << shift)},
                                   {setup.modeCaptions[3], static_cast<std::uint8_t>(3 << shift)}});
    std::copy(modes.begin(), modes.end(), modes_.begin());

    // Above the clock source, whose "Prescaled Clock Input (Above)" names it.
    auto& prescaler = left_->Add<fw::GroupBox>("Prescaled Clock Inputs");
    const auto prescalers = BindRadios(prescaler, reg::CKCON, kPrescalerMask,
                                       {{"SYSCLK / 12", 0x00},
                                        {"SYSCLK / 4", 0x01},
                                        {"SYSCLK / 48", 0x02},
                                        {"External Oscillator / 8", 0x03}});
    std::copy(prescalers.begin(), prescalers.end(), prescaler_.begin());

    auto& clock = left_->Add<fw::GroupBox>(setup.clockGroup);
    const std::array<const char*, 3> sourceCaptions{"SYSCLK", "Prescaled Clock Input (Above)", setup.externalCaption};
    for (std::size_t i = 0; i < clockSources_.size(); ++i) {
        auto& radio = clock.Add<fw::RadioButton>(sourceCaptions[i], "clock source");
        const auto source = static_cast<ClockSource>(i);
        // Shown from the registers; a click runs the page's rule, which stores.
        Bind(
            radio, [this, &radio, source] { radio.SetChecked(StoredClockSource() == source); },
            [this, source] { OnClockSourceChosen(source); });
        clockSources_[i] = &radio;
    }
    AddNestedSheetButton(clock, setup.configureExternalCaption, NestedSheet::PortIO);

    control_ = &right_->Add<fw::GroupBox>("Timer Control");
    BindCheck(*control_, setup.runCaption, reg::TCON, setup.runBit);
    gate_ = &BindCheck(*control_, setup.gateCaption, reg::TMOD, setup.gateBit);
    const auto trigger =
        BindRadios(*control_, reg::TCON, setup.triggerBit, {{setup.levelCaption, 0x00}, {setup.edgeCaption, setup.triggerBit}});
    std::copy(trigger.begin(), trigger.end(), trigger_.begin());
    const int pinShift = setup.pinMask == 0x07 ? 0 : 4;
    BindStatus(*control_, [this, pinShift] {
        const int pin = (ValueOf(Copy(kBlockInterrupts), reg::IT01CF) & setup_.pinMask) >> pinShift;
        return setup_.pinTextPrefix + std::string("P0.") + std::to_string(pin);
    });
    configurePins_ = &AddNestedSheetButton(*control_, setup.configurePinsCaption, NestedSheet::Int01Config);

    auto& interrupt = right_->Add<fw::GroupBox>("Timer Interrupt");
    BindInterruptStatus(interrupt, setup_.interruptSource, reg::IE, setup_.interruptBit);
    AddNestedSheetButton(interrupt, "Configure Timer Interrupts", NestedSheet::Interrupts);

    auto& values = right_->Add<fw::GroupBox>("Timer Initial Value (Hex)");
    BindHex(values, setup.highLabel, setup.highEntry);
    BindHex(values, setup.lowLabel, setup.lowEntry);
}

CTimer01Page::ClockSource CTimer01Page::StoredClockSource() const {
    if (TestBits(reg::TMOD, setup_.counterBit)) return ClockSource::External;
    if (TestBits(reg::CKCON, setup_.sysclkBit)) return ClockSource::Sysclk;
    return ClockSource::Prescaled;
}

void CTimer01Page::ForcePrescalerDivideBy12() {
    ReplaceBits(reg::CKCON, kPrescalerMask, 0x00);
    prescaler_[0]->SetChecked(true);
    EnablePrescaler(false);
}

void CTimer01Page::EnablePrescaler(bool enabled) {
    for (fw::RadioButton* radio : prescaler_) radio->Enable(enabled);
}

bool CTimer01Page::ModeIs(std::uint8_t modeBits) const { return (Value(reg::TMOD) & setup_.modeMask) == modeBits; }

void CTimer01Page::AfterLoad() { EnablePrescaler(StoredClockSource() == ClockSource::Prescaled); }

}  // namespace regsmith

#include "pages/timers/timer01_page.h"

#include "view/sheet_commands.h"

namespace regsmith {

CTimer01Page::CTimer01Page(const Timer01Setup& setup, SheetContext& sheet)
    : CDevicePropPage(setup.title, sheet, kBlockTimers), setup_(setup) {
    auto& columns = Root().AddRow();
    left_ = &columns.AddColumn();
    right_ = &columns.AddColumn();

    auto& mode = left_->Add<fw::GroupBox>("Timer Mode");
    const auto modes = BindRadios(mode, setup.mode);
    std::copy(modes.begin(), modes.end(), modes_.begin());

    // Above the clock source, whose "Prescaled Clock Input (Above)" names it.
    auto& prescaler = left_->Add<fw::GroupBox>("Prescaled Clock Inputs");
    const auto prescalers = BindRadios(prescaler, field::CKCON_SCA);
    std::copy(prescalers.begin(), prescalers.end(), prescaler_.begin());

    auto& clock = left_->Add<fw::GroupBox>(setup.clockGroup);
    const std::array<std::string, 3> sourceCaptions{"SYSCLK", "Prescaled Clock Input (Above)",
                                                    std::string(setup.counter.Caption())};
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
    BindCheck(*control_, setup.run);
    gate_ = &BindCheck(*control_, setup.gate);
    const auto trigger = BindRadios(*control_, setup.trigger);
    std::copy(trigger.begin(), trigger.end(), trigger_.begin());
    BindStatus(*control_, [this] {
        const unsigned pin = FieldValue(setup_.pin, ValueOf(Copy(kBlockInterrupts), setup_.pin.entry));
        return setup_.pinTextPrefix + std::string("P0.") + std::to_string(pin);
    });
    configurePins_ = &AddNestedSheetButton(*control_, setup.configurePinsCaption, NestedSheet::Int01Config);

    auto& interrupt = right_->Add<fw::GroupBox>("Timer Interrupt");
    BindInterruptStatus(interrupt, setup_.interruptSource, setup_.interrupt);
    AddNestedSheetButton(interrupt, "Configure Timer Interrupts", NestedSheet::Interrupts);

    auto& values = right_->Add<fw::GroupBox>("Timer Initial Value (Hex)");
    BindHex(values, setup.highLabel, setup.highEntry);
    BindHex(values, setup.lowLabel, setup.lowEntry);
}

CTimer01Page::ClockSource CTimer01Page::StoredClockSource() const {
    if (TestBits(setup_.counter)) return ClockSource::External;
    if (TestBits(setup_.sysclk)) return ClockSource::Sysclk;
    return ClockSource::Prescaled;
}

void CTimer01Page::ForcePrescalerDivideBy12() {
    ReplaceBits(field::CKCON_SCA, field::CKCON_SCA.choices[0].value);
    prescaler_[0]->SetChecked(true);
    EnablePrescaler(false);
}

void CTimer01Page::EnablePrescaler(bool enabled) {
    for (fw::RadioButton* radio : prescaler_) radio->Enable(enabled);
}

bool CTimer01Page::ModeIs(std::size_t index) const { return Bits(setup_.mode) == setup_.mode.choices[index].value; }

void CTimer01Page::AfterLoad() { EnablePrescaler(StoredClockSource() == ClockSource::Prescaled); }

}  // namespace regsmith

#include "pages/pca/timeout_dialog.h"

#include <string>

#include "model/clock_rates.h"
#include "model/register_tables.h"
#include "pages/pca/eci_frequency_dialog.h"
#include "view/nested_sheets.h"
#include "view/sheet_commands.h"

namespace regsmith {

namespace {

// The radios in the order of pca::TimeoutSource, with the names of their
// read-only fields.
struct SourceRow {
    const char* caption;
    const char* fieldName;
};
constexpr std::array<SourceRow, 4> kSources{{
    {"SYSCLK:", "SYSCLK Frequency"},
    {"External Oscillator:", "External Oscillator Frequency"},
    {"ECI Source:", "ECI Source Frequency"},
    {"Timer 0:", "Timer 0 Frequency"},
}};

}  // namespace

CTimeoutDialog::CTimeoutDialog(SheetContext& sheet, const pca::PcaClocks& clocks, std::uint8_t pca0md)
    : CCalculatorDialog(kTimeoutDialogTitle), sheet_(sheet), clocks_(clocks), pca0md_(pca0md) {
    auto& group = Root().Add<fw::GroupBox>("Frequencies", fw::Container::Layout::Grid);
    for (std::size_t row = 0; row < kSources.size(); ++row) {
        const int line = static_cast<int>(row);
        sources_[row] = &group.AddAt<fw::RadioButton>(line, 0, kSources[row].caption, "source");
        fw::EditField& field = group.AddAt<fw::EditField>(line, 1);
        field.SetName(kSources[row].fieldName);
        field.SetReadOnly();
        field.Enable(false);
        field.widthChars = 12;
        frequencies_[row] = &field;
        group.AddAt<fw::StaticText>(line, 2, "Hz");
    }
    sources_[static_cast<std::size_t>(pca::TimeoutSource::Eci)]->onChange = [this] { AskEciFrequency(); };
    target_ = &AddFieldRow(Root(), "Target Timeout Interval", "ms");
    target_->SetText("0");
    AddClockButton(Root(), "Change Clock Frequencies", sheet_, NestedSheet::OscillatorsInternalExternal,
                   [this] { ShowNewClocks(); });
}

void CTimeoutDialog::OnInitDialog() {
    sources_[static_cast<std::size_t>(pca::TimeoutSourceFor(pca0md_))]->SetChecked(true);
    ShowFrequencies();
}

void CTimeoutDialog::ShowFrequencies() {
    const std::array<std::uint32_t, 4> values{clocks_.sysclk, clocks_.externalOsc, clocks_.eci, clocks_.timer0Rate};
    for (std::size_t row = 0; row < values.size(); ++row) frequencies_[row]->SetText(std::to_string(values[row]));
}

// After an accepted Oscillators sheet (on Cancel it put SYSCLK and the
// external oscillator back).
void CTimeoutDialog::ShowNewClocks() {
    const ClockSettings& clocks = sheet_.Clocks();
    clocks_.sysclk = clocks.sysclk;
    clocks_.externalOsc = clocks.externalOscFrequency;
    // Timer 0 from the document's own timers block, at the new SYSCLK.
    PeripheralBlock timers;
    sheet_.Document().GetBlock(timers, kBlockTimers);
    clocks_.timer0Rate = Timer0OverflowRate(ValueOf(timers, reg::CKCON), ValueOf(timers, reg::TH0), clocks_.sysclk);
    ShowFrequencies();
}

void CTimeoutDialog::AskEciFrequency() {
    std::uint32_t& word = sheet_.Clocks().pcaClockWord;
    CEciFrequencyDialog dialog(word);
    if (dialog.DoModal() != fw::DialogResult::Ok) return;
    clocks_.eci = word;
    ShowFrequencies();
}

pca::TimeoutSource CTimeoutDialog::CheckedSource() const {
    for (std::size_t row = 0; row < sources_.size(); ++row)
        if (sources_[row]->IsChecked()) return static_cast<pca::TimeoutSource>(row);
    return pca::TimeoutSource::Sysclk;
}

bool CTimeoutDialog::OnOK() {
    const std::optional<double> target = ReadNumber(*target_);
    if (!target) return false;
    const pca::TimeoutSetting setting = pca::CalculateTimeout(CheckedSource(), *target, clocks_);
    if (!setting.valid) {
        Warn(pca::kInvalidTimeoutMessage);
        return false;
    }
    if (!Ask(setting.question)) return false;
    setting_ = setting;
    return true;
}

}  // namespace regsmith

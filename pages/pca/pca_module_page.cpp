#include "pages/pca/pca_module_page.h"

#include "model/crossbar.h"
#include "pages/pca/cex_frequency_dialog.h"
#include "pages/pca/duty_cycle_dialog.h"
#include "pages/pca/timeout_dialog.h"
#include "pages/pca/watchdog.h"

namespace regsmith {

namespace {

// The mode radios (PCA0CPMn bits 7-1), a row per mode: its caption ("%s"
// is the module's pin, "CEX0"), its code, what the value row shows and, for
// a PWM, the counts of one period.
struct ModuleMode {
    const char* caption;
    std::uint8_t code;
    CPcaModulePage::ValueRow row;
    unsigned pwmCounts = 0;
};
using Row = CPcaModulePage::ValueRow;
constexpr std::array<ModuleMode, 9> kModes{{
    {"None", 0x00, Row::Hidden},  // module 2: "Watchdog Timer", with the timeout
    {"Capture on positive edge of %s", 0x20, Row::Hidden},
    {"Capture on negative edge of %s", 0x10, Row::Hidden},
    {"Capture on transition of %s", 0x30, Row::Hidden},
    {"Software Timer", 0x48, Row::Hidden},
    {"High Speed Output", 0x4C, Row::Hidden},
    {"Frequency Output", 0x46, Row::Frequency},
    {"8-Bit Pulse Width Modulator", 0x42, Row::DutyCycle, 256},
    {"16-Bit Pulse Width Modulator", 0xC2, Row::DutyCycle, 65536},
}};

// The row of a mode (the field's bits), or null for a mode no radio sets.
const ModuleMode* ModeOf(std::uint8_t code) {
    for (const ModuleMode& mode : kModes)
        if (mode.code == code) return &mode;
    return nullptr;
}

std::string WithPin(const char* caption, const std::string& pin) {
    std::string text = caption;
    const std::size_t at = text.find("%s");
    if (at != std::string::npos) text.replace(at, 2, pin);
    return text;
}

const CrossbarPeripheral kCexPeripherals[] = {CrossbarPeripheral::Cex0, CrossbarPeripheral::Cex1,
                                               CrossbarPeripheral::Cex2};

}  // namespace

CPcaModulePage::CPcaModulePage(std::string title, SheetContext& sheet, int module)
    : CPcaPage(std::move(title), sheet), module_(module) {
    const std::string digit = std::to_string(module);
    const std::string pin = "CEX" + digit;

    auto& columns = Root().AddRow();
    auto& left = columns.AddColumn();
    auto& right = columns.AddColumn();

    modeGroup_ = &left.Add<fw::GroupBox>("Capture/Compare Modules");
    std::vector<RadioChoice> choices;
    for (const ModuleMode& mode : kModes)
        choices.push_back({&mode == &kModes[0] && module == 2 ? std::string("Watchdog Timer") : WithPin(mode.caption, pin),
                           mode.code});
    const auto radios = BindRadios(*modeGroup_, ModeField(), std::move(choices));
    std::copy(radios.begin(), radios.end(), modes_.begin());

    // The value row: label, read-only field, unit and button, for the modes
    // that have a value to show.
    auto& valueRow = modeGroup_->AddColumn();
    auto& row = valueRow.AddRow();
    // Created with a label, so a renderer gives the field a label it can
    // change with the mode.
    valueField_ = &row.Add<fw::EditField>("Duty Cycle:");
    valueField_->SetReadOnly();
    valueField_->Enable(false);
    valueField_->widthChars = 10;
    valueUnit_ = &row.Add<fw::StaticText>("");
    valueButton_ = &AddButton(valueRow, "Change Timeout Interval", [this] { OnValueButton(); });

    auto& compare = right.Add<fw::GroupBox>("PCA Capture/Compare Register (Hex)");
    BindHex(compare, "PCA0CPH" + digit + " (High Byte):", HighEntry());
    BindHex(compare, "PCA0CPL" + digit + " (Low Byte):", LowEntry());

    BindCheck(right.Add<fw::GroupBox>("Capture/Compare Interrupt Enable"), InterruptField());

    auto& crossbar = right.Add<fw::GroupBox>(pin + " on the Crossbar");
    BindCrossbarStatus(crossbar, pin, kCexPeripherals[module_], "Not Enabled");
    AddNestedSheetButton(crossbar, "Configure Port I/O", NestedSheet::PortIO);

    AddSummaryBox(Root());
    BindUpdate([this] { ShowValueRow(); });
}

CPcaModulePage::ValueRow CPcaModulePage::RowFor(std::uint8_t mode, ValueRow current) const {
    const ModuleMode* row = ModeOf(mode & ModeField().mask);
    if (!row) return current;  // a mode no radio sets keeps the row as it was
    return row == &kModes[0] && module_ == 2 ? ValueRow::Timeout : row->row;
}

void CPcaModulePage::ShowValueRow() {
    row_ = RowFor(Bits(ModeField()), row_);
    const std::string pin = "CEX" + std::to_string(module_);
    const bool shown = row_ != ValueRow::Hidden;
    switch (row_) {
        case ValueRow::Hidden:
            valueField_->SetLabel("");
            valueUnit_->SetText("");
            break;
        case ValueRow::DutyCycle:
            valueField_->SetLabel("Duty Cycle:");
            valueUnit_->SetText("%");
            valueButton_->SetCaption("Change Duty Cycle");
            break;
        case ValueRow::Frequency:
            valueField_->SetLabel(pin + " Frequency:");
            valueUnit_->SetText("Hz");
            valueButton_->SetCaption("Change " + pin + " Frequency");
            break;
        case ValueRow::Timeout:
            valueField_->SetLabel("Timeout Interval:");
            valueUnit_->SetText("ms");
            valueButton_->SetCaption("Change Timeout Interval");
            break;
    }
    valueField_->Show(shown);
    valueUnit_->Show(shown);
    valueButton_->Show(shown);
    valueField_->SetText(shown ? ValueText() : std::string());
}

std::string CPcaModulePage::ValueText() const {
    switch (row_) {
        case ValueRow::DutyCycle:
            return pca::FormatDutyCycle(
                pca::DutyCyclePercent(PwmCounts() != 256, Value(HighEntry()), Value(LowEntry())));
        case ValueRow::Frequency:
            return std::to_string(pca::CexOutputFrequency(PcaFrequency(), Value(HighEntry())));
        case ValueRow::Timeout:
            return pca::FormatTimeout(
                pca::WatchdogTimeoutMs(Value(reg::PCA0MD), Value(reg::PCA0CPL2), Value(reg::PCA0L), Clocks()));
        case ValueRow::Hidden: break;
    }
    return {};
}

unsigned CPcaModulePage::PwmCounts() const {
    const ModuleMode* mode = ModeOf(Bits(ModeField()));
    return mode ? mode->pwmCounts : 0;
}

void CPcaModulePage::OnValueButton() {
    switch (RowFor(Bits(ModeField()), ValueRow::Hidden)) {
        case ValueRow::Timeout: RunTimeoutCalculator(); break;
        case ValueRow::Frequency: RunFrequencyCalculator(); break;
        case ValueRow::DutyCycle: RunDutyCalculator(); break;
        case ValueRow::Hidden: break;
    }
}

void CPcaModulePage::RunTimeoutCalculator() {
    CTimeoutDialog dialog(Sheet(), Clocks(), Value(reg::PCA0MD));
    if (dialog.DoModal() != fw::DialogResult::Ok) return;
    SetValue(reg::PCA0CPL2, dialog.Setting().pca0cpl2);
    ReplaceBits(field::PCA0MD_CPS, dialog.Setting().timeBase);
}

void CPcaModulePage::RunFrequencyCalculator() {
    CCexFrequencyDialog dialog(PcaFrequency(), module_);
    if (dialog.DoModal() != fw::DialogResult::Ok) return;
    SetValue(HighEntry(), dialog.HighByte());
}

void CPcaModulePage::RunDutyCalculator() {
    CDutyCycleDialog dialog(PwmCounts(), module_);
    if (dialog.DoModal() != fw::DialogResult::Ok) return;
    SetValue(HighEntry(), dialog.HighByte());
    SetValue(LowEntry(), dialog.LowByte());
}

}  // namespace regsmith

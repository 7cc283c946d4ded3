#include "pages/pca/pca_module_page.h"

#include "model/crossbar.h"
#include "pages/pca/cex_frequency_dialog.h"
#include "pages/pca/duty_cycle_dialog.h"
#include "pages/pca/timeout_dialog.h"
#include "pages/pca/watchdog.h"

namespace regsmith {

namespace {

// The mode radios: PCA0CPMn bits 7-1.  "%s" is the module's pin ("CEX0").
struct ModeChoice {
    const char* caption;
    std::uint8_t code;
};
constexpr std::array<ModeChoice, 9> kModes{{
    {"None", 0x00},
    {"Capture on positive edge of %s", 0x20},
    {"Capture on negative edge of %s", 0x10},
    {"Capture on transition of %s", 0x30},
    {"Software Timer", 0x48},
    {"High Speed Output", 0x4C},
    {"Frequency Output", 0x46},
    {"8-Bit Pulse Width Modulator", 0x42},
    {"16-Bit Pulse Width Modulator", 0xC2},
}};
constexpr std::uint8_t kEightBitPwm = 0x42;
constexpr std::uint8_t kSixteenBitPwm = 0xC2;
constexpr std::uint8_t kFrequencyOutput = 0x46;

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
    for (const ModeChoice& mode : kModes)
        choices.push_back({mode.code == 0x00 && module == 2 ? std::string("Watchdog Timer") : WithPin(mode.caption, pin),
                           mode.code});
    const auto radios = BindRadios(*modeGroup_, ModeEntry(), pca::kModuleModeMask, std::move(choices));
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

    BindCheck(right.Add<fw::GroupBox>("Capture/Compare Interrupt Enable"), "Enable CCF Interrupt", ModeEntry(),
              pca::kCcfInterruptBit);

    auto& crossbar = right.Add<fw::GroupBox>(pin + " on the Crossbar");
    BindCrossbarStatus(crossbar, pin, kCexPeripherals[module_], "Not Enabled");
    AddNestedSheetButton(crossbar, "Configure Port I/O", NestedSheet::PortIO);

    AddSummaryBox(Root());
    BindUpdate([this] { ShowValueRow(); });
}

CPcaModulePage::ValueRow CPcaModulePage::RowFor(std::uint8_t mode, ValueRow current) const {
    switch (mode & pca::kModuleModeMask) {
        case 0x00: return module_ == 2 ? ValueRow::Timeout : ValueRow::Hidden;
        case 0x10: case 0x20: case 0x30: case 0x48: case 0x4C: return ValueRow::Hidden;
        case kEightBitPwm: case kSixteenBitPwm: return ValueRow::DutyCycle;
        case kFrequencyOutput: return ValueRow::Frequency;
        default: return current;  // a mode no radio sets keeps the row as it was
    }
}

void CPcaModulePage::ShowValueRow() {
    row_ = RowFor(Value(ModeEntry()), row_);
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
    const std::uint8_t mode = Value(ModeEntry());
    switch (row_) {
        case ValueRow::DutyCycle:
            return pca::FormatDutyCycle(pca::DutyCyclePercent((mode & pca::kModuleModeMask) != kEightBitPwm,
                                                              Value(HighEntry()), Value(LowEntry())));
        case ValueRow::Frequency:
            return std::to_string(pca::CexOutputFrequency(PcaFrequency(), Value(HighEntry())));
        case ValueRow::Timeout:
            return pca::FormatTimeout(
                pca::WatchdogTimeoutMs(Value(reg::PCA0MD), Value(reg::PCA0CPL2), Value(reg::PCA0L), Clocks()));
        case ValueRow::Hidden: break;
    }
    return {};
}

void CPcaModulePage::OnValueButton() {
    const std::uint8_t mode = Value(ModeEntry());
    if (module_ == 2 && mode <= 0x01) RunTimeoutCalculator();
    else if ((mode & pca::kModuleModeMask) == kFrequencyOutput) RunFrequencyCalculator();
    else if ((mode & pca::kModuleModeMask) == kEightBitPwm || (mode & pca::kModuleModeMask) == kSixteenBitPwm)
        RunDutyCalculator();
}

void CPcaModulePage::RunTimeoutCalculator() {
    CTimeoutDialog dialog(Sheet(), Clocks(), Value(reg::PCA0MD));
    if (dialog.DoModal() != fw::DialogResult::Ok) return;
    SetValue(reg::PCA0CPL2, dialog.Setting().pca0cpl2);
    ReplaceBits(reg::PCA0MD, pca::kTimeBaseMask, dialog.Setting().timeBase);
    LoadHexField(reg::PCA0CPL2);
}

void CPcaModulePage::RunFrequencyCalculator() {
    CCexFrequencyDialog dialog(PcaFrequency(), module_);
    if (dialog.DoModal() != fw::DialogResult::Ok) return;
    SetValue(HighEntry(), dialog.HighByte());
    LoadHexField(HighEntry());
}

void CPcaModulePage::RunDutyCalculator() {
    const bool eightBit = (Value(ModeEntry()) & pca::kModuleModeMask) == kEightBitPwm;
    CDutyCycleDialog dialog(eightBit ? 256u : 65536u, module_);
    if (dialog.DoModal() != fw::DialogResult::Ok) return;
    SetValue(HighEntry(), dialog.HighByte());
    SetValue(LowEntry(), dialog.LowByte());
    LoadHexField(HighEntry());
    LoadHexField(LowEntry());
}

}  // namespace regsmith

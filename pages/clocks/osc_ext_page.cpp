#include "pages/clocks/osc_ext_page.h"

#include "model/analog_inputs.h"
#include "model/catalogue.h"
#include "model/crossbar.h"
#include "pages/clocks/sysclk_rules.h"
#include "view/messages.h"
#include "view/sheet_commands.h"

namespace regsmith {

using namespace clocks;

namespace {

using Captions = std::array<const char*, 8>;
constexpr Captions kCrystalCaptions{"f <= 20kHz",           "20kHz   < f <= 58kHz",    "58kHz   < f <= 155kHz",
                                    "155kHz < f <= 415kHz", "415kHz   < f <= 1.1MHz",  "1.1MHz < f <= 3.1MHz",
                                    "3.1MHz    < f <= 8.2MHz", "8.2MHz  < f <= 25MHz"};
constexpr Captions kRcCaptions{"f <= 25kHz",           "25kHz   < f <= 50kHz",  "50kHz   < f <= 100kHz",
                               "100kHz < f <= 200kHz", "200kHz < f <= 400kHz", "400kHz < f <= 800kHz",
                               "800kHz < f <= 1.6MHz", "1.6MHz < f <= 3.2MHz"};
constexpr Captions kCapacitorCaptions{"K Factor = 0.87", "K Factor = 2.6", "K Factor = 7.7",  "K Factor = 22",
                                      "K Factor = 65",   "K Factor = 180", "K Factor = 664", "K Factor = 1590"};
constexpr Captions kBlankCaptions{"", "", "", "      Not Used", "", "", "", ""};

bool IsBlankState(std::uint8_t mode) { return mode == kModeOff || mode == kModeCmos || mode == kModeCmosHalf; }

const Captions& CaptionsOf(std::uint8_t mode) {
    switch (mode) {
        case kModeRc: return kRcCaptions;
        case kModeCapacitor: return kCapacitorCaptions;
        case kModeCrystal:
        case kModeCrystalHalf: return kCrystalCaptions;
        default: return kBlankCaptions;
    }
}

// The large package's pins, whose captions are the widest.
const CrystalPins kLargePackagePins = CrystalPinsOf(0xD6);

std::string Xtal1Label(const CrystalPins& pins) { return PinName(pins.xtal1) + " for XTAL1"; }
std::string Xtal2Label(const CrystalPins& pins) { return PinName(pins.xtal2) + " for XTAL2"; }

}  // namespace

COscExtPropPage::COscExtPropPage(SheetContext& sheet) : COscillatorPage(kExternalOscillatorPageTitle, sheet) {
    auto& columns = Root().AddRow();
    auto& modes = columns.Add<fw::GroupBox>("External Oscillator Mode");
    const auto modeRadios = BindRadios(modes, field::OSCXCN_XOSCMD);
    for (std::size_t i = 0; i < modeRadios.size(); ++i)
        Then(*modeRadios[i], [this, mode = field::OSCXCN_XOSCMD.choices[i].value] { OnModeChosen(mode); });

    // The widest captions and texts of any mode until the page is first
    // shown, so that a desktop lays the page out wide enough for all of them.
    auto& control = columns.Add<fw::GroupBox>(kFrequencyControlGroup);
    for (std::size_t i = 0; i < frequencyControls_.size(); ++i) {
        auto& radio = control.Add<fw::RadioButton>(kCrystalCaptions[i], "frequency control");
        Bind(radio, field::OSCXCN_XFCN, static_cast<std::uint8_t>(i));
        frequencyControls_[i] = &radio;
    }

    auto& frequency = Root().AddRow();
    frequency_ = &frequency.Add<fw::EditField>(kExternalFrequencyLabel);
    frequency_->widthChars = 12;
    frequency_->onChange = [this] { OnFrequencyTyped(); };
    frequency.Add<fw::StaticText>("Hz");

    auto& pins = Root().AddColumn();
    xtal1_ = &pins.Add<fw::StaticText>(PinStatusText(Xtal1Label(kLargePackagePins), false, false, true));
    xtal2_ = &pins.Add<fw::StaticText>(PinStatusText(Xtal2Label(kLargePackagePins), false, false, true));
    configurePortIO_ = &AddNestedSheetButton(pins, "Configure Port I/O", NestedSheet::PortIO);
    // The pin texts follow the Port I/O copy (the nested sheet) and the mode.
    BindUpdate([this] { PinCheck(); });
    AddSummaryBox(Root());
}

void COscExtPropPage::AfterLoad() {
    const std::uint8_t mode = Bits(field::OSCXCN_XOSCMD);
    // Mode 001 is never written by the page: its radios and captions stay.
    if (mode != kModeUnused) ShowFrequencyControls(mode);
    // Showing the stored frequency counts as a change of the edit.
    frequency_->SetText(std::to_string(Clocks().externalOscFrequency));
    OnFrequencyTyped();
    ExternalSysclkUpdate();
}

void COscExtPropPage::OnModeChosen(std::uint8_t mode) {
    SetCrystalSnippets(mode == kModeCrystal || mode == kModeCrystalHalf);
    ShowFrequencyControls(mode);
    ExternalSysclkUpdate();
}

void COscExtPropPage::ShowFrequencyControls(std::uint8_t mode) {
    const Captions& captions = CaptionsOf(mode);
    const bool blank = IsBlankState(mode);
    for (std::size_t i = 0; i < frequencyControls_.size(); ++i) {
        fw::RadioButton& radio = *frequencyControls_[i];
        radio.SetCaption(captions[i]);
        // Blank radios are named by position so that `show` can tell them apart.
        radio.SetName(blank ? std::string(kFrequencyControlGroup) + " " + std::to_string(i + 1) : std::string());
        radio.Enable(!blank);
    }
    if (blank) {
        frequencyControls_[0]->SetChecked(true);
        ReplaceBits(field::OSCXCN_XFCN, 0);
    }
}

void COscExtPropPage::SetCrystalSnippets(bool crystal) {
    SetWait(reg::OSCXCN, Fragment::CrystalWait, crystal);
}

void COscExtPropPage::OnFrequencyTyped() {
    FrequencyText typed = ReadFrequencyText(frequency_->Text());
    if (typed.droppedCharacters) Warn(kInvalidFrequencyCharacterWarning);
    if (typed.tooLarge) {
        // Refused: the field goes back to the frequency it held.
        Warn(kFrequencyTooLargeWarning);
        typed.value = Clocks().externalOscFrequency;
        typed.digits = std::to_string(typed.value);
    }
    if (typed.digits != frequency_->Text()) frequency_->SetText(typed.digits);
    Clocks().externalOscFrequency = typed.value;
    ExternalSysclkUpdate();
}

void COscExtPropPage::ExternalSysclkUpdate() {
    if (!ExternalIsSysclk()) return;
    Clocks().sysclk = ExternalSysclk(Clocks().externalOscFrequency, Value(reg::OSCXCN));
}

void COscExtPropPage::PinCheck() {
    const std::uint8_t mode = Bits(field::OSCXCN_XOSCMD);
    if (mode == kModeUnused) return;
    const CrystalPins pins = CrystalPinsOf(DeviceId());
    const PeripheralBlock& portIO = Copy(kBlockPortIO);
    const bool crystal = mode == kModeCrystal || mode == kModeCrystalHalf;
    const bool cmos = mode == kModeCmos || mode == kModeCmosHalf;
    xtal1_->SetText(crystal ? PinStatus(portIO, pins.xtal1, Xtal1Label(pins), true) : "");
    xtal2_->SetText(mode == kModeOff ? "" : PinStatus(portIO, pins.xtal2, Xtal2Label(pins), !cmos));
    configurePortIO_->Enable(mode != kModeOff && NestedSheetAvailable(NestedSheet::PortIO));
}

}  // namespace regsmith

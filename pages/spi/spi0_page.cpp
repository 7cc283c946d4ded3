#include "pages/spi/spi0_page.h"

#include "model/crossbar.h"
#include "pages/spi/sck_calculator.h"
#include "pages/spi/sck_dialog.h"
#include "view/messages.h"
#include "view/sheet_commands.h"

namespace regsmith {

namespace {

constexpr std::uint8_t kMasterBit = 0x40;
constexpr std::uint8_t kSpiEnableBit = 0x01;

constexpr std::array<const char*, 3> kWireModeCaptions{
    "3 Wire Slave or 3 Wire Master Mode", "4 Wire Slave or Multi Master Mode", "4 Wire Single Master Mode"};

fw::RadioButton& Radio(std::array<fw::RadioButton*, 3>& radios, spi::WireMode mode) {
    return *radios[static_cast<std::size_t>(mode)];
}

}  // namespace

CSpi0PropPage::CSpi0PropPage(SheetContext& sheet) : CDevicePropPage(kSpi0PageTitle, sheet, kBlockSpi) {
    auto& columns = Root().AddRow();
    auto& left = columns.AddColumn();
    auto& right = columns.AddColumn();

    BindCheck(left, "Enable SPI0", reg::SPI0CN, kSpiEnableBit);
    const auto modes = BindRadios(left.Add<fw::GroupBox>("SPI Mode"), reg::SPI0CFG, kMasterBit,
                                  {{"Operate in Slave Mode", 0x00}, {"Operate in Master Mode", kMasterBit}});
    master_ = modes[1];
    for (fw::RadioButton* mode : modes) Then(*mode, [this] { OnModeClicked(); });
    BindRadios(left.Add<fw::GroupBox>("Clock Phase"), reg::SPI0CFG, 0x20,
               {{"Data Centered on First Edge of SCK", 0x00}, {"Data Centered on Second Edge of SCK", 0x20}});
    BindRadios(left.Add<fw::GroupBox>("Clock Polarity"), reg::SPI0CFG, 0x10,
               {{"SCK Line Low in Idle State", 0x00}, {"SCK Line High in Idle State", 0x10}});

    // The wire-mode radios do not check themselves: the page moves the check
    // when a change is allowed, and shows the stored mode again otherwise.
    auto& wires = right.Add<fw::GroupBox>("Slave Mode Select");
    for (std::size_t index = 0; index < wireModes_.size(); ++index) {
        auto& radio = wires.Add<fw::RadioButton>(kWireModeCaptions[index], "wire mode");
        const auto mode = static_cast<spi::WireMode>(index);
        Bind(radio, {}, [this, mode] { OnWireModeClicked(mode); });
        wireModes_[index] = &radio;
    }
    nssLevel_ = &wires.Add<fw::CheckBox>("Set NSS Signal to 1");
    Bind(*nssLevel_, {}, [this] { SetBits(nssLevel_->IsChecked(), reg::SPI0CN, spi::kNssLevelBit); });

    auto& clock = right.Add<fw::GroupBox>("Clock Rate for SPI");
    auto& rate = clock.AddRow();
    BindDisplay(rate, "", [this] {
        const std::uint32_t sysclk = Sheet().Clocks().sysclk;
        return std::to_string(spi::SckRate(sysclk, Value(reg::SPI0CKR)));
    }).widthChars = 12;
    rate.Add<fw::StaticText>("Hz");
    AddButton(rate, "Change SCK", [this] { OnChangeSck(); });
    BindHex(clock, "SPI0CKR Value (Hex)", reg::SPI0CKR);

    auto& interrupt = left.Add<fw::GroupBox>("SPI Interrupt");
    BindInterruptStatus(interrupt, "SPI0", reg::IE, 0x40);
    AddNestedSheetButton(interrupt, "Configure SPI Interrupts", NestedSheet::Interrupts);

    auto& crossbar = right.Add<fw::GroupBox>("SPI on the Crossbar");
    BindCrossbarStatus(crossbar, "SPI0", CrossbarPeripheral::Spi0);
    // The crossbar page routes with this page's own SPI copy (its wire mode).
    AddNestedSheetButton(crossbar, "Configure Port I/O", NestedSheet::PortIOWithOwnSpi,
                         [this] { AfterPortIOAccepted(); });

    AddSummaryBox(Root());
}

bool CSpi0PropPage::OnCrossbar() const { return IsEnabledOnCrossbar(Copy(kBlockPortIO), CrossbarPeripheral::Spi0); }

void CSpi0PropPage::AfterLoad() {
    // Slave mode has no single-master NSS output.
    const bool master = TestBits(reg::SPI0CFG, kMasterBit);
    Radio(wireModes_, spi::WireMode::FourWireSingleMaster).Enable(master);
    if (!master) nssLevel_->Enable(false);
    ShowWireMode();
    switch (Value(reg::SPI0CN) & spi::kNssFieldMask) {
        case 0x00:
        case 0x04: nssLevel_->SetChecked(false), nssLevel_->Enable(false); break;
        case 0x08: nssLevel_->SetChecked(false), nssLevel_->Enable(true); break;
        default: nssLevel_->SetChecked(true); break;  // the enabled state stays as it is
    }
}

void CSpi0PropPage::ShowWireMode() { Radio(wireModes_, spi::WireModeOf(Value(reg::SPI0CN))).SetChecked(true); }

void CSpi0PropPage::OnModeClicked() {
    if (master_->IsChecked()) {
        Radio(wireModes_, spi::WireMode::FourWireSingleMaster).Enable(true);
        return;
    }
    // A slave cannot be the single master: it moves to four-wire slave mode,
    // whatever the crossbar holds (the pin count stays).
    if (spi::WireModeOf(Value(reg::SPI0CN)) == spi::WireMode::FourWireSingleMaster)
        ReplaceBits(reg::SPI0CN, spi::kNssFieldMask, spi::NssFieldOf(spi::WireMode::FourWireMultiMaster));
    ShowWireMode();
    nssLevel_->SetChecked(false);
    nssLevel_->Enable(false);
    Radio(wireModes_, spi::WireMode::FourWireSingleMaster).Enable(false);
}

void CSpi0PropPage::OnWireModeClicked(spi::WireMode clicked) {
    const spi::WireMode previous = spi::WireModeOf(Value(reg::SPI0CN));
    const spi::WireModeChange change = spi::CheckWireModeChange(previous, clicked, OnCrossbar());
    if (change == spi::WireModeChange::Refused) {
        Warn(spi::kWireModeLockedMessage);
    } else if (change == spi::WireModeChange::Changed) {
        ReplaceBits(reg::SPI0CN, spi::kNssFieldMask, spi::NssFieldOf(clicked));
        const bool singleMaster = clicked == spi::WireMode::FourWireSingleMaster;
        nssLevel_->SetChecked(false);
        nssLevel_->Enable(singleMaster);
    }
    ShowWireMode();
}

void CSpi0PropPage::OnChangeSck() {
    CSckDialog dialog(Sheet());
    if (dialog.DoModal() != fw::DialogResult::Ok) return;
    SetValue(reg::SPI0CKR, dialog.Spi0ckr());
    LoadHexField(reg::SPI0CKR);
}

void CSpi0PropPage::AfterPortIOAccepted() {
    // The accepted crossbar numbers its pins for this page's wire mode (NSS
    // takes a pin with four wires, none with three).  The document gets a
    // wire mode with the same pin count, so a Cancel of this sheet cannot
    // leave a crossbar numbered for a wire mode the document does not hold.
    // Single master is kept only for a document in master mode; a slave
    // gets the four-wire slave mode, as the mode rule gives it.
    SheetContext& sheet = Sheet();
    PeripheralBlock spi;
    sheet.Document().GetBlock(spi, kBlockSpi);
    RegisterEntry* spi0cn = EntryOf(spi, reg::SPI0CN);
    if (!spi0cn) return;
    const spi::WireMode routed = spi::WireModeOf(Value(reg::SPI0CN));
    const bool routedThreeWire = routed == spi::WireMode::ThreeWire;
    if ((spi::WireModeOf(spi0cn->value) == spi::WireMode::ThreeWire) == routedThreeWire) return;
    spi::WireMode written = routed;
    if (routed == spi::WireMode::FourWireSingleMaster && (ValueOf(spi, reg::SPI0CFG) & kMasterBit) == 0)
        written = spi::WireMode::FourWireMultiMaster;
    ReplaceBitsIn(spi, reg::SPI0CN, kSpiNssModeMask, spi::NssFieldOf(written));
    sheet.Document().SetBlock(spi, kBlockSpi);
}

}  // namespace regsmith

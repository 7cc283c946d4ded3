#include "pages/spi/spi0_page.h"

#include "model/crossbar.h"
#include "pages/spi/sck_calculator.h"
#include "pages/spi/sck_dialog.h"
#include "view/messages.h"
#include "view/sheet_commands.h"

namespace regsmith {

namespace {

fw::RadioButton& Radio(std::array<fw::RadioButton*, 3>& radios, spi::WireMode mode) {
    return *radios[static_cast<std::size_t>(mode)];
}

}  // namespace

CSpi0PropPage::CSpi0PropPage(SheetContext& sheet) : CDevicePropPage(kSpi0PageTitle, sheet, kBlockSpi) {
    auto& columns = Root().AddRow();
    auto& left = columns.AddColumn();
    auto& right = columns.AddColumn();

    BindCheck(left, field::SPI0CN_SPIEN);
    const auto modes = BindRadios(left.Add<fw::GroupBox>("SPI Mode"), field::SPI0CFG_MSTEN);
    master_ = modes[1];
    for (fw::RadioButton* mode : modes) Then(*mode, [this] { OnModeClicked(); });
    BindRadios(left.Add<fw::GroupBox>("Clock Phase"), field::SPI0CFG_CKPHA);
    BindRadios(left.Add<fw::GroupBox>("Clock Polarity"), field::SPI0CFG_CKPOL);

    // The wire-mode radios do not check themselves: the page moves the check
    // when a change is allowed, and shows the stored mode again otherwise.
    auto& wires = right.Add<fw::GroupBox>("Slave Mode Select");
    for (std::size_t index = 0; index < wireModes_.size(); ++index) {
        auto& radio = wires.Add<fw::RadioButton>(std::string(field::SPI0CN_NSSMD.choices[index].caption), "wire mode");
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
    BindInterruptStatus(interrupt, "SPI0", field::IE_ESPI0);
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
    const bool master = TestBits(field::SPI0CFG_MSTEN);
    Radio(wireModes_, spi::WireMode::FourWireSingleMaster).Enable(master);
    if (!master) nssLevel_->Enable(false);
    ShowWireMode();
    const std::uint8_t nss = Bits(field::SPI0CN_NSSMD);
    if (spi::WireModeOf(nss) != spi::WireMode::FourWireSingleMaster) {
        nssLevel_->SetChecked(false), nssLevel_->Enable(false);
    } else if (nss == spi::NssFieldOf(spi::WireMode::FourWireSingleMaster)) {
        nssLevel_->SetChecked(false), nssLevel_->Enable(true);
    } else {
        nssLevel_->SetChecked(true);  // the enabled state stays as it is
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
        ReplaceBits(field::SPI0CN_NSSMD, spi::NssFieldOf(spi::WireMode::FourWireMultiMaster));
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
        ReplaceBits(field::SPI0CN_NSSMD, spi::NssFieldOf(clicked));
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
}

void CSpi0PropPage::AfterPortIOAccepted() {
    // An accepted crossbar that routes SPI0 numbers its pins for this page's
    // wire mode (NSS takes a pin with four wires, none with three).  The
    // document then gets a wire mode with the same pin count, so a Cancel of
    // this sheet cannot leave a crossbar numbered for a wire mode the
    // document does not hold.  Single master is kept only for a document in
    // master mode; a slave gets the four-wire slave mode, as the mode rule
    // gives it.  A crossbar without SPI0 numbers no SPI pin: the document's
    // wire mode is left to this sheet's OK or Cancel.
    SheetContext& sheet = Sheet();
    PeripheralBlock portIO;
    sheet.Document().GetBlock(portIO, kBlockPortIO);
    if (!IsEnabledOnCrossbar(portIO, CrossbarPeripheral::Spi0)) return;
    PeripheralBlock spi;
    sheet.Document().GetBlock(spi, kBlockSpi);
    RegisterEntry* spi0cn = EntryOf(spi, reg::SPI0CN);
    if (!spi0cn) return;
    const spi::WireMode routed = spi::WireModeOf(Value(reg::SPI0CN));
    const bool routedThreeWire = routed == spi::WireMode::ThreeWire;
    if ((spi::WireModeOf(spi0cn->value) == spi::WireMode::ThreeWire) == routedThreeWire) return;
    spi::WireMode written = routed;
    if (routed == spi::WireMode::FourWireSingleMaster && !TestBits(spi, field::SPI0CFG_MSTEN))
        written = spi::WireMode::FourWireMultiMaster;
    ReplaceBitsIn(spi, reg::SPI0CN, spi::kNssFieldMask, spi::NssFieldOf(written));
    sheet.Document().SetBlock(spi, kBlockSpi);
}

}  // namespace regsmith

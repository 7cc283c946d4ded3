#include "pages/interrupts/int01_config_page.h"

#include "pages/interrupts/interrupt_check_box_page.h"
#include "pages/portio/portio_sheets.h"
#include "view/sheet_commands.h"

namespace regsmith {

using namespace interrupts;

namespace {

const std::vector<std::string> kCrossbarPageOnly{"Priority Crossbar"};

}  // namespace

CInt01ConfigPropPage::CInt01ConfigPropPage(PeripheralBlock& interruptsCopy, SheetContext& context)
    : fw::PropertyPage(kInt01ConfigPageTitle), CDevicePage(interruptsCopy), context_(context) {
    controls_ = BuildInt01ConfigPage(Root());
    for (std::size_t which = 0; which < controls_.size(); ++which) {
        const ExternalInterrupt& external = kExternalInterrupts[which];
        ExternalInterruptControls& controls = controls_[which];
        controls.activeLow->onChange = [this, &external] {
            SetBits(false, kEntryIT01CF, external.polarityMask);
            RefreshSummary();
        };
        controls.activeHigh->onChange = [this, &external] {
            SetBits(true, kEntryIT01CF, external.polarityMask);
            RefreshSummary();
        };
        controls.pins->onChange = [this, which] { OnPinSelected(which); };
        controls.configurePortIO->onChange = [this] { OnConfigurePortIO(); };
    }
    AddSummaryBox(Root());
}

void CInt01ConfigPropPage::Load() {
    const std::vector<std::string> pins = ExternalInterruptPins(GetActiveDeviceId());
    for (std::size_t which = 0; which < controls_.size(); ++which) {
        const ExternalInterrupt& external = kExternalInterrupts[which];
        ExternalInterruptControls& controls = controls_[which];
        if (TestBits(kEntryIT01CF, external.polarityMask))
            controls.activeHigh->SetChecked(true);
        else
            controls.activeLow->SetChecked(true);
        controls.pins->SetItems(pins);
        // A pin the package lacks (P0.6 or P0.7 on the small package) shows
        // no selection; its bits stay until the user picks a pin.
        controls.pins->SetSelected((Value(kEntryIT01CF) & external.pinMask) >> external.pinShift);
    }
    RefreshSummary();
}

void CInt01ConfigPropPage::OnPinSelected(std::size_t which) {
    const ExternalInterrupt& external = kExternalInterrupts[which];
    const int position = controls_[which].pins->Selected();
    const auto field = static_cast<std::uint8_t>(position < 0 ? 0 : (position << external.pinShift) & external.pinMask);
    ReplaceBits(kEntryIT01CF, external.pinMask, field);
    RefreshSummary();
}

void CInt01ConfigPropPage::OnInitDialog() {
    Load();
    // The crossbar page belongs to the port I/O pages; until they are
    // registered the buttons have nothing to open.
    const bool crossbarAvailable = PagesRegistered(kCrossbarPageOnly);
    for (ExternalInterruptControls& controls : controls_) controls.configurePortIO->Enable(crossbarAvailable);
}

bool CInt01ConfigPropPage::OnSetActive() {
    Load();
    return true;
}

void CInt01ConfigPropPage::OnReset() {
    ResetInterruptRegisters(*this);
    Load();
}

void CInt01ConfigPropPage::OnConfigurePortIO() {
    RunPortIONestedSheet(context_, PortIOCopy::Fresh, SpiCopy::Fresh);
}

}  // namespace regsmith

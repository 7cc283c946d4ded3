#include "pages/interrupts/int01_config_page.h"

#include "fw/ui.h"

namespace regsmith {

using namespace interrupts;

CInt01ConfigPropPage::CInt01ConfigPropPage(SheetContext& sheet)
    : CDevicePropPage(kInt01ConfigPageTitle, sheet, kBlockInterrupts) {
    controls_ = BuildInt01ConfigPage(Root());
    for (std::size_t which = 0; which < controls_.size(); ++which) {
        const ExternalInterrupt& external = kExternalInterrupts[which];
        ExternalInterruptControls& controls = controls_[which];
        Bind(*controls.activeLow, reg::IT01CF, external.polarityMask, 0x00);
        Bind(*controls.activeHigh, reg::IT01CF, external.polarityMask, external.polarityMask);
        Bind(*controls.pins, reg::IT01CF, external.pinMask);
        BindNestedSheet(*controls.configurePortIO, NestedSheet::PortIOFresh);
    }
    AddSummaryBox(Root());
}

void CInt01ConfigPropPage::OnFirstDisplay() {
    const std::vector<std::string> pins = ExternalInterruptPins(GetActiveDeviceId());
    for (ExternalInterruptControls& controls : controls_) controls.pins->SetItems(pins);
}

}  // namespace regsmith

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
        Bind(*controls.activeLow, external.polarity, external.polarity.choices[0].value);
        Bind(*controls.activeHigh, external.polarity, external.polarity.choices[1].value);
        Bind(*controls.pins, external.pin.entry, external.pin.mask);
        BindNestedSheet(*controls.configurePortIO, NestedSheet::PortIOFresh);
    }
    AddSummaryBox(Root());
}

void CInt01ConfigPropPage::OnFirstDisplay() {
    const std::vector<std::string> pins = ExternalInterruptPins(DeviceId());
    for (ExternalInterruptControls& controls : controls_) controls.pins->SetItems(pins);
}

}  // namespace regsmith

#include "pages/portio/port_match_page.h"

#include "model/catalogue.h"
#include "pages/portio/crossbar_page.h"

namespace regsmith {

CPortIOMatchPropPage::CPortIOMatchPropPage(SheetContext& sheet)
    : CDevicePropPage(kPortMatchPageTitle, sheet, kBlockPortIO) {
    static const char* const kCaptions[] = {"0", "1", "X"};
    auto& event = Root().Add<fw::GroupBox>("Port Match Event");
    for (int port = 0; port < 2; ++port) {
        auto& row = event.Add<fw::GroupBox>(port == 0 ? "When P0 Is Not Equal To" : "When P1 Is Not Equal To",
                                            fw::Container::Layout::Grid);
        if (port == 1) port1_ = &row;
        row.AddAt<fw::StaticText>(1, 0, port == 0 ? "P0" : "P1");
        for (int bit = 7; bit >= 0; --bit) {  // bit 7 leftmost
            const int pin = port * 8 + bit, match = PinEntry(reg::P0MAT, pin), compared = PinEntry(reg::P0MASK, pin);
            const std::uint8_t mask = PinMask(pin);
            auto& label = row.AddAt<fw::StaticText>(0, 8 - bit, std::to_string(bit));
            auto& button = row.AddAt<fw::ThreeStateButton>(1, 8 - bit, kCaptions[kMatchIgnored]);
            button.SetName("Match " + PinName(pin));
            buttons_[static_cast<std::size_t>(pin)] = &button;
            if (pin == 6 || pin == 7) smallPackageHides_[static_cast<std::size_t>((pin - 6) * 2)] = &label;
            if (pin == 6 || pin == 7) smallPackageHides_[static_cast<std::size_t>((pin - 6) * 2 + 1)] = &button;
            Bind(
                button,
                [this, &button, match, compared, mask] {
                    button.SetState(!TestBits(compared, mask) ? kMatchIgnored
                                                              : (TestBits(match, mask) ? kMatchOne : kMatchZero));
                    button.SetCaption(kCaptions[button.State()]);
                },
                // Every click writes both bits, so the pair is always one of the three states.
                [this, &button, match, compared, mask] {
                    button.SetCaption(kCaptions[button.State()]);
                    SetBits(button.State() != kMatchZero, match, mask);
                    SetBits(button.State() != kMatchIgnored, compared, mask);
                });
        }
    }
    AddSummaryBox(Root());
}

// The small package has P0.0-P0.5 only.
void CPortIOMatchPropPage::OnFirstDisplay() {
    if (!IsSmallPackage(DeviceId())) return;
    for (fw::Control* control : smallPackageHides_) control->Show(false);
    port1_->Show(false);
}

void CPortIOMatchPropPage::ResetPage() { ResetPortIORegisters(*this); }

}  // namespace regsmith

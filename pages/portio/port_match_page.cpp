#include "pages/portio/port_match_page.h"

#include "model/catalogue.h"
#include "pages/portio/crossbar_page.h"

namespace regsmith {

namespace {

const char* const kStateCaptions[] = {"0", "1", "X"};

}  // namespace

CPortIOMatchPropPage::CPortIOMatchPropPage(SheetContext& sheet)
    : CDevicePropPage(kPortMatchPageTitle, sheet, kBlockPortIO) {
    auto& event = Root().Add<fw::GroupBox>("Port Match Event");
    for (int port = 0; port < 2; ++port) {
        auto& row = event.Add<fw::GroupBox>(port == 0 ? "When P0 Is Not Equal To" : "When P1 Is Not Equal To",
                                            fw::Container::Layout::Grid);
        if (port == 1) port1Group_ = &row;
        row.AddAt<fw::StaticText>(1, 0, port == 0 ? "P0" : "P1");
        // Bit 7 leftmost, bit 0 rightmost.
        for (int bit = 7; bit >= 0; --bit) {
            const int pin = port * 8 + bit;
            const int column = 8 - bit;
            const int match = PinEntry(reg::P0MAT, pin), compared = PinEntry(reg::P0MASK, pin);
            const std::uint8_t mask = PinMask(pin);
            bitLabels_[static_cast<std::size_t>(pin)] = &row.AddAt<fw::StaticText>(0, column, std::to_string(bit));
            auto& button = row.AddAt<fw::ThreeStateButton>(1, column, kStateCaptions[kMatchIgnored]);
            button.SetName("Match " + PinName(pin));
            buttons_[static_cast<std::size_t>(pin)] = &button;
            Bind(
                button,
                [this, &button, match, compared, mask] {
                    int state = kMatchIgnored;
                    if (TestBits(compared, mask)) state = TestBits(match, mask) ? kMatchOne : kMatchZero;
                    button.SetState(state);
                    button.SetCaption(kStateCaptions[state]);
                },
                // Every click writes both bits, so the pair is always one of
                // the three states.
                [this, &button, match, compared, mask] {
                    const int state = button.State();
                    button.SetCaption(kStateCaptions[state]);
                    SetBits(state != kMatchZero, match, mask);
                    SetBits(state != kMatchIgnored, compared, mask);
                });
        }
    }
    AddSummaryBox(Root());
}

void CPortIOMatchPropPage::OnFirstDisplay() {
    if (!IsSmallPackage(GetActiveDeviceId())) return;
    for (int pin = 6; pin < kMaxPins; ++pin) {
        Button(pin).Show(false);
        bitLabels_[static_cast<std::size_t>(pin)]->Show(false);
    }
    port1Group_->Show(false);
}

void CPortIOMatchPropPage::ResetPage() { ResetPortIORegisters(*this); }

}  // namespace regsmith

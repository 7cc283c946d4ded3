#include "pages/portio/port_match_page.h"

#include "pages/portio/crossbar_page.h"
#include "plugin/catalogue.h"

namespace regsmith {

namespace {

const char* const kStateCaptions[] = {"0", "1", "X"};

int MatchEntry(int pin) { return PinEntry(kP0MAT, pin); }
int MaskEntry(int pin) { return PinEntry(kP0MASK, pin); }

}  // namespace

CPortIOMatchPropPage::CPortIOMatchPropPage(PeripheralBlock& portIO)
    : fw::PropertyPage(kPortMatchPageTitle), CDevicePage(portIO) {
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
            bitLabels_[static_cast<std::size_t>(pin)] = &row.AddAt<fw::StaticText>(0, column, std::to_string(bit));
            auto& button = row.AddAt<fw::ThreeStateButton>(1, column, kStateCaptions[kMatchIgnored]);
            button.SetName("Match " + PinName(pin));
            button.onChange = [this, pin] { OnClicked(pin); };
            buttons_[static_cast<std::size_t>(pin)] = &button;
        }
    }
    AddSummaryBox(Root());
}

void CPortIOMatchPropPage::Load() {
    for (int pin = 0; pin < kMaxPins; ++pin) {
        const std::uint8_t mask = PinMask(pin);
        int state = kMatchIgnored;
        if (TestBits(MaskEntry(pin), mask)) state = TestBits(MatchEntry(pin), mask) ? kMatchOne : kMatchZero;
        fw::ThreeStateButton& button = Button(pin);
        button.SetState(state);
        button.SetCaption(kStateCaptions[state]);
    }
    RefreshSummary();
}

void CPortIOMatchPropPage::OnClicked(int pin) {
    fw::ThreeStateButton& button = Button(pin);
    const std::uint8_t mask = PinMask(pin);
    const int state = button.State();
    button.SetCaption(kStateCaptions[state]);
    // Every click writes both bits, so the pair is always one of the three states.
    SetBits(state != kMatchZero, MatchEntry(pin), mask);
    SetBits(state != kMatchIgnored, MaskEntry(pin), mask);
    RefreshSummary();
}

void CPortIOMatchPropPage::OnInitDialog() {
    if (IsSmallPackage(GetActiveDeviceId())) {
        for (int pin : {6, 7}) {
            Button(pin).Show(false);
            bitLabels_[static_cast<std::size_t>(pin)]->Show(false);
        }
        port1Group_->Show(false);
        for (int pin = 8; pin < kMaxPins; ++pin) {
            Button(pin).Show(false);
            bitLabels_[static_cast<std::size_t>(pin)]->Show(false);
        }
    }
    Load();
}

bool CPortIOMatchPropPage::OnSetActive() {
    Load();
    return true;
}

void CPortIOMatchPropPage::OnReset() {
    ResetPortIORegisters(*this);
    Load();
}

}  // namespace regsmith

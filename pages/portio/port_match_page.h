#pragma once
// "Port Match": for every pin, whether it takes part in the port-match
// comparison (PnMASK) and the level it is compared with (PnMAT).  One
// three-state button per pin: "0" (compared, match bit 0), "1" (compared,
// match bit 1), "X" (not compared).

#include <array>

#include "fw/ui.h"
#include "pages/portio/crossbar.h"
#include "view/device_page.h"

namespace regsmith {

inline constexpr const char* kPortMatchPageTitle = "Port Match";

// Button states, in the order a click advances them.
enum PortMatchState : int { kMatchZero = 0, kMatchOne = 1, kMatchIgnored = 2 };

class CPortIOMatchPropPage : public fw::PropertyPage, public CDevicePage {
public:
    explicit CPortIOMatchPropPage(PeripheralBlock& portIO);

    void OnInitDialog() override;
    bool OnSetActive() override;
    void OnReset() override;

    fw::ThreeStateButton& Button(int pin) const { return *buttons_[static_cast<std::size_t>(pin)]; }

private:
    void Load();
    void OnClicked(int pin);

    std::array<fw::ThreeStateButton*, kMaxPins> buttons_{};
    std::array<fw::StaticText*, kMaxPins> bitLabels_{};
    fw::GroupBox* port1Group_ = nullptr;
};

}  // namespace regsmith

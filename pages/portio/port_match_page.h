#pragma once
// "Port Match": for every pin, whether it takes part in the port-match
// comparison (PnMASK) and the level it is compared with (PnMAT).  One
// three-state button per pin: "0" (compared, match bit 0), "1" (compared,
// match bit 1), "X" (not compared).

#include <array>

#include "fw/ui.h"
#include "model/crossbar.h"
#include "view/device_page.h"

namespace regsmith {

inline constexpr const char* kPortMatchPageTitle = "Port Match";

// Button states, in the order a click advances them.
enum PortMatchState : int { kMatchZero = 0, kMatchOne = 1, kMatchIgnored = 2 };

class CPortIOMatchPropPage : public CDevicePropPage {
public:
    explicit CPortIOMatchPropPage(SheetContext& sheet);

    fw::ThreeStateButton& Button(int pin) const { return *buttons_[static_cast<std::size_t>(pin)]; }

private:
    // The small package has no P0.6, P0.7 and no port 1.
    void OnFirstDisplay() override;
    void ResetPage() override;

    std::array<fw::ThreeStateButton*, kMaxPins> buttons_{};
    std::array<fw::StaticText*, kMaxPins> bitLabels_{};
    fw::GroupBox* port1Group_ = nullptr;
};

}  // namespace regsmith

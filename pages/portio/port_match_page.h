#pragma once
// "Port Match": one three-state button per pin, "0" or "1" (compared with
// that level: PnMASK bit 1, PnMAT bit 0 or 1) or "X" (not compared).

#include <array>

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
    void OnFirstDisplay() override;
    void ResetPage() override;

    std::array<fw::ThreeStateButton*, kMaxPins> buttons_{};
    std::array<fw::Control*, 4> smallPackageHides_{};  // bits 6 and 7 of P0, their labels
    fw::GroupBox* port1_ = nullptr;
};

}  // namespace regsmith

#pragma once
// "Power-Fail Reset/VDD Monitor": the VDD monitor's enable and threshold
// (VDM0CN).  Enabling the monitor declares the counter of the wait loop that
// follows VDM0CN in Reset_Sources_Init.

#include "view/device_page.h"

namespace regsmith {

class CResetVDDMonPropPage : public CDevicePropPage {
public:
    explicit CResetVDDMonPropPage(SheetContext& sheet);

private:
    void ResetPage() override;

    PeripheralBlock& comparatorResetSource_;  // block 8
};

}  // namespace regsmith

#pragma once
// "Voltage Regulator": the regulator's output level and disable (REG0CN).

#include "view/device_page.h"

namespace regsmith {

inline constexpr const char* kVoltageRegulatorPageTitle = "Voltage Regulator";

class CVoltageRegPropPage : public CDevicePropPage {
public:
    explicit CVoltageRegPropPage(SheetContext& sheet);
};

}  // namespace regsmith

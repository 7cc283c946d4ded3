#pragma once
// "Voltage Reference": REF0CN (reference source, output level, zero-tempco
// bias, bias generator, temperature sensor, reference buffer), with the check
// that P0.0 is ready for an external VREF and its nested "Port I/O" sheet.
// The ADC page opens this page in its nested "Voltage Reference" sheet.

#include <string>

#include "view/device_page.h"

namespace regsmith {

inline constexpr const char* kVoltageReferencePageTitle = "Voltage Reference";

// The pin check of P0.0 for an external reference, from a port I/O block.
std::string VrefPinStatus(const PeripheralBlock& portIO);

class CVoltageRefPropPage : public CDevicePropPage {
public:
    explicit CVoltageRefPropPage(SheetContext& sheet);
};

}  // namespace regsmith

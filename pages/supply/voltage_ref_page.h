#pragma once
// "Voltage Reference": REF0CN (reference source, output level, zero-tempco
// bias, bias generator, temperature sensor, reference buffer), with the check
// that P0.0 is ready for an external VREF and its nested "Port I/O" sheet.
// The ADC page opens this page in its nested "Voltage Reference" sheet.

#include <string>

#include "view/device_page.h"

namespace regsmith {

inline constexpr const char* kVoltageReferencePageTitle = "Voltage Reference";

// REF0CN
inline constexpr std::uint8_t kRefBuffer = 0x01;
inline constexpr std::uint8_t kRefBiasGenerator = 0x02;
inline constexpr std::uint8_t kRefTemperatureSensor = 0x04;
inline constexpr std::uint8_t kRefSelectRegulator = 0x08;  // 0: the VREF pin P0.0
inline constexpr std::uint8_t kRefLevelHigh = 0x10;        // 2.25 V, else 1.5 V
inline constexpr std::uint8_t kRefZeroTcOn = 0x20;

// The pin check of P0.0 for an external reference, from a port I/O block.
std::string VrefPinStatus(const PeripheralBlock& portIO);

class CVoltageRefPropPage : public CDevicePropPage {
public:
    explicit CVoltageRefPropPage(SheetContext& sheet);
};

}  // namespace regsmith

#pragma once
// ADC0's input multiplexer by package (the "Input Channel:" list and its
// ADC0MX codes) and the status texts of the input pin and the CNVSTR pin.

#include <cstdint>
#include <string>
#include <vector>

#include "model/device_data.h"

namespace regsmith {

// ADC0MX bits 4-0; bits 7-5 are kept as they are.
inline constexpr std::uint8_t kAdcInputMask = 0x1F;
inline constexpr std::uint8_t kTempSensorCode = 0x18;
inline constexpr std::uint8_t kVregoutCode = 0x19;
inline constexpr std::uint8_t kGndCode = 0x1F;
// ADC0CN bits 1-0: start of conversion on the CNVSTR pin.
inline constexpr std::uint8_t kStartMask = 0x03;
inline constexpr std::uint8_t kStartOnCnvstr = 0x02;

struct AdcInput {
    std::string item;  // "P1.2", "Temp Sensor"
    std::uint8_t code;  // a pin's code is port x 8 + bit
    int pin;           // kNoPin for the internal channels
};

// The list in order: the package's pins, then "Temp Sensor", "Vregout", "GND".
std::vector<AdcInput> AdcInputs(std::uint8_t deviceId);

// The text under the list for an ADC0MX input code: empty for the internal
// channels, the pin check for a pin, the unknown-input text for a code
// without an item on this package.
std::string AdcInputStatus(const std::vector<AdcInput>& inputs, std::uint8_t code, const PeripheralBlock& portIO);

// The CNVSTR pin check (P0.5 on the small package, P1.2 on the large one);
// empty unless the conversions start on CNVSTR.
std::string CnvstrStatus(std::uint8_t deviceId, std::uint8_t adc0cn, const PeripheralBlock& portIO);

}  // namespace regsmith

#pragma once
// ADC0's input multiplexer by package (the "Input Channel:" list and its
// ADC0MX codes) and the status texts of the input pin and the CNVSTR pin.

#include <cstdint>
#include <string>
#include <vector>

#include "model/device_data.h"
#include "view/device_page.h"

namespace regsmith {

// A pin's code is port x 8 + bit; the internal channels follow the pins.
using AdcInput = AnalogInput;

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

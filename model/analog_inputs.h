#pragma once
// The checks pages make on a pin they use: the pin must be skipped by the
// crossbar and set to the mode the use needs (analog for an analog input, a
// crystal or VREF; digital for an external CMOS clock).

#include <string>
#include <string_view>

#include "model/device_data.h"

namespace regsmith {

// "<label> is Analog and Skipped<purpose>: Configured Properly", or "NOT
// Configured Properly" unless the pin is skipped and in the expected mode;
// "Digital" and "Not Skipped" where they apply.
std::string PinStatusText(std::string_view label, bool analog, bool skipped, bool expectAnalog,
                          std::string_view purpose = {});
// The same from the pin's PnMDIN and PnSKIP bits in a port I/O block.
std::string PinStatus(const PeripheralBlock& portIO, int pin, std::string_view label, bool expectAnalog,
                      std::string_view purpose = {});
// An analog input: "Pin is Analog and Skipped: Configured Properly" ...
std::string AnalogInputPinStatus(const PeripheralBlock& portIO, int pin);

// What an input list shows under it for a stored input code that none of its
// items stands for (a reserved code, or a pin the package lacks): the code is
// kept until the user picks an input.  "Unknown Input: Code 0x3".
std::string UnknownInputStatus(unsigned code);

}  // namespace regsmith

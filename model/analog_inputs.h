#pragma once
// The check that the ADC and comparator pages make on an input pin: an analog
// input must be set to analog and skipped by the crossbar.

#include <string>

#include "model/device_data.h"

namespace regsmith {

// "Pin is Analog and Skipped: Configured Properly" and the three texts of the
// wrong settings, from the pin's PnMDIN and PnSKIP bits in a port I/O block.
std::string AnalogInputPinStatus(const PeripheralBlock& portIO, int pin);

// What an input list shows under it for a stored input code that none of its
// items stands for (a reserved code, or a pin the package lacks): the code is
// kept until the user picks an input.  "Unknown Input: Code 0x3".
std::string UnknownInputStatus(unsigned code);

}  // namespace regsmith

#pragma once
// The pins that analog inputs and the oscillator use on each package, and the
// checks pages make on a pin they use: the pin must be skipped by the
// crossbar and set to the mode the use needs (analog for an analog input, a
// crystal or VREF; digital for an external CMOS clock).  The pages and the
// chip overview take the pins from here.

#include <cstdint>
#include <string>
#include <string_view>

#include "model/device_data.h"

namespace regsmith {

// P0.0 takes an external voltage reference.
inline constexpr int kVrefPin = 0;

// The external oscillator's pins: P0.2 and P0.3 on the small package, P0.7
// and P1.0 on the large one.  XTAL2 also takes an external CMOS clock.
struct CrystalPins {
    int xtal1, xtal2;
};
CrystalPins CrystalPinsOf(std::uint8_t deviceId);

// ADC0's CNVSTR pin: P0.5 on the small package, P1.2 on the large one.
int CnvstrPin(std::uint8_t deviceId);

// The pin of an ADC0MX input code (ADC0MX bits 4-0; a pin's code is port x 8
// + bit), or kNoPin for the internal channels and a code without a pin on
// the package.
int AdcInputPin(std::uint8_t deviceId, std::uint8_t code);

// The pin of a comparator input code (one CPT0MX field): positive inputs
// are the even pins, negative inputs the odd ones, code n the n-th of them
// (three on the small package, eight on the large); kNoPin for "None" and
// the reserved codes.
int ComparatorInputPin(std::uint8_t deviceId, bool positive, std::uint8_t code);
// The number of input codes with a pin: 3 or 8.
int ComparatorInputCount(std::uint8_t deviceId);

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

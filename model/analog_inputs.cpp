#include "model/analog_inputs.h"

#include <cstdio>

#include "model/crossbar.h"

namespace regsmith {

std::string AnalogInputPinStatus(const PeripheralBlock& portIO, int pin) {
    const bool analog = IsPinAnalog(portIO, pin);
    const bool skipped = IsPinSkipped(portIO, pin);
    if (analog && skipped) return "Pin is Analog and Skipped: Configured Properly";
    if (analog) return "Pin is Analog and Not Skipped: NOT Configured Properly";
    if (skipped) return "Pin is Digital and Skipped: NOT Configured Properly";
    return "Pin is Digital and Not Skipped: NOT Configured Properly";
}

std::string UnknownInputStatus(unsigned code) {
    char text[40];
    std::snprintf(text, sizeof text, "Unknown Input: Code 0x%X", code & 0xFFu);
    return text;
}

}  // namespace regsmith

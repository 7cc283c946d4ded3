#include "model/analog_inputs.h"

#include <cstdio>

#include "model/crossbar.h"

namespace regsmith {

std::string PinStatusText(std::string_view label, bool analog, bool skipped, bool expectAnalog,
                          std::string_view purpose) {
    const bool proper = skipped && analog == expectAnalog;
    std::string text(label);
    text += analog ? " is Analog and " : " is Digital and ";
    text += skipped ? "Skipped" : "Not Skipped";
    text += purpose;
    text += proper ? ": Configured Properly" : ": NOT Configured Properly";
    return text;
}

std::string PinStatus(const PeripheralBlock& portIO, int pin, std::string_view label, bool expectAnalog,
                      std::string_view purpose) {
    return PinStatusText(label, IsPinAnalog(portIO, pin), IsPinSkipped(portIO, pin), expectAnalog, purpose);
}

std::string AnalogInputPinStatus(const PeripheralBlock& portIO, int pin) { return PinStatus(portIO, pin, "Pin", true); }

std::string UnknownInputStatus(unsigned code) {
    char text[40];
    std::snprintf(text, sizeof text, "Unknown Input: Code 0x%X", code & 0xFFu);
    return text;
}

}  // namespace regsmith

#include "model/analog_inputs.h"

#include <cstdio>

#include "model/catalogue.h"
#include "model/crossbar.h"

namespace regsmith {

CrystalPins CrystalPinsOf(std::uint8_t deviceId) {
    return IsSmallPackage(deviceId) ? CrystalPins{2, 3} : CrystalPins{7, 8};
}

int CnvstrPin(std::uint8_t deviceId) { return IsSmallPackage(deviceId) ? 5 : 10; }

int AdcInputPin(std::uint8_t deviceId, std::uint8_t code) {
    return code < PinCount(deviceId) ? code : kNoPin;
}

int ComparatorInputCount(std::uint8_t deviceId) { return IsSmallPackage(deviceId) ? 3 : 8; }

int ComparatorInputPin(std::uint8_t deviceId, bool positive, std::uint8_t code) {
    if (code >= ComparatorInputCount(deviceId)) return kNoPin;
    return code * 2 + (positive ? 0 : 1);
}

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

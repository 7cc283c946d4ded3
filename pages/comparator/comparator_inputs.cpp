#include "pages/comparator/comparator_inputs.h"

#include "model/analog_inputs.h"
#include "model/catalogue.h"
#include "model/crossbar.h"

namespace regsmith {

std::vector<ComparatorInput> ComparatorInputs(bool positive, std::uint8_t deviceId) {
    // Positive inputs are the even pins, negative inputs the odd ones.
    const int pins = IsSmallPackage(deviceId) ? 3 : 8;
    std::vector<ComparatorInput> inputs;
    inputs.reserve(static_cast<std::size_t>(pins) + 1);
    for (int code = 0; code < pins; ++code) {
        const int pin = code * 2 + (positive ? 0 : 1);
        inputs.push_back({PinName(pin), static_cast<std::uint8_t>(code), pin});
    }
    inputs.push_back({"None", 15, kNoPin});
    return inputs;
}

std::string ComparatorInputStatus(const std::vector<ComparatorInput>& inputs, std::uint8_t code,
                                  const PeripheralBlock& portIO) {
    return AnalogInputStatus(inputs, code, portIO, "No Pin Selected");
}

}  // namespace regsmith

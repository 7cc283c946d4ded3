#include "pages/comparator/comparator_inputs.h"

#include "model/analog_inputs.h"
#include "model/catalogue.h"
#include "model/crossbar.h"

namespace regsmith {

std::vector<ComparatorInput> ComparatorInputs(bool positive, std::uint8_t deviceId) {
    const int pins = ComparatorInputCount(deviceId);
    std::vector<ComparatorInput> inputs;
    inputs.reserve(static_cast<std::size_t>(pins) + 1);
    for (int code = 0; code < pins; ++code) {
        const int pin = ComparatorInputPin(deviceId, positive, static_cast<std::uint8_t>(code));
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

#include "pages/adc/adc_inputs.h"

#include "model/analog_inputs.h"
#include "model/catalogue.h"
#include "model/crossbar.h"

namespace regsmith {

std::vector<AdcInput> AdcInputs(std::uint8_t deviceId) {
    const int pins = PinCount(deviceId);
    std::vector<AdcInput> inputs;
    inputs.reserve(static_cast<std::size_t>(pins) + 3);
    for (int pin = 0; pin < pins; ++pin) inputs.push_back({PinName(pin), static_cast<std::uint8_t>(pin), pin});
    // ADC0MX codes 24, 25 and 31.
    inputs.push_back({"Temp Sensor", 24, kNoPin});
    inputs.push_back({"Vregout", 25, kNoPin});
    inputs.push_back({"GND", 31, kNoPin});
    return inputs;
}

std::string AdcInputStatus(const std::vector<AdcInput>& inputs, std::uint8_t code, const PeripheralBlock& portIO) {
    return AnalogInputStatus(inputs, code, portIO, "");
}

std::string CnvstrStatus(std::uint8_t deviceId, std::uint8_t adc0cn, const PeripheralBlock& portIO) {
    const RegisterField& start = field::ADC0CN_AD0CM;
    if ((adc0cn & start.mask) != start.choices[2].value) return {};  // "on rising edge of external CNVSTR"
    const int pin = IsSmallPackage(deviceId) ? 5 : 10;  // P0.5 or P1.2
    return PinName(pin) + (IsPinSkipped(portIO, pin) ? " for CNVSTR is Skipped, Configured Properly"
                                                     : " for CNVSTR is Not Skipped, NOT Configured Properly");
}

}  // namespace regsmith

#include "pages/adc/adc_inputs.h"

#include "model/analog_inputs.h"
#include "model/catalogue.h"
#include "model/crossbar.h"

namespace regsmith {

std::vector<AdcInput> AdcInputs(std::uint8_t deviceId) {
    std::vector<AdcInput> inputs;
    for (std::uint8_t code = 0; AdcInputPin(deviceId, code) != kNoPin; ++code)
        inputs.push_back({PinName(AdcInputPin(deviceId, code)), code, AdcInputPin(deviceId, code)});
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
    const int pin = CnvstrPin(deviceId);
    return PinName(pin) + (IsPinSkipped(portIO, pin) ? " for CNVSTR is Skipped, Configured Properly"
                                                     : " for CNVSTR is Not Skipped, NOT Configured Properly");
}

}  // namespace regsmith

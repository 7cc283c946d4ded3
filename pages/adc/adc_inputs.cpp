#include "pages/adc/adc_inputs.h"

#include "model/analog_inputs.h"
#include "model/catalogue.h"
#include "model/crossbar.h"

namespace regsmith {

std::vector<AdcInput> AdcInputs(std::uint8_t deviceId) {
    std::vector<AdcInput> inputs;
    for (std::uint8_t code = 0; AdcInputPin(deviceId, code) != kNoPin; ++code)
        inputs.push_back({PinName(AdcInputPin(deviceId, code)), code, AdcInputPin(deviceId, code)});
    inputs.push_back({"Temp Sensor", kTempSensorCode, kNoPin});
    inputs.push_back({"Vregout", kVregoutCode, kNoPin});
    inputs.push_back({"GND", kGndCode, kNoPin});
    return inputs;
}

std::string AdcInputStatus(const std::vector<AdcInput>& inputs, std::uint8_t code, const PeripheralBlock& portIO) {
    for (const AdcInput& input : inputs)
        if (input.code == code) return input.pin == kNoPin ? std::string() : AnalogInputPinStatus(portIO, input.pin);
    return UnknownInputStatus(code);
}

std::string CnvstrStatus(std::uint8_t deviceId, std::uint8_t adc0cn, const PeripheralBlock& portIO) {
    if ((adc0cn & kStartMask) != kStartOnCnvstr) return {};
    const int pin = CnvstrPin(deviceId);
    return PinName(pin) + (IsPinSkipped(portIO, pin) ? " for CNVSTR is Skipped, Configured Properly"
                                                     : " for CNVSTR is Not Skipped, NOT Configured Properly");
}

}  // namespace regsmith

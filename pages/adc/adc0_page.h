#pragma once
// "ADC0": enable, burst mode and its power-up time, start of conversion,
// tracking, repeat count, input multiplexer, window detector limits, SAR
// clock divider and justification, with the input and CNVSTR pin checks, the
// reference and interrupt states, their nested sheets and "Calculate SAR".

#include <vector>

#include "pages/adc/adc_inputs.h"
#include "view/device_page.h"

namespace regsmith {

inline constexpr const char* kAdc0PageTitle = "ADC0";
inline constexpr const char* kAd0scTooLargeWarning = "Error: AD0SC Value Too Large. Defaulting to 0x1F";

class CAdc0PropPage : public CDevicePropPage {
public:
    explicit CAdc0PropPage(SheetContext& sheet);

private:
    // AD0SC from its hex field; a value above 0x1F becomes 0x1F with a warning.
    void StoreAd0sc(std::uint8_t value);
    // "Change SAR": the calculator; an accepted divider goes into AD0SC.
    void ChangeSar();

    fw::EditField* ad0sc_ = nullptr;
};

}  // namespace regsmith

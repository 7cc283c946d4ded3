#pragma once
// The comparator's input multiplexer: the items of the "Positive Input:" and
// "Negative Input:" lists by package, their CPT0MX codes and pins, and the
// status text under each list.

#include <cstdint>
#include <string>
#include <vector>

#include "model/device_data.h"
#include "view/device_page.h"

namespace regsmith {

// "None" has code 15; codes 8 to 14 are reserved.
using ComparatorInput = AnalogInput;

// The items of one list, in list order: the pins (codes 0 to 7 are the
// positions in the large package's list; the small package has the first
// three) and "None".
std::vector<ComparatorInput> ComparatorInputs(bool positive, std::uint8_t deviceId);

// The text under a list for a field value: "No Pin Selected" for "None", the
// pin check for a pin, and the unknown-input text for a code without an item.
std::string ComparatorInputStatus(const std::vector<ComparatorInput>& inputs, std::uint8_t code,
                                  const PeripheralBlock& portIO);

}  // namespace regsmith

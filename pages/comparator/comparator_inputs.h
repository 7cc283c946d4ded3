#pragma once
// The comparator's input multiplexer: the items of the "Positive Input:" and
// "Negative Input:" lists by package, their CPT0MX codes and pins, and the
// status text under each list.

#include <cstdint>
#include <string>
#include <vector>

#include "model/device_data.h"

namespace regsmith {

// CPT0MX: the negative input in bits 7-4, the positive input in bits 3-0.
inline constexpr std::uint8_t kPositiveInputMask = 0x0F;
inline constexpr std::uint8_t kNegativeInputMask = 0xF0;
// The code of "None"; codes 8 to 0xE are reserved.
inline constexpr std::uint8_t kNoInputCode = 0x0F;

struct ComparatorInput {
    std::string item;  // "P0.4", "None"
    std::uint8_t code;  // the field value (not shifted)
    int pin;           // kNoPin for "None"
};

// The items of one list, in list order: the pins (codes 0 to 7 are the
// positions in the large package's list; the small package has the first
// three) and "None".
std::vector<ComparatorInput> ComparatorInputs(bool positive, std::uint8_t deviceId);

// The text under a list for a field value: "No Pin Selected" for "None", the
// pin check for a pin, and the unknown-input text for a code without an item.
std::string ComparatorInputStatus(const std::vector<ComparatorInput>& inputs, std::uint8_t code,
                                  const PeripheralBlock& portIO);

}  // namespace regsmith

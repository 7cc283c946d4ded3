#pragma once
// The fields of the registers that pages show, named in the pages' own words,
// so that tools can say which setting of a register changed (`regsmith-cli
// diff`).  Data only: one row per field; a register without rows is compared
// as a whole.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "model/device_data.h"

namespace regsmith {

struct RegisterField {
    std::int32_t block;
    int entry;
    std::uint8_t mask;
    std::string_view name;
};

// The fields of entry `entry` of block `block`, in bit order from the top,
// the port registers' pin fields ("Skip P0.3") included.
std::vector<RegisterField> FieldsOf(std::int32_t block, int entry);

// The value of `field` in a register value: its bits shifted down.
unsigned FieldValue(const RegisterField& field, std::uint8_t value);

}  // namespace regsmith

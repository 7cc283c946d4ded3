#pragma once
// Opens a Peripherals sheet on a project whose registers a test set directly
// (values the pages cannot produce, as old or foreign project files hold),
// lets the test look at the active page, and presses OK.

#include <cstdint>
#include <functional>
#include <string>

#include "fw/ui.h"
#include "model/device_data.h"

namespace regsmith::testing {

struct SheetOnStoredValues {
    std::uint8_t deviceId;
    std::int32_t block;
    int entry;
    std::uint8_t value;
    int command;  // the Peripherals command
};

// Sets the entry, runs the command's sheet, calls `look` with its first page
// and presses OK; returns the entry's value in the document afterwards.
std::uint8_t RunOnStoredValue(const SheetOnStoredValues& run, const std::function<void(fw::PropertyPage&)>& look);

// The text of the static text that follows the control named `name` on the page.
std::string TextAfter(const fw::PropertyPage& page, const std::string& name);

}  // namespace regsmith::testing

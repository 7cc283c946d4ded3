#pragma once
// The chip overview of a project: what each port pin does, the clock tree and
// the problems of the configuration, computed from the registers and clock
// words alone (fw/overview.h holds the data).  The pins come from the
// crossbar decoder the Port I/O page draws with, the clocks from the
// functions the pages' displays use (model/clock_rates.h), and the pin
// checks from the pins the pages check (model/analog_inputs.h).

#include <cstdint>
#include <map>

#include "fw/overview.h"
#include "model/device_data.h"

namespace regsmith {

struct ClockSettings;

// What the overview reads: the device id, the clock words and the block map
// (a missing block or entry reads as all bits clear).
struct OverviewSource {
    std::uint8_t deviceId = 0;
    const ClockSettings* clocks = nullptr;
    const std::map<std::int32_t, PeripheralBlock>* blocks = nullptr;
};

// Fills `overview` (replacing what it held): model name, pins, clocks and
// problems, errors first, then warnings, then notes.
void BuildOverview(const OverviewSource& source, fw::ChipOverview& overview);

// The standard UART rates a baud rate is compared with, 300 ... 921600 bps.
inline constexpr std::uint32_t kStandardBaudRates[] = {300,   600,   1200,  2400,   4800,   9600,   14400,  19200,
                                                       28800, 38400, 57600, 115200, 230400, 460800, 921600};
// The standard rate nearest to `bps` (by relative difference).
std::uint32_t NearestStandardBaudRate(std::uint32_t bps);

}  // namespace regsmith

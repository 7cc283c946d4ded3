#pragma once
// The fixed texts the generator writes around a register line, by name:
// the waits that let an oscillator or the comparator settle, the watchdog's
// start and lock, and the crossbar's skip of the UART pins.  A page switches
// a fragment on or off for an entry; the texts themselves live only here
// (and in the register tables, for the texts a new document starts with).
// Project files store the texts, so a fragment is written byte for byte as
// earlier versions wrote it.

#include <string_view>

#include "model/device_data.h"

namespace regsmith {

enum class Fragment {
    CrystalWait,     // after OSCXCN: 1 ms, then until the crystal runs
    ComparatorWait,  // after CPT0CN: 10 us, then the edge flags cleared
    VddMonitorWait,  // after VDM0CN: 5 us
    WatchdogStop,    // before PCA0MD
    WatchdogStart,   // after PCA0CPL2, the timeout in place
    WatchdogLock,    // after PCA0CPL2: started and locked
    UartSkip,        // before XBR0: P0.4 and P0.5 skipped for UART0
};

struct FragmentText {
    std::string_view c;
    std::string_view assembly;
    bool before;  // written before the entry's line, else after it
};

const FragmentText& TextOf(Fragment fragment);

// Puts the fragment at its place around `entry`, or empties that place.
void SetFragment(RegisterEntry& entry, Fragment fragment, bool on);

// A wait after the entry's line: the fragment, and the block's C prologue
// declaring the loop counter the wait counts in (both emptied when off).
void SetWait(PeripheralBlock& block, int entry, Fragment wait, bool on);

}  // namespace regsmith

#pragma once
// The watchdog timer that PCA module 2 provides.  Its on/off and lock state
// is kept in the text after the PCA0CPL2 line (the statement that starts or
// locks it once the timeout is in place); the PCA0MD line's text before it
// stops the watchdog.  Reading that state (ReadWatchdog) is in
// model/clock_rates.h, with the timeout.  Whether those two lines are generated is decided by
// the forced-output flags of PCA0MD and PCA0CPL2 (the emission rule).

#include <cstdint>

#include "model/clock_rates.h"
#include "model/device_data.h"

namespace regsmith::pca {

void WriteWatchdog(PeripheralBlock& pca, WatchdogState state);

// Sets the forced-output flags of PCA0MD and PCA0CPL2 from the block alone:
//  - disabled: PCA0MD is forced (its text stops the watchdog), PCA0CPL2 is not;
//  - locked: both are forced (the lock must be written);
//  - enabled: both are forced when PCA0MD, PCA0L, PCA0H, PCA0CPM2 or PCA0CPL2
//    differs from its reset value, so the watchdog is stopped while they are
//    written and started again after; otherwise neither.
// Every page of the sheet applies it after every change, so the generated
// code depends on the registers only, never on which page was visited last.
void ApplyWatchdogEmissionRule(PeripheralBlock& pca);

// The sheet's Reset on any PCA page: every register to its reset value, the
// watchdog enabled and unlocked, no forced output.
void ResetPcaBlock(PeripheralBlock& pca);

}  // namespace regsmith::pca

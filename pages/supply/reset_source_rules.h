#pragma once
// The rules the two pages of the "Reset Sources" sheet share.
//
// A comparator used as a reset source may only be enabled once the comparator
// runs, so its RSTSRC bit is written by Comparator_Reset_Source_Init (block
// 8), which the generator places after Comparator_Init.  While the sheet is
// open the choice lives in RSTSRC bit 5 of block 0 (mirrored into block 8 by
// its check box); between two runs of the sheet it lives only in block 8.

#include <cstdint>

#include "model/device_data.h"
#include "model/register_fields.h"

namespace regsmith {

class CDevicePage;

inline constexpr const char* kResetSourcesPageTitle = "Reset Sources";
inline constexpr const char* kVddMonitorPageTitle = "Power-Fail Reset/VDD Monitor";

// RSTSRC bit 5, the comparator as a reset source.
inline constexpr std::uint8_t kRstsrcComparator = field::RSTSRC_C0RSEF.mask;

// The RSTSRC values of block 0 and block 8.
struct ResetSourceBytes {
    std::uint8_t resetSources = 0;        // block 0
    std::uint8_t comparatorResetSource = 0;  // block 8
    friend bool operator==(const ResetSourceBytes&, const ResetSourceBytes&) = default;
};

// Entering the "Reset Sources" page: block 0 takes bit 5 from block 8.
ResetSourceBytes EnterResetSources(ResetSourceBytes bytes);
// OK of the sheet: with bit 5 set in block 0, block 8 takes block 0's whole
// value and block 0 loses bit 5; otherwise block 8 becomes 0.
ResetSourceBytes MoveComparatorResetSource(ResetSourceBytes bytes);


// The sheet's Reset on either page: VDM0CN and RSTSRC of block 0 and RSTSRC of
// block 8 to their reset values.  Block 0's prologue stays.
void ResetResetSourceRegisters(CDevicePage& page, PeripheralBlock& comparatorResetSource);

}  // namespace regsmith

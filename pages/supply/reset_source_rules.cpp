#include "pages/supply/reset_source_rules.h"

#include "model/register_tables.h"
#include "view/device_page.h"

namespace regsmith {

ResetSourceBytes EnterResetSources(ResetSourceBytes bytes) {
    bytes.resetSources = static_cast<std::uint8_t>((bytes.resetSources & ~kRstsrcComparator) |
                                                   (bytes.comparatorResetSource & kRstsrcComparator));
    return bytes;
}

ResetSourceBytes MoveComparatorResetSource(ResetSourceBytes bytes) {
    if (bytes.resetSources & kRstsrcComparator) {
        // The other sources are written again together with the comparator.
        bytes.comparatorResetSource = bytes.resetSources;
        bytes.resetSources = static_cast<std::uint8_t>(bytes.resetSources & ~kRstsrcComparator);
    } else {
        bytes.comparatorResetSource = 0;
    }
    return bytes;
}

void ResetResetSourceRegisters(CDevicePage& page, PeripheralBlock& comparatorResetSource) {
    page.ResetRegisters({reg::VDM0CN, reg::RSTSRC});
    if (RegisterEntry* rstsrc = EntryOf(comparatorResetSource, reg::RSTSRC)) rstsrc->value = rstsrc->resetValue;
}

}  // namespace regsmith

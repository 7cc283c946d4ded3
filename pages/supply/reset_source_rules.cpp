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

void SetBitsIn(PeripheralBlock& block, int index, std::uint8_t mask, bool on) {
    if (index < 0 || static_cast<std::size_t>(index) >= block.registers.size()) return;
    std::uint8_t& value = block.registers[static_cast<std::size_t>(index)].value;
    value = on ? static_cast<std::uint8_t>(value | mask) : static_cast<std::uint8_t>(value & ~mask);
}

void ResetResetSourceRegisters(CDevicePage& page, PeripheralBlock& comparatorResetSource) {
    page.ResetRegisters({reg::VDM0CN, reg::RSTSRC});
    if (static_cast<std::size_t>(reg::RSTSRC) < comparatorResetSource.registers.size()) {
        RegisterEntry& rstsrc = comparatorResetSource.registers[reg::RSTSRC];
        rstsrc.value = rstsrc.resetValue;
    }
}

}  // namespace regsmith

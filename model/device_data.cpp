#include "model/device_data.h"

#include <bit>

namespace regsmith {

RegisterEntry* EntryOf(PeripheralBlock& block, int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= block.registers.size()) return nullptr;
    return &block.registers[static_cast<std::size_t>(index)];
}

const RegisterEntry* EntryOf(const PeripheralBlock& block, int index) {
    return EntryOf(const_cast<PeripheralBlock&>(block), index);
}

std::uint8_t ValueOf(const PeripheralBlock& block, int index) {
    const RegisterEntry* entry = EntryOf(block, index);
    return entry ? entry->value : 0;
}

bool TestBits(const PeripheralBlock& block, int index, std::uint8_t mask) { return (ValueOf(block, index) & mask) != 0; }

void SetBitsIn(PeripheralBlock& block, bool on, int index, std::uint8_t mask) {
    ReplaceBitsIn(block, index, mask, on ? mask : 0);
}

void ReplaceBitsIn(PeripheralBlock& block, int index, std::uint8_t clearMask, std::uint8_t setBits) {
    if (RegisterEntry* entry = EntryOf(block, index))
        entry->value = static_cast<std::uint8_t>((entry->value & ~clearMask) | setBits);
}

int FieldShift(std::uint8_t mask) { return mask == 0 ? 0 : std::countr_zero(static_cast<unsigned>(mask)); }

}  // namespace regsmith

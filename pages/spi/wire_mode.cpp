#include "pages/spi/wire_mode.h"

namespace regsmith::spi {

WireMode WireModeOf(std::uint8_t spi0cn) {
    switch (spi0cn & kNssFieldMask) {
        case 0x00: return WireMode::ThreeWire;
        case 0x04: return WireMode::FourWireMultiMaster;
        default: return WireMode::FourWireSingleMaster;
    }
}

std::uint8_t NssFieldOf(WireMode mode) {
    switch (mode) {
        case WireMode::ThreeWire: return 0x00;
        case WireMode::FourWireMultiMaster: return 0x04;
        case WireMode::FourWireSingleMaster: break;
    }
    return 0x08;
}

WireModeChange CheckWireModeChange(WireMode from, WireMode to, bool spiOnCrossbar) {
    if (from == to) return WireModeChange::None;
    const bool pinCountChanges = from == WireMode::ThreeWire || to == WireMode::ThreeWire;
    return pinCountChanges && spiOnCrossbar ? WireModeChange::Refused : WireModeChange::Changed;
}

}  // namespace regsmith::spi

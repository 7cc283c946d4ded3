#include "pages/spi/wire_mode.h"

namespace regsmith::spi {

// The wire modes are the choices of the NSS field, in the enumeration's order.
std::uint8_t NssFieldOf(WireMode mode) { return field::SPI0CN_NSSMD.choices[static_cast<std::size_t>(mode)].value; }

WireMode WireModeOf(std::uint8_t spi0cn) {
    const std::uint8_t nss = spi0cn & kNssFieldMask;
    if (nss == NssFieldOf(WireMode::ThreeWire)) return WireMode::ThreeWire;
    if (nss == NssFieldOf(WireMode::FourWireMultiMaster)) return WireMode::FourWireMultiMaster;
    return WireMode::FourWireSingleMaster;
}

WireModeChange CheckWireModeChange(WireMode from, WireMode to, bool spiOnCrossbar) {
    if (from == to) return WireModeChange::None;
    const bool pinCountChanges = from == WireMode::ThreeWire || to == WireMode::ThreeWire;
    return pinCountChanges && spiOnCrossbar ? WireModeChange::Refused : WireModeChange::Changed;
}

}  // namespace regsmith::spi

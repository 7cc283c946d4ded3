#pragma once
// SPI0's wire mode (the NSS field, SPI0CN bits 3-2) and when it may change:
// between three and four wires only while SPI0 is not on the crossbar, since
// the crossbar numbers the pins after NSS differently; between the two
// four-wire modes at any time.

#include <cstdint>

#include "model/crossbar.h"
#include "model/register_fields.h"

namespace regsmith::spi {

inline constexpr std::uint8_t kNssFieldMask = field::SPI0CN_NSSMD.mask;
// The NSS output in single-master mode: the low bit of the NSS field.
inline constexpr std::uint8_t kNssLevelBit = kNssFieldMask & -kNssFieldMask;

enum class WireMode { ThreeWire, FourWireMultiMaster, FourWireSingleMaster };

WireMode WireModeOf(std::uint8_t spi0cn);
// The NSS field that selects a wire mode (single master with NSS at 0).
std::uint8_t NssFieldOf(WireMode mode);

enum class WireModeChange {
    None,     // the mode already holds
    Refused,  // three wires to four or back while SPI0 is on the crossbar
    Changed,
};
WireModeChange CheckWireModeChange(WireMode from, WireMode to, bool spiOnCrossbar);

inline constexpr const char* kWireModeLockedMessage =
    "Error:\n\nTo change a wire mode, disable the  \nSPI in the Port I/O Dialog.Once it  \nis disabled you can change wire  "
    "\nmodes in the SPI Dialog. This is so  \nthe pins do not get misnumbered in  \nthe Crossbar.";

}  // namespace regsmith::spi

#include "pages/clocks/sysclk_rules.h"

namespace regsmith::clocks {

std::uint32_t InternalSysclk(std::uint32_t internalOscFrequency, std::uint8_t oscicn) {
    const int n = oscicn & kInternalDividerMask;
    if (n == 7) return internalOscFrequency;
    // 1/2 ... 1/128 are exact in a double, so the product is truncated exactly.
    const double factor = 1.0 / static_cast<double>(1u << (7 - n));
    return static_cast<std::uint32_t>(static_cast<double>(internalOscFrequency) * factor);
}

bool ExternalModeHalves(std::uint8_t oscxcn) {
    switch (oscxcn & kExternalModeMask) {
        case kModeCmosHalf:
        case kModeRc:
        case kModeCapacitor:
        case kModeCrystalHalf: return true;
        default: return false;
    }
}

std::uint32_t ExternalSysclk(std::uint32_t externalOscFrequency, std::uint8_t oscxcn) {
    if (!ExternalModeHalves(oscxcn)) return externalOscFrequency;
    return static_cast<std::uint32_t>(static_cast<double>(externalOscFrequency) * 0.5);
}

std::uint32_t Sysclk(std::uint8_t oscxcn, std::uint8_t oscicn, std::uint8_t clksel, std::uint32_t internalOscFrequency,
                     std::uint32_t externalOscFrequency) {
    if ((clksel & kExternalSourceBit) != 0) return ExternalSysclk(externalOscFrequency, oscxcn);
    return InternalSysclk(internalOscFrequency, oscicn);
}

FrequencyText ReadFrequencyText(const std::string& text) {
    FrequencyText result;
    // Blanks around the number are not worth a warning; anything else is.
    const std::size_t first = text.find_first_not_of(' ');
    const std::size_t last = text.find_last_not_of(' ');
    for (std::size_t i = first; first != std::string::npos && i <= last; ++i) {
        const char c = text[i];
        if (c >= '0' && c <= '9') result.digits.push_back(c);
        else result.droppedCharacters = true;
    }
    std::uint64_t value = 0;
    for (char c : result.digits) {
        value = value * 10 + static_cast<std::uint64_t>(c - '0');
        if (value > 0xFFFFFFFFull) {
            result.tooLarge = true;
            return result;
        }
    }
    result.value = static_cast<std::uint32_t>(value);
    return result;
}

}  // namespace regsmith::clocks

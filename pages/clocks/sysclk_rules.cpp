#include "pages/clocks/sysclk_rules.h"

namespace regsmith::clocks {

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

#include "view/number_field.h"

#include <charconv>
#include <cmath>

namespace regsmith {

std::int64_t RoundHalfUp(double x) {
    const auto truncated = static_cast<std::int64_t>(x);
    return x - static_cast<double>(truncated) >= 0.5 ? truncated + 1 : truncated;
}

namespace {

std::string Trimmed(const std::string& text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

}  // namespace

std::optional<std::uint32_t> ParseUnsignedField(const std::string& text) {
    const std::string digits = Trimmed(text);
    if (digits.empty() || digits.find_first_not_of("0123456789") != std::string::npos) return std::nullopt;
    std::uint32_t value = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (error != std::errc() || end != digits.data() + digits.size()) return std::nullopt;
    return value;
}

std::optional<double> ParseNumberField(const std::string& text) {
    const std::string number = Trimmed(text);
    // Digits, sign, point and exponent only: no "inf", "nan" or hex forms.
    if (number.empty() || number.find_first_not_of("0123456789+-.eE") != std::string::npos) return std::nullopt;
    const char* first = number.data();
    // from_chars takes no plus sign: one before a digit or point is skipped.
    if (number.size() > 1 && *first == '+' && number[1] != '-' && number[1] != '+') ++first;
    double value = 0;
    const auto [end, error] = std::from_chars(first, number.data() + number.size(), value);
    if (error != std::errc() || end != number.data() + number.size() || !std::isfinite(value)) return std::nullopt;
    return value;
}

}  // namespace regsmith

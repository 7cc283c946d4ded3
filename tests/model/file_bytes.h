#pragma once
// Builds project-file bytes field by field, in every text encoding the
// generations of the format used, so tests can write files of each layout.

#include <cstdint>
#include <string>

namespace regsmith::testing {

class FileBytes {
public:
    FileBytes& Byte(std::uint8_t value) {
        bytes_.push_back(static_cast<char>(value));
        return *this;
    }
    FileBytes& UInt16(std::uint16_t value) { return Byte(value & 0xFF).Byte(value >> 8); }
    FileBytes& Int32(std::int64_t value) {
        const auto word = static_cast<std::uint32_t>(value);
        for (int shift = 0; shift < 32; shift += 8) Byte(static_cast<std::uint8_t>((word >> shift) & 0xFF));
        return *this;
    }
    FileBytes& Raw(const std::string& text) {
        bytes_ += text;
        return *this;
    }
    // The current encoding: the shortest of the three length prefixes.
    FileBytes& Text(const std::string& text) {
        if (text.size() < 0xFF) {
            Byte(static_cast<std::uint8_t>(text.size()));
        } else if (text.size() < 0xFFFE) {
            Byte(0xFF).UInt16(static_cast<std::uint16_t>(text.size()));
        } else {
            Byte(0xFF).UInt16(0xFFFF).Int32(static_cast<std::int64_t>(text.size()));
        }
        return Raw(text);
    }
    // One length byte.
    FileBytes& ShortText(const std::string& text) { return Byte(static_cast<std::uint8_t>(text.size())).Raw(text); }
    // int32 count, one skipped byte, the characters.
    FileBytes& CountedText(const std::string& text) {
        return Int32(static_cast<std::int64_t>(text.size())).Byte(0xAA).Raw(text);
    }
    // Generations A and B: int32 count, a prefix of 1 + (N / 255 - 1 from
    // N = 510 on) bytes, the characters.
    FileBytes& CountedPrologueAB(const std::string& text) {
        const std::size_t n = text.size();
        Int32(static_cast<std::int64_t>(n));
        const std::size_t prefix = 1 + (n >= 510 ? n / 255 - 1 : 0);
        for (std::size_t i = 0; i < prefix; ++i) Byte(0xFF);
        return Raw(text);
    }
    // Generations C and D: int32 count, a one-byte prefix (0xFF and two more
    // for long texts), the characters.
    FileBytes& CountedPrologueCD(const std::string& text) {
        Int32(static_cast<std::int64_t>(text.size()));
        if (text.size() < 0xFF)
            Byte(static_cast<std::uint8_t>(text.size()));
        else
            Byte(0xFF).UInt16(static_cast<std::uint16_t>(text.size()));
        return Raw(text);
    }

    // Device id, format numbers and the five clock words.
    FileBytes& Head(std::uint8_t deviceId, std::int32_t major, std::int32_t version,
                    std::uint32_t sysclk = 191406, std::uint32_t internal = 24500000, std::uint32_t reserved = 0,
                    std::uint32_t external = 0, std::uint32_t pca = 0) {
        return Byte(deviceId).Int32(major).Int32(version).Int32(sysclk).Int32(internal).Int32(reserved)
            .Int32(external).Int32(pca);
    }

    const std::string& str() const { return bytes_; }
    std::size_t size() const { return bytes_.size(); }

private:
    std::string bytes_;
};

}  // namespace regsmith::testing

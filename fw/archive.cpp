#include "fw/archive.h"

namespace fw {

CArchive::CArchive() : mode_(store) {}

CArchive::CArchive(std::string_view bytes) : mode_(load), input_(bytes) {}

void CArchive::WriteByte(std::uint8_t value) { buffer_.push_back(static_cast<char>(value)); }

void CArchive::WriteUInt16(std::uint16_t value) {
    WriteByte(static_cast<std::uint8_t>(value & 0xFF));
    WriteByte(static_cast<std::uint8_t>(value >> 8));
}

void CArchive::WriteUInt32(std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) WriteByte(static_cast<std::uint8_t>((value >> shift) & 0xFF));
}

void CArchive::WriteInt32(std::int32_t value) { WriteUInt32(static_cast<std::uint32_t>(value)); }

void CArchive::WriteRaw(std::string_view bytes) { buffer_.append(bytes.data(), bytes.size()); }

void CArchive::WriteString(std::string_view text) {
    const std::size_t length = text.size();
    if (length < 0xFF) {
        WriteByte(static_cast<std::uint8_t>(length));
    } else if (length < 0xFFFE) {
        WriteByte(0xFF);
        WriteUInt16(static_cast<std::uint16_t>(length));
    } else {
        WriteByte(0xFF);
        WriteUInt16(0xFFFF);
        WriteUInt32(static_cast<std::uint32_t>(length));
    }
    WriteRaw(text);
}

void CArchive::Need(std::size_t count, const char* what) {
    if (count > Remaining()) {
        throw ArchiveError(std::string("the file ends early (") + what + " at byte " + std::to_string(position_) +
                           " needs " + std::to_string(count) + " bytes, " + std::to_string(Remaining()) + " left)");
    }
}

std::uint8_t CArchive::ReadByte() {
    Need(1, "byte");
    return static_cast<std::uint8_t>(input_[position_++]);
}

std::uint16_t CArchive::ReadUInt16() {
    Need(2, "16-bit value");
    std::uint16_t low = static_cast<std::uint8_t>(input_[position_]);
    std::uint16_t high = static_cast<std::uint8_t>(input_[position_ + 1]);
    position_ += 2;
    return static_cast<std::uint16_t>(low | (high << 8));
}

std::uint32_t CArchive::ReadUInt32() {
    Need(4, "32-bit value");
    std::uint32_t value = 0;
    for (int i = 0; i < 4; ++i) value |= std::uint32_t(static_cast<std::uint8_t>(input_[position_ + i])) << (8 * i);
    position_ += 4;
    return value;
}

std::int32_t CArchive::ReadInt32() { return static_cast<std::int32_t>(ReadUInt32()); }

std::string CArchive::ReadRaw(std::size_t count) {
    Need(count, "text");
    std::string text(input_.substr(position_, count));
    position_ += count;
    return text;
}

void CArchive::Skip(std::size_t count) {
    Need(count, "skipped bytes");
    position_ += count;
}

std::string CArchive::ReadString() {
    std::size_t length = ReadByte();
    if (length == 0xFF) {
        length = ReadUInt16();
        if (length == 0xFFFF) length = ReadUInt32();
    }
    return ReadRaw(length);
}

}  // namespace fw

#pragma once
// Byte-stream archive used for project files: little-endian integers and the
// toolkit's length-prefixed text encoding.  A storing archive appends to a
// byte buffer; a loading archive reads from one and throws ArchiveError when
// the data ends early or a length cannot be right.

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

namespace fw {

class ArchiveError : public std::runtime_error {
public:
    explicit ArchiveError(const std::string& what) : std::runtime_error(what) {}
};

class CArchive {
public:
    enum Mode { store, load };

    // A storing archive writing into an empty buffer.
    CArchive();
    // A loading archive reading from the given bytes (kept by reference: the
    // bytes must outlive the archive).
    explicit CArchive(std::string_view bytes);

    bool IsStoring() const { return mode_ == store; }
    bool IsLoading() const { return mode_ == load; }

    // Bytes written so far (storing archives).
    const std::string& Buffer() const { return buffer_; }
    std::string TakeBuffer() { return std::move(buffer_); }

    // Bytes not yet read (loading archives).
    std::size_t Remaining() const { return input_.size() - position_; }
    std::size_t Position() const { return position_; }

    void WriteByte(std::uint8_t value);
    void WriteInt32(std::int32_t value);
    void WriteUInt32(std::uint32_t value);
    void WriteUInt16(std::uint16_t value);
    void WriteRaw(std::string_view bytes);
    // Text with the shortest of the three length-prefix forms:
    // length < 255: one byte; length < 0xFFFE: 0xFF + 16-bit length;
    // otherwise 0xFF, 0xFFFF, 32-bit length.
    void WriteString(std::string_view text);

    std::uint8_t ReadByte();
    std::int32_t ReadInt32();
    std::uint32_t ReadUInt32();
    std::uint16_t ReadUInt16();
    // Reads exactly `count` bytes; fails without allocating when fewer remain.
    std::string ReadRaw(std::size_t count);
    void Skip(std::size_t count);
    // Reads a text in any of the three length-prefix forms.
    std::string ReadString();

    // Shorthands in the toolkit's style.
    CArchive& operator<<(std::uint8_t v) { WriteByte(v); return *this; }
    CArchive& operator<<(std::int32_t v) { WriteInt32(v); return *this; }
    CArchive& operator<<(std::uint32_t v) { WriteUInt32(v); return *this; }
    CArchive& operator<<(const std::string& v) { WriteString(v); return *this; }
    CArchive& operator>>(std::uint8_t& v) { v = ReadByte(); return *this; }
    CArchive& operator>>(std::int32_t& v) { v = ReadInt32(); return *this; }
    CArchive& operator>>(std::uint32_t& v) { v = ReadUInt32(); return *this; }
    CArchive& operator>>(std::string& v) { v = ReadString(); return *this; }

private:
    void Need(std::size_t count, const char* what);

    Mode mode_;
    std::string buffer_;
    std::string_view input_;
    std::size_t position_ = 0;
};

}  // namespace fw

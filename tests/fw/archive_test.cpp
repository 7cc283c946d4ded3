#include <gtest/gtest.h>

#include "fw/archive.h"

namespace fw {
namespace {

std::string Stored(const std::string& text) {
    CArchive archive;
    archive.WriteString(text);
    return archive.Buffer();
}

TEST(Archive, TextLengthFormsAtTheirBoundaries) {
    EXPECT_EQ(Stored(""), std::string(1, '\0'));
    EXPECT_EQ(Stored(std::string(254, 'a')).substr(0, 1), "\xFE");
    EXPECT_EQ(Stored(std::string(255, 'a')).substr(0, 3), std::string("\xFF\xFF\x00", 3));
    EXPECT_EQ(Stored(std::string(0xFFFD, 'a')).substr(0, 3), std::string("\xFF\xFD\xFF", 3));
    EXPECT_EQ(Stored(std::string(0xFFFE, 'a')).substr(0, 7), std::string("\xFF\xFF\xFF\xFE\xFF\x00\x00", 7));
    for (std::size_t length : {0u, 1u, 254u, 255u, 256u, 0xFFFDu, 0xFFFEu, 0xFFFFu, 0x10000u}) {
        const std::string text(length, 'x');
        const std::string bytes = Stored(text);
        CArchive in(bytes);
        EXPECT_EQ(in.ReadString(), text) << length;
        EXPECT_EQ(in.Remaining(), 0u);
    }
}

TEST(Archive, ReadsEveryLengthFormEvenWhenLonger) {
    // A short text in the 16-bit and 32-bit forms, as another writer may have stored it.
    const std::string sixteen("\xFF\x03\x00" "abc", 6);
    const std::string thirtyTwo("\xFF\xFF\xFF\x03\x00\x00\x00" "abc", 10);
    CArchive a(sixteen), b(thirtyTwo);
    EXPECT_EQ(a.ReadString(), "abc");
    EXPECT_EQ(b.ReadString(), "abc");
}

TEST(Archive, IntegersAreLittleEndian) {
    CArchive out;
    out << std::int32_t(-2) << std::uint32_t(0x01020304) << std::uint8_t(0xD6);
    EXPECT_EQ(out.Buffer(), std::string("\xFE\xFF\xFF\xFF\x04\x03\x02\x01\xD6", 9));
    CArchive in(out.Buffer());
    std::int32_t a;
    std::uint32_t b;
    std::uint8_t c;
    in >> a >> b >> c;
    EXPECT_EQ(a, -2);
    EXPECT_EQ(b, 0x01020304u);
    EXPECT_EQ(c, 0xD6);
}

TEST(Archive, EndingEarlyThrowsWithoutAllocating) {
    const std::string huge("\xFF\xFF\xFF\xFF\xFF\xFF\x7F" "abc", 10);  // claims 2 GiB
    CArchive in(huge);
    EXPECT_THROW(in.ReadString(), ArchiveError);
    CArchive shortInt(std::string("\x01\x02", 2));
    EXPECT_THROW(shortInt.ReadInt32(), ArchiveError);
}

}  // namespace
}  // namespace fw

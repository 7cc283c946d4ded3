// The calculator dialogs' number fields: what they accept and what they refuse.

#include "view/number_field.h"

#include <gtest/gtest.h>

namespace regsmith {
namespace {

TEST(NumberField, Unsigned) {
    EXPECT_EQ(ParseUnsignedField("0"), 0u);
    EXPECT_EQ(ParseUnsignedField(" 10000 "), 10000u);
    EXPECT_EQ(ParseUnsignedField("4294967295"), 4294967295u);
    for (const char* refused : {"", " ", "4294967296", "99999999999999999999", "-1", "+5", "1.5", "12a", "0x10", "1 2"})
        EXPECT_FALSE(ParseUnsignedField(refused).has_value()) << refused;
}

TEST(NumberField, Decimal) {
    EXPECT_EQ(ParseNumberField("50"), 50.0);
    EXPECT_EQ(ParseNumberField(" 99.5 "), 99.5);
    EXPECT_EQ(ParseNumberField("-3"), -3.0);
    EXPECT_EQ(ParseNumberField("+2.5"), 2.5);
    EXPECT_EQ(ParseNumberField("1e3"), 1000.0);
    for (const char* refused : {"", "abc", "inf", "nan", "1e999", "0x10", "5%", "1,5", "--1", "+-1", "."})
        EXPECT_FALSE(ParseNumberField(refused).has_value()) << refused;
}

TEST(NumberField, RoundHalfUp) {
    const std::pair<double, std::int64_t> rows[] = {
        {0.0, 0}, {0.49, 0}, {0.5, 1}, {95.703, 96}, {255.208, 255}, {255.89, 256},
        {-0.3, 0}, {-0.7, 0}, {-1.2, -1}, {4294967295.5, 4294967296},
    };
    for (const auto& [x, rounded] : rows) EXPECT_EQ(RoundHalfUp(x), rounded) << x;
}

}  // namespace
}  // namespace regsmith

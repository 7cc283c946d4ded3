// The named fields of every register: within one register they do not
// overlap, and every field lies in a register the block has.

#include "model/register_fields.h"

#include <gtest/gtest.h>

#include "model/register_tables.h"

namespace regsmith {
namespace {

TEST(RegisterFields, FieldsOfOneRegisterDoNotOverlap) {
    int named = 0;
    for (const BlockSpec& spec : kBlockSpecs) {
        for (std::size_t entry = 0; entry < spec.registers.size(); ++entry) {
            std::uint8_t seen = 0;
            for (const RegisterField& field : FieldsOf(spec.number, static_cast<int>(entry))) {
                EXPECT_EQ(seen & field.mask, 0) << spec.registers[entry].name << " " << field.name;
                EXPECT_NE(field.mask, 0) << field.name;
                seen = static_cast<std::uint8_t>(seen | field.mask);
                ++named;
            }
        }
    }
    EXPECT_GT(named, 200);  // every page's registers have their fields named
    EXPECT_TRUE(FieldsOf(kBlockTimers, 99).empty());
}

TEST(RegisterFields, FieldValueIsShiftedDown) {
    const std::vector<RegisterField> tmod = FieldsOf(kBlockTimers, reg::TMOD);
    ASSERT_FALSE(tmod.empty());
    EXPECT_EQ(tmod.front().name, "Gate Timer Depending on /INT1");
    for (const RegisterField& field : tmod) {
        if (field.mask == 0x30) {
            EXPECT_EQ(FieldValue(field, 0x20), 2u);
        }
    }
    EXPECT_EQ(FieldsOf(kBlockPortIO, reg::P1SKIP).back().name, "Skip P1.0");
}

}  // namespace
}  // namespace regsmith

// The named fields of every register: within one register they do not
// overlap, and every field lies in a register the block has.

#include "model/register_fields.h"

#include <gtest/gtest.h>

#include <algorithm>

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

// The records against the register tables: each names an entry its block
// has, its choices are distinct values inside its mask, and the records the
// kit refuses for another block are those of another table.
TEST(RegisterFields, RecordsMatchTheRegisterTables) {
    for (const BlockSpec& spec : kBlockSpecs) {
        for (std::size_t entry = 0; entry < spec.registers.size(); ++entry) {
            for (const RegisterField& field : FieldsOf(spec.number, static_cast<int>(entry))) {
                EXPECT_EQ(field.block, spec.number) << field.name;
                EXPECT_FALSE(field.name.empty()) << spec.registers[entry].name;
                std::vector<std::uint8_t> values;
                for (const FieldChoice& choice : field.choices) {
                    EXPECT_EQ(choice.value & ~field.mask, 0) << field.name << " " << choice.caption;
                    EXPECT_EQ(std::count(values.begin(), values.end(), choice.value), 0) << choice.caption;
                    values.push_back(choice.value);
                }
            }
        }
    }
    EXPECT_EQ(field::SCON0_S0MODE.block, kBlockUart);
    EXPECT_EQ(field::IE_ES0.block, kBlockInterrupts);
    EXPECT_EQ(field::IE_ES0.entry, reg::IE);
    EXPECT_TRUE(SameTable(kBlockResetSources, kBlockComparatorReset));
    EXPECT_FALSE(SameTable(kBlockTimers, kBlockInterrupts));
    EXPECT_EQ(FieldsOf(kBlockComparatorReset, reg::VDM0CN).size(), 0u);  // block 8 writes RSTSRC only
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

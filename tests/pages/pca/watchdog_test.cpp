// The watchdog's state in the text after PCA0CPL2, and the emission rule:
// which of the PCA0MD and PCA0CPL2 lines are forced for each state and each
// register that differs from its reset value.

#include "pages/pca/watchdog.h"

#include <gtest/gtest.h>

#include "model/register_tables.h"

namespace regsmith::pca {
namespace {

PeripheralBlock NewPcaBlock() { return BuildDefaultBlock(*FindBlockSpec(kBlockPca)); }

struct Flags {
    int pca0md, pca0cpl2;
    friend bool operator==(const Flags&, const Flags&) = default;
};

TEST(Watchdog, StateIsReadFromTheTextAfterPca0cpl2) {
    PeripheralBlock block = NewPcaBlock();
    EXPECT_EQ(ReadWatchdog(block), WatchdogState::Enabled);  // the defaults' text starts it
    WriteWatchdog(block, WatchdogState::Locked);
    EXPECT_EQ(ReadWatchdog(block), WatchdogState::Locked);
    EXPECT_EQ(block.registers[reg::PCA0CPL2].cAfter, "    PCA0MD    |= 0x20;\r\n");
    EXPECT_EQ(block.registers[reg::PCA0CPL2].asmAfter, "    orl  PCA0MD,    #020h;\r\n");
    WriteWatchdog(block, WatchdogState::Enabled);
    EXPECT_EQ(block.registers[reg::PCA0CPL2].cAfter, "    PCA0MD    |= 0x40;\r\n");
    EXPECT_EQ(block.registers[reg::PCA0CPL2].asmAfter, "    orl  PCA0MD,    #040h;\r\n");
    WriteWatchdog(block, WatchdogState::Disabled);
    EXPECT_EQ(ReadWatchdog(block), WatchdogState::Disabled);
    EXPECT_EQ(block.registers[reg::PCA0CPL2].asmAfter, "");
    // A text too short to hold the digit reads as enabled; a block without
    // PCA0CPL2 as disabled, and the rule leaves it alone.
    block.registers[reg::PCA0CPL2].cAfter = "x";
    EXPECT_EQ(ReadWatchdog(block), WatchdogState::Enabled);
    PeripheralBlock empty;
    EXPECT_EQ(ReadWatchdog(empty), WatchdogState::Disabled);
    ApplyWatchdogEmissionRule(empty);
    WriteWatchdog(empty, WatchdogState::Locked);
    ResetPcaBlock(empty);
    EXPECT_TRUE(empty.registers.empty());
}

TEST(Watchdog, EmissionRuleDependsOnTheRegistersOnly) {
    const struct {
        WatchdogState state;
        int changedEntry;  // -1: none
        std::uint8_t value;
        Flags flags;
    } rows[] = {
        {WatchdogState::Disabled, -1, 0, {1, 0}},
        {WatchdogState::Disabled, reg::PCA0L, 0x10, {1, 0}},
        {WatchdogState::Locked, -1, 0, {1, 1}},
        {WatchdogState::Locked, reg::PCA0CN, 0x40, {1, 1}},
        {WatchdogState::Enabled, -1, 0, {0, 0}},              // a new document: no PCA code
        {WatchdogState::Enabled, reg::PCA0MD, 0x02, {1, 1}},
        {WatchdogState::Enabled, reg::PCA0L, 0x01, {1, 1}},
        {WatchdogState::Enabled, reg::PCA0H, 0x01, {1, 1}},
        {WatchdogState::Enabled, reg::PCA0CPM2, 0x42, {1, 1}},
        {WatchdogState::Enabled, reg::PCA0CPM2, 0x01, {1, 1}},  // the CCF bit alone counts too
        {WatchdogState::Enabled, reg::PCA0CPL2, 0x49, {1, 1}},  // and the timeout alone
        {WatchdogState::Enabled, reg::PCA0CN, 0x40, {0, 0}},    // the rest does not matter
        {WatchdogState::Enabled, reg::PCA0CPM0, 0x42, {0, 0}},
        {WatchdogState::Enabled, reg::PCA0CPH2, 0x10, {0, 0}},
    };
    for (const auto& row : rows) {
        PeripheralBlock block = NewPcaBlock();
        WriteWatchdog(block, row.state);
        if (row.changedEntry >= 0) block.registers[static_cast<std::size_t>(row.changedEntry)].value = row.value;
        // Flags left by an earlier rule do not matter.
        block.registers[reg::PCA0MD].forceEmit = 1 - row.flags.pca0md;
        block.registers[reg::PCA0CPL2].forceEmit = 1 - row.flags.pca0cpl2;
        ApplyWatchdogEmissionRule(block);
        EXPECT_EQ((Flags{block.registers[reg::PCA0MD].forceEmit, block.registers[reg::PCA0CPL2].forceEmit}), row.flags)
            << static_cast<int>(row.state) << " entry " << row.changedEntry;
    }
}

TEST(Watchdog, ResetEnablesItUnlockedWithNothingForced) {
    PeripheralBlock block = NewPcaBlock();
    for (RegisterEntry& entry : block.registers) entry.value = 0x5A;
    block.registers[reg::PCA0MD].forceEmit = 1;
    block.registers[reg::PCA0CPL2].forceEmit = 1;
    WriteWatchdog(block, WatchdogState::Disabled);
    ResetPcaBlock(block);
    EXPECT_EQ(ReadWatchdog(block), WatchdogState::Enabled);
    for (const RegisterEntry& entry : block.registers) {
        EXPECT_EQ(entry.value, entry.resetValue) << entry.name;
        EXPECT_EQ(entry.forceEmit, 0) << entry.name;
    }
}

}  // namespace
}  // namespace regsmith::pca

// SPI0's numbers and rules as tables: the SCK rate and its calculator with
// its ranges, and which wire-mode changes the crossbar locks.

#include <gtest/gtest.h>

#include "pages/spi/sck_calculator.h"
#include "pages/spi/wire_mode.h"

namespace regsmith::spi {
namespace {

TEST(Sck, RateFromTheDivider) {
    EXPECT_EQ(SckRate(191406, 0x00), 95703u);
    EXPECT_EQ(SckRate(191406, 0x08), 10633u);
    EXPECT_EQ(SckRate(191406, 0xFF), 373u);  // SYSCLK / 512
    EXPECT_EQ(SckRate(4294967295u, 0x00), 2147483647u);
    EXPECT_EQ(SckRate(0, 0x10), 0u);
}

TEST(Sck, CalculatorRangesAndImpossibleTargets) {
    const struct {
        std::uint32_t sysclk, target;
        SckOutcome outcome;
        std::uint8_t spi0ckr;
    } rows[] = {
        {191406, 10000, SckOutcome::Ok, 0x08},
        {191406, 95703, SckOutcome::Ok, 0x00},          // SYSCLK / 2
        {191406, 95704, SckOutcome::OutOfRange, 0},     // above SYSCLK / 2: -1
        {191406, 374, SckOutcome::Ok, 0xFE},
        {191406, 373, SckOutcome::Ok, 0xFF},
        {191406, 372, SckOutcome::OutOfRange, 0},       // 257 - 1
        {191406, 2147483648u, SckOutcome::OutOfRange, 0},  // 2 * target needs 33 bits
        {4294967295u, 4294967295u, SckOutcome::OutOfRange, 0},
        {4294967295u, 1000000, SckOutcome::OutOfRange, 0},
        {24500000, 1000000, SckOutcome::Ok, 0x0B},
        {191406, 0, SckOutcome::InvalidInput, 0},
        {0, 10000, SckOutcome::InvalidInput, 0},
    };
    for (const auto& row : rows) {
        const SckSetting setting = CalculateSck(row.sysclk, row.target);
        EXPECT_EQ(setting.outcome, row.outcome) << row.sysclk << " " << row.target;
        if (row.outcome == SckOutcome::Ok) {
            EXPECT_EQ(setting.spi0ckr, row.spi0ckr) << row.target;
        }
    }
    EXPECT_EQ(CalculateSck(191406, 10000).question, "Change SPI0CKR Data to:\n\n SPI0CKR = 08");
}

TEST(WireMode, NssFieldAndTheCrossbarLock) {
    EXPECT_EQ(WireModeOf(0x00), WireMode::ThreeWire);
    EXPECT_EQ(WireModeOf(0x05), WireMode::FourWireMultiMaster);
    EXPECT_EQ(WireModeOf(0x08), WireMode::FourWireSingleMaster);
    EXPECT_EQ(WireModeOf(0x0C), WireMode::FourWireSingleMaster);  // NSS output at 1
    EXPECT_EQ(NssFieldOf(WireMode::ThreeWire), 0x00);
    EXPECT_EQ(NssFieldOf(WireMode::FourWireMultiMaster), 0x04);
    EXPECT_EQ(NssFieldOf(WireMode::FourWireSingleMaster), 0x08);

    const auto Three = WireMode::ThreeWire, Multi = WireMode::FourWireMultiMaster,
               Single = WireMode::FourWireSingleMaster;
    const struct {
        WireMode from, to;
        WireModeChange free, onCrossbar;
    } rows[] = {
        {Three, Three, WireModeChange::None, WireModeChange::None},
        {Multi, Multi, WireModeChange::None, WireModeChange::None},
        {Single, Single, WireModeChange::None, WireModeChange::None},
        {Multi, Three, WireModeChange::Changed, WireModeChange::Refused},
        {Single, Three, WireModeChange::Changed, WireModeChange::Refused},
        {Three, Multi, WireModeChange::Changed, WireModeChange::Refused},
        {Three, Single, WireModeChange::Changed, WireModeChange::Refused},
        {Single, Multi, WireModeChange::Changed, WireModeChange::Changed},  // the pin count stays
        {Multi, Single, WireModeChange::Changed, WireModeChange::Changed},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(CheckWireModeChange(row.from, row.to, false), row.free);
        EXPECT_EQ(CheckWireModeChange(row.from, row.to, true), row.onCrossbar);
    }
}

}  // namespace
}  // namespace regsmith::spi

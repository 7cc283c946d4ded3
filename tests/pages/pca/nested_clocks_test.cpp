// The calculators that open the Oscillators sheet ("Change Clock Frequencies"
// in "Calculate Timeout Interval", "Change Clock Frequency" in "Calculate
// SCK"), driven in-process through the script runner with probe pages under
// the oscillator pages' tab titles: the pages each opens, the fields reloaded
// after OK, the clocks put back on Cancel, and the ECI word that stays.

#include <gtest/gtest.h>

#include <map>

#include "model/k74x_75x_doc.h"
#include "model/register_tables.h"
#include "pages/pca/pca_sheets.h"
#include "pages/spi/spi_sheets.h"
#include "tests/support/device_script.h"
#include "tests/support/probe_oscillator_pages.h"

namespace regsmith {
namespace {

using testing::DeviceScript;
using testing::ScriptOutcome;

std::map<std::string, int> probesBuilt;

class NestedClocksTest : public ::testing::Test {
protected:
    void SetUp() override { probesBuilt.clear(); }

    // Runs the script with the probe oscillator pages (or without them);
    // returns its output, which must end without an error.
    std::string Run(const std::string& script, bool withProbes = true) {
        probes = withProbes;
        const ScriptOutcome outcome = device.Run(script);
        EXPECT_EQ(outcome.error, "");
        return outcome.out;
    }
    std::uint8_t DocumentValue(std::int32_t block, int entry) {
        PeripheralBlock copy;
        device.Document().GetBlock(copy, block);
        return copy.registers.at(static_cast<std::size_t>(entry)).value;
    }
    const ClockSettings& Clocks() { return device.Document().clocks; }

    bool probes = true;
    DeviceScript device{[this] {
        RegisterPcaPages();
        RegisterSpiPages();
        if (probes) testing::RegisterProbeOscillatorPages(&probesBuilt);
    }};
};

TEST_F(NestedClocksTest, TimeoutCalculatorReloadsItsClocksAfterOkAndKeepsThemOnCancel) {
    const std::string out = Run(
        "new QK740\n"
        "menu PCA\n"
        "page \"Module 2/WDT\"\n"
        "click \"Change Timeout Interval\"\n"
        "click \"Change Clock Frequencies\"\n"
        "click \"Set Clocks\"\n"
        "click \"Set OSCICN\"\n"
        "ok\n"
        "show \"SYSCLK Frequency\"\n"
        "show \"External Oscillator Frequency\"\n"
        "show \"Timer 0 Frequency\"\n"
        "click \"Change Clock Frequencies\"\n"
        "click \"Set Slow Clocks\"\n"
        "cancel\n"
        "show \"SYSCLK Frequency\"\n"
        "click \"ECI Source:\"\n"
        "type \"ECI Pin Frequency\" 32768\n"
        "ok\n"
        "show \"ECI Source Frequency\"\n"
        "type \"Target Timeout Interval\" 1000\n"
        "ok\n"
        "answer yes\n"
        "show \"Timeout Interval:\"\n"
        "cancel\n");
    EXPECT_EQ(out,
              "edit \"SYSCLK Frequency\" = \"24500000\" disabled\n"
              "edit \"External Oscillator Frequency\" = \"32768\" disabled\n"
              "edit \"Timer 0 Frequency\" = \"7975\" disabled\n"  // 24500000 / 12 / 256
              "edit \"SYSCLK Frequency\" = \"24500000\" disabled\n"
              "edit \"ECI Source Frequency\" = \"32768\" disabled\n"
              "message: Change PCA0's Data to:\\n\\n PCA0CPL2 = 7F\\n Clock Source: High to Low Transitions on ECI\n"
              "edit \"Timeout Interval:\" = \"1000.0\" disabled\n");
    // The internal and external oscillator pages only, twice.
    EXPECT_EQ(probesBuilt, (std::map<std::string, int>{{"Internal Oscillator", 2}, {"External Oscillator", 2}}));
    // The accepted Oscillators sheet and the ECI word stay although the PCA
    // sheet was cancelled; the cancelled one put its clocks back.
    EXPECT_EQ(Clocks().sysclk, 24500000u);
    EXPECT_EQ(Clocks().externalOscFrequency, 32768u);
    EXPECT_EQ(Clocks().pcaClockWord, 32768u);
    EXPECT_EQ(DocumentValue(kBlockOscillators, reg::OSCICN), 0x83);
    EXPECT_EQ(DocumentValue(kBlockPca, reg::PCA0CPL2), 0x00);
}

TEST_F(NestedClocksTest, SckCalculatorOpensTheThreeOscillatorPages) {
    const std::string out = Run(
        "new QK740\n"
        "menu SPI\n"
        "click \"Change SCK\"\n"
        "show \"SYSCLK Frequency\"\n"
        "click \"Change Clock Frequency\"\n"
        "page \"SYSCLK Select\"\n"
        "click \"Set Clocks\"\n"
        "ok\n"
        "show \"SYSCLK Frequency\"\n"
        "type \"Target SCK Frequency\" 1000000\n"
        "ok\n"
        "answer yes\n"
        "show \"Clock Rate for SPI\"\n"
        "click \"Change SCK\"\n"
        "click \"Change Clock Frequency\"\n"
        "click \"Set Slow Clocks\"\n"
        "cancel\n"
        "show \"SYSCLK Frequency\"\n"
        "cancel\n"
        "ok\n");
    EXPECT_EQ(out,
              "edit \"SYSCLK Frequency\" = \"191406\" disabled\n"
              "edit \"SYSCLK Frequency\" = \"24500000\" disabled\n"
              "message: Change SPI0CKR Data to:\\n\\n SPI0CKR = 0B\n"
              "edit \"Clock Rate for SPI\" = \"1020833\" disabled\n"
              "edit \"SYSCLK Frequency\" = \"24500000\" disabled\n");
    EXPECT_EQ(probesBuilt, (std::map<std::string, int>{
                               {"Internal Oscillator", 2}, {"External Oscillator", 2}, {"SYSCLK Select", 2}}));
    EXPECT_EQ(Clocks().sysclk, 24500000u);
    EXPECT_EQ(DocumentValue(kBlockSpi, reg::SPI0CKR), 0x0B);
}

TEST_F(NestedClocksTest, ButtonsAreDisabledWhileTheOscillatorPagesAreMissing) {
    const std::string out = Run(
        "new QK740\n"
        "menu SPI\n"
        "click \"Change SCK\"\n"
        "show \"Change Clock Frequency\"\n"
        "cancel\n"
        "cancel\n"
        "menu PCA\n"
        "page \"Module 2/WDT\"\n"
        "click \"Change Timeout Interval\"\n"
        "show \"Change Clock Frequencies\"\n"
        "cancel\n"
        "cancel\n",
        false);
    EXPECT_EQ(out,
              "button \"Change Clock Frequency\" disabled\n"
              "button \"Change Clock Frequencies\" disabled\n");
}

}  // namespace
}  // namespace regsmith

// ADC0: the SAR clock and its calculator at several SYSCLKs, the input codes
// by package, the pin checks, the AD0SC field, and "Calculate SAR" driven as
// a user would (with probe oscillator pages for "Change Clock Frequency").

#include <gtest/gtest.h>

#include <limits>
#include <string>

#include "model/crossbar.h"
#include "model/register_tables.h"
#include "pages/adc/adc_inputs.h"
#include "pages/adc/adc_sheets.h"
#include "pages/adc/calculate_sar_dialog.h"
#include "pages/adc/sar_calculator.h"
#include "pages/interrupts/interrupt_sheets.h"
#include "pages/portio/portio_sheets.h"
#include "pages/supply/supply_sheets.h"
#include "tests/support/device_script.h"
#include "tests/support/probe_oscillator_pages.h"
#include "tests/support/sheet_driver.h"
#include "view/command_ids.h"
#include "view/device_page.h"
#include "view/sheet_commands.h"

namespace regsmith {
namespace {

using testing::DeviceScript;
using testing::OpenSheet;
using testing::SheetDriver;
using testing::ScriptOutcome;

TEST(SarCalculator, ClockShownForTheDivider) {
    struct Row {
        std::uint32_t sysclk;
        unsigned ad0sc;
        std::uint32_t hz;
    };
    const Row rows[] = {
        {191406, 31, 5981},     {191406, 1, 95703},       {191406, 0, 191406},
        {24500000, 0, 24500000}, {24500000, 11, 2041666},  {12250000, 31, 382812},
        {3062500, 7, 382812},   {0, 5, 0},                {4294967295u, 31, 134217727},
    };
    for (const Row& row : rows) EXPECT_EQ(SarClock(row.sysclk, row.ad0sc), row.hz) << row.sysclk << " " << row.ad0sc;
}

TEST(SarCalculator, DividerRoundedHalfUpWithinZeroTo31) {
    using R = SarDividerResult;
    struct Row {
        std::uint32_t sysclk, target;
        R result;
        long long ad0sc;
    };
    const Row rows[] = {
        {191406, 100000, R::kOk, 1},          // 0.914
        {191406, 191406, R::kOk, 0},          // target = SYSCLK
        {191406, 400000, R::kOk, 0},          // target above SYSCLK: -0.52
        {191406, 4785, R::kOutOfRange, 39},   // 39.001
        {191406, 0, R::kInvalidInput, 0},
        {0, 1000, R::kInvalidInput, 0},
        {3000000, 2000000, R::kOk, 1},        // 0.5 exactly rounds up
        {9000000, 4000000, R::kOk, 1},        // 1.25
        {7000000, 2000000, R::kOk, 3},        // 2.5
        {24500000, 3000000, R::kOk, 7},       // 7.17
        {24500000, 765625, R::kOk, 31},       // 31 exactly
        {24500000, 753846, R::kOutOfRange, 32},  // 31.50001
        {24500000, 760000, R::kOk, 31},       // 31.24
        {3062500, 100000, R::kOk, 30},        // 29.625
        {std::numeric_limits<std::uint32_t>::max(), 1, R::kOutOfRange, 4294967294LL},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(::testing::Message() << row.sysclk << " / " << row.target);
        const SarDivider divider = CalculateSarDivider(row.sysclk, row.target);
        EXPECT_EQ(divider.result, row.result);
        if (row.result != R::kInvalidInput) {
            EXPECT_EQ(divider.ad0sc, row.ad0sc);
        }
    }
}

TEST(AdcInputs, ListAndCodesByPackage) {
    for (std::uint8_t id = 0xD0; id <= 0xDB; ++id) {
        SCOPED_TRACE(static_cast<int>(id));
        const std::vector<AdcInput> inputs = AdcInputs(id);
        const bool small = id <= 0xD5;
        ASSERT_EQ(inputs.size(), small ? 9u : 19u);
        for (int pin = 0; pin < (small ? 6 : 16); ++pin) {
            EXPECT_EQ(inputs[static_cast<std::size_t>(pin)].item, PinName(pin));
            EXPECT_EQ(inputs[static_cast<std::size_t>(pin)].code, pin);  // port x 8 + bit
        }
        const std::size_t special = inputs.size() - 3;
        EXPECT_EQ(inputs[special].item, "Temp Sensor");
        EXPECT_EQ(inputs[special].code, 0x18);
        EXPECT_EQ(inputs[special + 1].item, "Vregout");
        EXPECT_EQ(inputs[special + 1].code, 0x19);
        EXPECT_EQ(inputs[special + 2].item, "GND");
        EXPECT_EQ(inputs[special + 2].code, 0x1F);
    }
}

TEST(AdcInputs, PinAndCnvstrTexts) {
    PeripheralBlock portIO = BuildDefaultBlock(*FindBlockSpec(kBlockPortIO));
    // P0.3 analog and skipped, P1.2 skipped, P1.7 analog; P0.5 digital.
    portIO.registers[reg::P0MDIN].value = 0xF7;
    portIO.registers[reg::P0SKIP].value = 0x08;
    portIO.registers[reg::P1MDIN].value = 0x7F;
    portIO.registers[reg::P1SKIP].value = 0x04;
    const std::vector<AdcInput> small = AdcInputs(0xD0), large = AdcInputs(0xD6);
    struct Row {
        const std::vector<AdcInput>* inputs;
        std::uint8_t code;
        const char* text;
    };
    const Row rows[] = {
        {&small, 0x03, "Pin is Analog and Skipped: Configured Properly"},
        {&small, 0x05, "Pin is Digital and Not Skipped: NOT Configured Properly"},
        {&large, 0x0A, "Pin is Digital and Skipped: NOT Configured Properly"},
        {&large, 0x0F, "Pin is Analog and Not Skipped: NOT Configured Properly"},
        {&small, 0x18, ""},
        {&small, 0x19, ""},
        {&large, 0x1F, ""},
        {&small, 0x0A, "Unknown Input: Code 0xA"},  // P1.2 on the small package
        {&large, 0x10, "Unknown Input: Code 0x10"},  // reserved
    };
    for (const Row& row : rows) EXPECT_EQ(AdcInputStatus(*row.inputs, row.code, portIO), row.text) << int(row.code);

    const struct {
        std::uint8_t id, adc0cn;
        const char* text;
    } cnvstr[] = {
        {0xD0, 0x02, "P0.5 for CNVSTR is Not Skipped, NOT Configured Properly"},
        {0xD6, 0x02, "P1.2 for CNVSTR is Skipped, Configured Properly"},
        {0xD6, 0x82, "P1.2 for CNVSTR is Skipped, Configured Properly"},
        {0xD0, 0x00, ""},
        {0xD0, 0x03, ""},
        {0xD6, 0x01, ""},
    };
    for (const auto& row : cnvstr) EXPECT_EQ(CnvstrStatus(row.id, row.adc0cn, portIO), row.text);
    portIO.registers[reg::P0SKIP].value = 0x20;
    EXPECT_EQ(CnvstrStatus(0xD5, 0x02, portIO), "P0.5 for CNVSTR is Skipped, Configured Properly");
}

// A stored code the list cannot show stays until the user picks an input;
// bits 7-5 are never touched.
TEST(AdcInputs, StoredCodeWithoutAnItemIsKept) {
    RegisterAdcPages();
    const struct {
        std::uint8_t id, adc0mx;
        const char* selected;
        const char* status;
    } rows[] = {
        {0xD0, 0x0A, "", "Unknown Input: Code 0xA"},
        {0xD6, 0x10, "", "Unknown Input: Code 0x10"},
        {0xD6, 0xEA, "P1.2", "Pin is Digital and Not Skipped: NOT Configured Properly"},
        {0xD0, 0xFD, "", "Unknown Input: Code 0x1D"},
        {0xD0, 0x78, "Temp Sensor", ""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(::testing::Message() << std::hex << int(row.id) << " " << int(row.adc0mx));
        SheetDriver driver(row.id);
        driver.SetValue(kBlockAdc, "ADC0MX", row.adc0mx);
        driver.Run(ID_PERIPHERALS_ADC, [&row](OpenSheet& sheet) {
            EXPECT_EQ(sheet.Selected("Input Channel:"), row.selected);
            EXPECT_EQ(sheet.TextAfter("Input Channel:"), row.status);
            sheet.Ok();
        });
        EXPECT_EQ(driver.Value(kBlockAdc, "ADC0MX"), row.adc0mx);
    }
}

class AdcSheet : public ::testing::Test {
protected:
    DeviceScript script{[] {
        RegisterAdcPages();
        RegisterSupplyPages();
        RegisterInterruptPages();
        RegisterPortIOPages();
        testing::RegisterProbeOscillatorPages();
    }};
};

// Each row: the lines inside the ADC sheet of a new QK750 project and
// exactly what the script prints.
TEST_F(AdcSheet, CalculateSarAndTheAd0scField) {
    struct Row {
        const char* name;
        const char* lines;
        const char* out;
    };
    const Row rows[] = {
        {"the example: 100000 Hz at 191406 Hz",
         "click \"Change SAR\"\ntype \"Target SAR Frequency\" 100000\nok\nanswer yes\n"
         "show \"SAR Conversion Clock\"\nshow \"AD0SC Value (Hex)\"\nsummary\n",
         "message: Change AD0SC Data to:\\n\\n AD0SC = 01\n"
         "edit \"SAR Conversion Clock\" = \"95703\" disabled\n"
         "edit \"AD0SC Value (Hex)\" = \"01\"\n"
         "    ADC0CF    = 0x08;\n"},
        {"No keeps the dialog open, Cancel changes nothing",
         "click \"Change SAR\"\ntype \"Target SAR Frequency\" 100000\nok\nanswer no\n"
         "show \"Target SAR Frequency\"\ncancel\nshow \"AD0SC Value (Hex)\"\nsummary\n",
         "message: Change AD0SC Data to:\\n\\n AD0SC = 01\n"
         "edit \"Target SAR Frequency\" = \"100000\"\n"
         "edit \"AD0SC Value (Hex)\" = \"1F\"\n"},
        {"errors keep the dialog open",
         "click \"Change SAR\"\nok\ntype \"Target SAR Frequency\" 4785\nok\ntype \"Target SAR Frequency\" 12ab\nok\n"
         "type \"Target SAR Frequency\" 191406\nok\nanswer yes\nshow \"SAR Conversion Clock\"\n",
         "message: Error: Invalid Input Values.\n"
         "message: Error: Invalid SAR Value Using Current SYSCLK Frequency.\n"
         "message: Enter a whole number from 0 to 4294967295.\n"
         "message: Change AD0SC Data to:\\n\\n AD0SC = 00\n"
         "edit \"SAR Conversion Clock\" = \"191406\" disabled\n"},
        {"only the divider bits are written",
         "select \"Repeat Count\" \"8 conversions performed and accumulated\"\nclick \"Change SAR\"\n"
         "type \"Target SAR Frequency\" 30000\nok\nanswer yes\nsummary\n",
         "message: Change AD0SC Data to:\\n\\n AD0SC = 05\n"
         "    ADC0CF    = 0x2C;\n"},
        {"a new SYSCLK from Change Clock Frequency",
         "click \"Change SAR\"\nclick \"Change Clock Frequency\"\ntype \"New SYSCLK\" 24500000\nok\n"
         "show \"SYSCLK Frequency\"\ntype \"Target SAR Frequency\" 3000000\nok\nanswer yes\n"
         "show \"SAR Conversion Clock\"\n",
         "edit \"SYSCLK Frequency\" = \"24500000\" disabled\n"
         "message: Change AD0SC Data to:\\n\\n AD0SC = 07\n"
         "edit \"SAR Conversion Clock\" = \"3062500\" disabled\n"},
        {"a cancelled clock change restores SYSCLK",
         "click \"Change SAR\"\nclick \"Change Clock Frequency\"\ntype \"New SYSCLK\" 24500000\ncancel\n"
         "show \"SYSCLK Frequency\"\ncancel\nshow \"SAR Conversion Clock\"\n",
         "edit \"SYSCLK Frequency\" = \"191406\" disabled\n"
         "edit \"SAR Conversion Clock\" = \"5981\" disabled\n"},
        {"AD0SC above 1F is clamped",
         "type \"AD0SC Value (Hex)\" 20\nshow \"AD0SC Value (Hex)\"\nshow \"SAR Conversion Clock\"\nsummary\n",
         "message: Error: AD0SC Value Too Large. Defaulting to 0x1F\n"
         "edit \"AD0SC Value (Hex)\" = \"1F\"\n"
         "edit \"SAR Conversion Clock\" = \"5981\" disabled\n"},
        {"the hex rules come first",
         "type \"AD0SC Value (Hex)\" 123\nshow \"AD0SC Value (Hex)\"\ntype \"AD0SC Value (Hex)\" G3\n"
         "show \"SAR Conversion Clock\"\ntype \"AD0SC Value (Hex)\" \"\"\nsummary\n",
         "message: Error: Exceeded Size For Initial Value.\n"
         "edit \"AD0SC Value (Hex)\" = \"12\"\n"
         "message: Error: Invalid HEX Character.\n"
         "edit \"SAR Conversion Clock\" = \"47851\" disabled\n"
         "    ADC0CF    = 0x00;\n"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const ScriptOutcome outcome = script.Run(std::string("new QK750\nmenu ADC\n") + row.lines + "ok\n");
        EXPECT_EQ(outcome.error, "");
        EXPECT_EQ(outcome.out, row.out);
    }
}

}  // namespace
}  // namespace regsmith

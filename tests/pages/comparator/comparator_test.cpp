// Comparator0: the input lists and codes by package, a stored code the lists
// cannot show, the controls' register fields, and the slider writing only
// when it comes to rest.

#include <gtest/gtest.h>

#include <string>

#include "model/crossbar.h"
#include "model/register_tables.h"
#include "pages/comparator/comparator_inputs.h"
#include "pages/comparator/comparator_sheets.h"
#include "pages/interrupts/interrupt_sheets.h"
#include "pages/portio/portio_sheets.h"
#include "tests/support/device_script.h"
#include "tests/support/sheet_driver.h"
#include "view/command_ids.h"
#include "view/device_page.h"

namespace regsmith {
namespace {

using testing::DeviceScript;
using testing::OpenSheet;
using testing::SheetDriver;
using testing::ScriptOutcome;

std::string Items(const std::vector<ComparatorInput>& inputs) {
    std::string text;
    for (const ComparatorInput& input : inputs) text += input.item + "=" + std::to_string(input.code) + " ";
    return text;
}

TEST(ComparatorInputs, ListsAndCodesByPackage) {
    for (std::uint8_t id = 0xD0; id <= 0xDB; ++id) {
        SCOPED_TRACE(static_cast<int>(id));
        const bool small = id <= 0xD5;
        EXPECT_EQ(Items(ComparatorInputs(true, id)),
                  small ? "P0.0=0 P0.2=1 P0.4=2 None=15 "
                        : "P0.0=0 P0.2=1 P0.4=2 P0.6=3 P1.0=4 P1.2=5 P1.4=6 P1.6=7 None=15 ");
        EXPECT_EQ(Items(ComparatorInputs(false, id)),
                  small ? "P0.1=0 P0.3=1 P0.5=2 None=15 "
                        : "P0.1=0 P0.3=1 P0.5=2 P0.7=3 P1.1=4 P1.3=5 P1.5=6 P1.7=7 None=15 ");
    }
}

TEST(ComparatorInputs, StatusUnderTheList) {
    PeripheralBlock portIO = BuildDefaultBlock(*FindBlockSpec(kBlockPortIO));
    portIO.registers[reg::P0MDIN].value = 0xFB;  // P0.2 analog
    portIO.registers[reg::P0SKIP].value = 0x06;  // P0.1, P0.2 skipped
    portIO.registers[reg::P1MDIN].value = 0x7F;  // P1.7 analog
    const auto positive = ComparatorInputs(true, 0xD6), negative = ComparatorInputs(false, 0xD6);
    const auto smallPositive = ComparatorInputs(true, 0xD0);
    EXPECT_EQ(ComparatorInputStatus(positive, 1, portIO), "Pin is Analog and Skipped: Configured Properly");
    EXPECT_EQ(ComparatorInputStatus(positive, 0, portIO), "Pin is Digital and Not Skipped: NOT Configured Properly");
    EXPECT_EQ(ComparatorInputStatus(negative, 0, portIO), "Pin is Digital and Skipped: NOT Configured Properly");
    EXPECT_EQ(ComparatorInputStatus(negative, 7, portIO), "Pin is Analog and Not Skipped: NOT Configured Properly");
    EXPECT_EQ(ComparatorInputStatus(negative, 0xF, portIO), "No Pin Selected");
    EXPECT_EQ(ComparatorInputStatus(smallPositive, 3, portIO), "Unknown Input: Code 0x3");
    EXPECT_EQ(ComparatorInputStatus(positive, 0xE, portIO), "Unknown Input: Code 0xE");
}

// Stored codes the lists cannot show (3 on the small package, 8 to 0xE on
// any) stay until the user picks an input; a pick writes its own field only.
TEST(ComparatorInputs, StoredCodeWithoutAnItemIsKeptUntilAPick) {
    RegisterComparatorPages();
    const struct {
        std::uint8_t id, cpt0mx;
        const char* pick;  // positive input chosen, or null
        const char *positive, *positiveStatus, *negative, *negativeStatus;
        std::uint8_t after;
    } rows[] = {
        {0xD0, 0xF3, nullptr, "", "Unknown Input: Code 0x3", "None", "No Pin Selected", 0xF3},
        {0xD6, 0xE8, nullptr, "", "Unknown Input: Code 0x8", "", "Unknown Input: Code 0xE", 0xE8},
        {0xD6, 0x73, nullptr, "P0.6", "Pin is Digital and Not Skipped: NOT Configured Properly", "P1.7",
         "Pin is Digital and Not Skipped: NOT Configured Properly", 0x73},
        {0xD0, 0x83, "P0.4", "P0.4", "Pin is Digital and Not Skipped: NOT Configured Properly", "",
         "Unknown Input: Code 0x8", 0x82},
        {0xD0, 0x83, "None", "None", "No Pin Selected", "", "Unknown Input: Code 0x8", 0x8F},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(::testing::Message() << std::hex << int(row.id) << " " << int(row.cpt0mx));
        SheetDriver driver(row.id);
        driver.SetValue(kBlockComparator, "CPT0MX", row.cpt0mx);
        driver.Run(ID_PERIPHERALS_COMPARATOR, [&row](OpenSheet& sheet) {
            if (row.pick) sheet.Select("Positive Input:", row.pick);
            EXPECT_EQ(sheet.Selected("Positive Input:"), row.positive);
            EXPECT_EQ(sheet.TextAfter("Positive Input:"), row.positiveStatus);
            EXPECT_EQ(sheet.Selected("Negative Input:"), row.negative);
            EXPECT_EQ(sheet.TextAfter("Negative Input:"), row.negativeStatus);
            sheet.Ok();
        });
        EXPECT_EQ(driver.Value(kBlockComparator, "CPT0MX"), row.after);
    }
}

TEST(ComparatorPage, TheSliderWritesWhenItComesToRest) {
    RegisterComparatorPages();
    SheetDriver driver(0xD6);
    driver.SetValue(kBlockComparator, "CPT0MD", 0x02);
    driver.Run(ID_PERIPHERALS_COMPARATOR, [](OpenSheet& sheet) {
        auto& slider = sheet.Get<fw::Slider>("Comparator Response Time");
        EXPECT_EQ(slider.Value(), 2);
        slider.Move(0);
        EXPECT_EQ(sheet.Summary(), "");  // still 0x02 while it moves
        slider.Slide(3);
        EXPECT_EQ(sheet.Summary(), "    CPT0MD    = 0x03;\r\n");
        sheet.Ok();
    });
}

class ComparatorSheet : public ::testing::Test {
protected:
    DeviceScript script{[] {
        RegisterComparatorPages();
        RegisterInterruptPages();
        RegisterPortIOPages();
    }};
};

// Each row: lines inside the Comparator sheet of a new QK750 project, then
// the summary box.
TEST_F(ComparatorSheet, EachControlWritesItsField) {
    const std::pair<const char*, const char*> rows[] = {
        {"click \"Positive Hysteresis:/5 mV\"\n", "    CPT0CN    = 0x04;\n"},
        {"click \"Positive Hysteresis:/10 mV\"\nclick \"Negative Hysteresis:/20 mV\"\n", "    CPT0CN    = 0x0B;\n"},
        {"click \"Negative Hysteresis:/10 mV\"\nclick \"Negative Hysteresis:/Disabled\"\n", ""},
        {"click \"Enable High Speed Analog Mode\"\n", "    CPT0MD    = 0x82;\n"},
        {"click \"Enable Rising Edge Interrupt\"\nclick \"Enable Falling Edge Interrupt\"\n", "    CPT0MD    = 0x32;\n"},
        {"slide \"Comparator Response Time\" 0\n", "    CPT0MD    = 0x00;\n"},
        {"select \"Positive Input:\" P1.6\nselect \"Negative Input:\" P0.3\n", "    CPT0MX    = 0x17;\n"},
        {"select \"Positive Input:\" P0.0\nselect \"Negative Input:\" None\n", "    CPT0MX    = 0xF0;\n"},
    };
    for (const auto& [lines, summary] : rows) {
        SCOPED_TRACE(lines);
        const ScriptOutcome outcome = script.Run(std::string("new QK750\nmenu Comparator\n") + lines + "summary\nok\n");
        EXPECT_EQ(outcome.error, "");
        EXPECT_EQ(outcome.out, summary);
    }
}

}  // namespace
}  // namespace regsmith

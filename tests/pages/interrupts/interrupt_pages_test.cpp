// The "Interrupts" sheet driven as a user would: the Peripherals command,
// clicks by caption, page switches, Reset, OK and Cancel.

#include <gtest/gtest.h>

#include <span>
#include <string>

#include "codegen/generator.h"
#include "pages/interrupts/interrupt_sheets.h"
#include "pages/portio/portio_sheets.h"
#include "tests/support/generated_text.h"
#include "tests/support/sheet_driver.h"
#include "view/command_ids.h"
#include "view/device_page.h"
#include "view/sheet_commands.h"

namespace regsmith {
namespace {

using testing::CTail;
using testing::kCHead;
using testing::OpenSheet;
using testing::RecordingPlatform;
using testing::Register;
using testing::SheetDriver;

constexpr fw::DialogResult kYes = fw::DialogResult::Yes;
constexpr fw::DialogResult kNo = fw::DialogResult::No;

// A check box with the register and bit it sets.
struct ExpectedBit {
    const char* caption;
    const char* reg;
    std::uint8_t mask;
};

class InterruptsSheet : public ::testing::Test {
protected:
    void SetUp() override { RegisterInterruptPages(); }

    // Opens Peripherals > Interrupts; `user` acts on the sheet and presses OK
    // or Cancel (Cancel if it does neither).
    static void Run(SheetDriver& driver, const SheetDriver::User& user) {
        driver.Run(ID_PERIPHERALS_INTERRUPTS, [&user](OpenSheet& sheet) {
            ASSERT_EQ(sheet.Title(), "Interrupts");
            user(sheet);
        });
    }

    void ExpectEachBoxSetsItsBit(const char* pageTitle, std::span<const ExpectedBit> bits);
};

// The check boxes of both pages with the register and bit each one sets,
// written out independently of the pages' own tables.
const ExpectedBit kEnableBits[] = {
    {"Enable All Interrupts   (If not checked, all interrupts are ignored)", "IE", 0x80},
    {"Enable UART0 Interrupt", "IE", 0x10},
    {"Enable CP0 Rising Interrupt", "EIE1", 0x10},
    {"Enable CP0 Falling Interrupt", "EIE1", 0x08},
    {"Enable SPI0 Interrupt", "IE", 0x40},
    {"Enable AD0INT Interrupt", "EIE1", 0x02},
    {"Enable Port Match Interrupt", "EIE1", 0x80},
    {"Enable LIN Interrupt", "EIE1", 0x20},
    {"Enable Timer 0 Interrupt", "IE", 0x02},
    {"Enable Timer 1 Interrupt", "IE", 0x08},
    {"Enable Timer 2 Interrupt", "IE", 0x20},
    {"Enable /INT0 Interrupt", "IE", 0x01},
    {"Enable /INT1 Interrupt", "IE", 0x04},
    {"Enable PCA0 Interrupt", "EIE1", 0x04},
    {"Enable AD0WINT Interrupt", "EIE1", 0x01},
    {"Enable Voltage Regulator Interrupt", "EIE1", 0x40},
};

const ExpectedBit kPriorityBits[] = {
    {"Set UART0 Priority High", "IP", 0x10},
    {"Set CP0 Rising Priority High", "EIP1", 0x10},
    {"Set CP0 Falling Priority High", "EIP1", 0x08},
    {"Set SPI0 Priority High", "IP", 0x40},
    {"Set AD0INT Priority High", "EIP1", 0x02},
    {"Set Port Match Priority High", "EIP1", 0x80},
    {"Set LIN Priority High", "EIP1", 0x20},
    {"Set Timer 0 Priority High", "IP", 0x02},
    {"Set Timer 1 Priority High", "IP", 0x08},
    {"Set Timer 2 Priority High", "IP", 0x20},
    {"Set /INT0 Priority High", "IP", 0x01},
    {"Set /INT1 Priority High", "IP", 0x04},
    {"Set PCA0 Priority High", "EIP1", 0x04},
    {"Set AD0WINT Priority High", "EIP1", 0x01},
    {"Set Voltage Regulator Priority High", "EIP1", 0x40},
};

// Clicking a box once sets exactly its bit and nothing else in the block;
// clicking it again clears it.
void InterruptsSheet::ExpectEachBoxSetsItsBit(const char* pageTitle, std::span<const ExpectedBit> bits) {
    for (const ExpectedBit& bit : bits) {
        SCOPED_TRACE(bit.caption);
        SheetDriver driver(0xD0);
        PeripheralBlock expected = driver.Block(kBlockInterrupts);
        Register(expected, bit.reg).value |= bit.mask;
        std::string toggledBack = "not reached";
        Run(driver, [&](OpenSheet& sheet) {
            sheet.Page(pageTitle);
            EXPECT_FALSE(sheet.IsChecked(bit.caption));
            ASSERT_TRUE(sheet.Click(bit.caption));
            EXPECT_TRUE(sheet.IsChecked(bit.caption));
            ASSERT_TRUE(sheet.Click(bit.caption));
            toggledBack = sheet.Summary();
            ASSERT_TRUE(sheet.Click(bit.caption));
            sheet.Ok();
        });
        EXPECT_EQ(toggledBack, "");
        EXPECT_EQ(driver.Block(kBlockInterrupts), expected);
    }
}

TEST_F(InterruptsSheet, EachEnableCheckBoxSetsItsOwnBit) { ExpectEachBoxSetsItsBit("Enable Interrupts", kEnableBits); }

TEST_F(InterruptsSheet, EachPriorityCheckBoxSetsItsOwnBit) {
    ExpectEachBoxSetsItsBit("Interrupt Priority", kPriorityBits);
}

TEST_F(InterruptsSheet, HasThreePagesInTabOrderWithAResetButton) {
    SheetDriver driver(0xD0);
    Run(driver, [](OpenSheet& open) {
        const fw::PropertySheet& sheet = open.Sheet();
        ASSERT_EQ(sheet.PageCount(), 3);
        EXPECT_EQ(sheet.Page(0).Title(), "Enable Interrupts");
        EXPECT_EQ(sheet.Page(1).Title(), "Interrupt Priority");
        EXPECT_EQ(sheet.Page(2).Title(), "INT0/INT1 Configuration");
        EXPECT_EQ(sheet.ActiveIndex(), 0);
        ASSERT_EQ(sheet.ExtraButtons().size(), 1u);
        EXPECT_EQ(sheet.ExtraButtons()[0].caption, "Reset");
    });
}

TEST_F(InterruptsSheet, SummaryBoxFollowsEveryClick) {
    SheetDriver driver(0xD0);
    Run(driver, [](OpenSheet& sheet) {
        EXPECT_EQ(sheet.Summary(), "");
        sheet.Click("Enable /INT0 Interrupt");
        EXPECT_EQ(sheet.Summary(), "    IE        = 0x01;\r\n");
        sheet.Click("Enable All Interrupts   (If not checked, all interrupts are ignored)");
        EXPECT_EQ(sheet.Summary(), "    IE        = 0x81;\r\n");
        sheet.Click("Enable PCA0 Interrupt");
        EXPECT_EQ(sheet.Summary(), "    EIE1      = 0x04;\r\n    IE        = 0x81;\r\n");
    });
}

// The three pages share one copy: each page shows the others' edits when it
// becomes active, and OK writes one block 13 with all of them.
TEST_F(InterruptsSheet, PagesShareOneCopyAndOkWritesAllEdits) {
    SheetDriver driver(0xD0);
    Run(driver, [](OpenSheet& sheet) {
        sheet.Click("Enable /INT0 Interrupt");
        sheet.Page("Interrupt Priority");
        EXPECT_EQ(sheet.Summary(), "    IE        = 0x01;\r\n");
        sheet.Click("Set /INT0 Priority High");
        sheet.Click("Set Port Match Priority High");
        sheet.Page("INT0/INT1 Configuration");
        EXPECT_EQ(sheet.Summary(), "    IP        = 0x01;\r\n    EIP1      = 0x80;\r\n    IE        = 0x01;\r\n");
        sheet.Click("/INT0 Active High");
        sheet.Select("/INT0 Port Pin Selection", "P0.4");
        sheet.Page("Enable Interrupts");
        EXPECT_TRUE(sheet.IsChecked("Enable /INT0 Interrupt"));
        EXPECT_FALSE(sheet.IsChecked("Enable /INT1 Interrupt"));
        sheet.Page("Interrupt Priority");
        EXPECT_TRUE(sheet.IsChecked("Set /INT0 Priority High"));
        sheet.Ok();
    });
    PeripheralBlock block = driver.Block(kBlockInterrupts);
    EXPECT_EQ(Register(block, "IP").value, 0x01);
    EXPECT_EQ(Register(block, "EIE1").value, 0x00);
    EXPECT_EQ(Register(block, "EIP1").value, 0x80);
    EXPECT_EQ(Register(block, "IT01CF").value, 0x0C);
    EXPECT_EQ(Register(block, "IE").value, 0x01);
    // The code window was regenerated with the new routine.
    EXPECT_EQ(driver.Text(), GenerateCode(driver.Document()));
    EXPECT_NE(driver.Text().find("Interrupts_Init"), std::string::npos);
}

TEST_F(InterruptsSheet, GeneratedRoutineIsExact) {
    SheetDriver driver(0xD0);
    Run(driver, [](OpenSheet& sheet) {
        sheet.Click("Enable All Interrupts   (If not checked, all interrupts are ignored)");
        sheet.Click("Enable Timer 0 Interrupt");
        sheet.Click("Enable Voltage Regulator Interrupt");
        sheet.Page("Interrupt Priority");
        sheet.Click("Set Timer 0 Priority High");
        sheet.Click("Set AD0WINT Priority High");
        sheet.Page("INT0/INT1 Configuration");
        sheet.Click("/INT1 Active High");
        sheet.Select("/INT1 Port Pin Selection", "P0.5");
        sheet.Ok();
    });
    const std::string routine =
        "void Interrupts_Init()\r\n"
        "{\r\n"
        "    IP        = 0x02;\r\n"
        "    EIE1      = 0x40;\r\n"
        "    EIP1      = 0x01;\r\n"
        "    IT01CF    = 0xD1;\r\n"
        "    IE        = 0x82;\r\n"
        "}\r\n";
    EXPECT_EQ(driver.Text(), kCHead + routine + CTail({"Interrupts_Init"}));
}

TEST_F(InterruptsSheet, CancelLeavesTheDocumentUnchanged) {
    SheetDriver driver(0xD0);
    const CDeviceData before = driver.Document().deviceData;
    const std::string textBefore = driver.Text();
    Run(driver, [](OpenSheet& sheet) {
        sheet.Click("Enable /INT0 Interrupt");
        sheet.Page("INT0/INT1 Configuration");
        sheet.Select("/INT1 Port Pin Selection", "P0.2");
        sheet.Cancel();
    });
    EXPECT_EQ(driver.Document().deviceData.blockMap, before.blockMap);
    EXPECT_EQ(driver.Text(), textBefore);
    // The next run starts from the document again.
    Run(driver, [](OpenSheet& sheet) { EXPECT_FALSE(sheet.IsChecked("Enable /INT0 Interrupt")); });
}

TEST_F(InterruptsSheet, ResetOnThePriorityPageClearsTheWholeBlock) {
    SheetDriver driver(0xD0);
    PeripheralBlock resetBlock = driver.Block(kBlockInterrupts);
    Run(driver, [](OpenSheet& sheet) {
        sheet.Click("Enable /INT0 Interrupt");
        sheet.Click("Enable PCA0 Interrupt");
        sheet.Page("INT0/INT1 Configuration");
        sheet.Click("/INT0 Active High");
        sheet.Select("/INT1 Port Pin Selection", "P0.3");
        sheet.Page("Interrupt Priority");
        sheet.Click("Set SPI0 Priority High");
        sheet.Click("Set CP0 Falling Priority High");

        // No leaves everything as it is.
        sheet.Reset(kNo);
        EXPECT_TRUE(sheet.IsChecked("Set SPI0 Priority High"));

        sheet.Reset(kYes);
        EXPECT_FALSE(sheet.IsChecked("Set SPI0 Priority High"));
        EXPECT_FALSE(sheet.IsChecked("Set CP0 Falling Priority High"));
        EXPECT_EQ(sheet.Summary(), "");
        sheet.Page("Enable Interrupts");
        EXPECT_FALSE(sheet.IsChecked("Enable /INT0 Interrupt"));
        sheet.Page("INT0/INT1 Configuration");
        EXPECT_TRUE(sheet.IsChecked("/INT0 Active Low"));
        EXPECT_EQ(sheet.Selected("/INT0 Port Pin Selection"), "P0.1");
        EXPECT_EQ(sheet.Selected("/INT1 Port Pin Selection"), "P0.0");
        sheet.Ok();
    });
    ASSERT_EQ(driver.Platform().boxes.size(), 2u);
    for (const RecordingPlatform::Box& box : driver.Platform().boxes) {
        EXPECT_EQ(box.text, "Reset all registers to default for this peripheral?");
        EXPECT_EQ(box.icon, fw::MessageIcon::Question);
        EXPECT_EQ(box.buttons, fw::MessageButtons::YesNo);
    }
    EXPECT_EQ(driver.Block(kBlockInterrupts), resetBlock);
}

TEST_F(InterruptsSheet, ResetOnTheConfigurationPageReloadsItsControls) {
    SheetDriver driver(0xD6);
    Run(driver, [](OpenSheet& sheet) {
        sheet.Page("INT0/INT1 Configuration");
        sheet.Click("/INT1 Active High");
        sheet.Select("/INT0 Port Pin Selection", "P0.7");
        sheet.Reset(kYes);
        EXPECT_TRUE(sheet.IsChecked("/INT1 Active Low"));
        EXPECT_FALSE(sheet.IsChecked("/INT1 Active High"));
        EXPECT_EQ(sheet.Selected("/INT0 Port Pin Selection"), "P0.1");
        EXPECT_EQ(sheet.Summary(), "");
        sheet.Ok();
    });
    EXPECT_EQ(driver.Value(kBlockInterrupts, "IT01CF"), 0x01);
}

TEST_F(InterruptsSheet, PolarityRadiosSetAndClearTheirBits) {
    SheetDriver driver(0xD0);
    Run(driver, [](OpenSheet& sheet) {
        sheet.Page("INT0/INT1 Configuration");
        EXPECT_TRUE(sheet.IsChecked("/INT0 Active Low"));
        sheet.Click("/INT0 Active High");
        EXPECT_EQ(sheet.Summary(), "    IT01CF    = 0x09;\r\n");
        sheet.Click("/INT1 Active High");
        EXPECT_EQ(sheet.Summary(), "    IT01CF    = 0x89;\r\n");
        sheet.Click("/INT0 Active Low");
        EXPECT_EQ(sheet.Summary(), "    IT01CF    = 0x81;\r\n");
        sheet.Ok();
    });
    EXPECT_EQ(driver.Value(kBlockInterrupts, "IT01CF"), 0x81);
}

TEST_F(InterruptsSheet, PinSelectionReplacesOnlyItsField) {
    SheetDriver driver(0xD0);
    Run(driver, [](OpenSheet& sheet) {
        sheet.Page("INT0/INT1 Configuration");
        // IT01CF is 0x01 by default: /INT0 on P0.1, /INT1 on P0.0.
        EXPECT_EQ(sheet.Selected("/INT0 Port Pin Selection"), "P0.1");
        EXPECT_EQ(sheet.Selected("/INT1 Port Pin Selection"), "P0.0");
        sheet.Select("/INT1 Port Pin Selection", "P0.3");
        EXPECT_EQ(sheet.Summary(), "    IT01CF    = 0x31;\r\n");
        sheet.Select("/INT1 Port Pin Selection", "P0.0");
        EXPECT_EQ(sheet.Summary(), "");
        sheet.Select("/INT0 Port Pin Selection", "P0.5");
        EXPECT_EQ(sheet.Summary(), "    IT01CF    = 0x05;\r\n");
        sheet.Ok();
    });
    EXPECT_EQ(driver.Value(kBlockInterrupts, "IT01CF"), 0x05);
}

TEST_F(InterruptsSheet, PinListsFollowThePackage) {
    for (std::uint8_t id : {0xD0, 0xD5}) {
        SheetDriver driver(id);
        Run(driver, [](OpenSheet& sheet) {
            sheet.Page("INT0/INT1 Configuration");
            const std::vector<std::string> small{"P0.0", "P0.1", "P0.2", "P0.3", "P0.4", "P0.5"};
            EXPECT_EQ(sheet.Get<fw::DropDownList>("/INT0 Port Pin Selection").Items(), small);
            EXPECT_EQ(sheet.Get<fw::DropDownList>("/INT1 Port Pin Selection").Items(), small);
        });
    }
    for (std::uint8_t id : {0xD6, 0xDB}) {
        SheetDriver driver(id);
        Run(driver, [](OpenSheet& sheet) {
            sheet.Page("INT0/INT1 Configuration");
            const std::vector<std::string> large{"P0.0", "P0.1", "P0.2", "P0.3", "P0.4", "P0.5", "P0.6", "P0.7"};
            EXPECT_EQ(sheet.Get<fw::DropDownList>("/INT0 Port Pin Selection").Items(), large);
            EXPECT_EQ(sheet.Get<fw::DropDownList>("/INT1 Port Pin Selection").Items(), large);
            sheet.Select("/INT1 Port Pin Selection", "P0.7");
            sheet.Select("/INT0 Port Pin Selection", "P0.6");
            sheet.Ok();
        });
        EXPECT_EQ(driver.Value(kBlockInterrupts, "IT01CF"), 0x76);
    }
}

// A project from a large-package model opened as a small one: the pins it
// names are not in the lists, and the bits survive until a pin is picked.
TEST_F(InterruptsSheet, SmallPackageShowsNoSelectionForP06AndP07) {
    SheetDriver driver(0xD2);
    Register(driver.Document().deviceData.blockMap.at(kBlockInterrupts), "IT01CF").value = 0x67;
    Run(driver, [](OpenSheet& sheet) {
        sheet.Page("INT0/INT1 Configuration");
        EXPECT_EQ(sheet.Get<fw::DropDownList>("/INT0 Port Pin Selection").Selected(), -1);
        EXPECT_EQ(sheet.Get<fw::DropDownList>("/INT1 Port Pin Selection").Selected(), -1);
        sheet.Click("/INT0 Active High");
        EXPECT_EQ(sheet.Summary(), "    IT01CF    = 0x6F;\r\n");
        sheet.Select("/INT1 Port Pin Selection", "P0.2");
        EXPECT_EQ(sheet.Summary(), "    IT01CF    = 0x2F;\r\n");
        sheet.Ok();
    });
    EXPECT_EQ(driver.Value(kBlockInterrupts, "IT01CF"), 0x2F);
}

TEST_F(InterruptsSheet, LinControlsHiddenOnOddIdsOnBothPages) {
    for (std::uint8_t id : {0xD1, 0xD3, 0xD5, 0xD7, 0xD9, 0xDB}) {
        SCOPED_TRACE(static_cast<int>(id));
        SheetDriver driver(id);
        Run(driver, [](OpenSheet& sheet) {
            EXPECT_FALSE(sheet.IsVisible("LIN Interrupts"));
            EXPECT_FALSE(sheet.IsVisible("Enable LIN Interrupt"));
            EXPECT_TRUE(sheet.IsVisible("Port Match Interrupts"));
            EXPECT_FALSE(sheet.Click("Enable LIN Interrupt"));
            sheet.Page("Interrupt Priority");
            EXPECT_FALSE(sheet.IsVisible("LIN Interrupt Priority"));
            EXPECT_FALSE(sheet.IsVisible("Set LIN Priority High"));
            EXPECT_TRUE(sheet.IsVisible("Set PCA0 Priority High"));
        });
    }
    for (std::uint8_t id : {0xD0, 0xD6, 0xDA}) {
        SheetDriver driver(id);
        Run(driver, [](OpenSheet& sheet) {
            EXPECT_TRUE(sheet.IsVisible("Enable LIN Interrupt"));
            sheet.Page("Interrupt Priority");
            EXPECT_TRUE(sheet.IsVisible("Set LIN Priority High"));
        });
    }
}

TEST_F(InterruptsSheet, HiddenLinBitsStayAndAreGenerated) {
    SheetDriver driver(0xD1);
    PeripheralBlock& block = driver.Document().deviceData.blockMap.at(kBlockInterrupts);
    Register(block, "EIE1").value = 0x20;
    Register(block, "EIP1").value = 0x20;
    Run(driver, [](OpenSheet& sheet) {
        EXPECT_EQ(sheet.Summary(), "    EIE1      = 0x20;\r\n    EIP1      = 0x20;\r\n");
        sheet.Click("Enable PCA0 Interrupt");
        sheet.Page("Interrupt Priority");
        sheet.Click("Set PCA0 Priority High");
        sheet.Ok();
    });
    PeripheralBlock after = driver.Block(kBlockInterrupts);
    EXPECT_EQ(Register(after, "EIE1").value, 0x24);
    EXPECT_EQ(Register(after, "EIP1").value, 0x24);
    EXPECT_NE(driver.Text().find("    EIE1      = 0x24;\r\n    EIP1      = 0x24;\r\n"), std::string::npos);
}

// A project whose interrupts block has no registers (an old file, or one
// saved after a sheet ran on a missing block): the pages start from the
// register table's reset values, the clicks are kept, and OK writes the
// whole block.
TEST_F(InterruptsSheet, EmptyBlockStartsFromTheResetValuesAndKeepsTheEdits) {
    SheetDriver driver(0xD0);
    driver.Document().deviceData.blockMap.at(kBlockInterrupts).registers.clear();
    Run(driver, [](OpenSheet& sheet) {
        EXPECT_FALSE(sheet.IsChecked("Enable /INT0 Interrupt"));
        sheet.Click("Enable /INT0 Interrupt");
        sheet.Page("INT0/INT1 Configuration");
        EXPECT_EQ(sheet.Selected("/INT0 Port Pin Selection"), "P0.1");
        sheet.Select("/INT0 Port Pin Selection", "P0.3");
        EXPECT_EQ(sheet.Summary(), "    IT01CF    = 0x03;\r\n    IE        = 0x01;\r\n");
        sheet.Ok();
    });
    PeripheralBlock expected = BuildDefaultBlock(*FindBlockSpec(kBlockInterrupts));
    Register(expected, "IT01CF").value = 0x03;
    Register(expected, "IE").value = 0x01;
    EXPECT_EQ(driver.Block(kBlockInterrupts), expected);
}

// Both "Configure Port I/O" buttons open the crossbar page alone; its OK
// writes block 11 at once, and the page and its interrupts copy stay as they
// were, so the outer OK writes the interrupts edits alongside.
TEST_F(InterruptsSheet, ConfigurePortIOOpensTheCrossbarAloneAndLeavesTheInterruptsCopy) {
    RegisterPortIOPages();
    for (const char* button :
         {"/INT0 Port Pin Selection/Configure Port I/O", "/INT1 Port Pin Selection/Configure Port I/O"}) {
        SCOPED_TRACE(button);
        SheetDriver driver(0xD0);
        const std::uint8_t xbr1 = driver.Value(kBlockPortIO, "XBR1");
        Run(driver, [&](OpenSheet& sheet) {
            sheet.Page("INT0/INT1 Configuration");
            sheet.Select("/INT0 Port Pin Selection", "P0.2");
            ASSERT_TRUE(sheet.Click(button, [&](OpenSheet& nested) {
                EXPECT_EQ(nested.Title(), "Port I/O");
                ASSERT_EQ(nested.Sheet().PageCount(), 1);
                EXPECT_EQ(nested.Form().Title(), "Priority Crossbar");
                driver.Answer(kNo);  // OK asks whether to enable the crossbar as well
                ASSERT_TRUE(nested.Click("Timer0"));
                nested.Ok();
            }));
            EXPECT_EQ(sheet.Selected("/INT0 Port Pin Selection"), "P0.2");
            EXPECT_EQ(sheet.Summary(), "    IT01CF    = 0x02;\r\n");
            sheet.Ok();
        });
        EXPECT_EQ(driver.SheetsRun(), 2);
        EXPECT_TRUE(driver.Platform().answers.empty());
        EXPECT_NE(driver.Value(kBlockPortIO, "XBR1"), xbr1);
        EXPECT_EQ(driver.Value(kBlockInterrupts, "IT01CF"), 0x02);
    }
}

// ---- Nested "Interrupts" sheets, as other pages open them -------------------
// (OK, Cancel and fresh copies: tests/view/nested_sheets_test.cpp)

// Accepted in a nested sheet, kept when the outer sheet is then cancelled.
TEST_F(InterruptsSheet, NestedSheetSurvivesTheOuterSheetsCancel) {
    SheetDriver driver(0xD0);
    Run(driver, [&driver](OpenSheet& outerSheet) {
        outerSheet.Click("Enable /INT1 Interrupt");  // dropped with the outer Cancel
        SheetContext nested(driver.Document());
        const auto result = driver.RunNested([&] { return RunNestedSheet(NestedSheet::Interrupts, nested); }, [](OpenSheet& sheet) {
            sheet.Click("Enable UART0 Interrupt");
            sheet.Ok();
        });
        EXPECT_EQ(result, fw::DialogResult::Ok);
        outerSheet.Cancel();
    });
    EXPECT_EQ(driver.Value(kBlockInterrupts, "IE"), 0x10);
}

}  // namespace
}  // namespace regsmith

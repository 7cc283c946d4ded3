// The "Port I/O" sheet driven as a user would: boxes clicked by caption or
// name, the grid and the register effects, Reset, the OK question and the
// comment table in the generated text.  Everything goes through the controls
// the pages show and the registers by name, not through the page classes.

#include <gtest/gtest.h>

#include <string>

#include "codegen/generator.h"
#include "model/crossbar.h"
#include "pages/interrupts/interrupt_sheets.h"
#include "pages/portio/portio_sheets.h"
#include "tests/support/generated_text.h"
#include "tests/support/sheet_driver.h"
#include "view/command_ids.h"
#include "view/device_page.h"
#include "view/sheet_commands.h"

namespace regsmith {
namespace {

using testing::OpenSheet;
using testing::Register;
using testing::SheetDriver;

constexpr fw::DialogResult kYes = fw::DialogResult::Yes;
constexpr fw::DialogResult kNo = fw::DialogResult::No;

// The grid's cell colours: a pin a signal takes, a skipped pin.
constexpr fw::Rgb kAssigned{234, 0, 0};
constexpr fw::Rgb kSkipped{64, 128, 128};


const fw::Grid& Grid(OpenSheet& sheet) { return sheet.Get<fw::Grid>("Crossbar Assignment"); }
fw::ThreeStateButton& Match(OpenSheet& sheet, int pin) { return sheet.Get<fw::ThreeStateButton>("Match " + PinName(pin)); }

class PortIOSheetTest : public ::testing::Test {
protected:
    void SetUp() override {
        ClearSheetRegistry();
        RegisterPortIOPages();
    }
    void TearDown() override { ClearSheetRegistry(); }

    void NewProject(std::uint8_t deviceId) { driver = std::make_unique<SheetDriver>(deviceId); }
    SheetDriver& Driver() { return *driver; }

    // Runs the "Port I/O" command; `user` acts on the open sheet.
    void Run(const SheetDriver::User& user) { driver->Run(ID_PERIPHERALS_PORTIO, user); }

    // The generated Port_IO_Init routine (C or assembly), or "" if none.
    std::string PortIORoutine(bool assembly) {
        driver->Document().deviceData.codeFormat = assembly ? kCodeFormatAsm : kCodeFormatC;
        return testing::Routine(GenerateCode(driver->Document()), "Port_IO_Init", assembly);
    }

    std::unique_ptr<SheetDriver> driver;
};

TEST_F(PortIOSheetTest, SheetHasBothPagesAndTheGridLayoutOfTheSmallPackage) {
    NewProject(0xD0);
    Run([](OpenSheet& sheet) {
        EXPECT_EQ(sheet.Title(), "Port I/O");
        ASSERT_EQ(sheet.Sheet().PageCount(), 2);
        EXPECT_EQ(sheet.Sheet().Page(0).Title(), "Priority Crossbar");
        EXPECT_EQ(sheet.Sheet().Page(1).Title(), "Port Match");
        const fw::Grid& grid = Grid(sheet);
        EXPECT_EQ(grid.Rows(), 19);
        EXPECT_EQ(grid.Columns(), 7);
        EXPECT_EQ(grid.ColumnWidth(0), 800);
        EXPECT_EQ(grid.ColumnWidth(6), 350);
        EXPECT_TRUE(grid.IsColumnCentred(1));
        EXPECT_EQ(grid.Text(0, 1), "P0");
        EXPECT_EQ(grid.Text(1, 6), "5");
        EXPECT_EQ(grid.Text(1, 0), "Pin I/O");
        EXPECT_EQ(grid.Text(2, 0), "TX");
        EXPECT_EQ(grid.Text(7, 0), "NSS");  // the default SPI0CN is four-wire
        EXPECT_EQ(grid.Text(18, 0), "T1");
        for (int row = 0; row < grid.Rows(); ++row)
            for (int column = 0; column < grid.Columns(); ++column) EXPECT_FALSE(grid.HasBackground(row, column));

        EXPECT_TRUE(sheet.Find("Skip P0.5").IsEffectivelyVisible());
        EXPECT_FALSE(sheet.Find("Skip P0.6").IsEffectivelyVisible());
        EXPECT_FALSE(sheet.Find("Input P1.7").IsEffectivelyVisible());
        EXPECT_FALSE(sheet.Find("Output P0.7").IsEffectivelyVisible());
        EXPECT_EQ(sheet.Find("Input P0.0").Caption(), "D");
        EXPECT_EQ(sheet.Find("Output P0.0").Caption(), "O");
        // The small package's pin-function labels only.
        int shownX1 = 0;
        for (fw::Control* control : sheet.Form().AllControls())
            if (control->Caption() == "X1" && control->IsEffectivelyVisible()) ++shownX1;
        EXPECT_EQ(shownX1, 1);
        for (const char* name : {"UART0", "SPI0", "LIN", "CP0", "CP0A", "SYSCLK", "PCA", "CEX1", "CEX2", "ECI",
                                 "Timer0", "Timer1", "Skip P0.0", "Skip P0.5"}) {
            EXPECT_TRUE(sheet.IsEnabled(name)) << name;
            EXPECT_FALSE(sheet.IsChecked(name)) << name;
        }
        EXPECT_EQ(sheet.Summary(), "");
    });
}

TEST_F(PortIOSheetTest, LargePackageShowsSixteenPinColumns) {
    NewProject(0xDB);
    Run([](OpenSheet& sheet) {
        EXPECT_EQ(Grid(sheet).Columns(), 17);
        EXPECT_EQ(Grid(sheet).Text(0, 9), "P1");
        EXPECT_EQ(Grid(sheet).Text(1, 16), "7");
        EXPECT_TRUE(sheet.Find("Skip P1.7").IsEffectivelyVisible());
        for (fw::Control* control : sheet.Form().AllControls()) {
            if (control->Caption() != "X2") continue;
            // Shown under P1.0 only: the large set.
            EXPECT_EQ(control->IsEffectivelyVisible(), control->gridColumn == 9);
        }
    });
}

// The page lays out its boxes and pin controls in twips, so a renderer puts
// them beside and under the table cells that they belong to.
TEST_F(PortIOSheetTest, BoxesFollowTheTableRowsAndPinControlsItsColumns) {
    NewProject(0xDB);
    Run([](OpenSheet& sheet) {
        const fw::Grid& grid = Grid(sheet);
        // Top of a control in its tight column: the heights of those before it.
        auto topOf = [](const fw::Control& control) {
            int top = 0;
            for (const auto& sibling : control.Parent()->Children()) {
                if (sibling.get() == &control) break;
                top += sibling->heightTwips;
            }
            return top;
        };
        const std::pair<const char*, int> firstRows[] = {
            {"UART0", 0}, {"SPI0", 2}, {"LIN", 6},   {"CP0", 8},     {"CP0A", 9},    {"SYSCLK", 10},
            {"PCA", 11},  {"CEX1", 12}, {"CEX2", 13}, {"ECI", 14},    {"Timer0", 15}, {"Timer1", 16}};
        for (const auto& [name, row] : firstRows) {
            const fw::Control& box = sheet.Find(name);
            EXPECT_TRUE(box.Parent()->tight) << name;
            EXPECT_EQ(box.heightTwips, grid.RowHeight(row + 2)) << name;
            EXPECT_EQ(topOf(box), (row + 2) * grid.RowHeight(0)) << name;
        }
        // The pin controls' columns: after a spacer as wide as the header
        // column, one column as wide as each pin column.
        const fw::Container& pins = *sheet.Find("Skip P0.0").Parent();
        EXPECT_TRUE(pins.tight);
        const fw::Control& spacer = *pins.Children().front();
        EXPECT_EQ(spacer.Kind(), fw::ControlKind::Container);
        EXPECT_EQ(spacer.gridColumn, 0);
        EXPECT_EQ(spacer.widthTwips, grid.ColumnWidth(0));
        for (int pin = 0; pin < 16; ++pin) {
            for (const char* kind : {"Input ", "Output ", "Skip "}) {
                const fw::Control& control = sheet.Find(kind + PinName(pin));
                EXPECT_EQ(control.Parent(), &pins);
                EXPECT_EQ(control.gridColumn, pin + 1);
                EXPECT_EQ(control.widthTwips, grid.ColumnWidth(pin + 1));
            }
        }
        int labels = 0;
        for (const auto& child : pins.Children()) {
            if (child->Kind() != fw::ControlKind::StaticText) continue;
            ++labels;
            EXPECT_EQ(child->widthTwips, 350) << child->Caption();
        }
        EXPECT_EQ(labels, 7);  // VREF and two sets of three
    });
}

TEST_F(PortIOSheetTest, Uart0WritesXbr0AndTheSkipLineAndPaintsItsPins) {
    NewProject(0xD0);
    Run([](OpenSheet& sheet) {
        ASSERT_TRUE(sheet.Click("UART0"));
        const RegisterEntry& xbr0 = Register(sheet.DevicePage().Block(), "XBR0");
        EXPECT_EQ(xbr0.value, 0x01);
        EXPECT_EQ(xbr0.cBefore, "    P0SKIP    |= 0x30;\r\n");
        EXPECT_EQ(xbr0.asmBefore, "    orl  P0SKIP,    #030h\r\n");
        EXPECT_EQ(sheet.Summary(), "    P0SKIP    |= 0x30;\r\n    XBR0      = 0x01;\r\n");
        const fw::Grid& grid = Grid(sheet);
        EXPECT_TRUE(grid.HasBackground(2, 5));
        EXPECT_EQ(grid.Background(2, 5), kAssigned);
        EXPECT_EQ(grid.Background(3, 6), kAssigned);
        EXPECT_FALSE(grid.HasBackground(2, 1));
        EXPECT_EQ(sheet.Shown().substr(0, 18), "TX: P0.4\nRX: P0.5\n");

        ASSERT_TRUE(sheet.Click("UART0"));
        EXPECT_EQ(xbr0.value, 0x00);
        EXPECT_EQ(xbr0.cBefore, "");
        EXPECT_EQ(xbr0.asmBefore, "");
        EXPECT_FALSE(grid.HasBackground(2, 5));
        EXPECT_EQ(sheet.Summary(), "");
        sheet.Ok();
    });
    EXPECT_EQ(driver->Value(kBlockPortIO, "XBR0"), 0x00);
}

TEST_F(PortIOSheetTest, UartAndFourWireSpiOnTheSmallPackageGreyEverythingElse) {
    NewProject(0xD0);
    Run([](OpenSheet& sheet) {
        ASSERT_TRUE(sheet.Click("UART0"));
        ASSERT_TRUE(sheet.Click("SPI0"));
        EXPECT_EQ(sheet.Value("XBR0"), 0x03);
        EXPECT_EQ(sheet.Shown().substr(0, 60),
                  "TX: P0.4\nRX: P0.5\nSCK: P0.0\nMISO: P0.1\nMOSI: P0.2\nNSS: P0.3\n");
        for (const char* name : {"LIN", "CP0", "CP0A", "SYSCLK", "PCA", "CEX1", "CEX2", "ECI", "Timer0", "Timer1",
                                 "Skip P0.0", "Skip P0.3", "Skip P0.5"})
            EXPECT_FALSE(sheet.IsEnabled(name)) << name;
        EXPECT_TRUE(sheet.IsEnabled("UART0"));
        EXPECT_TRUE(sheet.IsEnabled("SPI0"));
        EXPECT_FALSE(sheet.Click("Timer0"));  // greyed: the click does nothing
        EXPECT_EQ(sheet.Value("XBR1"), 0x00);

        ASSERT_TRUE(sheet.Click("SPI0"));  // unchecking frees four pins again
        EXPECT_TRUE(sheet.IsEnabled("Timer0"));
        EXPECT_TRUE(sheet.IsEnabled("Skip P0.0"));
        EXPECT_FALSE(sheet.IsEnabled("Skip P0.4"));  // TX can only go to P0.4
    });
}

TEST_F(PortIOSheetTest, SkippedUartPinGreysTheUartBox) {
    NewProject(0xD0);
    Run([](OpenSheet& sheet) {
        ASSERT_TRUE(sheet.Click("Skip P0.4"));
        EXPECT_EQ(sheet.Value("P0SKIP"), 0x10);
        EXPECT_FALSE(sheet.IsEnabled("UART0"));
        EXPECT_TRUE(sheet.IsEnabled("Skip P0.4"));
        const fw::Grid& grid = Grid(sheet);
        for (int row = 2; row < 19; ++row) EXPECT_EQ(grid.Background(row, 5), kSkipped) << row;
        EXPECT_FALSE(grid.HasBackground(0, 5));
        EXPECT_FALSE(grid.HasBackground(1, 5));
        EXPECT_EQ(sheet.Summary(), "    P0SKIP    = 0x10;\r\n");
    });
}

TEST_F(PortIOSheetTest, ThreeWireSpiBehindSkippedPinsOnTheLargePackage) {
    NewProject(0xD6);
    driver->SetValue(kBlockSpi, "SPI0CN", 0x00);  // three-wire
    Run([](OpenSheet& sheet) {
        ASSERT_TRUE(sheet.Click("Skip P0.0"));
        ASSERT_TRUE(sheet.Click("Skip P0.1"));
        ASSERT_TRUE(sheet.Click("SPI0"));
        const fw::Grid& grid = Grid(sheet);
        EXPECT_EQ(grid.Text(7, 0), "NSS*");
        EXPECT_EQ(grid.Background(4, 3), kAssigned);  // SCK on P0.2
        EXPECT_EQ(grid.Background(5, 4), kAssigned);  // MISO on P0.3
        EXPECT_EQ(grid.Background(6, 5), kAssigned);  // MOSI on P0.4
        for (int column = 3; column < 17; ++column) EXPECT_FALSE(grid.HasBackground(7, column)) << column;
        for (int row = 2; row < 19; ++row) {
            EXPECT_EQ(grid.Background(row, 1), kSkipped);
            EXPECT_EQ(grid.Background(row, 2), kSkipped);
        }
        EXPECT_EQ(sheet.Value("P0SKIP"), 0x03);
    });
}

TEST_F(PortIOSheetTest, CexBoxesFollowTheCountRule) {
    NewProject(0xD6);
    Run([](OpenSheet& sheet) {
        ASSERT_TRUE(sheet.Click("CEX1"));
        EXPECT_EQ(sheet.Value("XBR1"), 0x02);
        EXPECT_TRUE(sheet.IsChecked("PCA"));
        EXPECT_TRUE(sheet.IsChecked("CEX1"));
        EXPECT_FALSE(sheet.IsChecked("CEX2"));
        EXPECT_EQ(sheet.Shown().find("CEX0: P0.0\nCEX1: P0.1\nCEX2: none\n") != std::string::npos, true);
        ASSERT_TRUE(sheet.Click("PCA"));  // unchecking CEX0 leaves no CEX signal
        EXPECT_EQ(sheet.Value("XBR1"), 0x00);
        EXPECT_FALSE(sheet.IsChecked("PCA"));
        EXPECT_FALSE(sheet.IsChecked("CEX1"));
        EXPECT_FALSE(sheet.IsChecked("CEX2"));
        ASSERT_TRUE(sheet.Click("CEX2"));
        EXPECT_EQ(sheet.Value("XBR1"), 0x03);
        ASSERT_TRUE(sheet.Click("CEX2"));
        EXPECT_EQ(sheet.Value("XBR1"), 0x02);
        EXPECT_TRUE(sheet.IsChecked("CEX1"));
    });
}

TEST_F(PortIOSheetTest, ModeTogglesAndCrossbarSwitchesChangeNoAssignment) {
    NewProject(0xD6);
    Run([](OpenSheet& sheet) {
        ASSERT_TRUE(sheet.Click("Timer0"));
        const std::string before = sheet.Shown();
        ASSERT_TRUE(sheet.Click("Input P0.3"));
        EXPECT_EQ(sheet.Value("P0MDIN"), 0xF7);
        EXPECT_EQ(sheet.Find("Input P0.3").Caption(), "A");
        ASSERT_TRUE(sheet.Click("Output P1.0"));
        EXPECT_EQ(sheet.Value("P1MDOUT"), 0x01);
        EXPECT_EQ(sheet.Find("Output P1.0").Caption(), "P");
        ASSERT_TRUE(sheet.Click("Output P1.0"));
        EXPECT_EQ(sheet.Find("Output P1.0").Caption(), "O");
        EXPECT_EQ(sheet.Value("P1MDOUT"), 0x00);
        EXPECT_EQ(sheet.Shown(), before);

        ASSERT_TRUE(sheet.Click("Enable Crossbar"));
        ASSERT_TRUE(sheet.Click("Disable Weak Pull-up"));
        EXPECT_EQ(sheet.Value("XBR1"), 0xD0);
        EXPECT_EQ(sheet.Summary(), "    P0MDIN    = 0xF7;\r\n    XBR1      = 0xD0;\r\n");
        ASSERT_TRUE(sheet.Click("Enable Crossbar"));
        EXPECT_EQ(sheet.Value("XBR1"), 0x90);
    });
}

TEST_F(PortIOSheetTest, ResetAsksAndRestoresAllTwelveRegisters) {
    NewProject(0xD6);
    Run([](OpenSheet& sheet) {
        ASSERT_TRUE(sheet.Click("UART0"));
        ASSERT_TRUE(sheet.Click("Skip P1.1"));
        ASSERT_TRUE(sheet.Click("Input P0.0"));
        Register(sheet.DevicePage().Block(), "P0MASK").value = 0x05;
        sheet.Reset(kNo);
        EXPECT_EQ(sheet.Value("XBR0"), 0x01);
        sheet.Reset(kYes);
        for (const RegisterEntry& entry : sheet.DevicePage().Block().registers)
            EXPECT_EQ(entry.value, entry.resetValue) << entry.name;
        EXPECT_EQ(Register(sheet.DevicePage().Block(), "XBR0").cBefore, "");
        EXPECT_EQ(Register(sheet.DevicePage().Block(), "XBR0").asmBefore, "");
        EXPECT_FALSE(sheet.IsChecked("UART0"));
        EXPECT_FALSE(sheet.IsChecked("Skip P1.1"));
        EXPECT_EQ(sheet.Find("Input P0.0").Caption(), "D");
        EXPECT_FALSE(Grid(sheet).HasBackground(2, 5));
        EXPECT_EQ(sheet.Summary(), "");
        sheet.Ok();
    });
    ASSERT_EQ(driver->Platform().boxes.size(), 2u);
    EXPECT_EQ(driver->Platform().boxes[1].text, "Reset all registers to default for this peripheral?");
    EXPECT_EQ(PortIORoutine(false), "");
}

TEST_F(PortIOSheetTest, OkAsksToEnableTheCrossbarWhenPeripheralsAreOn) {
    NewProject(0xD0);
    driver->Answer(kYes);
    Run([](OpenSheet& sheet) {
        ASSERT_TRUE(sheet.Click("SPI0"));
        sheet.Ok();
    });
    ASSERT_EQ(driver->Platform().boxes.size(), 1u);
    EXPECT_EQ(driver->Platform().boxes[0].text,
              "You have enabled peripherals on the crossbar or set\n a pin to push-pull but have not enabled the "
              "crossbar,\n would you like to do so now?");
    EXPECT_EQ(driver->Platform().boxes[0].icon, fw::MessageIcon::Question);
    EXPECT_EQ(driver->Platform().boxes[0].buttons, fw::MessageButtons::YesNo);
    EXPECT_EQ(driver->Value(kBlockPortIO, "XBR1"), 0x40);

    // Answered No: the crossbar stays off.
    driver->Platform().boxes.clear();
    driver->Answer(kNo);
    Run([](OpenSheet& sheet) {
        ASSERT_TRUE(sheet.Click("Enable Crossbar"));  // off again
        ASSERT_TRUE(sheet.Click("Output P0.1"));
        sheet.Ok();
    });
    EXPECT_EQ(driver->Platform().boxes.size(), 1u);
    EXPECT_EQ(driver->Value(kBlockPortIO, "XBR1"), 0x00);
    EXPECT_EQ(driver->Value(kBlockPortIO, "P0MDOUT"), 0x02);
}

TEST_F(PortIOSheetTest, OkDoesNotAskForPullupsAloneOrAnEnabledCrossbarOrOnCancel) {
    NewProject(0xD0);
    Run([](OpenSheet& sheet) {
        ASSERT_TRUE(sheet.Click("Disable Weak Pull-up"));
        ASSERT_TRUE(sheet.Click("Input P0.2"));  // input modes do not count
        sheet.Ok();
    });
    EXPECT_TRUE(driver->Platform().boxes.empty());
    EXPECT_EQ(driver->Value(kBlockPortIO, "XBR1"), 0x80);

    Run([](OpenSheet& sheet) {
        ASSERT_TRUE(sheet.Click("UART0"));
        ASSERT_TRUE(sheet.Click("Enable Crossbar"));
        sheet.Ok();
    });
    EXPECT_TRUE(driver->Platform().boxes.empty());

    const PeripheralBlock before = driver->Block(kBlockPortIO);
    Run([](OpenSheet& sheet) {
        ASSERT_TRUE(sheet.Click("Enable Crossbar"));
        ASSERT_TRUE(sheet.Click("SYSCLK"));
        sheet.Cancel();
    });
    EXPECT_TRUE(driver->Platform().boxes.empty());
    EXPECT_EQ(driver->Block(kBlockPortIO), before);
}

TEST_F(PortIOSheetTest, CommentTableOfSixPinsInGeneratedCAndAssembly) {
    NewProject(0xD0);
    driver->Answer(kYes);
    Run([](OpenSheet& sheet) {
        ASSERT_TRUE(sheet.Click("UART0"));
        ASSERT_TRUE(sheet.Click("Output P0.4"));
        ASSERT_TRUE(sheet.Click("Input P0.0"));
        ASSERT_TRUE(sheet.Click("Skip P0.1"));
        ASSERT_TRUE(sheet.Click("CP0"));
        sheet.Ok();
    });
    EXPECT_EQ(PortIORoutine(false),
              "void Port_IO_Init()\r\n"
              "{\r\n"
              "    // P0.0  -  CP0  (Cmp0), Open-Drain, Analog\r\n"
              "    // P0.1  -  Skipped,     Open-Drain, Digital\r\n"
              "    // P0.2  -  Unassigned,  Open-Drain, Digital\r\n"
              "    // P0.3  -  Unassigned,  Open-Drain, Digital\r\n"
              "    // P0.4  -  TX   (UART), Push-Pull,  Digital\r\n"
              "    // P0.5  -  RX   (UART), Open-Drain, Digital\r\n"
              "\r\n"
              "    P0MDIN    = 0xFE;\r\n"
              "    P0MDOUT   = 0x10;\r\n"
              "    P0SKIP    = 0x02;\r\n"
              "    P0SKIP    |= 0x30;\r\n"
              "    XBR0      = 0x11;\r\n"
              "    XBR1      = 0x40;\r\n"
              "}\r\n");
    EXPECT_EQ(PortIORoutine(true),
              "Port_IO_Init:\r\n"
              "    ; P0.0  -  CP0  (Cmp0), Open-Drain, Analog\r\n"
              "    ; P0.1  -  Skipped,     Open-Drain, Digital\r\n"
              "    ; P0.2  -  Unassigned,  Open-Drain, Digital\r\n"
              "    ; P0.3  -  Unassigned,  Open-Drain, Digital\r\n"
              "    ; P0.4  -  TX   (UART), Push-Pull,  Digital\r\n"
              "    ; P0.5  -  RX   (UART), Open-Drain, Digital\r\n"
              "\r\n"
              "    mov  P0MDIN,    #0FEh\r\n"
              "    mov  P0MDOUT,   #010h\r\n"
              "    mov  P0SKIP,    #002h\r\n"
              "    orl  P0SKIP,    #030h\r\n"
              "    mov  XBR0,      #011h\r\n"
              "    mov  XBR1,      #040h\r\n"
              "    ret\r\n");
}

TEST_F(PortIOSheetTest, CommentTableOfSixteenPinsInGeneratedC) {
    NewProject(0xD9);
    Run([](OpenSheet& sheet) {
        ASSERT_TRUE(sheet.Click("Enable Crossbar"));
        ASSERT_TRUE(sheet.Click("SYSCLK"));
        ASSERT_TRUE(sheet.Click("Skip P0.0"));
        ASSERT_TRUE(sheet.Click("Timer1"));
        ASSERT_TRUE(sheet.Click("Input P1.7"));
        sheet.Ok();
    });
    EXPECT_EQ(PortIORoutine(false),
              "void Port_IO_Init()\r\n"
              "{\r\n"
              "    // P0.0  -  Skipped,     Open-Drain, Digital\r\n"
              "    // P0.1  -  SYSCLK,      Open-Drain, Digital\r\n"
              "    // P0.2  -  T1   (Tmr1), Open-Drain, Digital\r\n"
              "    // P0.3  -  Unassigned,  Open-Drain, Digital\r\n"
              "    // P0.4  -  Unassigned,  Open-Drain, Digital\r\n"
              "    // P0.5  -  Unassigned,  Open-Drain, Digital\r\n"
              "    // P0.6  -  Unassigned,  Open-Drain, Digital\r\n"
              "    // P0.7  -  Unassigned,  Open-Drain, Digital\r\n"
              "\r\n"
              "    // P1.0  -  Unassigned,  Open-Drain, Digital\r\n"
              "    // P1.1  -  Unassigned,  Open-Drain, Digital\r\n"
              "    // P1.2  -  Unassigned,  Open-Drain, Digital\r\n"
              "    // P1.3  -  Unassigned,  Open-Drain, Digital\r\n"
              "    // P1.4  -  Unassigned,  Open-Drain, Digital\r\n"
              "    // P1.5  -  Unassigned,  Open-Drain, Digital\r\n"
              "    // P1.6  -  Unassigned,  Open-Drain, Digital\r\n"
              "    // P1.7  -  Unassigned,  Open-Drain, Analog\r\n"
              "\r\n"
              "    P1MDIN    = 0x7F;\r\n"
              "    P0SKIP    = 0x01;\r\n"
              "    XBR0      = 0x08;\r\n"
              "    XBR1      = 0x60;\r\n"
              "}\r\n");
    EXPECT_TRUE(driver->Platform().boxes.empty());
}

TEST_F(PortIOSheetTest, ResetAndCancelLeaveTheCommentTableAsItWas) {
    NewProject(0xD0);
    driver->Answer(kYes);  // enable the crossbar on OK
    Run([](OpenSheet& sheet) {
        ASSERT_TRUE(sheet.Click("Timer0"));
        sheet.Ok();
    });
    const std::string table = driver->Block(kBlockPortIO).cPrologue;
    EXPECT_NE(table.find("P0.0  -  T0   (Tmr0), "), std::string::npos);
    Run([](OpenSheet& sheet) {
        sheet.Reset(kYes);
        EXPECT_NE(sheet.DevicePage().Block().cPrologue.find("T0   (Tmr0)"), std::string::npos);
        sheet.Cancel();
    });
    EXPECT_EQ(driver->Block(kBlockPortIO).cPrologue, table);
}

TEST_F(PortIOSheetTest, OkAfterPortMatchResetWritesTheCurrentAssignment) {
    NewProject(0xD0);
    Run([](OpenSheet& sheet) {
        ASSERT_TRUE(sheet.Click("UART0"));
        sheet.Page("Port Match");
        sheet.Reset(kYes);  // Reset on "Port Match" clears the crossbar registers too
        sheet.Ok();         // with the crossbar page's table drawn before the reset
    });
    PeripheralBlock block = driver->Block(kBlockPortIO);
    EXPECT_EQ(Register(block, "XBR0").value, 0x00);
    EXPECT_EQ(Register(block, "XBR0").cBefore, "");
    EXPECT_EQ(block.cPrologue.find("UART"), std::string::npos);
    EXPECT_EQ(driver->Platform().boxes.size(), 1u);  // the Reset question only
}

TEST_F(PortIOSheetTest, LoadedProjectWithAnUnassignableSignalShowsItWithoutACell) {
    NewProject(0xD0);
    driver->SetValue(kBlockPortIO, "XBR0", 0x01);
    driver->SetValue(kBlockPortIO, "P0SKIP", 0x10);
    Run([](OpenSheet& sheet) {
        const fw::Grid& grid = Grid(sheet);
        EXPECT_EQ(grid.Background(2, 5), kSkipped);  // TX row: only the skip colour
        EXPECT_EQ(grid.Background(3, 6), kAssigned);  // RX on P0.5
        EXPECT_EQ(sheet.Shown().substr(0, 18), "TX: none\nRX: P0.5\n");
        EXPECT_TRUE(sheet.IsChecked("UART0"));
        EXPECT_TRUE(sheet.IsEnabled("UART0"));
        EXPECT_TRUE(sheet.IsEnabled("Skip P0.4"));
        EXPECT_FALSE(sheet.IsEnabled("Timer0"));
        ASSERT_TRUE(sheet.Click("Skip P0.4"));  // the way out
        EXPECT_TRUE(sheet.IsEnabled("Timer0"));
        EXPECT_EQ(sheet.Shown().substr(0, 18), "TX: P0.4\nRX: P0.5\n");
    });
}

TEST_F(PortIOSheetTest, ShowForScriptsListsTheAssignment) {
    NewProject(0xD0);
    Run([](OpenSheet& sheet) {
        ASSERT_TRUE(sheet.Click("CP0A"));
        EXPECT_EQ(sheet.Shown(),
                  "TX: none\nRX: none\nSCK: none\nMISO: none\nMOSI: none\nNSS: none\nLIN-TX: none\nLIN-RX: none\n"
                  "CP0: none\nCP0A: P0.0\nSYSCLK: none\nCEX0: none\nCEX1: none\nCEX2: none\nECI: none\n"
                  "T0: none\nT1: none\n");
    });
}

TEST_F(PortIOSheetTest, SpiCopyIsReadOnlyForTheSheet) {
    NewProject(0xD0);
    driver->Answer(kNo);
    const PeripheralBlock spi = driver->Block(kBlockSpi);
    Run([](OpenSheet& sheet) {
        ASSERT_TRUE(sheet.Click("SPI0"));
        sheet.Ok();
    });
    EXPECT_EQ(driver->Block(kBlockSpi), spi);
    EXPECT_EQ(driver->Value(kBlockPortIO, "XBR0"), 0x02);
}

// A damaged project whose port block has no registers: the pages start from
// the register table's reset values, as on a new project, every click is
// kept, and OK writes the same whole block as the same clicks on a new
// project.
TEST_F(PortIOSheetTest, ADamagedProjectWithoutPortRegistersActsAsANewProject) {
    std::vector<PeripheralBlock> written;
    for (bool damaged : {false, true}) {
        SCOPED_TRACE(damaged);
        NewProject(0xD6);
        if (damaged) {
            PeripheralBlock empty;
            empty.blockNumber = kBlockPortIO;
            driver->Document().SetBlock(empty, kBlockPortIO);
        }
        Run([&](OpenSheet& sheet) {
            sheet.Page("Port Match");
            EXPECT_TRUE(sheet.Click("Match P0.0"));
            sheet.Reset(kYes);
            sheet.Page("Priority Crossbar");
            EXPECT_FALSE(sheet.IsChecked("UART0"));
            EXPECT_TRUE(sheet.Click("UART0"));
            EXPECT_TRUE(sheet.IsChecked("UART0"));
            EXPECT_TRUE(sheet.Click("Skip P1.7"));
            EXPECT_TRUE(sheet.Click("Output P0.0"));
            sheet.Page("Port Match");
            sheet.Page("Priority Crossbar");
            EXPECT_TRUE(sheet.IsChecked("UART0"));
            driver->Answer(kNo);  // OK asks whether to enable the crossbar as well
            sheet.Ok();
        });
        EXPECT_TRUE(driver->Platform().answers.empty());
        written.push_back(driver->Block(kBlockPortIO));
    }
    EXPECT_EQ(written[1], written[0]);
    EXPECT_EQ(written[1].registers[reg::XBR0].value, 0x01);
}

// ---- Port Match ----------------------------------------------------------

TEST_F(PortIOSheetTest, PortMatchStartsNotComparedAndCyclesThroughItsThreeStates) {
    NewProject(0xD6);
    Run([](OpenSheet& sheet) {
        sheet.Page("Port Match");
        for (int pin = 0; pin < 16; ++pin) {
            EXPECT_EQ(Match(sheet, pin).Caption(), "X") << pin;
            EXPECT_TRUE(Match(sheet, pin).IsEffectivelyVisible()) << pin;
        }
        EXPECT_EQ(sheet.Summary(), "");

        ASSERT_TRUE(sheet.Click("Match P0.0"));
        EXPECT_EQ(Match(sheet, 0).Caption(), "0");
        EXPECT_EQ(sheet.Value("P0MAT"), 0xFE);
        EXPECT_EQ(sheet.Value("P0MASK"), 0x01);
        EXPECT_EQ(sheet.Summary(), "    P0MAT     = 0xFE;\r\n    P0MASK    = 0x01;\r\n");
        ASSERT_TRUE(sheet.Click("Match P0.0"));
        EXPECT_EQ(Match(sheet, 0).Caption(), "1");
        EXPECT_EQ(sheet.Value("P0MAT"), 0xFF);
        EXPECT_EQ(sheet.Value("P0MASK"), 0x01);
        ASSERT_TRUE(sheet.Click("Match P0.0"));
        EXPECT_EQ(Match(sheet, 0).Caption(), "X");
        EXPECT_EQ(sheet.Value("P0MAT"), 0xFF);
        EXPECT_EQ(sheet.Value("P0MASK"), 0x00);

        ASSERT_TRUE(sheet.Click("Match P1.7"));
        EXPECT_EQ(sheet.Value("P1MAT"), 0x7F);
        EXPECT_EQ(sheet.Value("P1MASK"), 0x80);
        sheet.Ok();
    });
    EXPECT_EQ(driver->Value(kBlockPortIO, "P1MAT"), 0x7F);
    EXPECT_EQ(driver->Value(kBlockPortIO, "P1MASK"), 0x80);
}

TEST_F(PortIOSheetTest, PortMatchLoadsXFromAClearedMaskBitWhateverTheMatchBit) {
    NewProject(0xD6);
    driver->SetValue(kBlockPortIO, "P0MAT", 0xFA);   // bits 0 and 2 clear
    driver->SetValue(kBlockPortIO, "P0MASK", 0x06);  // bits 1 and 2 compared
    Run([](OpenSheet& sheet) {
        sheet.Page("Port Match");
        EXPECT_EQ(Match(sheet, 0).Caption(), "X");
        EXPECT_EQ(Match(sheet, 0).State(), 2);  // "X"
        EXPECT_EQ(Match(sheet, 1).Caption(), "1");
        EXPECT_EQ(Match(sheet, 2).Caption(), "0");
        ASSERT_TRUE(sheet.Click("Match P0.0"));  // from the third state to "0"
        EXPECT_EQ(sheet.Value("P0MAT"), 0xFA);
        EXPECT_EQ(sheet.Value("P0MASK"), 0x07);
    });
}

TEST_F(PortIOSheetTest, PortMatchHidesWhatTheSmallPackageLacks) {
    NewProject(0xD3);
    Run([](OpenSheet& sheet) {
        sheet.Page("Port Match");
        for (int pin = 0; pin < 16; ++pin) EXPECT_EQ(Match(sheet, pin).IsEffectivelyVisible(), pin < 6) << pin;
        for (fw::Control* control : sheet.Form().AllControls()) {
            const std::string& caption = control->Caption();
            if (caption == "When P1 Is Not Equal To" || caption == "P1" || caption == "6" || caption == "7") {
                EXPECT_FALSE(control->IsEffectivelyVisible()) << caption;
            }
            const fw::Control* group = control->EnclosingGroup();
            if ((caption == "5" || caption == "P0") && group->Caption() == "When P0 Is Not Equal To") {
                EXPECT_TRUE(control->IsEffectivelyVisible()) << caption;
            }
        }
        EXPECT_FALSE(sheet.Click("Match P0.6"));
    });
}

TEST_F(PortIOSheetTest, PortMatchResetClearsTheCrossbarToo) {
    NewProject(0xD0);
    Run([](OpenSheet& sheet) {
        ASSERT_TRUE(sheet.Click("UART0"));
        sheet.Page("Port Match");
        ASSERT_TRUE(sheet.Click("Match P0.3"));
        sheet.Reset(kYes);
        for (const RegisterEntry& entry : sheet.DevicePage().Block().registers)
            EXPECT_EQ(entry.value, entry.resetValue) << entry.name;
        EXPECT_EQ(Register(sheet.DevicePage().Block(), "XBR0").cBefore, "");
        EXPECT_EQ(Match(sheet, 3).Caption(), "X");
        sheet.Page("Priority Crossbar");
        EXPECT_FALSE(sheet.IsChecked("UART0"));
        EXPECT_FALSE(Grid(sheet).HasBackground(2, 5));
    });
}

// ---- The nested "Port I/O" sheet -----------------------------------------
// (OK, Cancel and fresh copies: tests/view/nested_sheets_test.cpp)

class NestedPortIOTest : public PortIOSheetTest {
protected:
    void SetUp() override {
        PortIOSheetTest::SetUp();
        NewProject(0xD0);
    }
};

TEST_F(NestedPortIOTest, ConfigurePortIOOnTheInt01PageWritesBlock11EvenWhenTheInterruptsSheetIsCancelled) {
    RegisterInterruptPages();
    const PeripheralBlock interrupts = driver->Block(kBlockInterrupts);
    driver->Run(ID_PERIPHERALS_INTERRUPTS, [this](OpenSheet& sheet) {
        sheet.Page("INT0/INT1 Configuration");
        ASSERT_TRUE(sheet.Click("/INT1 Port Pin Selection/Configure Port I/O", [this](OpenSheet& nested) {
            EXPECT_EQ(nested.Title(), "Port I/O");
            ASSERT_EQ(nested.Sheet().PageCount(), 1);
            driver->Answer(kYes);
            ASSERT_TRUE(nested.Click("Timer0"));
            nested.Ok();
        }));
        sheet.Cancel();
    });
    EXPECT_EQ(driver->SheetsRun(), 2);
    EXPECT_EQ(driver->Value(kBlockPortIO, "XBR1"), 0x50);
    EXPECT_NE(driver->Block(kBlockPortIO).cPrologue.find("P0.0  -  T0   (Tmr0), "), std::string::npos);
    EXPECT_EQ(driver->Block(kBlockInterrupts), interrupts);
}

}  // namespace
}  // namespace regsmith

// The "Port I/O" sheet driven as a user would: boxes clicked by caption or
// name, the grid and the register effects, Reset, the OK question and the
// comment table in the generated text.

#include "pages/portio/crossbar_page.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "pages/interrupts/interrupt_sheets.h"
#include "pages/portio/port_match_page.h"
#include "pages/portio/portio_sheets.h"
#include "tests/support/generated_text.h"
#include "tests/support/recording_platform.h"
#include "view/command_ids.h"
#include "view/sheet_commands.h"

namespace regsmith {
namespace {

using testing::TestApp;
using testing::TestProject;

constexpr fw::DialogResult kYes = fw::DialogResult::Yes;
constexpr fw::DialogResult kNo = fw::DialogResult::No;

bool Click(fw::PropertyPage& page, const std::string& name) {
    fw::Control* control = page.Find(name);
    if (control == nullptr) {
        ADD_FAILURE() << "no control " << name;
        return false;
    }
    if (auto* box = dynamic_cast<fw::CheckBox*>(control)) return box->Click();
    if (auto* toggle = dynamic_cast<fw::ToggleButton*>(control)) return toggle->Click();
    if (auto* three = dynamic_cast<fw::ThreeStateButton*>(control)) return three->Click();
    if (auto* button = dynamic_cast<fw::PushButton*>(control)) return button->Click();
    ADD_FAILURE() << name << " cannot be clicked";
    return false;
}

bool Checked(fw::PropertyPage& page, const std::string& name) {
    auto* box = page.FindAs<fw::CheckBox>(name);
    EXPECT_NE(box, nullptr) << name;
    return box != nullptr && box->IsChecked();
}

bool Enabled(fw::PropertyPage& page, const std::string& name) {
    fw::Control* control = page.Find(name);
    EXPECT_NE(control, nullptr) << name;
    return control != nullptr && control->IsEnabled();
}

class PortIOSheetTest : public ::testing::Test {
protected:
    void SetUp() override {
        ClearSheetRegistry();
        RegisterPortIOPages();
    }
    void TearDown() override { ClearSheetRegistry(); }

    void NewProject(std::uint8_t deviceId) { project = std::make_unique<TestProject>(deviceId); }
    CDeviceDocument& Document() { return *project->document; }
    PeripheralBlock DocumentBlock(std::int32_t number) {
        PeripheralBlock block;
        Document().GetBlock(block, number);
        return block;
    }
    std::uint8_t DocumentValue(std::int32_t number, int entry) {
        return DocumentBlock(number).registers.at(static_cast<std::size_t>(entry)).value;
    }
    void SetDocumentValue(std::int32_t number, int entry, std::uint8_t value) {
        PeripheralBlock block = DocumentBlock(number);
        block.registers.at(static_cast<std::size_t>(entry)).value = value;
        Document().SetBlock(block, number);
    }

    // Runs the "Port I/O" command; `user` acts on the open sheet.
    fw::DialogResult Run(std::function<void(fw::PropertySheet&)> user) {
        app.platform.onSheet = std::move(user);
        return RunSheetCommand(ID_PERIPHERALS_PORTIO, Document());
    }

    static CPortIOCrossbarPropPage& Crossbar(fw::PropertySheet& sheet) {
        return dynamic_cast<CPortIOCrossbarPropPage&>(sheet.Page(0));
    }
    static CPortIOMatchPropPage& Match(fw::PropertySheet& sheet) {
        return dynamic_cast<CPortIOMatchPropPage&>(sheet.Page(1));
    }
    static std::string Summary(CDevicePage& page) { return page.SummaryBox()->Text(); }

    // The generated Port_IO_Init routine (C or assembly), or "" if none.
    std::string PortIORoutine(bool assembly) {
        Document().deviceData.codeFormat = assembly ? kCodeFormatAsm : kCodeFormatC;
        return testing::Routine(Document().GenerateCode(), "Port_IO_Init", assembly);
    }

    TestApp app;
    std::unique_ptr<TestProject> project;
};

TEST_F(PortIOSheetTest, SheetHasBothPagesAndTheGridLayoutOfTheSmallPackage) {
    NewProject(0xD0);
    Run([](fw::PropertySheet& sheet) {
        EXPECT_EQ(sheet.Title(), "Port I/O");
        ASSERT_EQ(sheet.PageCount(), 2);
        EXPECT_EQ(sheet.Page(0).Title(), "Priority Crossbar");
        EXPECT_EQ(sheet.Page(1).Title(), "Port Match");
        CPortIOCrossbarPropPage& page = Crossbar(sheet);
        const fw::Grid& grid = page.AssignmentGrid();
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

        EXPECT_TRUE(page.Find("Skip P0.5")->IsEffectivelyVisible());
        EXPECT_FALSE(page.Find("Skip P0.6")->IsEffectivelyVisible());
        EXPECT_FALSE(page.Find("Input P1.7")->IsEffectivelyVisible());
        EXPECT_FALSE(page.Find("Output P0.7")->IsEffectivelyVisible());
        EXPECT_EQ(page.Find("Input P0.0")->Caption(), "D");
        EXPECT_EQ(page.Find("Output P0.0")->Caption(), "O");
        // The small package's pin-function labels only.
        int shownX1 = 0;
        for (fw::Control* control : page.AllControls())
            if (control->Caption() == "X1" && control->IsEffectivelyVisible()) ++shownX1;
        EXPECT_EQ(shownX1, 1);
        for (const char* name : {"UART0", "SPI0", "LIN", "CP0", "CP0A", "SYSCLK", "PCA", "CEX1", "CEX2", "ECI",
                                 "Timer0", "Timer1", "Skip P0.0", "Skip P0.5"}) {
            EXPECT_TRUE(Enabled(page, name)) << name;
            EXPECT_FALSE(Checked(page, name)) << name;
        }
        EXPECT_EQ(Summary(page), "");
    });
}

TEST_F(PortIOSheetTest, LargePackageShowsSixteenPinColumns) {
    NewProject(0xDB);
    Run([](fw::PropertySheet& sheet) {
        CPortIOCrossbarPropPage& page = Crossbar(sheet);
        EXPECT_EQ(page.AssignmentGrid().Columns(), 17);
        EXPECT_EQ(page.AssignmentGrid().Text(0, 9), "P1");
        EXPECT_EQ(page.AssignmentGrid().Text(1, 16), "7");
        EXPECT_TRUE(page.Find("Skip P1.7")->IsEffectivelyVisible());
        for (fw::Control* control : page.AllControls()) {
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
    Run([](fw::PropertySheet& sheet) {
        CPortIOCrossbarPropPage& page = Crossbar(sheet);
        const fw::Grid& grid = page.AssignmentGrid();
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
            const fw::Control* box = page.Find(name);
            ASSERT_NE(box, nullptr) << name;
            EXPECT_TRUE(box->Parent()->tight) << name;
            EXPECT_EQ(box->heightTwips, grid.RowHeight(row + 2)) << name;
            EXPECT_EQ(topOf(*box), (row + 2) * grid.RowHeight(0)) << name;
        }
        // The pin controls' columns: after a spacer as wide as the header
        // column, one column as wide as each pin column.
        const fw::Container& pins = *page.Find("Skip P0.0")->Parent();
        EXPECT_TRUE(pins.tight);
        const fw::Control& spacer = *pins.Children().front();
        EXPECT_EQ(spacer.Kind(), fw::ControlKind::Container);
        EXPECT_EQ(spacer.gridColumn, 0);
        EXPECT_EQ(spacer.widthTwips, grid.ColumnWidth(0));
        for (int pin = 0; pin < 16; ++pin) {
            for (const char* kind : {"Input ", "Output ", "Skip "}) {
                const fw::Control* control = page.Find(kind + PinName(pin));
                ASSERT_NE(control, nullptr);
                EXPECT_EQ(control->Parent(), &pins);
                EXPECT_EQ(control->gridColumn, pin + 1);
                EXPECT_EQ(control->widthTwips, grid.ColumnWidth(pin + 1));
            }
        }
        int labels = 0;
        for (const auto& child : pins.Children()) {
            if (child->Kind() != fw::ControlKind::StaticText) continue;
            ++labels;
            EXPECT_EQ(child->widthTwips, kPinColumnTwips) << child->Caption();
        }
        EXPECT_EQ(labels, 7);  // VREF and two sets of three
    });
}

TEST_F(PortIOSheetTest, Uart0WritesXbr0AndTheSkipLineAndPaintsItsPins) {
    NewProject(0xD0);
    Run([](fw::PropertySheet& sheet) {
        CPortIOCrossbarPropPage& page = Crossbar(sheet);
        ASSERT_TRUE(Click(page, "UART0"));
        const RegisterEntry& xbr0 = page.Block().registers[reg::XBR0];
        EXPECT_EQ(xbr0.value, 0x01);
        EXPECT_EQ(xbr0.cBefore, "    P0SKIP    |= 0x30;\r\n");
        EXPECT_EQ(xbr0.asmBefore, "    orl  P0SKIP,    #030h\r\n");
        EXPECT_EQ(Summary(page), "    P0SKIP    |= 0x30;\r\n    XBR0      = 0x01;\r\n");
        const fw::Grid& grid = page.AssignmentGrid();
        EXPECT_TRUE(grid.HasBackground(2, 5));
        EXPECT_EQ(grid.Background(2, 5), kAssignedCellColour);
        EXPECT_EQ(grid.Background(3, 6), kAssignedCellColour);
        EXPECT_FALSE(grid.HasBackground(2, 1));
        EXPECT_EQ(page.DescribeAssignment().substr(0, 18), "TX: P0.4\nRX: P0.5\n");

        ASSERT_TRUE(Click(page, "UART0"));
        EXPECT_EQ(xbr0.value, 0x00);
        EXPECT_EQ(xbr0.cBefore, "");
        EXPECT_EQ(xbr0.asmBefore, "");
        EXPECT_FALSE(grid.HasBackground(2, 5));
        EXPECT_EQ(Summary(page), "");
        sheet.PressOK();
    });
    EXPECT_EQ(DocumentValue(kBlockPortIO, reg::XBR0), 0x00);
}

TEST_F(PortIOSheetTest, UartAndFourWireSpiOnTheSmallPackageGreyEverythingElse) {
    NewProject(0xD0);
    Run([](fw::PropertySheet& sheet) {
        CPortIOCrossbarPropPage& page = Crossbar(sheet);
        ASSERT_TRUE(Click(page, "UART0"));
        ASSERT_TRUE(Click(page, "SPI0"));
        EXPECT_EQ(page.Block().registers[reg::XBR0].value, 0x03);
        EXPECT_EQ(page.DescribeAssignment().substr(0, 60),
                  "TX: P0.4\nRX: P0.5\nSCK: P0.0\nMISO: P0.1\nMOSI: P0.2\nNSS: P0.3\n");
        for (const char* name : {"LIN", "CP0", "CP0A", "SYSCLK", "PCA", "CEX1", "CEX2", "ECI", "Timer0", "Timer1",
                                 "Skip P0.0", "Skip P0.3", "Skip P0.5"})
            EXPECT_FALSE(Enabled(page, name)) << name;
        EXPECT_TRUE(Enabled(page, "UART0"));
        EXPECT_TRUE(Enabled(page, "SPI0"));
        EXPECT_FALSE(Click(page, "Timer0"));  // greyed: the click does nothing
        EXPECT_EQ(page.Block().registers[reg::XBR1].value, 0x00);

        ASSERT_TRUE(Click(page, "SPI0"));  // unchecking frees four pins again
        EXPECT_TRUE(Enabled(page, "Timer0"));
        EXPECT_TRUE(Enabled(page, "Skip P0.0"));
        EXPECT_FALSE(Enabled(page, "Skip P0.4"));  // TX can only go to P0.4
    });
}

TEST_F(PortIOSheetTest, SkippedUartPinGreysTheUartBox) {
    NewProject(0xD0);
    Run([](fw::PropertySheet& sheet) {
        CPortIOCrossbarPropPage& page = Crossbar(sheet);
        ASSERT_TRUE(Click(page, "Skip P0.4"));
        EXPECT_EQ(page.Block().registers[reg::P0SKIP].value, 0x10);
        EXPECT_FALSE(Enabled(page, "UART0"));
        EXPECT_TRUE(Enabled(page, "Skip P0.4"));
        const fw::Grid& grid = page.AssignmentGrid();
        for (int row = 2; row < 19; ++row) EXPECT_EQ(grid.Background(row, 5), kSkippedCellColour) << row;
        EXPECT_FALSE(grid.HasBackground(0, 5));
        EXPECT_FALSE(grid.HasBackground(1, 5));
        EXPECT_EQ(Summary(page), "    P0SKIP    = 0x10;\r\n");
    });
}

TEST_F(PortIOSheetTest, ThreeWireSpiBehindSkippedPinsOnTheLargePackage) {
    NewProject(0xD6);
    SetDocumentValue(kBlockSpi, 1, 0x00);  // SPI0CN: three-wire
    Run([](fw::PropertySheet& sheet) {
        CPortIOCrossbarPropPage& page = Crossbar(sheet);
        ASSERT_TRUE(Click(page, "Skip P0.0"));
        ASSERT_TRUE(Click(page, "Skip P0.1"));
        ASSERT_TRUE(Click(page, "SPI0"));
        const fw::Grid& grid = page.AssignmentGrid();
        EXPECT_EQ(grid.Text(7, 0), "NSS*");
        EXPECT_EQ(grid.Background(4, 3), kAssignedCellColour);  // SCK on P0.2
        EXPECT_EQ(grid.Background(5, 4), kAssignedCellColour);  // MISO on P0.3
        EXPECT_EQ(grid.Background(6, 5), kAssignedCellColour);  // MOSI on P0.4
        for (int column = 3; column < 17; ++column) EXPECT_FALSE(grid.HasBackground(7, column)) << column;
        for (int row = 2; row < 19; ++row) {
            EXPECT_EQ(grid.Background(row, 1), kSkippedCellColour);
            EXPECT_EQ(grid.Background(row, 2), kSkippedCellColour);
        }
        EXPECT_EQ(page.Block().registers[reg::P0SKIP].value, 0x03);
    });
}

TEST_F(PortIOSheetTest, CexBoxesFollowTheCountRule) {
    NewProject(0xD6);
    Run([](fw::PropertySheet& sheet) {
        CPortIOCrossbarPropPage& page = Crossbar(sheet);
        ASSERT_TRUE(Click(page, "CEX1"));
        EXPECT_EQ(page.Block().registers[reg::XBR1].value, 0x02);
        EXPECT_TRUE(Checked(page, "PCA"));
        EXPECT_TRUE(Checked(page, "CEX1"));
        EXPECT_FALSE(Checked(page, "CEX2"));
        EXPECT_EQ(page.DescribeAssignment().find("CEX0: P0.0\nCEX1: P0.1\nCEX2: none\n") != std::string::npos, true);
        ASSERT_TRUE(Click(page, "PCA"));  // unchecking CEX0 leaves no CEX signal
        EXPECT_EQ(page.Block().registers[reg::XBR1].value, 0x00);
        EXPECT_FALSE(Checked(page, "PCA"));
        EXPECT_FALSE(Checked(page, "CEX1"));
        EXPECT_FALSE(Checked(page, "CEX2"));
        ASSERT_TRUE(Click(page, "CEX2"));
        EXPECT_EQ(page.Block().registers[reg::XBR1].value, 0x03);
        ASSERT_TRUE(Click(page, "CEX2"));
        EXPECT_EQ(page.Block().registers[reg::XBR1].value, 0x02);
        EXPECT_TRUE(Checked(page, "CEX1"));
    });
}

TEST_F(PortIOSheetTest, ModeTogglesAndCrossbarSwitchesChangeNoAssignment) {
    NewProject(0xD6);
    Run([](fw::PropertySheet& sheet) {
        CPortIOCrossbarPropPage& page = Crossbar(sheet);
        ASSERT_TRUE(Click(page, "Timer0"));
        const std::string before = page.DescribeAssignment();
        ASSERT_TRUE(Click(page, "Input P0.3"));
        EXPECT_EQ(page.Block().registers[reg::P0MDIN].value, 0xF7);
        EXPECT_EQ(page.Find("Input P0.3")->Caption(), "A");
        ASSERT_TRUE(Click(page, "Output P1.0"));
        EXPECT_EQ(page.Block().registers[reg::P1MDOUT].value, 0x01);
        EXPECT_EQ(page.Find("Output P1.0")->Caption(), "P");
        ASSERT_TRUE(Click(page, "Output P1.0"));
        EXPECT_EQ(page.Find("Output P1.0")->Caption(), "O");
        EXPECT_EQ(page.Block().registers[reg::P1MDOUT].value, 0x00);
        EXPECT_EQ(page.DescribeAssignment(), before);

        ASSERT_TRUE(Click(page, "Enable Crossbar"));
        ASSERT_TRUE(Click(page, "Disable Weak Pull-up"));
        EXPECT_EQ(page.Block().registers[reg::XBR1].value, 0xD0);
        EXPECT_EQ(Summary(page), "    P0MDIN    = 0xF7;\r\n    XBR1      = 0xD0;\r\n");
        ASSERT_TRUE(Click(page, "Enable Crossbar"));
        EXPECT_EQ(page.Block().registers[reg::XBR1].value, 0x90);
    });
}

TEST_F(PortIOSheetTest, ResetAsksAndRestoresAllTwelveRegisters) {
    NewProject(0xD6);
    app.platform.answers = {kNo, kYes};
    Run([](fw::PropertySheet& sheet) {
        CPortIOCrossbarPropPage& page = Crossbar(sheet);
        ASSERT_TRUE(Click(page, "UART0"));
        ASSERT_TRUE(Click(page, "Skip P1.1"));
        ASSERT_TRUE(Click(page, "Input P0.0"));
        page.Block().registers[reg::P0MASK].value = 0x05;
        sheet.PressButton(0);  // Reset, answered No
        EXPECT_EQ(page.Block().registers[reg::XBR0].value, 0x01);
        sheet.PressButton(0);  // Yes
        for (const RegisterEntry& entry : page.Block().registers) EXPECT_EQ(entry.value, entry.resetValue) << entry.name;
        EXPECT_EQ(page.Block().registers[reg::XBR0].cBefore, "");
        EXPECT_EQ(page.Block().registers[reg::XBR0].asmBefore, "");
        EXPECT_FALSE(Checked(page, "UART0"));
        EXPECT_FALSE(Checked(page, "Skip P1.1"));
        EXPECT_EQ(page.Find("Input P0.0")->Caption(), "D");
        EXPECT_FALSE(page.AssignmentGrid().HasBackground(2, 5));
        EXPECT_EQ(Summary(page), "");
        sheet.PressOK();
    });
    ASSERT_EQ(app.platform.boxes.size(), 2u);
    EXPECT_EQ(app.platform.boxes[1].text, "Reset all registers to default for this peripheral?");
    EXPECT_EQ(PortIORoutine(false), "");
}

TEST_F(PortIOSheetTest, OkAsksToEnableTheCrossbarWhenPeripheralsAreOn) {
    NewProject(0xD0);
    app.platform.answers = {kYes};
    Run([](fw::PropertySheet& sheet) {
        ASSERT_TRUE(Click(Crossbar(sheet), "SPI0"));
        sheet.PressOK();
    });
    ASSERT_EQ(app.platform.boxes.size(), 1u);
    EXPECT_EQ(app.platform.boxes[0].text,
              "You have enabled peripherals on the crossbar or set\n a pin to push-pull but have not enabled the "
              "crossbar,\n would you like to do so now?");
    EXPECT_EQ(app.platform.boxes[0].icon, fw::MessageIcon::Question);
    EXPECT_EQ(app.platform.boxes[0].buttons, fw::MessageButtons::YesNo);
    EXPECT_EQ(DocumentValue(kBlockPortIO, reg::XBR1), 0x40);

    // Answered No: the crossbar stays off.
    app.platform.boxes.clear();
    app.platform.answers = {kNo};
    Run([](fw::PropertySheet& sheet) {
        ASSERT_TRUE(Click(Crossbar(sheet), "Enable Crossbar"));  // off again
        ASSERT_TRUE(Click(Crossbar(sheet), "Output P0.1"));
        sheet.PressOK();
    });
    EXPECT_EQ(app.platform.boxes.size(), 1u);
    EXPECT_EQ(DocumentValue(kBlockPortIO, reg::XBR1), 0x00);
    EXPECT_EQ(DocumentValue(kBlockPortIO, reg::P0MDOUT), 0x02);
}

TEST_F(PortIOSheetTest, OkDoesNotAskForPullupsAloneOrAnEnabledCrossbarOrOnCancel) {
    NewProject(0xD0);
    Run([](fw::PropertySheet& sheet) {
        ASSERT_TRUE(Click(Crossbar(sheet), "Disable Weak Pull-up"));
        ASSERT_TRUE(Click(Crossbar(sheet), "Input P0.2"));  // input modes do not count
        sheet.PressOK();
    });
    EXPECT_TRUE(app.platform.boxes.empty());
    EXPECT_EQ(DocumentValue(kBlockPortIO, reg::XBR1), 0x80);

    Run([](fw::PropertySheet& sheet) {
        ASSERT_TRUE(Click(Crossbar(sheet), "UART0"));
        ASSERT_TRUE(Click(Crossbar(sheet), "Enable Crossbar"));
        sheet.PressOK();
    });
    EXPECT_TRUE(app.platform.boxes.empty());

    const PeripheralBlock before = DocumentBlock(kBlockPortIO);
    Run([](fw::PropertySheet& sheet) {
        ASSERT_TRUE(Click(Crossbar(sheet), "Enable Crossbar"));
        ASSERT_TRUE(Click(Crossbar(sheet), "SYSCLK"));
        sheet.PressCancel();
    });
    EXPECT_TRUE(app.platform.boxes.empty());
    EXPECT_EQ(DocumentBlock(kBlockPortIO), before);
}

TEST_F(PortIOSheetTest, CommentTableOfSixPinsInGeneratedCAndAssembly) {
    NewProject(0xD0);
    app.platform.answers = {kYes};
    Run([](fw::PropertySheet& sheet) {
        CPortIOCrossbarPropPage& page = Crossbar(sheet);
        ASSERT_TRUE(Click(page, "UART0"));
        ASSERT_TRUE(Click(page, "Output P0.4"));
        ASSERT_TRUE(Click(page, "Input P0.0"));
        ASSERT_TRUE(Click(page, "Skip P0.1"));
        ASSERT_TRUE(Click(page, "CP0"));
        sheet.PressOK();
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
    Run([](fw::PropertySheet& sheet) {
        CPortIOCrossbarPropPage& page = Crossbar(sheet);
        ASSERT_TRUE(Click(page, "Enable Crossbar"));
        ASSERT_TRUE(Click(page, "SYSCLK"));
        ASSERT_TRUE(Click(page, "Skip P0.0"));
        ASSERT_TRUE(Click(page, "Timer1"));
        ASSERT_TRUE(Click(page, "Input P1.7"));
        sheet.PressOK();
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
    EXPECT_TRUE(app.platform.boxes.empty());
}

TEST_F(PortIOSheetTest, ResetAndCancelLeaveTheCommentTableAsItWas) {
    NewProject(0xD0);
    app.platform.answers = {kYes, kYes};
    Run([](fw::PropertySheet& sheet) {
        ASSERT_TRUE(Click(Crossbar(sheet), "Timer0"));
        sheet.PressOK();
    });
    const std::string table = DocumentBlock(kBlockPortIO).cPrologue;
    EXPECT_NE(table.find("P0.0  -  T0   (Tmr0), "), std::string::npos);
    Run([](fw::PropertySheet& sheet) {
        sheet.PressButton(0);  // Reset, Yes
        EXPECT_EQ(Crossbar(sheet).Block().cPrologue.find("T0   (Tmr0)") != std::string::npos, true);
        sheet.PressCancel();
    });
    EXPECT_EQ(DocumentBlock(kBlockPortIO).cPrologue, table);
}

TEST_F(PortIOSheetTest, OkAfterPortMatchResetWritesTheCurrentAssignment) {
    NewProject(0xD0);
    app.platform.answers = {kYes};
    Run([](fw::PropertySheet& sheet) {
        ASSERT_TRUE(Click(Crossbar(sheet), "UART0"));
        ASSERT_TRUE(sheet.SetActivePage(1));
        sheet.PressButton(0);  // Reset on "Port Match" clears the crossbar registers too
        sheet.PressOK();       // with the crossbar page's table drawn before the reset
    });
    const PeripheralBlock block = DocumentBlock(kBlockPortIO);
    EXPECT_EQ(block.registers[reg::XBR0].value, 0x00);
    EXPECT_EQ(block.registers[reg::XBR0].cBefore, "");
    EXPECT_EQ(block.cPrologue.find("UART"), std::string::npos);
    EXPECT_EQ(app.platform.boxes.size(), 1u);  // the Reset question only
}

TEST_F(PortIOSheetTest, LoadedProjectWithAnUnassignableSignalShowsItWithoutACell) {
    NewProject(0xD0);
    SetDocumentValue(kBlockPortIO, reg::XBR0, 0x01);
    SetDocumentValue(kBlockPortIO, reg::P0SKIP, 0x10);
    Run([](fw::PropertySheet& sheet) {
        CPortIOCrossbarPropPage& page = Crossbar(sheet);
        const fw::Grid& grid = page.AssignmentGrid();
        EXPECT_EQ(grid.Background(2, 5), kSkippedCellColour);  // TX row: only the skip colour
        EXPECT_EQ(grid.Background(3, 6), kAssignedCellColour);  // RX on P0.5
        EXPECT_EQ(page.DescribeAssignment().substr(0, 18), "TX: none\nRX: P0.5\n");
        EXPECT_TRUE(Checked(page, "UART0"));
        EXPECT_TRUE(Enabled(page, "UART0"));
        EXPECT_TRUE(Enabled(page, "Skip P0.4"));
        EXPECT_FALSE(Enabled(page, "Timer0"));
        ASSERT_TRUE(Click(page, "Skip P0.4"));  // the way out
        EXPECT_TRUE(Enabled(page, "Timer0"));
        EXPECT_EQ(page.DescribeAssignment().substr(0, 18), "TX: P0.4\nRX: P0.5\n");
    });
}

TEST_F(PortIOSheetTest, ShowForScriptsListsTheAssignment) {
    NewProject(0xD0);
    Run([](fw::PropertySheet& sheet) {
        CPortIOCrossbarPropPage& page = Crossbar(sheet);
        ASSERT_TRUE(Click(page, "CP0A"));
        const fw::Form& form = page;
        EXPECT_EQ(form.DescribeForScript(),
                  "TX: none\nRX: none\nSCK: none\nMISO: none\nMOSI: none\nNSS: none\nLIN-TX: none\nLIN-RX: none\n"
                  "CP0: none\nCP0A: P0.0\nSYSCLK: none\nCEX0: none\nCEX1: none\nCEX2: none\nECI: none\n"
                  "T0: none\nT1: none\n");
    });
}

TEST_F(PortIOSheetTest, SpiCopyIsReadOnlyForTheSheet) {
    NewProject(0xD0);
    app.platform.answers = {kNo};
    const PeripheralBlock spi = DocumentBlock(kBlockSpi);
    Run([](fw::PropertySheet& sheet) {
        ASSERT_TRUE(Click(Crossbar(sheet), "SPI0"));
        sheet.PressOK();
    });
    EXPECT_EQ(DocumentBlock(kBlockSpi), spi);
    EXPECT_EQ(DocumentValue(kBlockPortIO, reg::XBR0), 0x02);
}

TEST_F(PortIOSheetTest, ADamagedProjectWithoutPortRegistersShowsAllClearAndSurvivesClicks) {
    NewProject(0xD6);
    PeripheralBlock empty;
    empty.blockNumber = kBlockPortIO;
    Document().SetBlock(empty, kBlockPortIO);
    app.platform.answers = {kYes};
    Run([](fw::PropertySheet& sheet) {
        CPortIOCrossbarPropPage& page = Crossbar(sheet);
        EXPECT_FALSE(Checked(page, "UART0"));
        EXPECT_TRUE(Click(page, "UART0"));
        EXPECT_FALSE(Checked(page, "UART0"));  // nothing to write: the box follows the block
        EXPECT_TRUE(Click(page, "Skip P1.7"));
        EXPECT_TRUE(Click(page, "Output P0.0"));
        ASSERT_TRUE(sheet.SetActivePage(1));
        EXPECT_TRUE(Click(Match(sheet), "Match P0.0"));
        sheet.PressButton(0);
        sheet.PressOK();
    });
    EXPECT_TRUE(DocumentBlock(kBlockPortIO).registers.empty());
}

// ---- Port Match ----------------------------------------------------------

TEST_F(PortIOSheetTest, PortMatchStartsNotComparedAndCyclesThroughItsThreeStates) {
    NewProject(0xD6);
    Run([](fw::PropertySheet& sheet) {
        ASSERT_TRUE(sheet.SetActivePage(1));
        CPortIOMatchPropPage& page = Match(sheet);
        for (int pin = 0; pin < kMaxPins; ++pin) {
            EXPECT_EQ(page.Button(pin).Caption(), "X") << pin;
            EXPECT_TRUE(page.Button(pin).IsEffectivelyVisible()) << pin;
        }
        EXPECT_EQ(Summary(page), "");

        ASSERT_TRUE(Click(page, "Match P0.0"));
        EXPECT_EQ(page.Button(0).Caption(), "0");
        EXPECT_EQ(page.Block().registers[reg::P0MAT].value, 0xFE);
        EXPECT_EQ(page.Block().registers[reg::P0MASK].value, 0x01);
        EXPECT_EQ(Summary(page), "    P0MAT     = 0xFE;\r\n    P0MASK    = 0x01;\r\n");
        ASSERT_TRUE(Click(page, "Match P0.0"));
        EXPECT_EQ(page.Button(0).Caption(), "1");
        EXPECT_EQ(page.Block().registers[reg::P0MAT].value, 0xFF);
        EXPECT_EQ(page.Block().registers[reg::P0MASK].value, 0x01);
        ASSERT_TRUE(Click(page, "Match P0.0"));
        EXPECT_EQ(page.Button(0).Caption(), "X");
        EXPECT_EQ(page.Block().registers[reg::P0MAT].value, 0xFF);
        EXPECT_EQ(page.Block().registers[reg::P0MASK].value, 0x00);

        ASSERT_TRUE(Click(page, "Match P1.7"));
        EXPECT_EQ(page.Block().registers[reg::P1MAT].value, 0x7F);
        EXPECT_EQ(page.Block().registers[reg::P1MASK].value, 0x80);
        sheet.PressOK();
    });
    EXPECT_EQ(DocumentValue(kBlockPortIO, reg::P1MAT), 0x7F);
    EXPECT_EQ(DocumentValue(kBlockPortIO, reg::P1MASK), 0x80);
}

TEST_F(PortIOSheetTest, PortMatchLoadsXFromAClearedMaskBitWhateverTheMatchBit) {
    NewProject(0xD6);
    SetDocumentValue(kBlockPortIO, reg::P0MAT, 0xFA);   // bits 0 and 2 clear
    SetDocumentValue(kBlockPortIO, reg::P0MASK, 0x06);  // bits 1 and 2 compared
    Run([](fw::PropertySheet& sheet) {
        ASSERT_TRUE(sheet.SetActivePage(1));
        CPortIOMatchPropPage& page = Match(sheet);
        EXPECT_EQ(page.Button(0).Caption(), "X");
        EXPECT_EQ(page.Button(0).State(), kMatchIgnored);
        EXPECT_EQ(page.Button(1).Caption(), "1");
        EXPECT_EQ(page.Button(2).Caption(), "0");
        ASSERT_TRUE(Click(page, "Match P0.0"));  // from the third state to "0"
        EXPECT_EQ(page.Block().registers[reg::P0MAT].value, 0xFA);
        EXPECT_EQ(page.Block().registers[reg::P0MASK].value, 0x07);
    });
}

TEST_F(PortIOSheetTest, PortMatchHidesWhatTheSmallPackageLacks) {
    NewProject(0xD3);
    Run([](fw::PropertySheet& sheet) {
        ASSERT_TRUE(sheet.SetActivePage(1));
        CPortIOMatchPropPage& page = Match(sheet);
        for (int pin = 0; pin < kMaxPins; ++pin) EXPECT_EQ(page.Button(pin).IsEffectivelyVisible(), pin < 6) << pin;
        for (fw::Control* control : page.AllControls()) {
            const std::string& caption = control->Caption();
            if (caption == "When P1 Is Not Equal To" || caption == "P1" || caption == "6" || caption == "7") {
                EXPECT_FALSE(control->IsEffectivelyVisible()) << caption;
            }
            const fw::Control* group = control->EnclosingGroup();
            if ((caption == "5" || caption == "P0") && group->Caption() == "When P0 Is Not Equal To") {
                EXPECT_TRUE(control->IsEffectivelyVisible()) << caption;
            }
        }
        EXPECT_FALSE(Click(page, "Match P0.6"));
    });
}

TEST_F(PortIOSheetTest, PortMatchResetClearsTheCrossbarToo) {
    NewProject(0xD0);
    app.platform.answers = {kYes};
    Run([](fw::PropertySheet& sheet) {
        ASSERT_TRUE(Click(Crossbar(sheet), "UART0"));
        ASSERT_TRUE(sheet.SetActivePage(1));
        CPortIOMatchPropPage& page = Match(sheet);
        ASSERT_TRUE(Click(page, "Match P0.3"));
        sheet.PressButton(0);
        for (const RegisterEntry& entry : page.Block().registers) EXPECT_EQ(entry.value, entry.resetValue) << entry.name;
        EXPECT_EQ(page.Block().registers[reg::XBR0].cBefore, "");
        EXPECT_EQ(page.Button(3).Caption(), "X");
        ASSERT_TRUE(sheet.SetActivePage(0));
        EXPECT_FALSE(Checked(Crossbar(sheet), "UART0"));
        EXPECT_FALSE(Crossbar(sheet).AssignmentGrid().HasBackground(2, 5));
    });
}

// ---- The nested "Port I/O" sheet -----------------------------------------

class NestedPortIOTest : public PortIOSheetTest {
protected:
    void SetUp() override {
        PortIOSheetTest::SetUp();
        NewProject(0xD0);
    }
};

TEST_F(NestedPortIOTest, OkWritesBlock11AtOnceFromTheCallersCopy) {
    SheetContext outer(Document());
    PeripheralBlock& callers = outer.Block(kBlockPortIO);
    app.platform.answers = {kNo};
    app.platform.onSheet = [](fw::PropertySheet& sheet) {
        EXPECT_EQ(sheet.Title(), "Port I/O");
        ASSERT_EQ(sheet.PageCount(), 1);
        EXPECT_EQ(sheet.Page(0).Title(), "Priority Crossbar");
        ASSERT_TRUE(Click(sheet.Page(0), "UART0"));
        sheet.PressOK();
    };
    EXPECT_EQ(RunNestedSheet(NestedSheet::PortIO, outer), fw::DialogResult::Ok);
    EXPECT_EQ(callers.registers[reg::XBR0].value, 0x01);
    EXPECT_EQ(DocumentValue(kBlockPortIO, reg::XBR0), 0x01);
    EXPECT_NE(DocumentBlock(kBlockPortIO).cPrologue.find("TX   (UART)"), std::string::npos);
}

TEST_F(NestedPortIOTest, CancelLeavesTheDocumentAndTheCallersCopyUnchanged) {
    SheetContext outer(Document());
    PeripheralBlock& callers = outer.Block(kBlockPortIO);
    callers.registers[reg::P0SKIP].value = 0x01;  // an edit of the outer sheet
    const PeripheralBlock before = callers;
    const PeripheralBlock document = DocumentBlock(kBlockPortIO);
    app.platform.onSheet = [](fw::PropertySheet& sheet) {
        EXPECT_TRUE(Checked(sheet.Page(0), "Skip P0.0"));  // works on the caller's copy
        ASSERT_TRUE(Click(sheet.Page(0), "SYSCLK"));
        sheet.PressCancel();
    };
    EXPECT_EQ(RunNestedSheet(NestedSheet::PortIO, outer), fw::DialogResult::Cancel);
    EXPECT_EQ(callers, before);
    EXPECT_EQ(DocumentBlock(kBlockPortIO), document);
}

TEST_F(NestedPortIOTest, FreshCopiesIgnoreTheCallersEdits) {
    SheetContext outer(Document());
    PeripheralBlock& callersPortIO = outer.Block(kBlockPortIO);
    PeripheralBlock& callersSpi = outer.Block(kBlockSpi);
    callersPortIO.registers[reg::P0SKIP].value = 0x01;
    callersSpi.registers[1].value = 0x00;  // three-wire in the caller's copy only
    app.platform.answers = {kYes};
    app.platform.onSheet = [](fw::PropertySheet& sheet) {
        auto& page = dynamic_cast<CPortIOCrossbarPropPage&>(sheet.Page(0));
        EXPECT_FALSE(Checked(page, "Skip P0.0"));
        EXPECT_EQ(page.AssignmentGrid().Text(7, 0), "NSS");  // the document's SPI0CN
        ASSERT_TRUE(Click(page, "ECI"));
        sheet.PressOK();
    };
    EXPECT_EQ(RunNestedSheet(NestedSheet::PortIOFresh, outer), fw::DialogResult::Ok);
    EXPECT_EQ(callersPortIO.registers[reg::XBR1].value, 0x00);
    EXPECT_EQ(DocumentValue(kBlockPortIO, reg::XBR1), 0x48);
    EXPECT_EQ(DocumentValue(kBlockPortIO, reg::P0SKIP), 0x00);

    // The SPI page hands its own copy: the wire mode it shows is the page's.
    app.platform.onSheet = [](fw::PropertySheet& sheet) {
        EXPECT_EQ(dynamic_cast<CPortIOCrossbarPropPage&>(sheet.Page(0)).AssignmentGrid().Text(7, 0), "NSS*");
        sheet.PressCancel();
    };
    EXPECT_EQ(RunNestedSheet(NestedSheet::PortIOWithOwnSpi, outer), fw::DialogResult::Cancel);
}

TEST_F(NestedPortIOTest, ConfigurePortIOOnTheInt01PageWritesBlock11EvenWhenTheInterruptsSheetIsCancelled) {
    RegisterInterruptPages();
    const PeripheralBlock interrupts = DocumentBlock(kBlockInterrupts);
    app.platform.answers = {kYes};
    int crossbarSheets = 0;
    app.platform.onSheet = [&crossbarSheets](fw::PropertySheet& sheet) {
        if (sheet.Title() == "Port I/O") {
            ++crossbarSheets;
            ASSERT_EQ(sheet.PageCount(), 1);
            ASSERT_TRUE(Click(sheet.Page(0), "Timer0"));
            sheet.PressOK();
            return;
        }
        ASSERT_TRUE(sheet.SetActivePage(sheet.FindPage("INT0/INT1 Configuration")));
        fw::PropertyPage& page = *sheet.ActivePage();
        ASSERT_TRUE(Click(page, "/INT1 Port Pin Selection/Configure Port I/O"));
        sheet.PressCancel();
    };
    RunSheetCommand(ID_PERIPHERALS_INTERRUPTS, Document());
    EXPECT_EQ(crossbarSheets, 1);
    EXPECT_EQ(DocumentValue(kBlockPortIO, reg::XBR1), 0x50);
    EXPECT_NE(DocumentBlock(kBlockPortIO).cPrologue.find("P0.0  -  T0   (Tmr0), "), std::string::npos);
    EXPECT_EQ(DocumentBlock(kBlockInterrupts), interrupts);
}

}  // namespace
}  // namespace regsmith

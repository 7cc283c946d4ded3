// The "Interrupts" sheet driven as a user would: the Peripherals command,
// clicks by caption, page switches, Reset, OK and Cancel.

#include <gtest/gtest.h>

#include <functional>
#include <span>
#include <stdexcept>
#include <string>

#include "fw/ui.h"
#include "pages/interrupts/interrupt_sheets.h"
#include "pages/portio/portio_sheets.h"
#include "tests/support/generated_text.h"
#include "tests/support/recording_platform.h"
#include "view/command_ids.h"
#include "view/device_dlg.h"
#include "view/device_page.h"
#include "view/sheet_commands.h"

namespace regsmith {
namespace {

using testing::CTail;
using testing::kCHead;
using testing::RecordingPlatform;
using testing::TestApp;
using testing::TestProject;

// The register of the interrupts block with that name.
RegisterEntry& Register(PeripheralBlock& block, const std::string& name) {
    for (RegisterEntry& entry : block.registers)
        if (entry.name == name) return entry;
    ADD_FAILURE() << "no register " << name;
    static RegisterEntry none;
    return none;
}

PeripheralBlock InterruptsOf(CDeviceDocument& document) { return document.deviceData.blockMap.at(kBlockInterrupts); }

std::uint8_t InterruptsValue(CDeviceDocument& document, const std::string& name) {
    return Register(document.deviceData.blockMap.at(kBlockInterrupts), name).value;
}

fw::Control& Find(fw::PropertySheet& sheet, const std::string& name) {
    fw::PropertyPage* page = sheet.ActivePage();
    if (!page) throw std::runtime_error("no active page");
    std::string error;
    fw::Control* control = page->Find(name, &error);
    if (!control) throw std::runtime_error(page->Title() + ": " + error);
    return *control;
}

bool Click(fw::PropertySheet& sheet, const std::string& name) {
    fw::Control& control = Find(sheet, name);
    if (auto* box = dynamic_cast<fw::CheckBox*>(&control)) return box->Click();
    if (auto* radio = dynamic_cast<fw::RadioButton*>(&control)) return radio->Click();
    if (auto* button = dynamic_cast<fw::PushButton*>(&control)) return button->Click();
    throw std::runtime_error(name + " cannot be clicked");
}

bool IsChecked(fw::PropertySheet& sheet, const std::string& name) {
    return dynamic_cast<fw::CheckBox&>(Find(sheet, name)).IsChecked();
}

fw::DropDownList& List(fw::PropertySheet& sheet, const std::string& name) {
    return dynamic_cast<fw::DropDownList&>(Find(sheet, name));
}

void SelectPin(fw::PropertySheet& sheet, const std::string& list, const std::string& pin) {
    fw::DropDownList& pins = List(sheet, list);
    ASSERT_GE(pins.IndexOf(pin), 0) << pin;
    pins.Select(pins.IndexOf(pin));
}

std::string Summary(fw::PropertySheet& sheet) { return dynamic_cast<fw::TextBox&>(Find(sheet, kSummaryBoxName)).Text(); }

void Page(fw::PropertySheet& sheet, const std::string& title) {
    ASSERT_GE(sheet.FindPage(title), 0) << title;
    ASSERT_TRUE(sheet.SetActivePage(sheet.FindPage(title)));
}

void PressReset(fw::PropertySheet& sheet) {
    for (std::size_t i = 0; i < sheet.ExtraButtons().size(); ++i)
        if (sheet.ExtraButtons()[i].caption == "Reset") return sheet.PressButton(static_cast<int>(i));
    ADD_FAILURE() << "no Reset button";
}

// A check box with the register and bit it sets.
struct ExpectedBit {
    const char* caption;
    const char* reg;
    std::uint8_t mask;
};

class InterruptsSheet : public ::testing::Test {
protected:
    void SetUp() override { RegisterInterruptPages(); }

    // Opens Peripherals > Interrupts on `project`; `user` acts on the sheet
    // and presses OK or Cancel (Cancel if it does neither).
    void Run(TestProject& project, std::function<void(fw::PropertySheet&)> user) {
        app.platform.onSheet = [user, this](fw::PropertySheet& sheet) {
            // Nested sheets are the test's own business.  Resetting the
            // callback destroys this closure, so keep the user's part first.
            const auto act = user;
            app.platform.onSheet = nullptr;
            ASSERT_EQ(sheet.Title(), "Interrupts");
            act(sheet);
        };
        project.view->OnCommand(ID_PERIPHERALS_INTERRUPTS);
    }

    void ExpectEachBoxSetsItsBit(const char* pageTitle, std::span<const ExpectedBit> bits);

    TestApp app;
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
        TestProject project(0xD0);
        PeripheralBlock expected = InterruptsOf(*project.document);
        Register(expected, bit.reg).value |= bit.mask;
        std::string toggledBack = "not reached";
        Run(project, [&](fw::PropertySheet& sheet) {
            Page(sheet, pageTitle);
            EXPECT_FALSE(IsChecked(sheet, bit.caption));
            ASSERT_TRUE(Click(sheet, bit.caption));
            EXPECT_TRUE(IsChecked(sheet, bit.caption));
            ASSERT_TRUE(Click(sheet, bit.caption));
            toggledBack = Summary(sheet);
            ASSERT_TRUE(Click(sheet, bit.caption));
            sheet.PressOK();
        });
        EXPECT_EQ(toggledBack, "");
        EXPECT_EQ(InterruptsOf(*project.document), expected);
    }
}

TEST_F(InterruptsSheet, EachEnableCheckBoxSetsItsOwnBit) { ExpectEachBoxSetsItsBit("Enable Interrupts", kEnableBits); }

TEST_F(InterruptsSheet, EachPriorityCheckBoxSetsItsOwnBit) {
    ExpectEachBoxSetsItsBit("Interrupt Priority", kPriorityBits);
}

TEST_F(InterruptsSheet, HasThreePagesInTabOrderWithAResetButton) {
    TestProject project(0xD0);
    Run(project, [](fw::PropertySheet& sheet) {
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
    TestProject project(0xD0);
    Run(project, [](fw::PropertySheet& sheet) {
        EXPECT_EQ(Summary(sheet), "");
        Click(sheet, "Enable /INT0 Interrupt");
        EXPECT_EQ(Summary(sheet), "    IE        = 0x01;\r\n");
        Click(sheet, "Enable All Interrupts   (If not checked, all interrupts are ignored)");
        EXPECT_EQ(Summary(sheet), "    IE        = 0x81;\r\n");
        Click(sheet, "Enable PCA0 Interrupt");
        EXPECT_EQ(Summary(sheet), "    EIE1      = 0x04;\r\n    IE        = 0x81;\r\n");
    });
}

// The three pages share one copy: each page shows the others' edits when it
// becomes active, and OK writes one block 13 with all of them.
TEST_F(InterruptsSheet, PagesShareOneCopyAndOkWritesAllEdits) {
    TestProject project(0xD0);
    Run(project, [](fw::PropertySheet& sheet) {
        Click(sheet, "Enable /INT0 Interrupt");
        Page(sheet, "Interrupt Priority");
        EXPECT_EQ(Summary(sheet), "    IE        = 0x01;\r\n");
        Click(sheet, "Set /INT0 Priority High");
        Click(sheet, "Set Port Match Priority High");
        Page(sheet, "INT0/INT1 Configuration");
        EXPECT_EQ(Summary(sheet), "    IP        = 0x01;\r\n    EIP1      = 0x80;\r\n    IE        = 0x01;\r\n");
        Click(sheet, "/INT0 Active High");
        SelectPin(sheet, "/INT0 Port Pin Selection", "P0.4");
        Page(sheet, "Enable Interrupts");
        EXPECT_TRUE(IsChecked(sheet, "Enable /INT0 Interrupt"));
        EXPECT_FALSE(IsChecked(sheet, "Enable /INT1 Interrupt"));
        Page(sheet, "Interrupt Priority");
        EXPECT_TRUE(IsChecked(sheet, "Set /INT0 Priority High"));
        sheet.PressOK();
    });
    PeripheralBlock block = InterruptsOf(*project.document);
    EXPECT_EQ(Register(block, "IP").value, 0x01);
    EXPECT_EQ(Register(block, "EIE1").value, 0x00);
    EXPECT_EQ(Register(block, "EIP1").value, 0x80);
    EXPECT_EQ(Register(block, "IT01CF").value, 0x0C);
    EXPECT_EQ(Register(block, "IE").value, 0x01);
    // The code window was regenerated with the new routine.
    EXPECT_EQ(project.view->GetText(), project.document->GenerateCode());
    EXPECT_NE(project.view->GetText().find("Interrupts_Init"), std::string::npos);
}

TEST_F(InterruptsSheet, GeneratedRoutineIsExact) {
    TestProject project(0xD0);
    Run(project, [](fw::PropertySheet& sheet) {
        Click(sheet, "Enable All Interrupts   (If not checked, all interrupts are ignored)");
        Click(sheet, "Enable Timer 0 Interrupt");
        Click(sheet, "Enable Voltage Regulator Interrupt");
        Page(sheet, "Interrupt Priority");
        Click(sheet, "Set Timer 0 Priority High");
        Click(sheet, "Set AD0WINT Priority High");
        Page(sheet, "INT0/INT1 Configuration");
        Click(sheet, "/INT1 Active High");
        SelectPin(sheet, "/INT1 Port Pin Selection", "P0.5");
        sheet.PressOK();
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
    EXPECT_EQ(project.view->GetText(), kCHead + routine + CTail({"Interrupts_Init"}));
}

TEST_F(InterruptsSheet, CancelLeavesTheDocumentUnchanged) {
    TestProject project(0xD0);
    const CDeviceData before = project.document->deviceData;
    const std::string textBefore = project.view->GetText();
    Run(project, [](fw::PropertySheet& sheet) {
        Click(sheet, "Enable /INT0 Interrupt");
        Page(sheet, "INT0/INT1 Configuration");
        SelectPin(sheet, "/INT1 Port Pin Selection", "P0.2");
        sheet.PressCancel();
    });
    EXPECT_EQ(project.document->deviceData.blockMap, before.blockMap);
    EXPECT_EQ(project.view->GetText(), textBefore);
    // The next run starts from the document again.
    Run(project, [](fw::PropertySheet& sheet) { EXPECT_FALSE(IsChecked(sheet, "Enable /INT0 Interrupt")); });
}

TEST_F(InterruptsSheet, ResetOnThePriorityPageClearsTheWholeBlock) {
    TestProject project(0xD0);
    PeripheralBlock resetBlock = InterruptsOf(*project.document);
    Run(project, [this](fw::PropertySheet& sheet) {
        Click(sheet, "Enable /INT0 Interrupt");
        Click(sheet, "Enable PCA0 Interrupt");
        Page(sheet, "INT0/INT1 Configuration");
        Click(sheet, "/INT0 Active High");
        SelectPin(sheet, "/INT1 Port Pin Selection", "P0.3");
        Page(sheet, "Interrupt Priority");
        Click(sheet, "Set SPI0 Priority High");
        Click(sheet, "Set CP0 Falling Priority High");

        // No leaves everything as it is.
        app.platform.answers.push_back(fw::DialogResult::No);
        PressReset(sheet);
        EXPECT_TRUE(IsChecked(sheet, "Set SPI0 Priority High"));

        app.platform.answers.push_back(fw::DialogResult::Yes);
        PressReset(sheet);
        EXPECT_FALSE(IsChecked(sheet, "Set SPI0 Priority High"));
        EXPECT_FALSE(IsChecked(sheet, "Set CP0 Falling Priority High"));
        EXPECT_EQ(Summary(sheet), "");
        Page(sheet, "Enable Interrupts");
        EXPECT_FALSE(IsChecked(sheet, "Enable /INT0 Interrupt"));
        Page(sheet, "INT0/INT1 Configuration");
        EXPECT_TRUE(dynamic_cast<fw::RadioButton&>(Find(sheet, "/INT0 Active Low")).IsChecked());
        EXPECT_EQ(List(sheet, "/INT0 Port Pin Selection").SelectedText(), "P0.1");
        EXPECT_EQ(List(sheet, "/INT1 Port Pin Selection").SelectedText(), "P0.0");
        sheet.PressOK();
    });
    ASSERT_EQ(app.platform.boxes.size(), 2u);
    for (const RecordingPlatform::Box& box : app.platform.boxes) {
        EXPECT_EQ(box.text, "Reset all registers to default for this peripheral?");
        EXPECT_EQ(box.icon, fw::MessageIcon::Question);
        EXPECT_EQ(box.buttons, fw::MessageButtons::YesNo);
    }
    EXPECT_EQ(InterruptsOf(*project.document), resetBlock);
}

TEST_F(InterruptsSheet, ResetOnTheConfigurationPageReloadsItsControls) {
    TestProject project(0xD6);
    Run(project, [this](fw::PropertySheet& sheet) {
        Page(sheet, "INT0/INT1 Configuration");
        Click(sheet, "/INT1 Active High");
        SelectPin(sheet, "/INT0 Port Pin Selection", "P0.7");
        app.platform.answers.push_back(fw::DialogResult::Yes);
        PressReset(sheet);
        EXPECT_TRUE(dynamic_cast<fw::RadioButton&>(Find(sheet, "/INT1 Active Low")).IsChecked());
        EXPECT_FALSE(dynamic_cast<fw::RadioButton&>(Find(sheet, "/INT1 Active High")).IsChecked());
        EXPECT_EQ(List(sheet, "/INT0 Port Pin Selection").SelectedText(), "P0.1");
        EXPECT_EQ(Summary(sheet), "");
        sheet.PressOK();
    });
    EXPECT_EQ(InterruptsValue(*project.document, "IT01CF"), 0x01);
}

TEST_F(InterruptsSheet, PolarityRadiosSetAndClearTheirBits) {
    TestProject project(0xD0);
    Run(project, [](fw::PropertySheet& sheet) {
        Page(sheet, "INT0/INT1 Configuration");
        EXPECT_TRUE(dynamic_cast<fw::RadioButton&>(Find(sheet, "/INT0 Active Low")).IsChecked());
        Click(sheet, "/INT0 Active High");
        EXPECT_EQ(Summary(sheet), "    IT01CF    = 0x09;\r\n");
        Click(sheet, "/INT1 Active High");
        EXPECT_EQ(Summary(sheet), "    IT01CF    = 0x89;\r\n");
        Click(sheet, "/INT0 Active Low");
        EXPECT_EQ(Summary(sheet), "    IT01CF    = 0x81;\r\n");
        sheet.PressOK();
    });
    EXPECT_EQ(InterruptsValue(*project.document, "IT01CF"), 0x81);
}

TEST_F(InterruptsSheet, PinSelectionReplacesOnlyItsField) {
    TestProject project(0xD0);
    Run(project, [](fw::PropertySheet& sheet) {
        Page(sheet, "INT0/INT1 Configuration");
        // IT01CF is 0x01 by default: /INT0 on P0.1, /INT1 on P0.0.
        EXPECT_EQ(List(sheet, "/INT0 Port Pin Selection").SelectedText(), "P0.1");
        EXPECT_EQ(List(sheet, "/INT1 Port Pin Selection").SelectedText(), "P0.0");
        SelectPin(sheet, "/INT1 Port Pin Selection", "P0.3");
        EXPECT_EQ(Summary(sheet), "    IT01CF    = 0x31;\r\n");
        SelectPin(sheet, "/INT1 Port Pin Selection", "P0.0");
        EXPECT_EQ(Summary(sheet), "");
        SelectPin(sheet, "/INT0 Port Pin Selection", "P0.5");
        EXPECT_EQ(Summary(sheet), "    IT01CF    = 0x05;\r\n");
        sheet.PressOK();
    });
    EXPECT_EQ(InterruptsValue(*project.document, "IT01CF"), 0x05);
}

TEST_F(InterruptsSheet, PinListsFollowThePackage) {
    for (std::uint8_t id : {0xD0, 0xD5}) {
        TestProject project(id);
        Run(project, [](fw::PropertySheet& sheet) {
            Page(sheet, "INT0/INT1 Configuration");
            const std::vector<std::string> small{"P0.0", "P0.1", "P0.2", "P0.3", "P0.4", "P0.5"};
            EXPECT_EQ(List(sheet, "/INT0 Port Pin Selection").Items(), small);
            EXPECT_EQ(List(sheet, "/INT1 Port Pin Selection").Items(), small);
        });
    }
    for (std::uint8_t id : {0xD6, 0xDB}) {
        TestProject project(id);
        Run(project, [](fw::PropertySheet& sheet) {
            Page(sheet, "INT0/INT1 Configuration");
            const std::vector<std::string> large{"P0.0", "P0.1", "P0.2", "P0.3", "P0.4", "P0.5", "P0.6", "P0.7"};
            EXPECT_EQ(List(sheet, "/INT0 Port Pin Selection").Items(), large);
            EXPECT_EQ(List(sheet, "/INT1 Port Pin Selection").Items(), large);
            SelectPin(sheet, "/INT1 Port Pin Selection", "P0.7");
            SelectPin(sheet, "/INT0 Port Pin Selection", "P0.6");
            sheet.PressOK();
        });
        EXPECT_EQ(InterruptsValue(*project.document, "IT01CF"), 0x76);
    }
}

// A project from a large-package model opened as a small one: the pins it
// names are not in the lists, and the bits survive until a pin is picked.
TEST_F(InterruptsSheet, SmallPackageShowsNoSelectionForP06AndP07) {
    TestProject project(0xD2);
    Register(project.document->deviceData.blockMap.at(kBlockInterrupts), "IT01CF").value = 0x67;
    Run(project, [](fw::PropertySheet& sheet) {
        Page(sheet, "INT0/INT1 Configuration");
        EXPECT_EQ(List(sheet, "/INT0 Port Pin Selection").Selected(), -1);
        EXPECT_EQ(List(sheet, "/INT1 Port Pin Selection").Selected(), -1);
        Click(sheet, "/INT0 Active High");
        EXPECT_EQ(Summary(sheet), "    IT01CF    = 0x6F;\r\n");
        SelectPin(sheet, "/INT1 Port Pin Selection", "P0.2");
        EXPECT_EQ(Summary(sheet), "    IT01CF    = 0x2F;\r\n");
        sheet.PressOK();
    });
    EXPECT_EQ(InterruptsValue(*project.document, "IT01CF"), 0x2F);
}

TEST_F(InterruptsSheet, LinControlsHiddenOnOddIdsOnBothPages) {
    for (std::uint8_t id : {0xD1, 0xD3, 0xD5, 0xD7, 0xD9, 0xDB}) {
        SCOPED_TRACE(static_cast<int>(id));
        TestProject project(id);
        Run(project, [](fw::PropertySheet& sheet) {
            EXPECT_FALSE(Find(sheet, "LIN Interrupts").IsEffectivelyVisible());
            EXPECT_FALSE(Find(sheet, "Enable LIN Interrupt").IsEffectivelyVisible());
            EXPECT_TRUE(Find(sheet, "Port Match Interrupts").IsEffectivelyVisible());
            EXPECT_FALSE(Click(sheet, "Enable LIN Interrupt"));
            Page(sheet, "Interrupt Priority");
            EXPECT_FALSE(Find(sheet, "LIN Interrupt Priority").IsEffectivelyVisible());
            EXPECT_FALSE(Find(sheet, "Set LIN Priority High").IsEffectivelyVisible());
            EXPECT_TRUE(Find(sheet, "Set PCA0 Priority High").IsEffectivelyVisible());
        });
    }
    for (std::uint8_t id : {0xD0, 0xD6, 0xDA}) {
        TestProject project(id);
        Run(project, [](fw::PropertySheet& sheet) {
            EXPECT_TRUE(Find(sheet, "Enable LIN Interrupt").IsEffectivelyVisible());
            Page(sheet, "Interrupt Priority");
            EXPECT_TRUE(Find(sheet, "Set LIN Priority High").IsEffectivelyVisible());
        });
    }
}

TEST_F(InterruptsSheet, HiddenLinBitsStayAndAreGenerated) {
    TestProject project(0xD1);
    PeripheralBlock& block = project.document->deviceData.blockMap.at(kBlockInterrupts);
    Register(block, "EIE1").value = 0x20;
    Register(block, "EIP1").value = 0x20;
    Run(project, [](fw::PropertySheet& sheet) {
        EXPECT_EQ(Summary(sheet), "    EIE1      = 0x20;\r\n    EIP1      = 0x20;\r\n");
        Click(sheet, "Enable PCA0 Interrupt");
        Page(sheet, "Interrupt Priority");
        Click(sheet, "Set PCA0 Priority High");
        sheet.PressOK();
    });
    PeripheralBlock after = InterruptsOf(*project.document);
    EXPECT_EQ(Register(after, "EIE1").value, 0x24);
    EXPECT_EQ(Register(after, "EIP1").value, 0x24);
    EXPECT_NE(project.view->GetText().find("    EIE1      = 0x24;\r\n    EIP1      = 0x24;\r\n"), std::string::npos);
}

// A project whose interrupts block has no registers (an old file): the pages
// show everything clear and clicking does no harm.
TEST_F(InterruptsSheet, EmptyBlockShowsAllClear) {
    TestProject project(0xD0);
    project.document->deviceData.blockMap.at(kBlockInterrupts).registers.clear();
    Run(project, [](fw::PropertySheet& sheet) {
        EXPECT_FALSE(IsChecked(sheet, "Enable /INT0 Interrupt"));
        Click(sheet, "Enable /INT0 Interrupt");
        Page(sheet, "INT0/INT1 Configuration");
        EXPECT_EQ(List(sheet, "/INT0 Port Pin Selection").SelectedText(), "P0.0");
        SelectPin(sheet, "/INT0 Port Pin Selection", "P0.3");
        EXPECT_EQ(Summary(sheet), "");
        sheet.PressOK();
    });
    EXPECT_TRUE(project.document->deviceData.blockMap.at(kBlockInterrupts).registers.empty());
}

// Both "Configure Port I/O" buttons open the crossbar page alone; its OK
// writes block 11 at once, and the page and its interrupts copy stay as they
// were, so the outer OK writes the interrupts edits alongside.
TEST_F(InterruptsSheet, ConfigurePortIOOpensTheCrossbarAloneAndLeavesTheInterruptsCopy) {
    RegisterPortIOPages();
    for (const char* button :
         {"/INT0 Port Pin Selection/Configure Port I/O", "/INT1 Port Pin Selection/Configure Port I/O"}) {
        SCOPED_TRACE(button);
        TestProject project(0xD0);
        const std::uint8_t xbr1 = Register(project.document->deviceData.blockMap.at(kBlockPortIO), "XBR1").value;
        int nestedSheets = 0;
        Run(project, [&](fw::PropertySheet& sheet) {
            Page(sheet, "INT0/INT1 Configuration");
            SelectPin(sheet, "/INT0 Port Pin Selection", "P0.2");
            app.platform.onSheet = [&](fw::PropertySheet& nested) {
                ++nestedSheets;
                EXPECT_EQ(nested.Title(), "Port I/O");
                ASSERT_EQ(nested.PageCount(), 1);
                EXPECT_EQ(nested.Page(0).Title(), "Priority Crossbar");
                // OK asks whether to enable the crossbar as well.
                app.platform.answers.push_back(fw::DialogResult::No);
                ASSERT_TRUE(dynamic_cast<fw::CheckBox&>(Find(nested, "Timer0")).Click());
                nested.PressOK();
            };
            ASSERT_TRUE(Click(sheet, button));
            EXPECT_EQ(List(sheet, "/INT0 Port Pin Selection").SelectedText(), "P0.2");
            EXPECT_EQ(Summary(sheet), "    IT01CF    = 0x02;\r\n");
            sheet.PressOK();
        });
        EXPECT_EQ(nestedSheets, 1);
        EXPECT_TRUE(app.platform.answers.empty());
        EXPECT_NE(Register(project.document->deviceData.blockMap.at(kBlockPortIO), "XBR1").value, xbr1);
        EXPECT_EQ(InterruptsValue(*project.document, "IT01CF"), 0x02);
    }
}

// ---- Nested "Interrupts" sheets, as other pages open them -------------------

class NestedInterruptsSheet : public InterruptsSheet {
protected:
    TestProject project{0xD0};
};

TEST_F(NestedInterruptsSheet, EnableAndPriorityPagesOnTheCallersCopyWrittenAtOnce) {
    SheetContext outer(*project.document);
    PeripheralBlock& callersCopy = outer.Block(kBlockInterrupts);
    Register(callersCopy, "IE").value = 0x02;  // an edit the caller already holds
    app.platform.onSheet = [](fw::PropertySheet& sheet) {
        EXPECT_EQ(sheet.Title(), "Interrupts");
        ASSERT_EQ(sheet.PageCount(), 2);
        EXPECT_EQ(sheet.Page(0).Title(), "Enable Interrupts");
        EXPECT_EQ(sheet.Page(1).Title(), "Interrupt Priority");
        EXPECT_TRUE(IsChecked(sheet, "Enable Timer 0 Interrupt"));
        Click(sheet, "Enable All Interrupts   (If not checked, all interrupts are ignored)");
        Page(sheet, "Interrupt Priority");
        Click(sheet, "Set Timer 0 Priority High");
        sheet.PressOK();
    };
    const std::string textBefore = project.view->GetText();
    EXPECT_EQ(RunNestedSheet(NestedSheet::Interrupts, outer), fw::DialogResult::Ok);
    EXPECT_EQ(Register(callersCopy, "IE").value, 0x82);
    PeripheralBlock written = InterruptsOf(*project.document);
    EXPECT_EQ(Register(written, "IE").value, 0x82);
    EXPECT_EQ(Register(written, "IP").value, 0x02);
    // The nested sheet leaves the code window to the outer sheet.
    EXPECT_EQ(project.view->GetText(), textBefore);
}

// Cancel writes nothing and gives the caller its copy back unchanged, so a
// later accepted sheet does not carry the cancelled edits into the document.
TEST_F(NestedInterruptsSheet, CancelWritesNothingAndRestoresTheCallersCopy) {
    SheetContext outer(*project.document);
    PeripheralBlock& callersCopy = outer.Block(kBlockInterrupts);
    Register(callersCopy, "IE").value = 0x02;
    const PeripheralBlock callersBefore = callersCopy;
    const PeripheralBlock before = InterruptsOf(*project.document);
    app.platform.onSheet = [](fw::PropertySheet& sheet) {
        Click(sheet, "Enable SPI0 Interrupt");
        sheet.PressCancel();
    };
    EXPECT_EQ(RunNestedSheet(NestedSheet::Interrupts, outer), fw::DialogResult::Cancel);
    EXPECT_EQ(InterruptsOf(*project.document), before);
    EXPECT_EQ(callersCopy, callersBefore);

    app.platform.onSheet = [](fw::PropertySheet& sheet) {
        SelectPin(sheet, "/INT0 Port Pin Selection", "P0.4");
        sheet.PressCancel();
    };
    EXPECT_EQ(RunNestedSheet(NestedSheet::Int01Config, outer), fw::DialogResult::Cancel);
    EXPECT_EQ(callersCopy, callersBefore);

    app.platform.onSheet = [](fw::PropertySheet& sheet) {
        Click(sheet, "Enable PCA0 Interrupt");
        sheet.PressOK();
    };
    EXPECT_EQ(RunNestedSheet(NestedSheet::Interrupts, outer), fw::DialogResult::Ok);
    EXPECT_EQ(InterruptsValue(*project.document, "IE"), 0x02);
    EXPECT_EQ(InterruptsValue(*project.document, "EIE1"), 0x04);
}

TEST_F(NestedInterruptsSheet, ConfigurationPageAlone) {
    SheetContext outer(*project.document);
    app.platform.onSheet = [](fw::PropertySheet& sheet) {
        EXPECT_EQ(sheet.Title(), "Interrupts");
        ASSERT_EQ(sheet.PageCount(), 1);
        EXPECT_EQ(sheet.Page(0).Title(), "INT0/INT1 Configuration");
        SelectPin(sheet, "/INT0 Port Pin Selection", "P0.3");
        sheet.PressOK();
    };
    EXPECT_EQ(RunNestedSheet(NestedSheet::Int01Config, outer), fw::DialogResult::Ok);
    EXPECT_EQ(Register(outer.Block(kBlockInterrupts), "IT01CF").value, 0x03);
    EXPECT_EQ(InterruptsValue(*project.document, "IT01CF"), 0x03);
}

// Accepted in a nested sheet, kept when the outer sheet is then cancelled.
TEST_F(NestedInterruptsSheet, SurvivesTheOuterSheetsCancel) {
    Run(project, [this](fw::PropertySheet& outerSheet) {
        Click(outerSheet, "Enable /INT1 Interrupt");  // dropped with the outer Cancel
        app.platform.onSheet = [](fw::PropertySheet& sheet) {
            Click(sheet, "Enable UART0 Interrupt");
            sheet.PressOK();
        };
        SheetContext nested(*project.document);
        EXPECT_EQ(RunNestedSheet(NestedSheet::Interrupts, nested), fw::DialogResult::Ok);
        outerSheet.PressCancel();
    });
    EXPECT_EQ(InterruptsValue(*project.document, "IE"), 0x10);
}

// A fresh copy instead of the caller's: the caller's copy stays as it was.
TEST_F(NestedInterruptsSheet, FreshCopyLeavesTheCallersCopyAlone) {
    SheetContext outer(*project.document);
    PeripheralBlock& callersCopy = outer.Block(kBlockInterrupts);
    Register(callersCopy, "IE").value = 0x02;
    SheetContext fresh(outer);
    fresh.CopyOut(kBlockInterrupts);
    app.platform.onSheet = [](fw::PropertySheet& sheet) {
        EXPECT_FALSE(IsChecked(sheet, "Enable Timer 0 Interrupt"));
        Click(sheet, "Enable Timer 1 Interrupt");
        sheet.PressOK();
    };
    RunNestedSheet(NestedSheet::Interrupts, fresh);
    EXPECT_EQ(Register(callersCopy, "IE").value, 0x02);
    EXPECT_EQ(InterruptsValue(*project.document, "IE"), 0x08);
}

}  // namespace
}  // namespace regsmith

// The page kit: every kind of binding loads, stores and resets its field;
// displays and the summary follow every user action; rules run after the
// store; nested-sheet rows get the caller's or fresh copies.

#include <gtest/gtest.h>

#include "tests/support/recording_platform.h"
#include "view/command_ids.h"
#include "view/device_page.h"
#include "view/sheet_commands.h"

namespace regsmith {
namespace {

using testing::TestApp;
using testing::TestProject;

// A page on the timers block with one control of every bound kind.
class KitPage : public CDevicePropPage {
public:
    explicit KitPage(SheetContext& sheet) : CDevicePropPage("Kit", sheet, kBlockTimers) {
        auto& group = Root().Add<fw::GroupBox>("Kit");
        run = &BindCheck(group, "Run", reg::TCON, 0x10);
        stopped = &BindCheck(group, "Stopped", reg::TCON, 0x40, true);
        modes = BindRadios(group, reg::TMOD, 0x03, {{"Mode 0", 0x00}, {"Mode 1", 0x01}, {"Mode 2", 0x02}});
        prescaler = &BindList(group, "Prescaler", reg::CKCON, 0x30, std::vector<std::string>{"/1", "/2", "/4", "/8"});
        source = &BindList(group, "Source", reg::TMR2CN, 0x0C, std::vector<ListChoice>{{"A", 0}, {"C", 3}, {"B", 2}});
        high = &BindHex(group, "TH0:", reg::TH0);
        toggle = &Bind(group.Add<fw::ToggleButton>("D"), reg::TL0, 0x01, "D", "A");
        display = &BindDisplay(group, "Mode Value:", [this] { return std::to_string(Value(reg::TMOD)); });
        // Another block's copy of the run.
        status = &BindStatus(group, [this] { return TestBits(Copy(kBlockInterrupts), reg::IE, 0x02) ? "on" : "off"; });
        Then(*run, [this] { ruleSawRun = TestBits(reg::TCON, 0x10); });
        AddSummaryBox(Root());
    }
    void AfterLoad() override { ++loads; }

    fw::CheckBox* run = nullptr;
    fw::CheckBox* stopped = nullptr;
    std::vector<fw::RadioButton*> modes;
    fw::DropDownList* prescaler = nullptr;
    fw::DropDownList* source = nullptr;
    fw::EditField* high = nullptr;
    fw::ToggleButton* toggle = nullptr;
    fw::EditField* display = nullptr;
    fw::StaticText* status = nullptr;
    bool ruleSawRun = false;
    int loads = 0;
};

// A sheet run on a new project, and the run's timers copy.
struct KitRun {
    TestApp app;
    TestProject project;
    SheetContext sheet{*project.document};
    PeripheralBlock& block = sheet.Block(kBlockTimers);
};

TEST(PageKit, LoadingShowsEveryFieldWithoutRunningHandlers) {
    KitRun run;
    PeripheralBlock& block = run.block;
    block.registers[reg::TCON].value = 0x50;
    block.registers[reg::TMOD].value = 0x02;
    block.registers[reg::CKCON].value = 0x20;
    block.registers[reg::TMR2CN].value = 0x0C;
    block.registers[reg::TH0].value = 0xA5;
    KitPage page(run.sheet);
    page.OnInitDialog();
    EXPECT_TRUE(page.run->IsChecked());
    EXPECT_FALSE(page.stopped->IsChecked());  // inverted: bit set shows unchecked
    EXPECT_TRUE(page.modes[2]->IsChecked());
    EXPECT_EQ(page.prescaler->SelectedText(), "/4");
    EXPECT_EQ(page.source->SelectedText(), "C");
    EXPECT_EQ(page.high->Text(), "A5");
    EXPECT_FALSE(page.toggle->IsPressed());
    EXPECT_EQ(page.toggle->Caption(), "A");
    EXPECT_EQ(page.display->Text(), "2");
    EXPECT_EQ(page.status->Text(), "off");
    EXPECT_FALSE(page.ruleSawRun);
    EXPECT_EQ(page.loads, 1);
    EXPECT_EQ(page.SummaryBox()->Text(), page.RegisterPreview());
    // A field value without a radio or item leaves radios as they are and
    // the list without a selection.
    block.registers[reg::TMOD].value = 0x03;
    block.registers[reg::TMR2CN].value = 0x04;
    page.OnSetActive();
    EXPECT_TRUE(page.modes[2]->IsChecked());
    EXPECT_EQ(page.source->Selected(), -1);
    EXPECT_EQ(page.loads, 2);
}

TEST(PageKit, UserActionsStoreTheirFieldRunRulesAndRefresh) {
    KitRun run;
    PeripheralBlock& block = run.block;
    KitPage page(run.sheet);
    page.OnInitDialog();
    struct Step {
        const char* what;
        std::function<void()> act;
        int entry;
        std::uint8_t expected;
    };
    const std::vector<Step> steps{
        {"check", [&] { page.run->Click(); }, reg::TCON, 0x10},
        {"inverted check", [&] { page.stopped->Click(); }, reg::TCON, 0x50},
        {"radio", [&] { page.modes[1]->Click(); }, reg::TMOD, 0x01},
        {"list by index", [&] { page.prescaler->Select(3); }, reg::CKCON, 0x30},
        {"list by code", [&] { page.source->Select(1); }, reg::TMR2CN, 0x0C},
        {"hex", [&] { page.high->Type("3c"); }, reg::TH0, 0x3C},
        {"toggle", [&] { page.toggle->Click(); }, reg::TL0, 0x01},
    };
    for (const Step& step : steps) {
        step.act();
        EXPECT_EQ(block.registers[static_cast<std::size_t>(step.entry)].value, step.expected) << step.what;
        EXPECT_EQ(page.SummaryBox()->Text(), page.RegisterPreview()) << step.what;
    }
    EXPECT_TRUE(page.ruleSawRun);  // the rule ran after the store
    EXPECT_EQ(page.display->Text(), "1");
    EXPECT_EQ(page.toggle->Caption(), "D");
    EXPECT_EQ(page.high->Text(), "3C");
    EXPECT_TRUE(run.app.platform.boxes.empty());
}

TEST(PageKit, ResetRestoresTheOwnBlockAndReloads) {
    KitRun run;
    PeripheralBlock& block = run.block;
    KitPage page(run.sheet);
    page.OnInitDialog();
    page.run->Click();
    page.modes[1]->Click();
    page.high->Type("FF");
    page.OnReset();
    for (const RegisterEntry& entry : block.registers) EXPECT_EQ(entry.value, entry.resetValue) << entry.name;
    EXPECT_FALSE(page.run->IsChecked());
    EXPECT_TRUE(page.modes[0]->IsChecked());
    EXPECT_EQ(page.high->Text(), "00");
    EXPECT_EQ(page.SummaryBox()->Text(), "");
}

// A page on a sheet run that opens nested sheets of the table.
class NestingPage : public CDevicePropPage {
public:
    explicit NestingPage(SheetContext& sheet) : CDevicePropPage("Nesting", sheet, kBlockTimers) {
        status = &BindStatus(Root(), [this] { return std::to_string(ValueOf(Copy(kBlockInterrupts), reg::IP)); });
        interrupts = &AddNestedSheetButton(Root(), "Configure Interrupts", NestedSheet::Interrupts,
                                           [this] { ++accepted; });
        AddNestedSheetButton(Root(), "Configure Port I/O", NestedSheet::PortIO);
        AddNestedSheetButton(Root(), "Change Clock Frequency", NestedSheet::Oscillators);
    }
    fw::StaticText* status = nullptr;
    fw::PushButton* interrupts = nullptr;
    int accepted = 0;
};

// Sets bit 0 of entry 0 of its own block when clicked.
class SetterPage : public CDevicePropPage {
public:
    SetterPage(std::string title, SheetContext& sheet, std::int32_t own) : CDevicePropPage(std::move(title), sheet, own) {
        BindCheck(Root(), "Set", 0, 0x01);
    }
};

class PageKitSheets : public ::testing::Test {
protected:
    void SetUp() override {
        ClearSheetRegistry();
        RegisterSheetPages(ID_PERIPHERALS_TIMERS, {PageOf<NestingPage>("Nesting")});
        auto setter = [](const char* title, std::int32_t own) {
            return PageRegistration{title, [title, own](SheetContext& sheet) -> std::unique_ptr<fw::PropertyPage> {
                                        return std::make_unique<SetterPage>(title, sheet, own);
                                    }};
        };
        RegisterSheetPages(ID_PERIPHERALS_INTERRUPTS, {setter("Enable Interrupts", kBlockInterrupts),
                                                       setter("Interrupt Priority", kBlockInterrupts)});
        RegisterSheetPages(ID_PERIPHERALS_PORTIO, {setter("Priority Crossbar", kBlockPortIO)});
    }
    void TearDown() override { ClearSheetRegistry(); }

    // Runs the Timers sheet; inside it, clicks `button` on the page, and in
    // the nested sheet clicks "Set" and presses `nestedOk` or Cancel; then
    // presses `outerOk` or Cancel on the Timers sheet.
    void Run(const std::string& button, bool nestedOk, bool outerOk) {
        app.platform.onSheet = [&](fw::PropertySheet& sheet) {
            sheet.Start();
            if (sheet.Title() == "Timers") {
                page = dynamic_cast<NestingPage*>(sheet.ActivePage());
                interruptsEnabled = page->interrupts->IsEnabled();
                page->FindAs<fw::PushButton>(button)->Click();
                statusAfter = page->status->Text();
                outerOk ? sheet.PressOK() : sheet.PressCancel();
            } else {
                nestedTitle = sheet.Title();
                sheet.ActivePage()->FindAs<fw::CheckBox>("Set")->Click();
                nestedOk ? sheet.PressOK() : sheet.PressCancel();
            }
        };
        RunSheetCommand(ID_PERIPHERALS_TIMERS, *project.document);
    }

    TestApp app;
    TestProject project;
    NestingPage* page = nullptr;
    bool interruptsEnabled = false;
    std::string nestedTitle, statusAfter;
};

TEST_F(PageKitSheets, AcceptedNestedSheetWritesAtOnceAndTheOuterPageRefreshes) {
    Run("Configure Interrupts", true, false);
    EXPECT_TRUE(interruptsEnabled);
    EXPECT_EQ(nestedTitle, "Interrupts");
    EXPECT_EQ(statusAfter, "1");  // the caller's copy, refreshed after the button
    EXPECT_EQ(project.document->deviceData.blockMap.at(kBlockInterrupts).registers[reg::IP].value, 0x01);
}

TEST_F(PageKitSheets, CancelledNestedSheetLeavesCopyAndDocument) {
    Run("Configure Interrupts", false, true);
    EXPECT_EQ(statusAfter, "0");
    EXPECT_EQ(project.document->deviceData.blockMap.at(kBlockInterrupts).registers[reg::IP].value, 0x00);
}

TEST_F(PageKitSheets, RowsWithoutRegisteredPagesDisableTheirButtons) {
    // No oscillator pages are registered: the button is off, the others on.
    app.platform.onSheet = [&](fw::PropertySheet& sheet) {
        sheet.Start();
        auto* nesting = dynamic_cast<NestingPage*>(sheet.ActivePage());
        EXPECT_FALSE(nesting->Find("Change Clock Frequency")->IsEnabled());
        EXPECT_TRUE(nesting->Find("Configure Port I/O")->IsEnabled());
        sheet.PressCancel();
    };
    RunSheetCommand(ID_PERIPHERALS_TIMERS, *project.document);
}

TEST_F(PageKitSheets, ACopyTheCallerOnlyReadsFollowsAFreshNestedSheet) {
    // The caller holds the port I/O block unedited; a row that takes it fresh
    // writes it: the caller's copy follows the document.
    SheetContext caller(*project.document);
    PeripheralBlock& portIO = caller.Block(kBlockPortIO);
    app.platform.onSheet = [](fw::PropertySheet& sheet) {
        sheet.ActivePage()->FindAs<fw::CheckBox>("Set")->Click();  // P0MDIN bit 0: 1 -> 0
        sheet.PressOK();
    };
    ASSERT_EQ(RunNestedSheet(NestedSheet::PortIOFresh, caller), fw::DialogResult::Ok);
    EXPECT_EQ(portIO.registers[reg::P0MDIN].value, 0xFE);
}

TEST(NestedSheetTable, EveryRowNamesItsPagesAndWritesWhatItEdits) {
    for (const NestedSheetSpec& row : NestedSheets()) {
        EXPECT_FALSE(row.pages.empty()) << row.title;
        EXPECT_EQ(row.writtenOnOk.size(), 1u) << row.title;
        EXPECT_EQ(&FindNestedSheet(row.sheet), &row) << row.title;
    }
    EXPECT_EQ(FindNestedSheet(NestedSheet::PortIOFresh).freshCopies, (std::vector<std::int32_t>{kBlockPortIO, kBlockSpi}));
    EXPECT_TRUE(FindNestedSheet(NestedSheet::Oscillators).restoresOscillatorClocks);
}

}  // namespace
}  // namespace regsmith

// The Peripherals sheet commands: block copies shared by the pages of a run,
// write-back on OK only, the code window regenerated whatever the outcome,
// nested sheets, the oscillator clock words, disabled commands.

#include <gtest/gtest.h>

#include "tests/support/recording_platform.h"
#include "view/command_ids.h"
#include "view/device_dlg.h"
#include "view/device_page.h"
#include "view/sheet_commands.h"

namespace regsmith {
namespace {

using testing::TestApp;
using testing::TestProject;

// A page that sets bit 0 of entry 0 of its own block ("Set Own"), of entry 0
// of another block ("Set Other"), changes clock words, and opens a nested
// "Interrupts" sheet on this run's interrupts copy ("Configure Interrupts").
class ProbePage : public fw::PropertyPage, public CDevicePage {
public:
    ProbePage(std::string title, SheetContext& context, std::int32_t own, std::int32_t other)
        : fw::PropertyPage(std::move(title)), CDevicePage(context.Block(own)), context_(context),
          other_(context.Block(other)) {
        auto& setOwn = Root().Add<fw::CheckBox>("Set Own");
        setOwn.onChange = [this, &setOwn] { SetBits(setOwn.IsChecked(), 0, 0x01); };
        auto& setOther = Root().Add<fw::CheckBox>("Set Other");
        setOther.onChange = [this] { other_.registers.at(0).value |= 0x01; };
        auto& clocks = Root().Add<fw::PushButton>("Change Clocks");
        clocks.onChange = [this] {
            context_.Clocks().sysclk = 1;
            context_.Clocks().externalOscFrequency = 2;
            context_.Clocks().pcaClockWord = 3;
        };
        auto& nested = Root().Add<fw::PushButton>("Configure Interrupts");
        nested.onChange = [this] {
            lastNested = RunNestedSheet("Interrupts", {"Probe Interrupts"}, context_, {kBlockInterrupts});
        };
        AddSummaryBox(Root());
    }
    bool OnSetActive() override {
        ownSeen = Value(0);
        RefreshSummary();
        return true;
    }
    void OnReset() override { ResetRegisters(); }

    std::uint8_t ownSeen = 0;
    fw::DialogResult lastNested = fw::DialogResult::Cancel;

private:
    SheetContext& context_;
    PeripheralBlock& other_;
};

PageFactory Probe(std::string title, std::int32_t own, std::int32_t other) {
    return [title, own, other](SheetContext& context) -> std::unique_ptr<fw::PropertyPage> {
        return std::make_unique<ProbePage>(title, context, own, other);
    };
}

class SheetCommandTest : public ::testing::Test {
protected:
    void SetUp() override {
        ClearSheetRegistry();
        RegisterSheetPages(ID_PERIPHERALS_TIMERS, {{"Timer 0", Probe("Timer 0", kBlockTimers, kBlockInterrupts)},
                                                   {"Timer 1", Probe("Timer 1", kBlockTimers, kBlockPortIO)}});
        RegisterSheetPages(ID_PERIPHERALS_INTERRUPTS,
                           {{"Probe Interrupts", Probe("Probe Interrupts", kBlockInterrupts, kBlockInterrupts)}});
        RegisterSheetPages(ID_PERIPHERALS_RESETSOURCES,
                           {{"Reset Sources", Probe("Reset Sources", kBlockResetSources, kBlockComparatorReset)},
                            {"Comparator Probe", Probe("Comparator Probe", kBlockComparator, kBlockComparator)}});
        RegisterSheetPages(ID_PERIPHERALS_OSCILLATORS,
                           {{"Internal Oscillator", Probe("Internal Oscillator", kBlockOscillators, kBlockPortIO)}});
        RegisterSheetPages(ID_PERIPHERALS_PCA, {{"PCA0", Probe("PCA0", kBlockPca, kBlockInterrupts)}});
    }
    void TearDown() override { ClearSheetRegistry(); }

    static void Click(fw::PropertySheet& sheet, const std::string& name) {
        ASSERT_NE(sheet.ActivePage(), nullptr);
        auto* control = sheet.ActivePage()->Find(name);
        ASSERT_NE(control, nullptr) << name;
        if (auto* check = dynamic_cast<fw::CheckBox*>(control)) check->Click();
        if (auto* button = dynamic_cast<fw::PushButton*>(control)) button->Click();
    }

    TestApp app;
    TestProject project{0xD0};
    CDeviceDocument& document = *project.document;
};

TEST_F(SheetCommandTest, TableMatchesTheMenu) {
    ASSERT_EQ(SheetCommands().size(), 12u);
    const SheetCommandSpec* resetSources = FindSheetCommand(ID_PERIPHERALS_RESETSOURCES);
    ASSERT_NE(resetSources, nullptr);
    EXPECT_EQ(resetSources->writtenOnOk, (std::vector<std::int32_t>{0, 8}));
    EXPECT_EQ(resetSources->copiedOut, (std::vector<std::int32_t>{0, 8, 7}));
    EXPECT_STREQ(FindSheetCommand(ID_PERIPHERALS_PCA)->title, "Programmable Counter Array");
    EXPECT_STREQ(FindSheetCommand(ID_PERIPHERALS_SPI)->title, "Enhanced Serial Peripheral Interface");
    EXPECT_STREQ(FindSheetCommand(ID_PERIPHERALS_UART)->title, "UARTs");
    for (const SheetCommandSpec& spec : SheetCommands())
        EXPECT_EQ(spec.restoresOscillatorClocks, spec.command == ID_PERIPHERALS_OSCILLATORS) << spec.title;
}

TEST_F(SheetCommandTest, CommandsWithoutPagesAreDisabled) {
    fw::CommandState state;
    EXPECT_TRUE(project.view->OnUpdateCommand(ID_PERIPHERALS_SPI, state));
    EXPECT_FALSE(state.enabled);
    EXPECT_TRUE(project.view->OnUpdateCommand(ID_PERIPHERALS_TIMERS, state));
    EXPECT_TRUE(state.enabled);
    project.view->OnCommand(ID_PERIPHERALS_SPI);
    EXPECT_EQ(app.platform.sheetsRun, 0);
}

TEST_F(SheetCommandTest, OkWritesBackOnlyItsBlockAndPagesShareTheCopy) {
    std::vector<std::uint8_t> seenOnSecondPage;
    app.platform.onSheet = [&](fw::PropertySheet& sheet) {
        EXPECT_EQ(sheet.Title(), "Timers");
        ASSERT_EQ(sheet.PageCount(), 2);
        EXPECT_EQ(sheet.Page(0).Title(), "Timer 0");
        Click(sheet, "Set Own");
        Click(sheet, "Set Other");  // the interrupts copy: read-only for this sheet
        sheet.SetActivePage(1);
        seenOnSecondPage.push_back(static_cast<ProbePage&>(sheet.Page(1)).ownSeen);
        EXPECT_EQ(static_cast<ProbePage&>(sheet.Page(1)).SummaryBox()->Text(), "    TCON      = 0x01;\r\n");
        sheet.PressOK();
    };
    const PeripheralBlock interruptsBefore = document.deviceData.blockMap.at(kBlockInterrupts);
    project.view->OnCommand(ID_PERIPHERALS_TIMERS);
    EXPECT_EQ(seenOnSecondPage, std::vector<std::uint8_t>{0x01});
    EXPECT_EQ(document.deviceData.blockMap.at(kBlockTimers).registers[0].value, 0x01);
    EXPECT_EQ(document.deviceData.blockMap.at(kBlockInterrupts), interruptsBefore);
    EXPECT_TRUE(document.IsModified());
    EXPECT_EQ(project.view->GetText(), document.GenerateCode());
    EXPECT_NE(project.view->GetText().find("Timer_Init"), std::string::npos);
}

TEST_F(SheetCommandTest, CancelLeavesEveryBlockAndStillRegenerates) {
    const auto before = document.deviceData.blockMap;
    project.view->SetText("stale");
    app.platform.onSheet = [&](fw::PropertySheet& sheet) {
        Click(sheet, "Set Own");
        sheet.PressCancel();
    };
    project.view->OnCommand(ID_PERIPHERALS_TIMERS);
    EXPECT_EQ(app.platform.sheetsRun, 1);
    EXPECT_EQ(document.deviceData.blockMap, before);
    EXPECT_FALSE(document.IsModified());
    EXPECT_EQ(project.view->GetText(), document.GenerateCode());
}

TEST_F(SheetCommandTest, NestedSheetOkSurvivesTheOuterCancel) {
    int depth = 0;
    app.platform.onSheet = [&](fw::PropertySheet& sheet) {
        if (depth++ == 0) {
            Click(sheet, "Set Own");
            Click(sheet, "Configure Interrupts");  // runs the nested sheet through onSheet again
            EXPECT_EQ(static_cast<ProbePage&>(sheet.Page(0)).lastNested, fw::DialogResult::Ok);
            sheet.PressCancel();
        } else {
            EXPECT_EQ(sheet.Title(), "Interrupts");
            Click(sheet, "Set Own");  // IP, entry 0 of block 13
            sheet.PressOK();
        }
    };
    project.view->SetText("stale");
    project.view->OnCommand(ID_PERIPHERALS_TIMERS);
    EXPECT_EQ(app.platform.sheetsRun, 2);
    EXPECT_EQ(document.deviceData.blockMap.at(kBlockInterrupts).registers[0].value, 0x01);
    EXPECT_EQ(document.deviceData.blockMap.at(kBlockTimers).registers[0].value, 0x00);
    EXPECT_TRUE(document.IsModified());
    EXPECT_NE(project.view->GetText().find("Interrupts_Init"), std::string::npos);
}

TEST_F(SheetCommandTest, NestedSheetWorksOnTheOuterCopy) {
    // Outer page edits its interrupts copy; the nested sheet sees that edit,
    // and its OK writes the copy including it.
    RegisterSheetPages(ID_PERIPHERALS_PCA, {{"PCA0", Probe("PCA0", kBlockPca, kBlockInterrupts)}});
    int depth = 0;
    std::uint8_t nestedSaw = 0;
    app.platform.onSheet = [&](fw::PropertySheet& sheet) {
        if (depth++ == 0) {
            Click(sheet, "Set Other");  // IP bit 0 in the PCA run's interrupts copy
            Click(sheet, "Configure Interrupts");
            sheet.PressCancel();
        } else {
            nestedSaw = static_cast<ProbePage&>(sheet.Page(0)).ownSeen;
            sheet.PressOK();
        }
    };
    project.view->OnCommand(ID_PERIPHERALS_PCA);
    EXPECT_EQ(nestedSaw, 0x01);
    EXPECT_EQ(document.deviceData.blockMap.at(kBlockInterrupts).registers[0].value, 0x01);
}

TEST_F(SheetCommandTest, NestedSheetCancelWritesNothing) {
    int depth = 0;
    app.platform.onSheet = [&](fw::PropertySheet& sheet) {
        if (depth++ == 0) {
            Click(sheet, "Configure Interrupts");
            sheet.PressOK();
        } else {
            Click(sheet, "Set Own");
            sheet.PressCancel();
        }
    };
    const PeripheralBlock interruptsBefore = document.deviceData.blockMap.at(kBlockInterrupts);
    project.view->OnCommand(ID_PERIPHERALS_TIMERS);
    EXPECT_EQ(document.deviceData.blockMap.at(kBlockInterrupts), interruptsBefore);
}

TEST_F(SheetCommandTest, CancelledNestedEditsLeaveTheOuterCopyToo) {
    // Cancel a nested sheet after an edit, then accept a second one without
    // edits: the first sheet's edit must not reach the document.
    int depth = 0;
    std::uint8_t secondNestedSaw = 0xFF;
    app.platform.onSheet = [&](fw::PropertySheet& sheet) {
        ++depth;
        if (depth == 1) {
            Click(sheet, "Configure Interrupts");
            auto& page = static_cast<ProbePage&>(sheet.Page(0));
            EXPECT_EQ(page.lastNested, fw::DialogResult::Cancel);
            Click(sheet, "Configure Interrupts");
            EXPECT_EQ(page.lastNested, fw::DialogResult::Ok);
            sheet.PressCancel();
        } else if (depth == 2) {
            Click(sheet, "Set Own");  // IP bit 0 in the shared interrupts copy
            sheet.PressCancel();
        } else {
            secondNestedSaw = static_cast<ProbePage&>(sheet.Page(0)).ownSeen;
            sheet.PressOK();
        }
    };
    project.view->OnCommand(ID_PERIPHERALS_TIMERS);
    EXPECT_EQ(secondNestedSaw, 0x00);
    EXPECT_EQ(document.deviceData.blockMap.at(kBlockInterrupts).registers[0].value, 0x00);
}

TEST_F(SheetCommandTest, ResetSourcesWritesBlocksZeroAndEightOnOkOnly) {
    app.platform.onSheet = [&](fw::PropertySheet& sheet) {
        Click(sheet, "Set Own");    // VDM0CN in block 0
        Click(sheet, "Set Other");  // VDM0CN in block 8
        sheet.SetActivePage(1);
        Click(sheet, "Set Own");  // block 7: read-only here
        sheet.PressCancel();
    };
    const auto before = document.deviceData.blockMap;
    project.view->OnCommand(ID_PERIPHERALS_RESETSOURCES);
    EXPECT_EQ(document.deviceData.blockMap, before);

    app.platform.onSheet = [&](fw::PropertySheet& sheet) {
        Click(sheet, "Set Own");
        Click(sheet, "Set Other");
        sheet.SetActivePage(1);
        Click(sheet, "Set Own");
        sheet.PressOK();
    };
    project.view->OnCommand(ID_PERIPHERALS_RESETSOURCES);
    EXPECT_EQ(document.deviceData.blockMap.at(kBlockResetSources).registers[0].value, 0x01);
    EXPECT_EQ(document.deviceData.blockMap.at(kBlockComparatorReset).registers[0].value, 0x01);
    EXPECT_EQ(document.deviceData.blockMap.at(kBlockComparator), before.at(kBlockComparator));
}

TEST_F(SheetCommandTest, OscillatorsCancelRestoresItsClockWordsButPcaKeepsItsWord) {
    app.platform.onSheet = [&](fw::PropertySheet& sheet) {
        Click(sheet, "Change Clocks");
        sheet.PressCancel();
    };
    project.view->OnCommand(ID_PERIPHERALS_OSCILLATORS);
    EXPECT_EQ(document.clocks.sysclk, 191406u);
    EXPECT_EQ(document.clocks.externalOscFrequency, 0u);
    EXPECT_EQ(document.clocks.pcaClockWord, 3u);  // only sysclk and the external frequency come back

    document.clocks = kDefaultClockSettings;
    project.view->OnCommand(ID_PERIPHERALS_PCA);
    EXPECT_EQ(document.clocks.sysclk, 1u);
    EXPECT_EQ(document.clocks.pcaClockWord, 3u);
    EXPECT_TRUE(document.IsModified());

    document.clocks = kDefaultClockSettings;
    app.platform.onSheet = [&](fw::PropertySheet& sheet) {
        Click(sheet, "Change Clocks");
        sheet.PressOK();
    };
    project.view->OnCommand(ID_PERIPHERALS_OSCILLATORS);
    EXPECT_EQ(document.clocks.sysclk, 1u);
    EXPECT_EQ(document.clocks.externalOscFrequency, 2u);
}

TEST_F(SheetCommandTest, SheetResetButtonResetsTheSharedCopy) {
    document.deviceData.blockMap.at(kBlockTimers).registers[0].value = 0x7F;
    app.platform.answers = {fw::DialogResult::Yes};
    app.platform.onSheet = [&](fw::PropertySheet& sheet) {
        sheet.PressButton(0);
        sheet.PressOK();
    };
    project.view->OnCommand(ID_PERIPHERALS_TIMERS);
    EXPECT_EQ(document.deviceData.blockMap.at(kBlockTimers).registers[0].value, 0x00);
    EXPECT_EQ(app.platform.Texts(), std::vector<std::string>{"Reset all registers to default for this peripheral?"});
}

TEST_F(SheetCommandTest, EachRunStartsFromTheDocument) {
    app.platform.onSheet = [&](fw::PropertySheet& sheet) {
        Click(sheet, "Set Own");
        sheet.PressCancel();
    };
    project.view->OnCommand(ID_PERIPHERALS_TIMERS);
    std::uint8_t seen = 0xFF;
    app.platform.onSheet = [&](fw::PropertySheet& sheet) {
        seen = static_cast<ProbePage&>(sheet.Page(0)).ownSeen;
        sheet.PressCancel();
    };
    project.view->OnCommand(ID_PERIPHERALS_TIMERS);
    EXPECT_EQ(seen, 0x00);
}

TEST_F(SheetCommandTest, CommandsActOnTheActiveViewsDocument) {
    TestProject other{0xD6, false};
    other.Activate();
    app.platform.onSheet = [&](fw::PropertySheet& sheet) {
        EXPECT_EQ(CDevicePage::GetActiveDeviceId(), 0xD6);
        Click(sheet, "Set Own");
        sheet.PressOK();
    };
    project.view->OnCommand(ID_PERIPHERALS_TIMERS);  // from the first window, but the second is active
    EXPECT_EQ(other.document->deviceData.blockMap.at(kBlockTimers).registers[0].value, 0x01);
    EXPECT_EQ(document.deviceData.blockMap.at(kBlockTimers).registers[0].value, 0x00);
    app.app.SetActiveView(nullptr);
}

}  // namespace
}  // namespace regsmith

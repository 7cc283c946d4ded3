// The Peripherals sheet commands: block copies shared by the pages of a run,
// write-back on OK only, the code window regenerated whatever the outcome,
// nested sheets, the oscillator clock words, disabled commands.

#include <gtest/gtest.h>

#include "codegen/generator.h"
#include "tests/support/sheet_driver.h"
#include "view/command_ids.h"
#include "view/device_dlg.h"
#include "view/device_page.h"
#include "view/sheet_commands.h"

namespace regsmith {
namespace {

using testing::OpenSheet;
using testing::SheetDriver;
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

    static ProbePage& ProbeOf(OpenSheet& sheet, int page) { return static_cast<ProbePage&>(sheet.Sheet().Page(page)); }
    std::uint8_t FirstValue(std::int32_t block) { return document.deviceData.blockMap.at(block).registers[0].value; }

    SheetDriver driver{0xD0};
    TestProject& project = driver.project;
    CDeviceDocument& document = driver.Document();
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
    EXPECT_EQ(fw::RouteCommand(project.view.get(), &document, ID_PERIPHERALS_SPI), fw::RouteResult::Disabled);
    project.view->OnCommand(ID_PERIPHERALS_SPI);
    EXPECT_EQ(driver.SheetsRun(), 0);
}

TEST_F(SheetCommandTest, OkWritesBackOnlyItsBlockAndPagesShareTheCopy) {
    const PeripheralBlock interruptsBefore = document.deviceData.blockMap.at(kBlockInterrupts);
    driver.Run(ID_PERIPHERALS_TIMERS, [](OpenSheet& sheet) {
        EXPECT_EQ(sheet.Title(), "Timers");
        ASSERT_EQ(sheet.Sheet().PageCount(), 2);
        EXPECT_EQ(sheet.Sheet().Page(0).Title(), "Timer 0");
        sheet.Click("Set Own");
        sheet.Click("Set Other");  // the interrupts copy: read-only for this sheet
        sheet.Page("Timer 1");
        EXPECT_EQ(ProbeOf(sheet, 1).ownSeen, 0x01);
        EXPECT_EQ(sheet.Summary(), "    TCON      = 0x01;\r\n");
        sheet.Ok();
    });
    EXPECT_EQ(FirstValue(kBlockTimers), 0x01);
    EXPECT_EQ(document.deviceData.blockMap.at(kBlockInterrupts), interruptsBefore);
    EXPECT_TRUE(document.IsModified());
    EXPECT_EQ(driver.Text(), GenerateCode(document));
    EXPECT_NE(driver.Text().find("Timer_Init"), std::string::npos);
}

TEST_F(SheetCommandTest, CancelLeavesEveryBlockAndStillRegenerates) {
    const auto before = document.deviceData.blockMap;
    project.view->SetText("stale");
    driver.Run(ID_PERIPHERALS_TIMERS, [](OpenSheet& sheet) {
        sheet.Click("Set Own");
        sheet.Cancel();
    });
    EXPECT_EQ(driver.SheetsRun(), 1);
    EXPECT_EQ(document.deviceData.blockMap, before);
    EXPECT_FALSE(document.IsModified());
    EXPECT_EQ(driver.Text(), GenerateCode(document));
}

TEST_F(SheetCommandTest, NestedSheetOkSurvivesTheOuterCancel) {
    project.view->SetText("stale");
    driver.Run(ID_PERIPHERALS_TIMERS, [](OpenSheet& sheet) {
        sheet.Click("Set Own");
        sheet.Click("Configure Interrupts", [](OpenSheet& nested) {
            EXPECT_EQ(nested.Title(), "Interrupts");
            nested.Click("Set Own");  // IP, entry 0 of block 13
            nested.Ok();
        });
        EXPECT_EQ(ProbeOf(sheet, 0).lastNested, fw::DialogResult::Ok);
        sheet.Cancel();
    });
    EXPECT_EQ(driver.SheetsRun(), 2);
    EXPECT_EQ(FirstValue(kBlockInterrupts), 0x01);
    EXPECT_EQ(FirstValue(kBlockTimers), 0x00);
    EXPECT_TRUE(document.IsModified());
    EXPECT_NE(driver.Text().find("Interrupts_Init"), std::string::npos);
}

TEST_F(SheetCommandTest, NestedSheetWorksOnTheOuterCopy) {
    // Outer page edits its interrupts copy; the nested sheet sees that edit,
    // and its OK writes the copy including it.
    std::uint8_t nestedSaw = 0;
    driver.Run(ID_PERIPHERALS_PCA, [&](OpenSheet& sheet) {
        sheet.Click("Set Other");  // IP bit 0 in the PCA run's interrupts copy
        sheet.Click("Configure Interrupts", [&](OpenSheet& nested) {
            nestedSaw = ProbeOf(nested, 0).ownSeen;
            nested.Ok();
        });
        sheet.Cancel();
    });
    EXPECT_EQ(nestedSaw, 0x01);
    EXPECT_EQ(FirstValue(kBlockInterrupts), 0x01);
}

TEST_F(SheetCommandTest, NestedSheetCancelWritesNothing) {
    const PeripheralBlock interruptsBefore = document.deviceData.blockMap.at(kBlockInterrupts);
    driver.Run(ID_PERIPHERALS_TIMERS, [](OpenSheet& sheet) {
        sheet.Click("Configure Interrupts", [](OpenSheet& nested) {
            nested.Click("Set Own");
            nested.Cancel();
        });
        sheet.Ok();
    });
    EXPECT_EQ(document.deviceData.blockMap.at(kBlockInterrupts), interruptsBefore);
}

TEST_F(SheetCommandTest, CancelledNestedEditsLeaveTheOuterCopyToo) {
    // Cancel a nested sheet after an edit, then accept a second one without
    // edits: the first sheet's edit must not reach the document.
    std::uint8_t secondNestedSaw = 0xFF;
    driver.Run(ID_PERIPHERALS_TIMERS, [&](OpenSheet& sheet) {
        ProbePage& page = ProbeOf(sheet, 0);
        sheet.Click("Configure Interrupts", [](OpenSheet& nested) {
            nested.Click("Set Own");  // IP bit 0 in the shared interrupts copy
            nested.Cancel();
        });
        EXPECT_EQ(page.lastNested, fw::DialogResult::Cancel);
        sheet.Click("Configure Interrupts", [&](OpenSheet& nested) {
            secondNestedSaw = ProbeOf(nested, 0).ownSeen;
            nested.Ok();
        });
        EXPECT_EQ(page.lastNested, fw::DialogResult::Ok);
        sheet.Cancel();
    });
    EXPECT_EQ(secondNestedSaw, 0x00);
    EXPECT_EQ(FirstValue(kBlockInterrupts), 0x00);
}

TEST_F(SheetCommandTest, ResetSourcesWritesBlocksZeroAndEightOnOkOnly) {
    const auto before = document.deviceData.blockMap;
    for (bool ok : {false, true}) {
        driver.Run(ID_PERIPHERALS_RESETSOURCES, [ok](OpenSheet& sheet) {
            sheet.Click("Set Own");    // VDM0CN in block 0
            sheet.Click("Set Other");  // VDM0CN in block 8
            sheet.Page("Comparator Probe");
            sheet.Click("Set Own");  // block 7: read-only here
            if (ok) sheet.Ok();
            else sheet.Cancel();
        });
        if (!ok) {
            EXPECT_EQ(document.deviceData.blockMap, before);
        }
    }
    EXPECT_EQ(FirstValue(kBlockResetSources), 0x01);
    EXPECT_EQ(FirstValue(kBlockComparatorReset), 0x01);
    EXPECT_EQ(document.deviceData.blockMap.at(kBlockComparator), before.at(kBlockComparator));
}

TEST_F(SheetCommandTest, OscillatorsCancelRestoresItsClockWordsButPcaKeepsItsWord) {
    const auto changeClocks = [](bool ok) {
        return [ok](OpenSheet& sheet) {
            sheet.Click("Change Clocks");
            if (ok) sheet.Ok();
            else sheet.Cancel();
        };
    };
    driver.Run(ID_PERIPHERALS_OSCILLATORS, changeClocks(false));
    EXPECT_EQ(document.clocks.sysclk, 191406u);
    EXPECT_EQ(document.clocks.externalOscFrequency, 0u);
    EXPECT_EQ(document.clocks.pcaClockWord, 3u);  // only sysclk and the external frequency come back

    document.clocks = kDefaultClockSettings;
    driver.Run(ID_PERIPHERALS_PCA, changeClocks(false));
    EXPECT_EQ(document.clocks.sysclk, 1u);
    EXPECT_EQ(document.clocks.pcaClockWord, 3u);
    EXPECT_TRUE(document.IsModified());

    document.clocks = kDefaultClockSettings;
    driver.Run(ID_PERIPHERALS_OSCILLATORS, changeClocks(true));
    EXPECT_EQ(document.clocks.sysclk, 1u);
    EXPECT_EQ(document.clocks.externalOscFrequency, 2u);
}

TEST_F(SheetCommandTest, SheetResetButtonResetsTheSharedCopy) {
    document.deviceData.blockMap.at(kBlockTimers).registers[0].value = 0x7F;
    driver.Run(ID_PERIPHERALS_TIMERS, [](OpenSheet& sheet) {
        sheet.Reset(fw::DialogResult::Yes);
        sheet.Ok();
    });
    EXPECT_EQ(FirstValue(kBlockTimers), 0x00);
    EXPECT_EQ(driver.Messages(), std::vector<std::string>{"Reset all registers to default for this peripheral?"});
}

TEST_F(SheetCommandTest, EachRunStartsFromTheDocument) {
    driver.Run(ID_PERIPHERALS_TIMERS, [](OpenSheet& sheet) {
        sheet.Click("Set Own");
        sheet.Cancel();
    });
    driver.Run(ID_PERIPHERALS_TIMERS, [](OpenSheet& sheet) { EXPECT_EQ(ProbeOf(sheet, 0).ownSeen, 0x00); });
}

TEST_F(SheetCommandTest, CommandsActOnTheActiveViewsDocument) {
    TestProject other{0xD6, false};
    other.Activate();
    // From the first window, but the second is active.
    driver.Run(ID_PERIPHERALS_TIMERS, [](OpenSheet& sheet) {
        EXPECT_EQ(RunningSheetDocument()->deviceId, 0xD6);
        sheet.Click("Set Own");
        sheet.Ok();
    });
    EXPECT_EQ(other.document->deviceData.blockMap.at(kBlockTimers).registers[0].value, 0x01);
    EXPECT_EQ(FirstValue(kBlockTimers), 0x00);
    fw::AfxGetApp()->SetActiveView(nullptr);
}

}  // namespace
}  // namespace regsmith

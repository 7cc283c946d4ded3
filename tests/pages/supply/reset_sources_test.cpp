// The "Reset Sources" sheet: how the comparator's reset-source bit travels
// between block 0 and block 8, when the VDD monitor may be a reset source,
// and the VDD monitor's wait in the generated code.

#include <gtest/gtest.h>

#include <string>

#include "pages/comparator/comparator_sheets.h"
#include "pages/interrupts/interrupt_sheets.h"
#include "pages/portio/portio_sheets.h"
#include "pages/supply/reset_source_rules.h"
#include "pages/supply/supply_sheets.h"
#include "tests/support/device_script.h"
#include "tests/support/generated_text.h"

namespace regsmith {
namespace {

using testing::DeviceScript;
using testing::Routine;
using testing::ScriptOutcome;

TEST(ResetSourceRules, EntryTakesBit5FromBlock8AndOkMovesItThere) {
    struct Row {
        ResetSourceBytes before;
        ResetSourceBytes entered;  // EnterResetSources
        ResetSourceBytes accepted;  // MoveComparatorResetSource of `before`
    };
    const Row rows[] = {
        {{0x00, 0x00}, {0x00, 0x00}, {0x00, 0x00}},
        {{0x20, 0x00}, {0x00, 0x00}, {0x00, 0x20}},  // chosen while the sheet is open
        {{0x00, 0x20}, {0x20, 0x20}, {0x00, 0x00}},  // stored between runs
        {{0x24, 0x24}, {0x24, 0x24}, {0x04, 0x24}},  // the other sources go along
        {{0x06, 0x24}, {0x26, 0x24}, {0x06, 0x00}},
        {{0x26, 0x00}, {0x06, 0x00}, {0x06, 0x26}},
        {{0x04, 0xFF}, {0x24, 0xFF}, {0x04, 0x00}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(::testing::Message() << std::hex << int(row.before.resetSources) << "/"
                                          << int(row.before.comparatorResetSource));
        EXPECT_EQ(EnterResetSources(row.before), row.entered);
        EXPECT_EQ(MoveComparatorResetSource(row.before), row.accepted);
    }
}

class ResetSourcesSheet : public ::testing::Test {
protected:
    DeviceScript script{[] {
        RegisterSupplyPages();
        RegisterComparatorPages();
        RegisterInterruptPages();
        RegisterPortIOPages();
    }};

    // The RSTSRC line of a routine in the generated C, "" when absent.
    static std::string Rstsrc(const std::string& out, const char* routine) {
        const std::string text = Routine(out, routine, false);
        const std::size_t at = text.find("    RSTSRC    = ");
        return at == std::string::npos ? "" : text.substr(at + 16, 4);
    }
};

TEST_F(ResetSourcesSheet, Block0AndBlock8AfterEachRun) {
    struct Row {
        const char* name;
        const char* lines;  // after "new QK740"; the script ends with "generate"
        const char* block0;  // RSTSRC of Reset_Sources_Init
        const char* block8;  // RSTSRC of Comparator_Reset_Source_Init
    };
    const char* const kComparator = "click \"Enable Comparator 0 as an Active-Low Reset Source\"\n";
    const char* const kMissingClock = "click \"Enable Missing Clock Detector\"\n";
    const std::string open = "menu \"Reset Sources\"\n";
    const std::string chosen = open + kComparator + "ok\n";
    const Row rows[] = {
        {"comparator, OK", "COMPARATOR ok\n", "", "0x20"},
        {"comparator and missing clock, OK", "COMPARATOR MISSING ok\n", "0x04", "0x24"},
        {"missing clock, OK", "MISSING ok\n", "0x04", ""},
        {"comparator, Cancel", "COMPARATOR cancel\n", "", ""},
        {"unchanged second run keeps block 8", "CHOSEN OPEN ok\n", "", "0x20"},
        {"second run unchecks", "CHOSEN OPEN COMPARATOR ok\n", "", ""},
        {"Reset clears both", "CHOSEN OPEN reset\nanswer yes\nok\n", "", ""},
        {"Reset on the other page clears both",
         "CHOSEN OPEN page \"Power-Fail Reset/VDD Monitor\"\nreset\nanswer yes\nok\n", "", ""},
        {"Reset answered No keeps both", "CHOSEN OPEN reset\nanswer no\nok\n", "", "0x20"},
        {"second run adds the missing clock", "CHOSEN OPEN MISSING ok\n", "0x04", "0x24"},
        {"VDD monitor as a source goes along",
         "OPEN page \"Power-Fail Reset/VDD Monitor\"\nclick \"Enable VDD Monitor\"\npage \"Reset Sources\"\n"
         "click \"Enable VDD Monitor as a Reset Source\"\nCOMPARATOR ok\n",
         "0x02", "0x22"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        std::string lines = row.lines;
        auto expand = [&lines](const std::string& word, const std::string& text) {
            for (std::size_t at = lines.find(word); at != std::string::npos; at = lines.find(word, at + text.size()))
                lines.replace(at, word.size() + 1, text);
        };
        expand("CHOSEN", chosen);
        expand("OPEN", open);
        expand("COMPARATOR", kComparator);
        expand("MISSING", kMissingClock);
        if (lines.rfind("menu", 0) != 0) lines = open + lines;
        const ScriptOutcome outcome = script.Run("new QK740\n" + lines + "generate\n");
        ASSERT_EQ(outcome.error, "");
        EXPECT_EQ(Rstsrc(outcome.out, "Reset_Sources_Init"), row.block0);
        EXPECT_EQ(Rstsrc(outcome.out, "Comparator_Reset_Source_Init"), row.block8);
    }
}

TEST_F(ResetSourcesSheet, TheComparatorBoxShowsBlock8OnEveryRun) {
    const ScriptOutcome outcome = script.Run(
        "new QK740\n"
        "menu \"Reset Sources\"\n"
        "click \"Enable Comparator 0 as an Active-Low Reset Source\"\n"
        "ok\n"
        "menu \"Reset Sources\"\n"
        "show \"Enable Comparator 0 as an Active-Low Reset Source\"\n"
        "summary\n"  // bit 5 is back in block 0 while the sheet is open
        "cancel\n");
    ASSERT_EQ(outcome.error, "");
    EXPECT_EQ(outcome.out,
              "check [x] \"Enable Comparator 0 as an Active-Low Reset Source\"\n"
              "    RSTSRC    = 0x20;\n");
}

TEST_F(ResetSourcesSheet, TheVddMonitorIsAResetSourceOnlyWhileItRuns) {
    struct Row {
        const char* name;
        const char* lines;  // on the VDD monitor page, before going back
        const char* shown;  // `show` of the box on "Reset Sources"
        const char* summary;
    };
    const Row rows[] = {
        {"new document", "", "check [ ] \"Enable VDD Monitor as a Reset Source\" disabled\n", ""},
        {"monitor enabled", "click \"Enable VDD Monitor\"\n", "check [ ] \"Enable VDD Monitor as a Reset Source\"\n",
         "    VDM0CN    = 0x80;\n    for (i = 0; i < 20; i++);  // Wait 5us for initialization\n"},
        // Disabling the monitor also drops it as a reset source.
        {"monitor enabled, chosen, disabled",
         "click \"Enable VDD Monitor\"\npage \"Reset Sources\"\nclick \"Enable VDD Monitor as a Reset Source\"\n"
         "page \"Power-Fail Reset/VDD Monitor\"\nclick \"Enable VDD Monitor\"\n",
         "check [ ] \"Enable VDD Monitor as a Reset Source\" disabled\n", ""},
        {"monitor enabled, then Reset", "click \"Enable VDD Monitor\"\nreset\nanswer yes\n",
         "message: Reset all registers to default for this peripheral?\n"
         "check [ ] \"Enable VDD Monitor as a Reset Source\" disabled\n",
         ""},
        {"threshold alone", "click \"VDD Threshold is set to VRST-HIGH\"\n",
         "check [ ] \"Enable VDD Monitor as a Reset Source\" disabled\n",
         "    VDM0CN    = 0x20;\n    for (i = 0; i < 20; i++);  // Wait 5us for initialization\n"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const ScriptOutcome outcome = script.Run(std::string("new QK750\nmenu \"Reset Sources\"\n"
                                                             "page \"Power-Fail Reset/VDD Monitor\"\n") +
                                                 row.lines +
                                                 "page \"Reset Sources\"\n"
                                                 "show \"Enable VDD Monitor as a Reset Source\"\n"
                                                 "summary\n"
                                                 "ok\n");
        ASSERT_EQ(outcome.error, "");
        EXPECT_EQ(outcome.out, std::string(row.shown) + row.summary);
    }
}

}  // namespace
}  // namespace regsmith

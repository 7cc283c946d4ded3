// The waits that the VDD monitor and comparator pages put into the generated
// code, exact in C and assembly, and the C of every page compiling in
// principle: a routine that counts with `i` declares it exactly once.  The
// script cases reset-sources/threshold-without-monitor-declares-i,
// reset-sources/nested-comparator-survives-cancel and
// comparator/enable-wait-c-and-asm check three more paths whole.

#include <gtest/gtest.h>

#include <string>

#include "codegen/generator.h"
#include "pages/comparator/comparator_sheets.h"
#include "pages/interrupts/interrupt_sheets.h"
#include "pages/portio/portio_sheets.h"
#include "pages/supply/supply_sheets.h"
#include "tests/support/device_script.h"
#include "tests/support/generated_text.h"

namespace regsmith {
namespace {

using testing::DeviceScript;
using testing::Routine;
using testing::ScriptOutcome;

int Count(const std::string& text, const std::string& what) {
    int count = 0;
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++count;
    return count;
}

// Every C routine of `text` (from "void " to its closing brace).
std::vector<std::string> CRoutines(const std::string& text) {
    std::vector<std::string> routines;
    for (std::size_t at = text.find("\r\nvoid "); at != std::string::npos; at = text.find("\r\nvoid ", at + 1))
        routines.push_back(text.substr(at + 2, text.find("\r\n}\r\n", at) - at));
    return routines;
}

struct Scenario {
    const char* name;
    const char* lines;  // after "new QK740"
    const char* routine;
    const char* c;      // the routine in C
    const char* assembly;
};

const char* const kVddPage = "menu \"Reset Sources\"\npage \"Power-Fail Reset/VDD Monitor\"\n";
const char* const kWaitC = "    for (i = 0; i < 35; i++);  // Wait 10us for initialization\r\n    CPT0CN    &= ~0x30;\r\n";
const char* const kWaitAsm =
    "    clr  A                     ; Wait 10us for initialization\r\n"
    "    djnz ACC, $\r\n"
    "    anl  CPT0CN,    #0CFh\r\n";

const Scenario kScenarios[] = {
    {"VDD monitor enabled", "{vdd}click \"Enable VDD Monitor\"\nok\n", "Reset_Sources_Init",
     "void Reset_Sources_Init()\r\n{\r\n    int i = 0;\r\n    VDM0CN    = 0x80;\r\n"
     "    for (i = 0; i < 20; i++);  // Wait 5us for initialization\r\n}\r\n",
     "Reset_Sources_Init:\r\n    mov  VDM0CN,    #080h\r\n"
     "    clr  A                     ; Wait 5us for initialization\r\n    djnz ACC,       $\r\n    ret\r\n"},
    // The loop follows VDM0CN whenever it is written, so it brings its counter.
    {"VDD monitor off, VRST-HIGH", "{vdd}click \"VDD Threshold is set to VRST-HIGH\"\nok\n", "Reset_Sources_Init",
     "void Reset_Sources_Init()\r\n{\r\n    int i = 0;\r\n    VDM0CN    = 0x20;\r\n"
     "    for (i = 0; i < 20; i++);  // Wait 5us for initialization\r\n}\r\n",
     "Reset_Sources_Init:\r\n    mov  VDM0CN,    #020h\r\n"
     "    clr  A                     ; Wait 5us for initialization\r\n    djnz ACC,       $\r\n    ret\r\n"},
    // Reset keeps the prologue; the counter is then declared but not used.
    {"VDD monitor enabled, Reset, missing clock",
     "{vdd}click \"Enable VDD Monitor\"\nreset\nanswer yes\npage \"Reset Sources\"\n"
     "click \"Enable Missing Clock Detector\"\nok\n",
     "Reset_Sources_Init", "void Reset_Sources_Init()\r\n{\r\n    int i = 0;\r\n    RSTSRC    = 0x04;\r\n}\r\n",
     "Reset_Sources_Init:\r\n    mov  RSTSRC,    #004h\r\n    ret\r\n"},
    {"comparator enabled with 20 mV both ways",
     "menu Comparator\nclick \"Enable Comparator0\"\nclick \"Positive Hysteresis:/20 mV\"\n"
     "click \"Negative Hysteresis:/20 mV\"\nok\n",
     "Comparator_Init",
     "void Comparator_Init()\r\n{\r\n    int i = 0;\r\n    CPT0CN    = 0x8F;\r\n" "{wait}}\r\n",
     "Comparator_Init:\r\n    mov  CPT0CN,    #08Fh\r\n{wait}    ret\r\n"},
    {"comparator enabled and disabled, hysteresis left",
     "menu Comparator\nclick \"Enable Comparator0\"\nclick \"Positive Hysteresis:/5 mV\"\n"
     "click \"Enable Comparator0\"\nok\n",
     "Comparator_Init", "void Comparator_Init()\r\n{\r\n    CPT0CN    = 0x04;\r\n}\r\n",
     "Comparator_Init:\r\n    mov  CPT0CN,    #004h\r\n    ret\r\n"},
    {"comparator enabled, then Reset", "menu Comparator\nclick \"Enable Comparator0\"\nreset\nanswer yes\n"
     "click \"Enable High Speed Analog Mode\"\nok\n",
     "Comparator_Init", "void Comparator_Init()\r\n{\r\n    CPT0MD    = 0x82;\r\n}\r\n",
     "Comparator_Init:\r\n    mov  CPT0MD,    #082h\r\n    ret\r\n"},
    {"VDD monitor and comparator reset source",
     "{vdd}click \"Enable VDD Monitor\"\npage \"Reset Sources\"\n"
     "click \"Enable Comparator 0 as an Active-Low Reset Source\"\nok\n",
     "Comparator_Reset_Source_Init", "void Comparator_Reset_Source_Init()\r\n{\r\n    RSTSRC    = 0x20;\r\n}\r\n",
     "Comparator_Reset_Source_Init:\r\n    mov  RSTSRC,    #020h\r\n    ret\r\n"},
};

class WaitLoops : public ::testing::Test {
protected:
    DeviceScript script{[] {
        RegisterSupplyPages();
        RegisterComparatorPages();
        RegisterInterruptPages();
        RegisterPortIOPages();
    }};

    // Puts the texts in for the words {wait} (the comparator's wait) and {vdd}
    // (opening the VDD monitor page).
    static std::string Expand(std::string text) {
        const std::string wait = text.rfind("Comparator_Init:", 0) == 0 ? kWaitAsm : kWaitC;
        Replace(text, "{wait}", wait);
        Replace(text, "{vdd}", kVddPage);
        return text;
    }
    static void Replace(std::string& text, const std::string& word, const std::string& by) {
        for (std::size_t at = text.find(word); at != std::string::npos; at = text.find(word, at + by.size()))
            text.replace(at, word.size(), by);
    }
};

TEST_F(WaitLoops, ExactInCAndAssembly) {
    for (const Scenario& scenario : kScenarios) {
        SCOPED_TRACE(scenario.name);
        const ScriptOutcome outcome =
            script.Run("new QK740\n" + Expand(scenario.lines) + "generate\nformat asm\ngenerate\n");
        ASSERT_EQ(outcome.error, "");
        const std::size_t asmStart = outcome.out.find(";------");
        const std::string c = outcome.out.substr(0, asmStart), assembly = outcome.out.substr(asmStart);
        if (scenario.c) {
            EXPECT_EQ(Routine(c, scenario.routine, false), Expand(scenario.c));
        }
        if (scenario.assembly) {
            EXPECT_EQ(Routine(assembly, scenario.routine, true), Expand(scenario.assembly));
        }
    }
}

TEST_F(WaitLoops, EveryRoutineThatCountsWithIDeclaresItOnce) {
    for (const Scenario& scenario : kScenarios) {
        SCOPED_TRACE(scenario.name);
        const ScriptOutcome outcome = script.Run("new QK750\n" + Expand(scenario.lines) + "generate\n");
        ASSERT_EQ(outcome.error, "");
        const std::vector<std::string> routines = CRoutines(outcome.out);
        ASSERT_FALSE(routines.empty());
        for (const std::string& routine : routines) {
            SCOPED_TRACE(routine);
            EXPECT_LE(Count(routine, "int i "), 1);
            if (UsesLoopCounter(routine)) {
                EXPECT_TRUE(DeclaresLoopCounter(routine));
            }
        }
    }
}

}  // namespace
}  // namespace regsmith

// A routine whose lines count with `i` declares it once, whatever its
// prologue holds.

#include <gtest/gtest.h>

#include "codegen/generator.h"
#include "model/k74x_75x_doc.h"
#include "model/register_tables.h"
#include "tests/support/generated_text.h"

namespace regsmith {
namespace {

TEST(LoopCounter, RecognisesTheLoopAndTheDeclaration) {
    struct Row {
        const char* text;
        bool uses;
        bool declares;
    };
    const Row rows[] = {
        {"    for (i = 0; i < 20; i++);\r\n", true, false},
        {"    for (i=0; i<3; i++);\r\n", true, false},
        {"    for (idx = 0; idx < 3; idx++);\r\n", false, false},
        {"    int i = 0;\r\n", false, true},
        {"    int i;\r\n", false, true},
        {"    int index = 0;\r\n", false, false},
        {"    uint i = 0;\r\n", false, false},
        {"", false, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        EXPECT_EQ(UsesLoopCounter(row.text), row.uses);
        EXPECT_EQ(DeclaresLoopCounter(row.text), row.declares);
    }
}

TEST(LoopCounter, TheResetSourcesRoutineDeclaresItOnce) {
    struct Row {
        const char* name;
        std::uint8_t vdm0cn;
        const char* prologue;
        const char* routine;  // Reset_Sources_Init in C; the assembly has no counter
    };
    const Row rows[] = {
        {"monitor enabled", 0x80, "    int i = 0;\r\n",
         "void Reset_Sources_Init()\r\n{\r\n    int i = 0;\r\n    VDM0CN    = 0x80;\r\n"
         "    for (i = 0; i < 20; i++);  // Wait 5us for initialization\r\n}\r\n"},
        {"threshold alone, no prologue", 0x20, "",
         "void Reset_Sources_Init()\r\n{\r\n    int i = 0;\r\n    VDM0CN    = 0x20;\r\n"
         "    for (i = 0; i < 20; i++);  // Wait 5us for initialization\r\n}\r\n"},
        {"another prologue line is kept after the declaration", 0x20, "    // keep\r\n",
         "void Reset_Sources_Init()\r\n{\r\n    int i = 0;\r\n    // keep\r\n    VDM0CN    = 0x20;\r\n"
         "    for (i = 0; i < 20; i++);  // Wait 5us for initialization\r\n}\r\n"},
        {"nothing emitted", 0x00, "", ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        CK74x_75xDoc document(0xD0);
        ASSERT_TRUE(document.OnNewDocument());
        PeripheralBlock& block = document.deviceData.blockMap.at(kBlockResetSources);
        block.cPrologue = row.prologue;
        block.registers[reg::VDM0CN].value = row.vdm0cn;
        EXPECT_EQ(testing::Routine(GenerateCode(document), "Reset_Sources_Init", false), row.routine);
        document.deviceData.codeFormat = kCodeFormatAsm;
        EXPECT_EQ(GenerateCode(document).find("int i"), std::string::npos);
    }
}

}  // namespace
}  // namespace regsmith

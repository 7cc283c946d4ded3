// Projects the catalogue does not know, made by other programs: a device id
// no model has, blocks that are missing.  Run through the built regsmith-cli
// on files the tests build from the register tables.

#include <gtest/gtest.h>

#include "codegen/generator.h"
#include "model/k74x_75x_doc.h"
#include "model/register_tables.h"
#include "tests/model/project_bytes.h"
#include "tests/support/cli_runner.h"

namespace regsmith {
namespace {

using testing::CliResult;
using testing::ProjectBytes;
using testing::ReadFile;
using testing::WriteFile;

class UnknownProjects : public testing::CliTest {
protected:
    // A new project of `model` with SCON0 = 0x10, saved as `name`.
    std::string Project(const std::string& name, std::uint8_t model, std::uint8_t deviceId) {
        CK74x_75xDoc document(model);
        EXPECT_TRUE(document.OnNewDocument());
        document.deviceData.blockMap[kBlockUart].registers[reg::SCON0].value = 0x10;
        document.deviceId = deviceId;
        const std::string path = File(name);
        WriteFile(path, ProjectBytes(document));
        return path;
    }
    // Runs `lines` as a script file.
    CliResult Script(const std::string& lines) {
        WriteFile(File("script.txt"), lines);
        return RunCli({"script", File("script.txt")});
    }
};

// Editing is refused (the script's open, generate), naming the id and the
// known range, and the file stays as it was; dump and diff show what it
// holds and say that the model is unknown.
TEST_F(UnknownProjects, AnUnknownDeviceIdIsShownButNeverEdited) {
    const std::string known = Project("known.rsg", 0xD6, 0xD6);
    const std::string path = Project("unknown.rsg", 0xD6, 0xE0);
    const std::string bytes = ReadFile(path);
    const std::string refusal = "Error: " + path +
                                " is a project of an unknown model: its device id 0xE0 is no QK74x_75x model "
                                "(0xD0-0xDB), so it cannot be opened for editing. The file was not changed.";
    const std::string unknownLine = "model:        unknown: device id 0xE0 is no QK74x_75x model (0xD0-0xDB)\n";

    const CliResult script = Script("open " + path + "\nmenu UART\nok\nsave " + path + "\n");
    EXPECT_EQ(script.status, 1);
    EXPECT_EQ(script.out, "message: " + refusal + "\n");
    EXPECT_EQ(script.err, "line 1: could not open \"" + path + "\"\n");

    struct Case {
        std::vector<std::string> args;
        int status;
        std::string out;  // a part of the standard output ("" for none at all)
        std::string err;  // the whole standard error
    };
    const Case cases[] = {
        {{"generate", path}, 1, "", "regsmith-cli: " + refusal + "\n"},
        {{"generate", path, "-o", File("init.c")}, 1, "", "regsmith-cli: " + refusal + "\n"},
        {{"generate", "--check", path, File("init.c")}, 1, "", "regsmith-cli: " + refusal + "\n"},
        {{"dump", path}, 0, "device id:    0xE0\n" + unknownLine, ""},
        {{"dump", path}, 0, "    [0] \"SCON0\"  value 0x10  reset 0x00  orMode 0  forceEmit 0  (emitted)\n", ""},
        {{"dump", path, "--json"}, 0, "\"deviceId\": 224,\n  \"model\": \"\",\n  \"knownModel\": false,\n", ""},
        {{"dump", known, "--json"}, 0, "\"model\": \"QK750\",\n  \"knownModel\": true,\n", ""},
        {{"dump", "--changed", path}, 0,
         "The model is unknown: device id 0xE0 is no QK74x_75x model (0xD0-0xDB).\n"
         "Changes from a new project:\nUART (block 3)\n  SCON0: 0x00 -> 0x10\n",
         ""},
        {{"diff", known, path}, 1, "model: QK750 -> unknown model (device id 0xE0)\n", ""},
        {{"diff", path, path}, 0, "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args[0] + " " + c.args[1] + " " + c.args.back());
        const CliResult run = RunCli(c.args);
        EXPECT_EQ(run.status, c.status);
        EXPECT_EQ(run.err, c.err);
        if (c.out.empty()) EXPECT_EQ(run.out, "");
        else EXPECT_NE(run.out.find(c.out), std::string::npos) << run.out;
    }
    // The diff names nothing but the model.
    EXPECT_EQ(RunCli({"diff", known, path}).out, "model: QK750 -> unknown model (device id 0xE0)\n");
    EXPECT_EQ(ReadFile(path), bytes);
    EXPECT_FALSE(std::filesystem::exists(File("init.c")));
}

// A project file without the Interrupts block: the sheet starts from the
// register table's reset values (/INT0 on P0.1), an edit stays across pages,
// and OK writes the whole block, so the generated code and the saved project
// are those of a new project with that one edit.
TEST_F(UnknownProjects, AMissingBlockKeepsTheEditAndIsWrittenWhole) {
    CK74x_75xDoc expected(0xD0);
    ASSERT_TRUE(expected.OnNewDocument());
    CK74x_75xDoc missing = expected;
    missing.deviceData.blockMap.erase(kBlockInterrupts);
    const std::string path = File("missing.rsg");
    WriteFile(path, ProjectBytes(missing));
    expected.deviceData.blockMap[kBlockInterrupts].registers[reg::IE].value = 0x10;

    const CliResult run = Script("open " + path +
                                 "\nmenu Interrupts\n"
                                 "show \"Enable UART0 Interrupt\"\n"
                                 "click \"Enable UART0 Interrupt\"\n"
                                 "page \"Interrupt Priority\"\n"
                                 "page \"INT0/INT1 Configuration\"\n"
                                 "show \"/INT0 Port Pin Selection\"\n"
                                 "page \"Enable Interrupts\"\n"
                                 "show \"Enable UART0 Interrupt\"\n"
                                 "summary\n"
                                 "ok\n"
                                 "generate\n"
                                 "save " + File("saved.rsg") + "\n");
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out,
              "check [ ] \"Enable UART0 Interrupt\"\n"
              "list \"/INT0 Port Pin Selection\" = \"P0.1\"\n"
              "check [x] \"Enable UART0 Interrupt\"\n"
              "    IE        = 0x10;\n" +
                  GenerateCode(expected));
    EXPECT_EQ(ReadFile(File("saved.rsg")), ProjectBytes(expected));
    EXPECT_EQ(ReadFile(path), ProjectBytes(missing));
}

// A project file without any block behaves as a new project: every sheet
// accepted without an edit writes its blocks whole at their reset values and
// never changes the generated code, and the project saved at the end is
// byte for byte what the same steps make of a new project.
TEST_F(UnknownProjects, EverySheetAcceptedOnAProjectWithoutBlocksActsAsOnANewProject) {
    CK74x_75xDoc fresh(0xD6);
    ASSERT_TRUE(fresh.OnNewDocument());
    CK74x_75xDoc empty = fresh;
    empty.deviceData.blockMap.clear();
    WriteFile(File("fresh.rsg"), ProjectBytes(fresh));
    WriteFile(File("empty.rsg"), ProjectBytes(empty));

    std::string steps;
    for (const char* sheet : {"Port I/O", "Oscillators", "Timers", "PCA", "UART", "SPI", "ADC", "Comparator",
                              "Voltage Reference", "Voltage Regulator", "Reset Sources", "Interrupts"})
        steps += std::string("menu \"") + sheet + "\"\nok\ngenerate\n";
    std::string texts;
    for (int sheet = 0; sheet < 12; ++sheet) texts += GenerateCode(fresh);
    for (const char* name : {"fresh", "empty"}) {
        SCOPED_TRACE(name);
        const CliResult run =
            Script("open " + File(name + std::string(".rsg")) + "\n" + steps + "save " + File(name + std::string("-saved.rsg")) + "\n");
        ASSERT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(run.out, texts);
    }
    EXPECT_EQ(ReadFile(File("empty-saved.rsg")), ReadFile(File("fresh-saved.rsg")));
}

}  // namespace
}  // namespace regsmith

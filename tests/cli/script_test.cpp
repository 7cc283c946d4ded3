// regsmith-cli script, end to end: the built program reads a script and its
// output, errors and exit status are compared exactly.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "tests/support/cli_runner.h"
#include "tests/support/generated_text.h"

namespace {

using regsmith::testing::CliResult;
using regsmith::testing::CTail;
using regsmith::testing::kCHead;
using regsmith::testing::ReadFile;
using regsmith::testing::ScriptInput;

class ScriptMode : public regsmith::testing::CliTest {
protected:
    // The "Configure Port I/O" buttons work once the crossbar page exists.
    std::string DisabledUnlessCrossbar() {
        const CliResult probe = RunScript("new QK740\nmenu \"Port I/O\"\ncancel\n");
        return probe.status == 0 ? "" : " disabled";
    }
};

const std::string kInterruptsOnly = kCHead +
                                   "void Interrupts_Init()\r\n"
                                   "{\r\n"
                                   "    IE        = 0x01;\r\n"
                                   "}\r\n" +
                                   CTail({"Interrupts_Init"});

// The same script from a file, from standard input, and from standard input
// named "-": an edit in a sheet reaches the generated code.
TEST_F(ScriptMode, SheetEditReachesTheGeneratedCode) {
    for (ScriptInput input : {ScriptInput::kFile, ScriptInput::kStdin, ScriptInput::kStdinDash}) {
        const CliResult result = RunScript(
            "new QK740\n"
            "menu Interrupts\n"
            "click \"Enable /INT0 Interrupt\"\n"
            "ok\n"
            "generate\n",
            input);
        EXPECT_EQ(result.err, "");
        EXPECT_EQ(result.status, 0);
        EXPECT_EQ(result.out, kInterruptsOnly);
    }
}

TEST_F(ScriptMode, CommentsBlankLinesSummaryShowAndCancel) {
    const CliResult result = RunScript(
        "# a comment line\n"
        "\n"
        "new qk740   # the model name is case-insensitive\r\n"
        "menu \"Interrupts\"\n"
        "click \"Enable /INT0 Interrupt\"\n"
        "summary\n"
        "show \"Enable /INT0 Interrupt\"\n"
        "show \"Register Summary\"\n"
        "cancel\n"
        "generate\n");
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(result.status, 0);
    const std::string expectedStart =
        "    IE        = 0x01;\n"
        "check [x] \"Enable /INT0 Interrupt\"\n"
        "textbox \"Register Summary\"\n"
        "  |     IE        = 0x01;\n"
        "/////////////////////////////////////\r\n";
    EXPECT_EQ(result.out.substr(0, expectedStart.size()), expectedStart);
    EXPECT_NE(result.out.find("// Empty configuration"), std::string::npos);
}

TEST_F(ScriptMode, QuestionsReadTheirAnswers) {
    const CliResult result = RunScript(
        "new QK740\n"
        "menu Interrupts\n"
        "click \"Enable /INT0 Interrupt\"\n"
        "reset\n"
        "answer no\n"
        "summary\n"
        "reset\n"
        "# comments may come between a question and its answer\n"
        "answer yes\n"
        "summary\n"
        "click \"Enable /INT0 Interrupt\"\n"
        "ok\n"
        "reset-all\n"
        "answer no\n"
        "reset-all\n"
        "answer yes\n"
        "generate\n");
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(result.status, 0);
    const std::string expectedStart =
        "message: Reset all registers to default for this peripheral?\n"
        "    IE        = 0x01;\n"
        "message: Reset all registers to default for this peripheral?\n"
        "message: Reset all peripheral data to default?\n"
        "message: Reset all peripheral data to default?\n"
        "/////";
    EXPECT_EQ(result.out.substr(0, expectedStart.size()), expectedStart);
    EXPECT_NE(result.out.find("// Empty configuration"), std::string::npos);
}

TEST_F(ScriptMode, FormatSaveSourceSaveAndOpen) {
    const std::filesystem::path source = folder / "init.asm", project = folder / "board.rsg";
    const CliResult result = RunScript(
        "new QK750\n"
        "menu Interrupts\n"
        "click \"Enable /INT0 Interrupt\"\n"
        "ok\n"
        "format asm\n"
        "save-source \"" + source.string() + "\"\n"
        "save " + project.string() + "\n"
        "new QK740\n"
        "open " + project.string() + "\n"
        "generate\n"
        "format c\n"
        "generate\n");
    EXPECT_EQ(result.err, "");
    ASSERT_EQ(result.status, 0);
    const std::string savedSource = ReadFile(source);
    EXPECT_EQ(savedSource.rfind(";------------------------------------\r\n", 0), 0u);
    EXPECT_NE(savedSource.find("    mov  IE,        #001h\r\n"), std::string::npos);
    // The reopened project is in assembly and generates the same text.
    ASSERT_GE(result.out.size(), savedSource.size());
    EXPECT_EQ(result.out.substr(0, savedSource.size()), savedSource);
    EXPECT_EQ(result.out.substr(savedSource.size()), kInterruptsOnly);
}

TEST_F(ScriptMode, PagesListsAndShow) {
    const CliResult result = RunScript(
        "new QK740\n"
        "menu Interrupts\n"
        "page \"INT0/INT1 Configuration\"\n"
        "select \"/INT0 Port Pin Selection\" P0.3\n"
        "click \"/INT1 Active High\"\n"
        "show\n"
        "ok\n");
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out,
              "page \"INT0/INT1 Configuration\"\n"
              "group \"/INT0 Polarity\"\n"
              "radio (*) \"/INT0 Active Low\"\n"
              "radio ( ) \"/INT0 Active High\"\n"
              "group \"/INT0 Port Pin Selection\"\n"
              "list \"/INT0 Port Pin Selection\" = \"P0.3\"\n"
              "button \"/INT0 Port Pin Selection/Configure Port I/O\"" + DisabledUnlessCrossbar() + "\n"
              "group \"/INT1 Polarity\"\n"
              "radio ( ) \"/INT1 Active Low\"\n"
              "radio (*) \"/INT1 Active High\"\n"
              "group \"/INT1 Port Pin Selection\"\n"
              "list \"/INT1 Port Pin Selection\" = \"P0.0\"\n"
              "button \"/INT1 Port Pin Selection/Configure Port I/O\"" + DisabledUnlessCrossbar() + "\n"
              "textbox \"Register Summary\"\n"
              "  |     IT01CF    = 0x83;\n");
}

TEST_F(ScriptMode, ErrorsStopWithTheLineNumber) {
    struct Case {
        const char* script;
        const char* err;
        const char* out;
    };
    const Case cases[] = {
        {"new QK740\nfrobnicate now\ngenerate\n", "line 2: unknown command \"frobnicate\"\n", ""},
        {"generate\n", "line 1: no project is open (use new or open first)\n", ""},
        {"new QK999\n", "line 1: unknown model \"QK999\"\n", ""},
        {"new QK740\nmenu \"Inter\\\"rupts\"\n", "line 2: the menu has no item \"Inter\\\"rupts\"\n", ""},
        {"new QK740\nmenu Interrupts\nclick \"Enable /INT0\n", "line 3: a quoted argument is not closed\n", ""},
        {"new QK740\nmenu Interrupts\nclick \"Enable /INT0 Interrupt\"\n",
         "line 3: the script ended inside the sheet \"Interrupts\"\n", ""},
        {"new QK740\nreset-all\ngenerate\n",
         "line 3: the question \"Reset all peripheral data to default?\" is waiting: answer yes or answer no\n",
         "message: Reset all peripheral data to default?\n"},
        {"new QK740\nreset-all\n",
         "line 2: the script ended before the question \"Reset all peripheral data to default?\" was answered\n",
         "message: Reset all peripheral data to default?\n"},
        {"new QK740\nanswer yes\n", "line 2: no question is waiting for an answer\n", ""},
        {"new QK740\nok\n", "line 2: \"ok\" needs an open sheet or dialog\n", ""},
        {"new QK740\nmenu Interrupts\ngenerate\n",
         "line 3: \"generate\" cannot be used while the sheet \"Interrupts\" is open (ok or cancel it first)\n", ""},
        {"new QK740\nmenu Interrupts\nclick Nothing\n", "line 3: no control \"Nothing\" on \"Enable Interrupts\"\n", ""},
        {"new QK740\nmenu Interrupts\npage Nowhere\n", "line 3: the sheet \"Interrupts\" has no page \"Nowhere\"\n", ""},
        {"new QK741\nmenu Interrupts\nclick \"Enable LIN Interrupt\"\n",
         "line 3: the control \"Enable LIN Interrupt\" is hidden\n", ""},
        {"new QK740\nmenu Interrupts\nselect \"Enable /INT0 Interrupt\" x\n",
         "line 3: \"Enable /INT0 Interrupt\" is not a list\n", ""},
        {"new QK740\nsave\n", "line 2: usage: save PATH\n", ""},
    };
    for (const Case& test : cases) {
        const CliResult result = RunScript(test.script);
        EXPECT_EQ(result.err, test.err) << test.script;
        EXPECT_EQ(result.out, test.out) << test.script;
        EXPECT_NE(result.status, 0) << test.script;
    }
}

TEST_F(ScriptMode, UnwritableTargetsAreErrors) {
    const std::filesystem::path missing = folder / "no-such-folder" / "init.c";
    const CliResult result = RunScript("new QK740\nsave-source " + missing.string() + "\n");
    EXPECT_EQ(result.out, "message: Error: Could Not Open File For Save.\n");
    EXPECT_EQ(result.err, "line 2: could not save the source as \"" + missing.string() + "\"\n");
    EXPECT_NE(result.status, 0);

    const CliResult missingScript = RunScript("");  // an empty script does nothing
    EXPECT_EQ(missingScript.status, 0);
    EXPECT_EQ(missingScript.out, "");
}

}  // namespace

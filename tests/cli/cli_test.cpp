// Runs the built regsmith-cli as a user would and checks its output, files,
// messages and exit status.

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>

#include "codegen/generator.h"
#include "model/k74x_75x_doc.h"
#include "model/register_tables.h"
#include "tests/model/file_bytes.h"
#include "tests/model/project_bytes.h"
#include "tests/support/cli_runner.h"

namespace regsmith {
namespace {

using testing::CliResult;
using testing::FileBytes;
using testing::ProjectBytes;
using testing::ReadFile;
using testing::ShellQuote;
using testing::WriteFile;

class Cli : public testing::CliTest {
protected:
    // A project with something in several blocks, saved as `name`.
    std::string ConfiguredProject(const std::string& name, std::int32_t format, CK74x_75xDoc& document) {
        EXPECT_TRUE(document.OnNewDocument());
        document.deviceData.codeFormat = format;
        document.deviceData.blockMap[kBlockUart].registers[0].value = 0x10;
        document.deviceData.blockMap[kBlockPca].registers[1].value = 0x08;
        document.deviceData.blockMap[kBlockOscillators].registers[1].value = 0xC3;
        const std::string path = File(name);
        WriteFile(path, ProjectBytes(document));
        return path;
    }
};

TEST_F(Cli, ModelsListsTheTwelveModelsWithTheirIds) {
    CliResult run = RunCli({"models"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(std::count(run.out.begin(), run.out.end(), '\n'), 12);
    EXPECT_EQ(run.out.find("QK740"), 0u);
    EXPECT_NE(run.out.find("QK757  0xDB\n"), std::string::npos) << run.out;
}

TEST_F(Cli, NewThenGeneratePrintsTheEmptyConfiguration) {
    const std::string path = File("board.rsg");
    CliResult created = RunCli({"new", "qk750", "-o", path});
    ASSERT_EQ(created.status, 0) << created.err;
    EXPECT_EQ(created.err, "");
    CK74x_75xDoc expected(0xD6);
    ASSERT_TRUE(expected.OnNewDocument());
    EXPECT_EQ(ReadFile(path), ProjectBytes(expected));

    CliResult generated = RunCli({"generate", path});
    EXPECT_EQ(generated.status, 0) << generated.err;
    EXPECT_EQ(generated.out, GenerateCode(expected));
    EXPECT_NE(generated.out.find("// Empty configuration\r\n"), std::string::npos);
}

TEST_F(Cli, GenerateIsByteIdenticalToTheCodeWindowInEveryFormAndOutput) {
    for (std::int32_t own : {kCodeFormatC, kCodeFormatAsm}) {
        CK74x_75xDoc document(0xD0);
        const std::string path = ConfiguredProject("own.rsg", own, document);
        const std::string ownText = GenerateCode(document);
        document.deviceData.codeFormat = kCodeFormatC;
        const std::string cText = GenerateCode(document);
        document.deviceData.codeFormat = kCodeFormatAsm;
        const std::string asmText = GenerateCode(document);

        EXPECT_EQ(RunCli({"generate", path}).out, ownText);
        EXPECT_EQ(RunCli({"generate", path, "--format", "c"}).out, cText);
        EXPECT_EQ(RunCli({"generate", path, "--format", "ASM"}).out, asmText);
        const std::string output = File("init.asm");
        CliResult written = RunCli({"generate", path, "--format", "asm", "-o", output});
        EXPECT_EQ(written.status, 0) << written.err;
        EXPECT_EQ(written.out, "");
        EXPECT_EQ(ReadFile(output), asmText);
        // The project file itself is not touched.
        document.deviceData.codeFormat = own;
        EXPECT_EQ(ReadFile(path), ProjectBytes(document));
    }
}

TEST_F(Cli, DumpShowsEveryFieldWithVisibleEscapes) {
    CK74x_75xDoc document(0xD0);
    ASSERT_TRUE(document.OnNewDocument());
    document.clocks.externalOscFrequency = 11059200;
    document.deviceData.blockMap[kBlockUart].registers[0].value = 0x10;
    document.deviceData.blockMap[kBlockUart].registers[0].cBefore = std::string("tab\there\x01\xE9\"\\\r\n");
    const std::string path = File("dump.rsg");
    WriteFile(path, ProjectBytes(document));

    CliResult text = RunCli({"dump", path});
    EXPECT_EQ(text.status, 0) << text.err;
    for (const char* expected : {
             "device id:    0xD0\n",
             "file format:  major 1, version 81\n",
             "device name:  \"QK740\"\n",
             "code format:  0 (C)\n",
             "clocks:       sysclk 191406, internalOscFrequency 24500000, reservedClockWord 0, "
             "externalOscFrequency 11059200, pcaClockWord 0\n",
             "blocks:       13\n",
             "block 3\n  cHeader:     \"void UART_Init()\\r\\n{\"\n  asmHeader:   \"UART_Init:\\r\\n\"\n",
             "    [0] \"SCON0\"  value 0x10  reset 0x00  orMode 0  forceEmit 0  (emitted)\n"
             "        cBefore:   \"tab\\there\\x01\\xE9\\\"\\\\\\r\\n\"\n",
             "    [12] \"PCA0CPH2\"  value 0x00  reset 0x00  orMode 0  forceEmit 0\n",
             "  asmFooter:   \"    ret\"\n",
         })
        EXPECT_NE(text.out.find(expected), std::string::npos) << expected;

    CliResult json = RunCli({"dump", path, "--json"});
    EXPECT_EQ(json.status, 0) << json.err;
    for (const char* expected : {
             "\"deviceId\": 208,",
             "\"fileFormatVersion\": 81,",
             "\"externalOscFrequency\": 11059200",
             "{\"index\": 0, \"name\": \"SCON0\", \"value\": 16, \"resetValue\": 0, \"orMode\": 0, \"forceEmit\": 0, "
             "\"cBefore\": \"tab\\there\\u0001\\u00E9\\\"\\\\\\r\\n\"",
             "\"cHeader\": \"void UART_Init()\\r\\n{\"",
         })
        EXPECT_NE(json.out.find(expected), std::string::npos) << expected;
    EXPECT_EQ(json.out.back(), '\n');
}

// Every way an output path can point at something precious: the command is
// refused with its reason and the file is as it was, or the output lands
// where it should and links stay links.
TEST_F(Cli, OutputPathsNeverLoseAFile) {
    CK74x_75xDoc document(0xD6);
    const std::string project = ConfiguredProject("p.rsg", kCodeFormatC, document);
    const std::string projectBytes = ReadFile(project), text = GenerateCode(document);
    CK74x_75xDoc other(0xD0);
    const std::string otherProject = ConfiguredProject("other.rsg", kCodeFormatAsm, other);
    FileBytes newer;
    newer.Head(0xD0, 1, 82).Text("QK740").Int32(0).Int32(0);
    WriteFile(File("newer.rsg"), newer.str());
    std::filesystem::create_directory(folder / "sub");
    std::filesystem::create_symlink(project, File("link.rsg"));
    WriteFile(File("readonly.c"), "keep me");
    ::chmod(File("readonly.c").c_str(), 0444);
    WriteFile(File("old.c"), "old");
    WriteFile(File("linked.c"), "old");
    std::filesystem::create_symlink("linked.c", File("link.c"));

    struct Case {
        std::vector<std::string> args;
        int status;
        std::string error;  // a part of stderr ("" for none at all)
        std::string out;
    };
    const std::string refusedSame = "cannot write the output file ";
    const Case cases[] = {
        {{"generate", project, "-o", project}, 1, refusedSame + project + ": it is the project being read", ""},
        {{"generate", project, "-o", File("link.rsg")}, 1, ": it is the project being read", ""},
        {{"generate", project, "-o", File("sub/../p.rsg")}, 1, ": it is the project being read", ""},
        {{"generate", project, "-o", otherProject}, 1, otherProject + ": it holds a Regsmith project", ""},
        {{"generate", project, "-o", File("newer.rsg")}, 1, ": it holds a Regsmith project", ""},
        {{"generate", project, "-o", File("readonly.c")}, 1, File("readonly.c") + ": the file is read-only", ""},
        {{"generate", project, "-o", File("sub")}, 0, "", ""},
        {{"generate", project, "-o", File("old.c")}, 0, "", ""},
        {{"generate", project, "-o", File("link.c")}, 0, "", ""},
        {{"generate", project, "-o", "-"}, 0, "", text},
        {{"generate", project, "-o", "/dev/stdout"}, 0, "", text},
        {{"new", "QK740", "-o", otherProject}, 1, "the project file " + otherProject + " exists already (--force", ""},
        {{"new", "QK740", "-o", File("old.c")}, 1, "exists already", ""},
        {{"new", "QK740", "--force", "-o", File("readonly.c")}, 1, ": the file is read-only", ""},
    };
    for (const Case& c : cases) {
        CliResult run = RunCli(c.args);
        SCOPED_TRACE(c.args[0] + " ... " + c.args.back());
        EXPECT_EQ(run.status, c.status) << run.err;
        if (c.error.empty()) EXPECT_EQ(run.err, "");
        else EXPECT_NE(run.err.find(c.error), std::string::npos) << run.err;
        EXPECT_EQ(run.out, c.out);
    }
    EXPECT_EQ(ReadFile(project), projectBytes);
    EXPECT_EQ(ReadFile(otherProject), ProjectBytes(other));
    EXPECT_EQ(ReadFile(File("newer.rsg")), newer.str());
    EXPECT_EQ(ReadFile(File("readonly.c")), "keep me");
    EXPECT_EQ(ReadFile(File("old.c")), text);
    EXPECT_EQ(ReadFile(File("sub/p.c")), text);
    EXPECT_TRUE(std::filesystem::is_symlink(File("link.c")));
    EXPECT_EQ(ReadFile(File("linked.c")), text);
    EXPECT_TRUE(std::filesystem::is_symlink(File("link.rsg")));

    // --force replaces an existing project.
    CliResult forced = RunCli({"new", "QK740", "--force", "-o", otherProject});
    EXPECT_EQ(forced.status, 0) << forced.err;
    CK74x_75xDoc fresh(0xD0);
    ASSERT_TRUE(fresh.OnNewDocument());
    EXPECT_EQ(ReadFile(otherProject), ProjectBytes(fresh));
}

// Usage errors exit 2, refused inputs 1, each with a message on standard error
// saying what was wrong (naming the file), nothing on standard output and no
// file written.
TEST_F(Cli, ExitStatusesAndMessages) {
    CK74x_75xDoc document(0xD6);
    const std::string project = ConfiguredProject("p.rsg", kCodeFormatC, document);
    WriteFile(File("notes.txt"), "Hello, this is a text file.\n");
    WriteFile(File("random.bin"), std::string("\xD3\x7F\x12\x9C\xFF\xEE\x01\x02\x03\x04\x05", 11));
    FileBytes impossible;
    impossible.Head(0xD0, 1, 0x7FFFFFFF).Text("QK740");
    WriteFile(File("impossible.rsg"), impossible.str());
    FileBytes newer;
    newer.Head(0xD0, 2, 1).Text("QK740").Int32(0).Int32(0);
    const std::string newerPath = File("newer.rsg");
    WriteFile(newerPath, newer.str());
    FileBytes newerCut;  // ends after the model name
    newerCut.Head(0xD0, 3, 12).Text("QK740");
    WriteFile(File("newer-cut.rsg"), newerCut.str());
    FileBytes corrupt;
    corrupt.Head(0xD0, 1, 81).Text("QK740").Int32(0).Int32(1).Int32(99);
    corrupt.Raw(std::string(30, '\0'));
    const std::string corruptPath = File("corrupt.rsg");
    WriteFile(corruptPath, corrupt.str());
    FileBytes big;
    big.Head(0xD0, 1, 81).Text("QK740").Int32(0).Int32(1).Int32(3).Byte(0xFF).UInt16(0xFFFF).Int32(0xFFFFFFFF);
    big.Raw(std::string(40, 'x'));
    const std::string bigPath = File("big.rsg");
    WriteFile(bigPath, big.str());
    const std::string missing = File("missing.rsg");

    struct Case {
        std::vector<std::string> args;
        int status;
        std::vector<std::string> inError;  // parts of the standard error
    };
    const Case cases[] = {
        {{}, 2, {"regsmith-cli: a command is required: models, new, generate, diff, dump, check, report or script"}},
        {{"frobnicate"}, 2, {"regsmith-cli: unknown command frobnicate (see regsmith-cli --help)"}},
        {{"--frob", "models"}, 2, {"unknown option --frob"}},
        {{"generate"}, 2, {"missing FILE"}},
        {{"generate", project, "--bogus"}, 2, {"unknown option --bogus"}},
        {{"generate", project, "--format", "pascal"}, 2, {"pascal"}},
        {{"new", "QK750"}, 2, {"missing --output"}},
        {{"generate", project, "-o", ""}, 2, {"an empty file name"}},
        {{"generate", ""}, 2, {"an empty file name"}},
        {{"script", ""}, 2, {"an empty file name"}},
        {{"dump", project, "--json", "--changed"}, 2, {"--changed"}},
        {{"generate", "--check", project}, 2, {"FILE OUT"}},
        {{"generate", project, project}, 2, {"several projects need -o FOLDER"}},
        {{"generate", project, project, "-o", File("nowhere")}, 2, {"-o must name an existing folder"}},
        {{"diff", project}, 2, {}},
        {{"script", folder.string()}, 1, {"cannot read the script " + folder.string() + ": it is a folder"}},
        {{"script", missing}, 1, {"cannot read the script " + missing + ": No such file or directory"}},
        {{"dump", File("notes.txt")}, 1,
         {File("notes.txt") + " is not a Regsmith project file: its first byte 0x48 is no QK74x_75x device id"}},
        {{"dump", File("random.bin")}, 1, {"is not a Regsmith project file"}},
        {{"dump", File("impossible.rsg")}, 1,
         {"is not a Regsmith project file: format major 1, version 2147483647 is no release's"}},
        {{"generate", newerPath}, 1,
         {"regsmith-cli: the project file " + newerPath + ": Error: This file is not supported under this DLL version"}},
        {{"generate", File("newer-cut.rsg")}, 1,
         {"regsmith-cli: the project file " + File("newer-cut.rsg") +
          ": Error: This file is not supported under this DLL version"}},
        {{"generate", missing}, 1,
         {"regsmith-cli: Error: Could not open the project file " + missing + ": No such file or directory\n"}},
        {{"dump", missing}, 1, {missing, "Could not open"}},
        {{"dump", corruptPath, "--json"}, 1, {corruptPath, "number 99, outside 0-13"}},
        {{"generate", bigPath}, 1, {bigPath, "needs 4294967295 bytes"}},
        {{"new", "QK999", "-o", File("x.rsg")}, 1, {"unknown model \"QK999\""}},
        {{"new", "QK740", "-o", File("no/such/folder.rsg")}, 1, {File("no/such/folder.rsg")}},
        {{"generate", corruptPath, "-o", File("out.c")}, 1, {corruptPath}},
        {{"generate", project, "-o", File("missing/init.c")}, 1, {File("missing/init.c")}},
    };
    for (const Case& c : cases) {
        CliResult run = RunCli(c.args);
        SCOPED_TRACE(c.args.empty() ? "(none)" : c.args[0] + " " + c.args.back());
        EXPECT_EQ(run.status, c.status) << run.err;
        EXPECT_EQ(run.out, "");
        for (const std::string& part : c.inError) EXPECT_NE(run.err.find(part), std::string::npos) << run.err;
    }
    // Nothing was written by the refused commands.
    EXPECT_FALSE(std::filesystem::exists(File("x.rsg")));
    EXPECT_FALSE(std::filesystem::exists(File("out.c")));
    EXPECT_EQ(ReadFile(newerPath), newer.str());
    CliResult version = RunCli({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, "regsmith-cli 1.0\n");
    CliResult help = RunCli({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("  2  a usage error"), std::string::npos) << help.out;
}

// --check, diff and dump --changed on a few pairs of projects.
TEST_F(Cli, CheckDiffAndChanges) {
    CK74x_75xDoc plain(0xD6), uart(0xD6), assembly(0xD6), small(0xD0), fields(0xD6);
    ASSERT_TRUE(plain.OnNewDocument() && uart.OnNewDocument() && assembly.OnNewDocument() && small.OnNewDocument() &&
                fields.OnNewDocument());
    fields.deviceData.blockMap[kBlockInterrupts].registers[reg::IE].value = 0x05;
    fields.deviceData.blockMap[kBlockInterrupts].registers[reg::IT01CF].value = 0x83;
    fields.deviceData.blockMap[kBlockPortIO].registers[reg::P1SKIP].value = 0x08;
    fields.deviceData.blockMap[kBlockPortIO].registers[reg::XBR1].value = 0x42;
    uart.deviceData.blockMap[kBlockUart].registers[0].value = 0x10;
    uart.deviceData.blockMap[kBlockUart].registers[0].forceEmit = 1;
    uart.clocks.externalOscFrequency = 11059200;
    assembly.deviceData.codeFormat = kCodeFormatAsm;
    assembly.deviceData.blockMap[kBlockInterrupts].registers[4].cAfter = "; done\r\n";
    assembly.deviceData.blockMap.erase(kBlockSpi);
    const std::string a = File("a.rsg"), b = File("b.rsg"), c = File("c.rsg"), d = File("d.rsg");
    WriteFile(a, ProjectBytes(plain));
    WriteFile(b, ProjectBytes(uart));
    WriteFile(c, ProjectBytes(assembly));
    WriteFile(d, ProjectBytes(small));
    const std::string e = File("e.rsg");
    WriteFile(e, ProjectBytes(fields));
    WriteFile(File("a.c"), GenerateCode(plain));
    std::string lf = GenerateCode(plain);
    std::erase(lf, '\r');
    WriteFile(File("a-lf.c"), lf);
    plain.deviceData.codeFormat = kCodeFormatAsm;
    WriteFile(File("a.asm"), GenerateCode(plain));
    assembly.deviceData.codeFormat = kCodeFormatC;
    WriteFile(File("c.c"), GenerateCode(assembly));

    struct Case {
        std::vector<std::string> args;
        int status;
        std::string out, error;
    };
    const Case cases[] = {
        {{"generate", "--check", a, File("a.c")}, 0, "", ""},
        {{"generate", "--check", a, File("a-lf.c"), "--line-ends", "lf"}, 0, "", ""},
        // The values of --line-ends and --format in any case.
        {{"generate", "--check", a, File("a-lf.c"), "--line-ends", "lF"}, 0, "", ""},
        {{"generate", "--check", a, File("a.c"), "--line-ends", "CrLf"}, 0, "", ""},
        {{"generate", "--check", a, File("a.asm"), "--format", "aSm"}, 0, "", ""},
        {{"generate", "--check", c, File("c.c"), "--format", "C"}, 0, "", ""},
        {{"generate", "--check", b, File("a.c")}, 1, "",
         "regsmith-cli: " + File("a.c") + " is out of date: line 7 differs from what " + b + " generates\n"},
        {{"generate", "--check", a, File("a-lf.c")}, 1, "", "line 1 differs"},
        {{"generate", "--check", a, File("none.c")}, 1, "", File("none.c") + " is out of date: it does not exist"},
        {{"diff", a, a}, 0, "", ""},
        {{"diff", a, b}, 1,
         "externalOscFrequency: 0 -> 11059200\n"
         "UART (block 3)\n"
         "  SCON0: 0x00 -> 0x10\n"
         "    Enable UART0 Reception: 0 -> 1\n"
         "  SCON0 force emit: 0 -> 1\n",
         ""},
        {{"diff", a, c}, 1,
         "code format: C -> assembly\n"
         "SPI (block 5): only in " + a + "\n"
         "Interrupts (block 13)\n"
         "  IE cAfter: \"\" -> \"; done\\r\\n\"\n",
         ""},
        {{"diff", d, a}, 1, "model: QK740 -> QK750\n", ""},
        // The fields a page shows are named, in its words.
        {{"diff", a, e}, 1,
         "Port I/O (block 11)\n"
         "  P1SKIP: 0x00 -> 0x08\n"
         "    Skip P1.3: 0 -> 1\n"
         "  XBR1: 0x00 -> 0x42\n"
         "    Enable Crossbar: 0 -> 1\n"
         "    PCA (CEX count): 0 -> 2\n"
         "Interrupts (block 13)\n"
         "  IT01CF: 0x01 -> 0x83\n"
         "    /INT1 Active High: 0 -> 1\n"
         "    /INT0 Port Pin Selection: 1 -> 3\n"
         "  IE: 0x00 -> 0x05\n"
         "    Enable /INT1 Interrupt: 0 -> 1\n"
         "    Enable /INT0 Interrupt: 0 -> 1\n",
         ""},
        {{"dump", "--changed", a}, 0, "No changes from a new QK750 project.\n", ""},
        {{"dump", "--changed", b}, 0,
         "Changes from a new QK750 project:\n"
         "externalOscFrequency: 0 -> 11059200\n"
         "UART (block 3)\n"
         "  SCON0: 0x00 -> 0x10\n"
         "    Enable UART0 Reception: 0 -> 1\n"
         "  SCON0 force emit: 0 -> 1\n",
         ""},
    };
    for (const Case& test : cases) {
        CliResult run = RunCli(test.args);
        SCOPED_TRACE(test.args[0] + " " + test.args[1] + " " + test.args[2]);
        EXPECT_EQ(run.status, test.status) << run.err;
        EXPECT_EQ(run.out, test.out);
        if (test.error.empty() || test.error.back() != '\n') EXPECT_NE(run.err.find(test.error), std::string::npos) << run.err;
        else EXPECT_EQ(run.err, test.error);
    }
}

TEST_F(Cli, GenerateSeveralProjectsIntoAFolder) {
    CK74x_75xDoc c(0xD0), assembly(0xD6);
    const std::string first = ConfiguredProject("first.rsg", kCodeFormatC, c);
    const std::string second = ConfiguredProject("second.rsg", kCodeFormatAsm, assembly);
    std::filesystem::create_directory(folder / "out");
    CliResult run = RunCli({"generate", first, second, "-o", File("out"), "--line-ends", "lf"});
    EXPECT_EQ(run.status, 0) << run.err;
    std::string cText = GenerateCode(c), asmText = GenerateCode(assembly);
    std::erase(cText, '\r');
    std::erase(asmText, '\r');
    EXPECT_EQ(ReadFile(File("out/first.c")), cText);
    EXPECT_EQ(ReadFile(File("out/second.asm")), asmText);

    // Two projects that would write one file: the second is refused.
    std::filesystem::create_directory(folder / "again");
    std::filesystem::copy_file(first, folder / "again" / "second.rsg");
    CliResult clash = RunCli({"generate", second, File("again/second.rsg"), "--format", "c", "-o", File("out")});
    EXPECT_EQ(clash.status, 1);
    EXPECT_NE(clash.err.find("another project given writes it too"), std::string::npos) << clash.err;
}

TEST_F(Cli, AFullStandardOutputIsAnError) {
    if (!std::filesystem::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
    CK74x_75xDoc document(0xD0);
    const std::string path = ConfiguredProject("p.rsg", kCodeFormatC, document);
    CK74x_75xDoc other(0xD0);
    const std::string otherPath = ConfiguredProject("q.rsg", kCodeFormatAsm, other);
    WriteFile(File("script.txt"), "new QK740\ngenerate\n");
    const std::string cli = ShellQuote(REGSMITH_CLI) + " --plugins " + ShellQuote(REGSMITH_PLUGIN_DIR) + " ";
    for (const std::string& command : {cli + "models", cli + "diff " + ShellQuote(path) + " " + ShellQuote(otherPath),
                                       cli + "generate " + ShellQuote(path), cli + "dump " + ShellQuote(path),
                                       cli + "dump --changed " + ShellQuote(path),
                                       cli + "script " + ShellQuote(File("script.txt"))}) {
        CliResult run = testing::RunShell("(" + command + " > /dev/full)", folder);
        EXPECT_EQ(run.status, 1) << command;
        EXPECT_NE(run.err.find("cannot write to standard output: No space left on device"), std::string::npos)
            << command << ": " << run.err;
    }
}

// Long names, exclusive creation, hard links, names with a line break, the
// program's own output as input, standard input for --check, help to a
// failing output and a damaged plug-in.
TEST_F(Cli, TheEdgesOfNothingLost) {
    CK74x_75xDoc document(0xD6);
    const std::string project = ConfiguredProject("p.rsg", kCodeFormatC, document);
    const std::string text = GenerateCode(document);
    const std::string longName = File(std::string(251, 'q') + ".rsg");  // 255 bytes
    const std::string longSource = File(std::string(253, 's') + ".c");
    WriteFile(File("linked.c"), "old");
    std::filesystem::create_hard_link(File("linked.c"), File("second-link.c"));
    WriteFile(File("current.c"), text);
    const std::string cli = ShellQuote(REGSMITH_CLI) + " ";
    const std::string lineBreak = File("a\nb.c");

    struct Case {
        std::string command;  // for the shell, after "regsmith-cli "
        int status;
        std::string error;  // all of the standard error
        std::string out;
    };
    const Case cases[] = {
        {"new QK740 -o " + ShellQuote(longName), 0, "", ""},
        {"new QK740 -o " + ShellQuote(longName), 1,
         "regsmith-cli: the project file " + longName + " exists already (--force replaces it)\n", ""},
        {"new QK740 --force -o " + ShellQuote(longName), 0, "", ""},
        {"generate " + ShellQuote(project) + " -o " + ShellQuote(longSource), 0, "", ""},
        {"generate " + ShellQuote(project) + " -o " + ShellQuote(File("linked.c")), 0, "", ""},
        {"generate --check " + ShellQuote(project) + " - < " + ShellQuote(File("current.c")), 0, "", ""},
        {"generate --check " + ShellQuote(project) + " - < " + ShellQuote(project), 1,
         "regsmith-cli: standard input is out of date: line 1 differs from what " + project + " generates\n", ""},
        {"generate --check " + ShellQuote(project) + " " + ShellQuote(lineBreak), 1,
         "regsmith-cli: \"" + File("a\\nb.c") + "\" is out of date: it does not exist (regsmith-cli generate " +
             project + " -o \"" + File("a\\nb.c") + "\")\n",
         ""},
        {"generate " + ShellQuote(lineBreak), 1,
         "regsmith-cli: Error: Could not open the project file \"" + File("a\\nb.c") +
             "\": No such file or directory\n",
         ""},
        {"generate /dev/stdout", 1,
         "regsmith-cli: Error: Could not open the project file /dev/stdout: it is this program's own standard "
         "output\n",
         ""},
        {"--help > /dev/full", 1, "regsmith-cli: cannot write to standard output: No space left on device\n", ""},
        {"generate --help > /dev/full", 1, "regsmith-cli: cannot write to standard output: No space left on device\n",
         ""},
        {"--version >&-", 1, "regsmith-cli: cannot write to standard output: Bad file descriptor\n", ""},
        // With standard output closed the project takes its descriptor: it is still read.
        {"generate " + ShellQuote(project) + " -o " + ShellQuote(File("closed.c")) + " >&-", 0, "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.command);
        CliResult run = testing::RunShell("(" + cli + c.command + ")", folder);
        EXPECT_EQ(run.status, c.status);
        EXPECT_EQ(run.err, c.error);
        EXPECT_EQ(run.out, c.out);
    }
    EXPECT_EQ(ReadFile(longSource), text);
    EXPECT_EQ(ReadFile(File("closed.c")), text);
    EXPECT_EQ(ReadFile(File("second-link.c")), text);
    EXPECT_EQ(std::filesystem::hard_link_count(File("linked.c")), 2u);

    // Two `new` at once onto one name: exactly one of each pair succeeds.
    const std::string pair = "ok=0; for i in 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18 19 20; do " + cli +
                             "new QK740 -o " + ShellQuote(File("race")) + "$i.rsg & a=$!; " + cli + "new QK757 -o " +
                             ShellQuote(File("race")) + "$i.rsg & b=$!; " +
                             "wait $a && ok=$((ok+1)); wait $b && ok=$((ok+1)); done; echo $ok";
    CliResult race = testing::RunShell("(" + pair + ")", folder);
    EXPECT_EQ(race.out, "20\n");
    std::size_t refused = 0;
    for (std::size_t at = race.err.find(" exists already (--force replaces it)\n"); at != std::string::npos;
         at = race.err.find(" exists already (--force replaces it)\n", at + 1))
        ++refused;
    EXPECT_EQ(refused, 20u) << race.err;

    // Its own output through a pipe, also from a script: refused, never waited on.
    WriteFile(File("own.txt"), "open /proc/self/fd/1\n");
    for (const std::string& command :
         {cli + "generate /dev/stdout", cli + "script " + ShellQuote(File("own.txt"))}) {
        CliResult run = testing::RunShell("({ " + command + "; echo \"exit $?\" >&2; } | cat)", folder);
        EXPECT_NE((run.out + run.err).find(": it is this program's own standard output"), std::string::npos)
            << run.out << run.err;
        EXPECT_NE(run.err.find("exit 1"), std::string::npos) << run.err;
    }
}

TEST_F(Cli, ADamagedPlugInIsRefusedAndTheOthersStillLoad) {
    std::string real;
    for (const auto& entry : std::filesystem::directory_iterator(REGSMITH_PLUGIN_DIR))
        if (entry.path().extension() == ".so") real = ReadFile(entry.path().string());
    std::filesystem::create_directories(folder / "damaged");
    WriteFile(File("damaged/Broken.so"), real.substr(0, 5000));
    CliResult alone = RunCli({"--plugins", File("damaged"), "models"});
    EXPECT_EQ(alone.status, 1);
    EXPECT_EQ(alone.out, "");
    EXPECT_EQ(alone.err.rfind("regsmith-cli: " + File("damaged/Broken.so") + ": its segment ", 0), 0u) << alone.err;
    EXPECT_NE(alone.err.find("\nregsmith-cli: no device plug-in could be loaded from " + File("damaged") + "\n"),
              std::string::npos)
        << alone.err;

    WriteFile(File("damaged/K74x_75x.so"), real);
    CliResult with = RunCli({"--plugins", File("damaged"), "models"});
    EXPECT_EQ(with.status, 0);
    EXPECT_NE(with.out.find("QK757"), std::string::npos);
    EXPECT_NE(with.err.find(File("damaged/Broken.so") + ": its segment "), std::string::npos) << with.err;
}

}  // namespace
}  // namespace regsmith

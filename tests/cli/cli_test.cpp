// Runs the built regsmith-cli as a user would and checks its output, files,
// messages and exit status.

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>

#include "model/k74x_75x_doc.h"
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
    EXPECT_EQ(generated.out, expected.GenerateCode());
    EXPECT_NE(generated.out.find("// Empty configuration\r\n"), std::string::npos);
}

TEST_F(Cli, GenerateIsByteIdenticalToTheCodeWindowInEveryFormAndOutput) {
    for (std::int32_t own : {kCodeFormatC, kCodeFormatAsm}) {
        CK74x_75xDoc document(0xD0);
        const std::string path = ConfiguredProject("own.rsg", own, document);
        const std::string ownText = document.GenerateCode();
        document.deviceData.codeFormat = kCodeFormatC;
        const std::string cText = document.GenerateCode();
        document.deviceData.codeFormat = kCodeFormatAsm;
        const std::string asmText = document.GenerateCode();

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

TEST_F(Cli, ErrorsGoToStderrWithTheFileAndANonZeroStatus) {
    const std::string missing = File("missing.rsg");
    FileBytes newer;
    newer.Head(0xD0, 2, 1).Text("QK740").Int32(0).Int32(0);
    const std::string newerPath = File("newer.rsg");
    WriteFile(newerPath, newer.str());
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

    struct Case {
        std::vector<std::string> args;
        std::vector<std::string> inMessage;
    };
    const Case cases[] = {
        {{"generate", missing}, {missing, "Could not open", "No such file"}},
        {{"dump", missing}, {missing, "Could not open"}},
        {{"generate", newerPath}, {newerPath, "Error: This file is not supported under this DLL version"}},
        {{"dump", corruptPath, "--json"}, {corruptPath, "number 99, outside 0-13"}},
        {{"generate", bigPath}, {bigPath, "needs 4294967295 bytes"}},
        {{"new", "QK999", "-o", File("x.rsg")}, {"unknown model \"QK999\""}},
        {{"new", "QK740", "-o", File("no/such/folder.rsg")}, {File("no/such/folder.rsg")}},
        {{"generate", corruptPath, "-o", File("out.c")}, {corruptPath}},
    };
    for (const Case& c : cases) {
        CliResult run = RunCli(c.args);
        EXPECT_NE(run.status, 0) << c.args[0] << " " << c.args[1];
        EXPECT_EQ(run.out, "") << c.args[0] << " " << c.args[1];
        for (const std::string& part : c.inMessage)
            EXPECT_NE(run.err.find(part), std::string::npos) << run.err << " lacks " << part;
    }
    // Nothing was written by the failed commands.
    EXPECT_FALSE(std::filesystem::exists(File("x.rsg")));
    EXPECT_FALSE(std::filesystem::exists(File("out.c")));
    EXPECT_EQ(ReadFile(newerPath), newer.str());
}

TEST_F(Cli, GenerateToAnUnwritablePlaceFailsAndKeepsTheOldOutput) {
    CK74x_75xDoc document(0xD0);
    const std::string path = ConfiguredProject("p.rsg", kCodeFormatC, document);
    CliResult run = RunCli({"generate", path, "-o", File("missing/init.c")});
    EXPECT_NE(run.status, 0);
    EXPECT_NE(run.err.find(File("missing/init.c")), std::string::npos) << run.err;
    // Standard output that cannot be written is an error too.
    if (std::filesystem::exists("/dev/full")) {
        const std::string command =
            ShellQuote(REGSMITH_CLI) + " generate " + ShellQuote(path) + " >/dev/full 2>/dev/null";
        const int raw = std::system(command.c_str());
        EXPECT_TRUE(WIFEXITED(raw) && WEXITSTATUS(raw) != 0);
        const std::string dump =
            ShellQuote(REGSMITH_CLI) + " dump " + ShellQuote(path) + " >/dev/full 2>/dev/null";
        const int rawDump = std::system(dump.c_str());
        EXPECT_TRUE(WIFEXITED(rawDump) && WEXITSTATUS(rawDump) != 0);
    }
}

}  // namespace
}  // namespace regsmith

// The configuration report as a user gets it from regsmith-cli: a project
// configured through the real sheets, then its report in the three formats.

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "fw/report.h"
#include "tests/support/cli_runner.h"

namespace regsmith {
namespace {

using testing::CliResult;
using testing::ReadFile;
using testing::RunShell;
using testing::ShellQuote;
using testing::WriteFile;

// UART0 at 115200 bps from Timer 1 on a 24.5 MHz SYSCLK, reception on, TX
// and RX routed to P0.4 and P0.5.
const char* const kBoardScript = R"script(new QK750
menu Oscillators
click "Internal Oscillator / 1  (24.5 MHz)"
ok
menu UART
click "Configure UART Baud Rate"
click "Change Baud Rate"
type "Target Baud Rate" 115200
ok
answer yes
ok
click "Enable UART0 Reception"
click "Configure Port I/O"
click UART0
click "Enable Crossbar"
ok
ok
save board.rsg
)script";

class Report : public testing::CliTest {
protected:
    std::string Board() {
        WriteFile(File("board.txt"), kBoardScript);
        const CliResult made = RunShell("cd " + ShellQuote(folder.string()) + " && " +
                                            testing::ScriptCommand(File("board.txt"), testing::ScriptInput::kFile),
                                        folder);
        EXPECT_EQ(made.status, 0) << made.err;
        return File("board.rsg");
    }
};

// What every format must say of the board, in the reader's words.
const std::vector<std::string> kBoardFacts = {
    "QK750", "large package", "0xD6",                         // title block
    "P0.4", "UART0 TX", "P0.5", "UART0 RX",                   // pin table
    "SYSCLK", "24500000 Hz", "115566 bps",                    // clock list
    "Enable UART0 Reception: on", "Enable Crossbar",          // settings in the pages' captions
    "UART_Init",                                              // the generated source
};

TEST_F(Report, EveryFormatHoldsTheFactsAndTwoRunsGiveTheSameBytes) {
    const std::string board = Board();
    for (const char* extension : {".html", ".md", ".pdf"}) {
        SCOPED_TRACE(extension);
        const std::string first = File(std::string("first") + extension);
        const std::string second = File(std::string("second") + extension);
        ASSERT_EQ(RunCli({"report", board, "-o", first}).status, 0);
        ASSERT_EQ(RunCli({"report", board, "-o", second}).status, 0);
        EXPECT_TRUE(ReadFile(first) == ReadFile(second));  // the same bytes (not printed: a PDF is long)

        std::string text = ReadFile(first);
        if (std::string(extension) == ".pdf") {
            ASSERT_EQ(text.rfind("%PDF-", 0), 0u);
            const CliResult extracted = RunShell("pdftotext -layout " + ShellQuote(first) + " -", folder);
            ASSERT_EQ(extracted.status, 0) << extracted.err;
            text = extracted.out;
            EXPECT_NE(text.find("Page 1 of"), std::string::npos);
        }
        for (const std::string& fact : kBoardFacts) EXPECT_NE(text.find(fact), std::string::npos) << fact;
        // The date only when asked for.
        EXPECT_EQ(text.find("Date"), std::string::npos);
    }
}

TEST_F(Report, HtmlIsValidSelfContainedAndFollowsTheReadersTheme) {
    const std::string board = Board();
    const CliResult html = RunCli({"report", board});  // HTML on standard output
    ASSERT_EQ(html.status, 0) << html.err;
    WriteFile(File("out.html"), html.out);
    const CliResult tidy = RunShell("tidy -q -e " + ShellQuote(File("out.html")), folder);
    EXPECT_EQ(tidy.status, 0) << tidy.err;
    EXPECT_EQ(html.out.find("<script"), std::string::npos);
    EXPECT_EQ(html.out.find("src="), std::string::npos);
    EXPECT_EQ(html.out.find("href="), std::string::npos);
    EXPECT_NE(html.out.find("prefers-color-scheme: dark"), std::string::npos);
    EXPECT_NE(html.out.find("@media print"), std::string::npos);
    EXPECT_NE(html.out.find("<svg"), std::string::npos);
}

TEST_F(Report, MarkdownHasTablesAndTheSourceFenced) {
    const std::string board = Board();
    const CliResult md = RunCli({"report", board, "--format", "md", "--date"});
    ASSERT_EQ(md.status, 0) << md.err;
    EXPECT_NE(md.out.find("| Pin | Function | Signal | Mode | Output | Skipped |"), std::string::npos);
    EXPECT_NE(md.out.find("\n```c\n"), std::string::npos);
    EXPECT_NE(md.out.find("| Date | "), std::string::npos);
    EXPECT_EQ(md.out.find("\r"), std::string::npos);
}

TEST_F(Report, SeveralProjectsIntoAFolder) {
    const std::string board = Board();
    std::filesystem::copy_file(board, File("copy.rsg"));
    std::filesystem::create_directory(File("out"));
    ASSERT_EQ(RunCli({"report", board, File("copy.rsg"), "-o", File("out"), "--format", "md"}).status, 0);
    EXPECT_NE(ReadFile(File("out/board.md")).find("# Configuration report: board.rsg - QK750"), std::string::npos);
    EXPECT_NE(ReadFile(File("out/copy.md")).find("# Configuration report: copy.rsg - QK750"), std::string::npos);
}

// Refusals: the status, and that nothing was written.
TEST_F(Report, RefusesDamagedProjectsAndOutputsOverProjects) {
    const std::string board = Board();
    const std::string before = ReadFile(board);
    WriteFile(File("damaged.rsg"), before.substr(0, before.size() / 2));
    struct Case {
        std::vector<std::string> args;
        int status;
        std::string written;  // a file that must not exist afterwards ("" for none)
    } cases[] = {
        {{"report", File("damaged.rsg"), "-o", File("damaged.html")}, 1, File("damaged.html")},
        {{"report", board, "-o", board, "--format", "html"}, 1, ""},
        {{"report", board, "-o", File("report.txt")}, 2, File("report.txt")},
        {{"report", board, "--format", "pdf"}, 2, ""},
        {{"report", board, File("missing.rsg")}, 2, ""},
    };
    for (const Case& c : cases) {
        const CliResult result = RunCli(c.args);
        EXPECT_EQ(result.status, c.status) << c.args[1] << " " << result.err;
        EXPECT_FALSE(result.err.empty());
        if (!c.written.empty()) {
            EXPECT_FALSE(std::filesystem::exists(c.written)) << c.written;
        }
    }
    EXPECT_EQ(ReadFile(board), before);
}

TEST(ReportFormat, FromNamesAndExtensions) {
    EXPECT_EQ(fw::ReportFormatOfPath("a/b.HTML"), fw::ReportFormat::Html);
    EXPECT_EQ(fw::ReportFormatOfPath("b.htm"), fw::ReportFormat::Html);
    EXPECT_EQ(fw::ReportFormatOfPath("b.md"), fw::ReportFormat::Markdown);
    EXPECT_EQ(fw::ReportFormatOfPath("b.pdf"), fw::ReportFormat::Pdf);
    EXPECT_FALSE(fw::ReportFormatOfPath("b.txt"));
    EXPECT_FALSE(fw::ReportFormatOfPath(".pdf"));
    EXPECT_FALSE(fw::ReportFormatOfPath("pdf"));
    EXPECT_EQ(fw::ReportFormatNamed("PDF"), fw::ReportFormat::Pdf);
}

TEST(ReportClockTree, ChildrenUnderTheirSourceAndDamagedSourcesAsRoots) {
    std::vector<fw::ClockInfo> clocks(5);
    const char* ids[][2] = {{"osc", ""}, {"sysclk", "osc"}, {"t1", "sysclk"}, {"ext", ""}, {"loop", "later"}};
    for (int i = 0; i < 5; ++i) {
        clocks[i].id = ids[i][0];
        clocks[i].source = ids[i][1];
    }
    const std::vector<fw::ClockBoxPlace> places = fw::ClockTreeLayout(clocks);
    const int expected[][2] = {{0, 0}, {1, 1}, {2, 2}, {0, 3}, {0, 4}};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(places[i].column, expected[i][0]) << i;
        EXPECT_EQ(places[i].row, expected[i][1]) << i;
    }
}

TEST(ReportMarkdown, CellsCannotBreakTheTable) {
    fw::ReportContent content;
    content.fileName = "a|b.rsg";
    content.overview.problems.push_back({fw::Severity::Warning, "UART0", "x | y\nz", {"Timers", "Timer 1"}});
    const std::string md = fw::ReportMarkdown(content);
    EXPECT_NE(md.find("| warning | UART0 | x \\| y z | Timers > Timer 1 |"), std::string::npos) << md;
    EXPECT_NE(md.find("a\\|b.rsg"), std::string::npos);
}

}  // namespace
}  // namespace regsmith

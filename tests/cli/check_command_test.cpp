// regsmith-cli check: the problem lines, the summary, the exit statuses with
// and without --werror, --json, unreadable projects; dump --pins and --clocks.

#include <gtest/gtest.h>

#include "tests/support/cli_runner.h"
#include "tests/support/files.h"

namespace regsmith {
namespace {

class CheckCommand : public testing::CliTest {
protected:
    // Saves the project a script builds (after "new QK750") as `name`.
    void Project(const std::string& name, const std::string& script) {
        testing::WriteFile(File(name + ".txt"), "new QK750\n" + script + "save " + File(name) + "\n");
        const testing::CliResult made = RunCli({"script", File(name + ".txt")});
        ASSERT_EQ(made.status, 0) << made.err;
    }
};

constexpr const char* kWatchdogNote =
    "note: Watchdog: The watchdog is enabled with a 16.0 ms timeout: the firmware must feed it, or it resets the "
    "device [PCA > Module 2/WDT]\n";

TEST_F(CheckCommand, LinesSummaryAndExitStatuses) {
    // A warning only: timer 1 set up by the calculator, stopped, UART0 routed.
    Project("warning.rsg",
            "menu Timers\npage \"Timer 1\"\nclick \"Change Baud Rate\"\ntype \"Target Baud Rate\" 9600\nok\n"
            "answer yes\nok\nmenu \"Port I/O\"\nclick UART0\nclick \"Enable Crossbar\"\nok\n");
    // An error: UART0 receives without its pins.
    Project("error.rsg", "menu UART\nclick \"Enable UART0 Reception\"\nok\n");
    Project("clean.rsg", "");

    struct Row {
        std::vector<std::string> args;
        int status;
        std::string out;
    };
    const std::string warning = File("warning.rsg");
    const std::string error = File("error.rsg");
    const std::string clean = File("clean.rsg");
    const std::string warningLines =
        warning + ": warning: UART0: Timer 1 is stopped, so UART0 has no baud clock [Timers > Timer 1]\n" + warning +
        ": " + kWatchdogNote + warning +
        ": note: UART0: UART0 runs at 9570 bps, 0.31 % below the standard 9600 bps [Timers > Timer 1]\n";
    const Row rows[] = {
        {{"check", clean}, 0, clean + ": " + kWatchdogNote + "0 errors, 0 warnings, 1 note\n"},
        {{"check", "--werror", clean}, 0, clean + ": " + kWatchdogNote + "0 errors, 0 warnings, 1 note\n"},
        {{"check", warning}, 0, warningLines + "0 errors, 1 warning, 2 notes\n"},
        {{"check", "--werror", warning}, 1, warningLines + "0 errors, 1 warning, 2 notes\n"},
        {{"check", error, clean}, 1,
         error + ": error: UART0: UART0 is in use but not enabled on the crossbar, so TX and RX have no pins "
                 "[Port I/O > Priority Crossbar]\n" +
             error +
             ": warning: UART0: Timer 1 is not an 8-bit auto-reload timer, so UART0 has no steady baud clock "
             "[Timers > Timer 1]\n" +
             error + ": warning: UART0: UART0 runs at 31 bps, 89.67 % below the standard 300 bps [Timers > Timer 1]\n" +
             error + ": " + kWatchdogNote + clean + ": " + kWatchdogNote + "1 error, 2 warnings, 2 notes\n"},
        {{"check", "--json", clean}, 0,
         "{\"files\": [{\"file\": \"" + clean +
             "\", \"model\": \"QK750\", \"problems\": [\n  {\"severity\": \"note\", \"peripheral\": \"Watchdog\", "
             "\"message\": \"The watchdog is enabled with a 16.0 ms timeout: the firmware must feed it, or it resets "
             "the device\", \"sheet\": \"PCA\", \"page\": \"Module 2/WDT\"}\n]}],\n\"errors\": 0, \"warnings\": 0, "
             "\"notes\": 1}\n"},
    };
    for (const Row& row : rows) {
        const testing::CliResult run = RunCli(row.args);
        EXPECT_EQ(run.status, row.status) << row.args.back();
        EXPECT_EQ(run.out, row.out);
        EXPECT_EQ(run.err, "");
    }
}

TEST_F(CheckCommand, UnreadableProjectFailsButTheOthersAreChecked) {
    Project("clean.rsg", "");
    testing::WriteFile(File("broken.rsg"), "not a project");
    const testing::CliResult run = RunCli({"check", File("broken.rsg"), File("clean.rsg")});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, File("clean.rsg") + ": " + kWatchdogNote + "0 errors, 0 warnings, 1 note\n");
    EXPECT_NE(run.err.find(File("broken.rsg")), std::string::npos) << run.err;

    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {"check"}, {"check", ""}, {"dump", "--pins", "--clocks", File("clean.rsg")}})
        EXPECT_EQ(RunCli(args).status, 2) << args.size();
}

TEST_F(CheckCommand, DumpPinsAndClocks) {
    Project("board.rsg", "menu \"Port I/O\"\nclick UART0\nclick \"Enable Crossbar\"\nok\n");
    const testing::CliResult pins = RunCli({"dump", "--pins", File("board.rsg")});
    EXPECT_EQ(pins.status, 0);
    EXPECT_NE(pins.out.find("P0.4  peripheral   UART0 TX         digital  open-drain  -\n"), std::string::npos)
        << pins.out;
    const testing::CliResult json = RunCli({"dump", "--pins", "--json", File("board.rsg")});
    EXPECT_NE(json.out.find("{\"name\": \"P0.5\", \"function\": \"peripheral\", \"signal\": \"UART0 RX\", \"analog\": "
                            "false, \"pushPull\": false, \"skipped\": false}"),
              std::string::npos)
        << json.out;
    const testing::CliResult clocks = RunCli({"dump", "--clocks", "--json", File("board.rsg")});
    EXPECT_NE(clocks.out.find("{\"id\": \"sysclk\", \"name\": \"SYSCLK\", \"source\": \"intdiv\", \"value\": 191406, "
                              "\"unit\": \"Hz\", \"text\": \"191406 Hz\", \"detail\": \"internal oscillator / 128\", "
                              "\"running\": true, \"sheet\": \"Oscillators\", \"page\": \"SYSCLK Select\"}"),
              std::string::npos)
        << clocks.out;
}

}  // namespace
}  // namespace regsmith

#include "tests/support/cli_runner.h"

#include <sys/wait.h>

#include <cstdlib>

namespace regsmith::testing {

std::string ShellQuote(const std::string& word) {
    std::string quoted = "'";
    for (char c : word) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

namespace {
std::string CurrentTestName() {
    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    return test ? std::string(test->test_suite_name()) + "-" + test->name() : "test";
}
}  // namespace

CliTest::CliTest() : scratch_("cli-" + CurrentTestName()) {}

CliResult CliTest::RunCli(const std::vector<std::string>& args) {
    std::string command = ShellQuote(REGSMITH_CLI);
    for (const std::string& arg : args) command += " " + ShellQuote(arg);
    return RunShell(command, folder);
}

std::string ScriptCommand(const std::filesystem::path& scriptFile, ScriptInput input) {
    std::string command = ShellQuote(REGSMITH_CLI) + " --plugins " + ShellQuote(REGSMITH_PLUGIN_DIR) + " script ";
    if (input == ScriptInput::kStdinDash) command += "- ";
    if (input != ScriptInput::kFile) command += "< ";
    return command + ShellQuote(scriptFile.string());
}

CliResult RunShell(const std::string& command, const std::filesystem::path& folder) {
    const std::filesystem::path outFile = folder / "stdout.txt", errFile = folder / "stderr.txt";
    const std::string redirected =
        command + " > " + ShellQuote(outFile.string()) + " 2> " + ShellQuote(errFile.string());
    CliResult result;
    const int raw = std::system(redirected.c_str());
    result.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    result.out = ReadFile(outFile);
    result.err = ReadFile(errFile);
    return result;
}

}  // namespace regsmith::testing

#pragma once
// Runs the built regsmith-cli from tests: a scratch folder per test, the
// program started through the shell with its standard output and error
// caught in files, and the exit status.  Script cases (tests/scripts) use the
// same shell commands.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/files.h"
#include "tests/support/scratch_folder.h"

namespace regsmith::testing {

// `word` in single quotes, safe for the shell.
std::string ShellQuote(const std::string& word);

// Where `script` reads its script from.
enum class ScriptInput {
    kFile,       // script FILE
    kStdin,      // script < FILE
    kStdinDash,  // script - < FILE
};

struct CliResult {
    std::string out;
    std::string err;
    int status = -1;  // the exit status, or -1 if the program did not exit normally
};

// Runs `command` through the shell; its standard output and error are caught
// in files of `folder`.
CliResult RunShell(const std::string& command, const std::filesystem::path& folder);

// The shell command that runs `regsmith-cli script` with the built plug-ins
// on `scriptFile`, handed over as `input` says.
std::string ScriptCommand(const std::filesystem::path& scriptFile, ScriptInput input);

class CliTest : public ::testing::Test {
protected:
    CliTest();

    // A path inside the test's folder.
    std::string File(const std::string& name) const { return scratch_.File(name); }

    // Runs regsmith-cli with exactly `args`.
    CliResult RunCli(const std::vector<std::string>& args);

    ScratchFolder scratch_;  // a folder of this test's own, named after the test
    const std::filesystem::path& folder = scratch_.Path();
};

}  // namespace regsmith::testing

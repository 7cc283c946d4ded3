// The script cases: every tests/scripts/<folder>/<case>.txt is one test that
// runs the case through `regsmith-cli script` in a scratch working folder and
// compares, byte for byte, its standard output with <case>.expected, its
// error and exit status with the case's "# error:" line, and the files it
// writes with <case>.files/.  With REGSMITH_UPDATE_EXPECTED=1 the expected
// files are written from what the program printed instead.  The format is
// described in tests/scripts/README.md.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <map>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "tests/support/cli_runner.h"
#include "tests/support/files.h"
#include "tests/support/scratch_folder.h"
#include "tests/support/script_cases.h"

namespace regsmith::testing {
namespace {

namespace fs = std::filesystem;

// What a case's "# input:" and "# error:" lines say.
struct Directives {
    std::vector<ScriptInput> inputs{ScriptInput::kFile};
    std::optional<std::string> error;  // the whole standard error, without its line end
};

Directives ReadDirectives(const std::string& script) {
    Directives directives;
    std::istringstream lines(script);
    std::string line;
    while (std::getline(lines, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.rfind("# error: ", 0) == 0) {
            EXPECT_FALSE(directives.error) << "a case expects one error";
            directives.error = line.substr(9);
        } else if (line.rfind("# input:", 0) == 0) {
            directives.inputs.clear();
            std::istringstream words(line.substr(8));
            for (std::string word; words >> word;) {
                if (word == "file") directives.inputs.push_back(ScriptInput::kFile);
                else if (word == "stdin") directives.inputs.push_back(ScriptInput::kStdin);
                else if (word == "-") directives.inputs.push_back(ScriptInput::kStdinDash);
                else ADD_FAILURE() << "unknown input \"" << word << "\" (file, stdin or -)";
            }
        }
    }
    return directives;
}

const char* InputName(ScriptInput input) {
    switch (input) {
        case ScriptInput::kFile: return "script FILE";
        case ScriptInput::kStdin: return "script < FILE";
        case ScriptInput::kStdinDash: return "script - < FILE";
    }
    return "?";
}

bool UpdateRequested() {
    const char* update = std::getenv("REGSMITH_UPDATE_EXPECTED");
    return update && std::string(update) == "1";
}

class ScriptCase : public ::testing::Test {
public:
    explicit ScriptCase(fs::path script) : script_(std::move(script)) {}

    void TestBody() override {
        const Directives directives = ReadDirectives(ReadFile(script_));
        const fs::path expectedOut = CaseSibling(script_, ".expected");
        const fs::path expectedFiles = CaseSibling(script_, ".files");
        const bool update = UpdateRequested();
        for (ScriptInput input : directives.inputs) {
            SCOPED_TRACE(InputName(input));
            ScratchFolder folder("script-" + ScriptCaseName(script_));
            const fs::path work = folder.Path() / "work";
            fs::create_directories(work);
            const CliResult result =
                RunShell("cd " + ShellQuote(work.string()) + " && " + ScriptCommand(script_, input), folder.Path());

            EXPECT_EQ(result.err, directives.error ? *directives.error + "\n" : "");
            EXPECT_EQ(result.status, directives.error ? 1 : 0);
            if (update && (!result.out.empty() || fs::exists(expectedOut))) WriteFile(expectedOut, result.out);
            EXPECT_EQ(result.out, ReadFile(expectedOut)) << "standard output differs from " << expectedOut.string();

            std::error_code none;
            for (const fs::directory_entry& expected : fs::directory_iterator(expectedFiles, none)) {
                const fs::path written = work / expected.path().filename();
                if (!fs::exists(written)) {
                    ADD_FAILURE() << "the script wrote no " << written.filename();
                    continue;
                }
                if (update) WriteFile(expected.path(), ReadFile(written));
                EXPECT_EQ(ReadFile(written), ReadFile(expected.path())) << written.filename() << " differs";
            }
            if (HasFailure()) {
                folder.Keep();
                std::cerr << "The case's working folder is kept: " << work.string() << "\n";
            }
        }
    }

private:
    fs::path script_;
};

// Every file under tests/scripts belongs to a case (or is its README or this
// driver), so a misnamed expected file cannot go unnoticed, and no two cases
// share a test name.
TEST(ScriptCases, EveryFileBelongsToACase) {
    const fs::path& kCases = ScriptCasesFolder();
    const std::vector<fs::path> cases = ScriptCaseFiles();
    EXPECT_FALSE(cases.empty()) << "no cases under " << kCases.string();
    std::set<fs::path> scripts(cases.begin(), cases.end());
    std::map<std::string, fs::path> names;
    for (const fs::path& script : cases) {
        const auto [other, fresh] = names.emplace(ScriptCaseName(script), script);
        EXPECT_TRUE(fresh) << script.string() << " and " << other->second.string() << " have one test name";
    }
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(kCases)) {
        const fs::path& path = entry.path();
        if (entry.is_directory()) {
            if (path.extension() == ".files") {
                EXPECT_TRUE(scripts.count(CaseSibling(path, ".txt"))) << path.string() << " belongs to no case";
            }
            continue;
        }
        if (path.parent_path().extension() == ".files") continue;
        if (path == kCases / "README.md" || path == kCases / "driver.cpp" || path.extension() == ".txt") continue;
        EXPECT_TRUE(path.extension() == ".expected" && scripts.count(CaseSibling(path, ".txt")))
            << path.string() << " belongs to no case";
    }
}

void RegisterCases() {
    std::set<std::string> registered;
    for (const fs::path& script : ScriptCaseFiles()) {
        const std::string name = ScriptCaseName(script);
        if (!registered.insert(name).second) continue;  // EveryFileBelongsToACase reports it
        ::testing::RegisterTest("Script", name.c_str(), nullptr, nullptr, script.c_str(), 1,
                                [script]() -> ::testing::Test* { return new ScriptCase(script); });
    }
}

}  // namespace
}  // namespace regsmith::testing

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    regsmith::testing::RegisterCases();
    return RUN_ALL_TESTS();
}

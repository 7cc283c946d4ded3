// The script cases: every tests/scripts/<folder>/<case>.txt is one test that
// runs the case through `regsmith-cli script` in a scratch working folder and
// compares, byte for byte, its standard output with <case>.expected, its
// error and exit status with the case's "# error:" line, and the files it
// writes with <case>.files/.  With REGSMITH_UPDATE_EXPECTED=1 the expected
// files are written from what the program printed instead.  The format is
// described in tests/scripts/README.md.

#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <cctype>
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

namespace regsmith::testing {
namespace {

namespace fs = std::filesystem;

const fs::path kCases = REGSMITH_SCRIPT_CASES;

// The test name of a case: its path under tests/scripts without ".txt", with
// every character a test filter treats specially turned into '_'
// ("interrupts/int0-pin.txt" -> "interrupts/int0_pin").
std::string TestName(const fs::path& script) {
    std::string name = script.lexically_relative(kCases).replace_extension().generic_string();
    for (char& c : name)
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '/') c = '_';
    return name;
}

std::vector<fs::path> CaseFiles() {
    std::vector<fs::path> cases;
    std::error_code error;
    for (fs::recursive_directory_iterator it(kCases, error), end; !error && it != end; it.increment(error)) {
        const fs::path& path = it->path();
        if (it->is_regular_file() && path.extension() == ".txt") cases.push_back(path);
    }
    std::sort(cases.begin(), cases.end());
    return cases;
}

fs::path Sibling(const fs::path& script, const std::string& suffix) {
    fs::path sibling = script;
    return sibling.replace_extension(suffix);
}

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
        const fs::path expectedOut = Sibling(script_, ".expected"), expectedFiles = Sibling(script_, ".files");
        const bool update = UpdateRequested();
        for (ScriptInput input : directives.inputs) {
            SCOPED_TRACE(InputName(input));
            std::string flat = TestName(script_);
            std::replace(flat.begin(), flat.end(), '/', '-');
            const fs::path folder = fs::temp_directory_path() / ("regsmith-script-" + flat + "-" +
                                                                 std::to_string(static_cast<int>(input)) + "-" +
                                                                 std::to_string(::getpid()));
            const fs::path work = folder / "work";
            fs::remove_all(folder);
            fs::create_directories(work);
            const CliResult result =
                RunShell("cd " + ShellQuote(work.string()) + " && " + ScriptCommand(script_, input), folder);

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
            if (HasFailure())
                std::cerr << "The case's working folder is kept: " << work.string() << "\n";
            else
                fs::remove_all(folder);
        }
    }

private:
    fs::path script_;
};

// Every file under tests/scripts belongs to a case (or is its README or this
// driver), so a misnamed expected file cannot go unnoticed, and no two cases
// share a test name.
TEST(ScriptCases, EveryFileBelongsToACase) {
    const std::vector<fs::path> cases = CaseFiles();
    EXPECT_FALSE(cases.empty()) << "no cases under " << kCases.string();
    std::set<fs::path> scripts(cases.begin(), cases.end());
    std::map<std::string, fs::path> names;
    for (const fs::path& script : cases) {
        const auto [other, fresh] = names.emplace(TestName(script), script);
        EXPECT_TRUE(fresh) << script.string() << " and " << other->second.string() << " have one test name";
    }
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(kCases)) {
        const fs::path& path = entry.path();
        if (entry.is_directory()) {
            if (path.extension() == ".files") {
                EXPECT_TRUE(scripts.count(Sibling(path, ".txt"))) << path.string() << " belongs to no case";
            }
            continue;
        }
        if (path.parent_path().extension() == ".files") continue;
        if (path == kCases / "README.md" || path == kCases / "driver.cpp" || path.extension() == ".txt") continue;
        EXPECT_TRUE(path.extension() == ".expected" && scripts.count(Sibling(path, ".txt")))
            << path.string() << " belongs to no case";
    }
}

void RegisterCases() {
    std::set<std::string> registered;
    for (const fs::path& script : CaseFiles()) {
        const std::string name = TestName(script);
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

// The compile check of the generated C (regsmith-sdcc-tests).  Every C text
// that a script case prints or writes (tests/scripts/**/<case>.expected and
// <case>.files/NAME) is compiled with `sdcc -mmcs51 -c` against a placeholder
// family header built from the register tables; so is the text of a project
// whose every register differs from its reset value, for a small- and a
// large-package model.  The script cases' driver has already checked that
// those files hold exactly what the program prints, so the texts compiled
// here are the program's own.  One test per case (SdccScript.<folder>/<case>),
// found when the program runs: ctest lists a case as soon as its expected
// output holds a C text.  Without SDCC the compiles are skipped.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "codegen/generator.h"
#include "model/k74x_75x_doc.h"
#include "tests/sdcc/compile_check.h"
#include "tests/support/files.h"
#include "tests/support/script_cases.h"

namespace regsmith::testing {
namespace {

namespace fs = std::filesystem;

const fs::path kSourceRoot = REGSMITH_SOURCE_ROOT;
const fs::path kWork = REGSMITH_SDCC_WORK;

// The line `number` (from 1) of `text`, without its line end.
std::string LineOf(const std::string& text, int number) {
    std::size_t begin = 0;
    for (int k = 1; k < number && begin != std::string::npos; ++k) {
        begin = text.find('\n', begin);
        if (begin != std::string::npos) ++begin;
    }
    if (begin == std::string::npos || begin >= text.size()) return {};
    std::string line = text.substr(begin, text.find('\n', begin) - begin);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return line;
}

// Compiles one text in its own folder under the build tree and fails the
// test with `where` (a file) and the file's line of every failing diagnostic.
// The folder is kept when the compile fails.
void CheckCompiles(const fs::path& sdcc, const CText& found, const std::string& where, const fs::path& folder) {
    if (!found.damage.empty()) {
        ADD_FAILURE_AT(where.c_str(), found.firstLine) << found.damage;
        return;
    }
    fs::remove_all(folder);
    const CompileResult result = CompileC(sdcc, found.text, folder);
    for (const Diagnostic& failure : result.failures) {
        if (failure.line > 0)
            ADD_FAILURE_AT(where.c_str(), found.firstLine + failure.line - 1)
                << LineOf(found.text, failure.line) << "\n" << failure.message;
        else
            ADD_FAILURE_AT(where.c_str(), found.firstLine) << "(the text from this line)\n" << failure.message;
    }
    if (result.Passed())
        fs::remove_all(folder);
    else
        std::cerr << "The compile folder is kept: " << folder.string() << "\n";
}

class ScriptCaseCompiles : public ::testing::Test {
public:
    explicit ScriptCaseCompiles(fs::path script) : script_(std::move(script)) {}

    void TestBody() override {
        const std::optional<fs::path> sdcc = FindSdcc();
        if (!sdcc) GTEST_SKIP() << kNoSdcc;
        std::string flat = ScriptCaseName(script_);
        std::replace(flat.begin(), flat.end(), '/', '-');
        for (const fs::path& output : CaseOutputs(script_)) {
            const std::vector<CText> texts = FindCTexts(ReadFile(output));
            for (std::size_t k = 0; k < texts.size(); ++k) {
                const std::string name = flat + "-" + output.filename().string() + "-" + std::to_string(k + 1);
                const fs::path folder = kWork / name;
                CheckCompiles(*sdcc, texts[k], output.lexically_relative(kSourceRoot).string(), folder);
            }
        }
    }

private:
    fs::path script_;
};

void RegisterScriptCases() {
    for (const fs::path& script : ScriptCaseFiles()) {
        bool hasC = false;
        for (const fs::path& output : CaseOutputs(script)) hasC = hasC || !FindCTexts(ReadFile(output)).empty();
        if (!hasC) continue;
        ::testing::RegisterTest("SdccScript", ScriptCaseName(script).c_str(), nullptr, nullptr, script.c_str(), 1,
                                [script]() -> ::testing::Test* { return new ScriptCaseCompiles(script); });
    }
}

// A project whose every register differs from its reset value (each value
// XOR 0x5A), in C: every register line and every text fragment of the
// tables is emitted.  Its wait loops count in `i` with no page having
// declared it: the generator must declare it (once).
std::string EveryRegisterText(std::uint8_t deviceId) {
    CK74x_75xDoc document(deviceId);
    document.OnNewDocument();
    for (auto& [number, block] : document.deviceData.blockMap) {
        (void)number;
        for (RegisterEntry& entry : block.registers)
            entry.value = static_cast<std::uint8_t>(entry.resetValue ^ 0x5A);
    }
    document.deviceData.codeFormat = kCodeFormatC;
    return GenerateCode(document);
}

struct Model {
    const char* name;
    std::uint8_t deviceId;
};
void PrintTo(const Model& model, std::ostream* out) { *out << model.name; }

class EveryRegister : public ::testing::TestWithParam<Model> {};

TEST_P(EveryRegister, Compiles) {
    const std::optional<fs::path> sdcc = FindSdcc();
    if (!sdcc) GTEST_SKIP() << kNoSdcc;
    const std::string text = EveryRegisterText(GetParam().deviceId);
    const std::vector<CText> texts = FindCTexts(text);
    ASSERT_EQ(texts.size(), 1u);
    ASSERT_EQ(texts[0].text, text) << "the whole generated text is one C text";
    // Failures name the compiled file, which a failure keeps.
    const fs::path folder = kWork / (std::string("every-register-") + GetParam().name);
    CheckCompiles(*sdcc, texts[0], (folder / "init.c").string(), folder);
}

INSTANTIATE_TEST_SUITE_P(Sdcc, EveryRegister,
                         ::testing::Values(Model{"QK740", 0xD0}, Model{"QK750", 0xD6}),
                         [](const ::testing::TestParamInfo<Model>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace regsmith::testing

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    regsmith::testing::RegisterScriptCases();
    return RUN_ALL_TESTS();
}

// The compile check itself: that it finds every C text in a case's output,
// that it tells the header's diagnostics from the text's, and that SDCC
// failing on a broken text fails the check.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "codegen/generator.h"
#include "model/k74x_75x_doc.h"
#include "model/register_tables.h"
#include "tests/sdcc/compile_check.h"

namespace regsmith::testing {
namespace {

namespace fs = std::filesystem;

// The generated text of a new QK740 project with SCON0 at `scon0` (0x00 is
// the empty configuration): the nineteen-line UART_Init example for 0x10.
std::string Generated(std::uint8_t scon0, std::int32_t format = kCodeFormatC) {
    CK74x_75xDoc document(0xD0);
    document.OnNewDocument();
    document.deviceData.blockMap.at(kBlockUart).registers[reg::SCON0].value = scon0;
    document.deviceData.codeFormat = format;
    return GenerateCode(document);
}

int Lines(const std::string& text) { return static_cast<int>(std::count(text.begin(), text.end(), '\n')); }

TEST(CTextSearch, FindsEveryCTextAmongTheOtherOutput) {
    const std::string uart = Generated(0x10), empty = Generated(0x00), assembly = Generated(0x10, 1);
    const std::string head = "message: Reset all peripheral data to default?\n";
    const std::string summary = "    SCON0     = 0x10;\r\n";
    const std::vector<CText> texts = FindCTexts(head + uart + summary + assembly + empty + summary);
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0].text, uart);
    EXPECT_EQ(texts[0].firstLine, 2);
    EXPECT_EQ(texts[1].text, empty) << "with the empty-configuration lines after Init_Device";
    EXPECT_EQ(texts[1].firstLine, 2 + Lines(uart + summary + assembly));
    EXPECT_TRUE(texts[0].damage.empty() && texts[1].damage.empty());
    EXPECT_TRUE(FindCTexts(assembly).empty());
}

TEST(CTextSearch, ATextCutShortIsReported) {
    const std::string uart = Generated(0x10);
    const struct {
        std::string cutBefore;
        std::string damage;
    } cases[] = {
        {"void Init_Device(void)", "a generated text without Init_Device"},
        {"    UART_Init();\r\n}", "a generated text whose Init_Device does not end"},
    };
    for (const auto& cut : cases) {
        // The text cut short, then a whole one: the first is damaged, the second found as it is.
        const std::string shortText = uart.substr(0, uart.find(cut.cutBefore));
        const std::vector<CText> texts = FindCTexts("show\n" + shortText + uart);
        ASSERT_EQ(texts.size(), 2u) << cut.cutBefore;
        EXPECT_EQ(texts[0].damage, cut.damage);
        EXPECT_EQ(texts[0].text, shortText);
        EXPECT_EQ(texts[0].firstLine, 2);
        EXPECT_EQ(texts[1].text, uart);
        EXPECT_TRUE(texts[1].damage.empty());
        const std::vector<CText> atTheEnd = FindCTexts(shortText);
        ASSERT_EQ(atTheEnd.size(), 1u);
        EXPECT_EQ(atTheEnd[0].damage, cut.damage);
    }
}

TEST(SdccOutput, OnlyDiagnosticsOfTheTextFail) {
    const struct {
        std::string output;
        std::vector<std::pair<std::string, int>> failures;  // message, line
    } cases[] = {
        {"", {}},
        {"init.c:12: error 20: Undefined identifier 'x'\n", {{"init.c:12: error 20: Undefined identifier 'x'", 12}}},
        {"init.c:4: warning 158: overflow in implicit constant conversion\n",
         {{"init.c:4: warning 158: overflow in implicit constant conversion", 4}}},
        // The header's own warnings, with the include stack before them.
        {"In file included from init.c:5:\nQK740.h:2:1: warning: \"X\" redefined\n"
         "QK740.h:1:1: error: this is the location of the previous definition\n",
         {}},
        {"QK740.h:3: warning 85: unreferenced\n  continued\ninit.c:9: warning 126: unreachable code\n",
         {{"init.c:9: warning 126: unreachable code", 9}}},
        {"init.c:7: error 78: incompatible types\n  from type 'int'\n  to type 'void'\n",
         {{"init.c:7: error 78: incompatible types\n  from type 'int'\n  to type 'void'", 7}}},
        {"In file included from init.c:5:\nother.h:1: error 1: x\n",
         {{"In file included from init.c:5:\nother.h:1: error 1: x", 1}}},
        {"at 1: warning 117: unknown compiler option '-x' ignored\n",
         {{"at 1: warning 117: unknown compiler option '-x' ignored", 0}}},
    };
    for (const auto& sample : cases) {
        std::vector<std::pair<std::string, int>> failures;
        for (const Diagnostic& failure : FailingDiagnostics(sample.output, "QK740.h"))
            failures.emplace_back(failure.message, failure.line);
        EXPECT_EQ(failures, sample.failures) << sample.output;
    }
}

// A real compile: the UART example as generated, and with a line inserted
// after its SCON0 line (line 11 of the text), which SDCC must reject.
TEST(SdccCheck, ABrokenTextFails) {
    const std::optional<fs::path> sdcc = FindSdcc();
    if (!sdcc) GTEST_SKIP() << kNoSdcc;
    const std::string uart = Generated(0x10), scon0 = "    SCON0     = 0x10;\r\n";
    const struct {
        const char* name;
        std::string inserted;
        std::string failure;  // "" when the text compiles
    } cases[] = {
        {"as-generated", "", ""},
        {"undeclared-variable", "    x = 1;\r\n", "init.c:12: error 20: Undefined identifier 'x'"},
        {"warning", "    SCON0     = 0x1FF;\r\n", "init.c:12: warning 158: overflow in implicit constant conversion"},
    };
    for (const auto& sample : cases) {
        SCOPED_TRACE(sample.name);
        std::string text = uart;
        text.insert(text.find(scon0) + scon0.size(), sample.inserted);
        const fs::path folder = fs::path(REGSMITH_SDCC_WORK) / (std::string("check-") + sample.name);
        fs::remove_all(folder);
        const CompileResult result = CompileC(*sdcc, text, folder);
        EXPECT_EQ(result.Passed(), sample.failure.empty()) << result.output;
        if (sample.failure.empty()) {
            EXPECT_TRUE(result.failures.empty()) << result.output;
        } else {
            ASSERT_EQ(result.failures.size(), 1u) << result.output;
            EXPECT_EQ(result.failures[0].message, sample.failure);
            EXPECT_EQ(result.failures[0].line, 12);
        }
        fs::remove_all(folder);
    }
}

}  // namespace
}  // namespace regsmith::testing

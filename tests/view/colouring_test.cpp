// The code window's colouring scan in C and assembly mode.

#include <gtest/gtest.h>

#include "view/colouring.h"

namespace regsmith {
namespace {

struct ColourRun {
    std::string text;
    char kind;  // 'c' comment, 'l' literal
    friend bool operator==(const ColourRun&, const ColourRun&) = default;
    friend std::ostream& operator<<(std::ostream& out, const ColourRun& run) {
        return out << run.kind << ":[" << run.text << "]";
    }
};

std::vector<ColourRun> Runs(const std::string& text, bool assembly) {
    std::vector<ColourRun> runs;
    for (const fw::ColourRange& range : ScanColours(text, assembly)) {
        EXPECT_LE(range.start + range.length, text.size());
        char kind = range.colour == kCommentColour ? 'c' : range.colour == kLiteralColour ? 'l' : '?';
        runs.push_back(ColourRun{text.substr(range.start, range.length), kind});
    }
    return runs;
}

TEST(ColourScan, CommentsAndLiteralsInC) {
    const std::string text =
        "// Header\r\n"
        "#include \"QK740.h\"\r\n"
        "x = 'a'; /* one\r\n two */ y;\r\n";
    EXPECT_EQ(Runs(text, false), (std::vector<ColourRun>{{"// Header\r\n", 'c'},
                                                   {"\"QK740.h\"", 'l'},
                                                   {"'a'", 'l'},
                                                   {"/* one\r\n two */", 'c'}}));
}

TEST(ColourScan, AssemblyKnowsOnlySemicolonComments) {
    const std::string text =
        "// not a comment\r\n"
        "$include (QK740.inc)\r\n"
        "    mov  A, #'x' ; wait\r\n"
        "x /* y */\r\n";
    EXPECT_EQ(Runs(text, true), (std::vector<ColourRun>{{"'x'", 'l'}, {"; wait\r\n", 'c'}}));
    // The character after ";" is skipped, even a quote.
    EXPECT_EQ(Runs(";\"abc\r\nx\r\n", true), (std::vector<ColourRun>{{";\"abc\r\n", 'c'}}));
}

TEST(ColourScan, UnterminatedRunsReachTheEnd) {
    EXPECT_EQ(Runs("a \"open string", false), (std::vector<ColourRun>{{"\"open string", 'l'}}));
    EXPECT_EQ(Runs("a 'c", false), (std::vector<ColourRun>{{"'c", 'l'}}));
    EXPECT_EQ(Runs("x /* never closed\r\nmore", false), (std::vector<ColourRun>{{"/* never closed\r\nmore", 'c'}}));
    EXPECT_EQ(Runs("x // no line end", false), (std::vector<ColourRun>{{"// no line end", 'c'}}));
    EXPECT_EQ(Runs("x ; last", true), (std::vector<ColourRun>{{"; last", 'c'}}));
    // A comment opener as the very last character.
    EXPECT_EQ(Runs("x /", false), std::vector<ColourRun>{});
    EXPECT_EQ(Runs(";", true), (std::vector<ColourRun>{{";", 'c'}}));
    EXPECT_EQ(Runs("", false), std::vector<ColourRun>{});
}

TEST(ColourScan, EscapedCharacterLiteral) {
    EXPECT_EQ(Runs("c = '\\''; d = 'x';", false), (std::vector<ColourRun>{{"'\\''", 'l'}, {"'x'", 'l'}}));
    // No escapes inside strings: the next quote ends the string, and the
    // last quote opens a string that runs to the end.
    EXPECT_EQ(Runs("\"a\\\"b\"", false), (std::vector<ColourRun>{{"\"a\\\"", 'l'}, {"\"", 'l'}}));
}

TEST(ColourScan, BackslashBeforeLineEndContinuesALineComment) {
    const std::string text = "// first \\\r\nsecond\r\nthird\r\n";
    EXPECT_EQ(Runs(text, false), (std::vector<ColourRun>{{"// first \\\r\nsecond\r\n", 'c'}}));
    EXPECT_EQ(Runs("; a\\\r\nb\r\nc", true), (std::vector<ColourRun>{{"; a\\\r\nb\r\n", 'c'}}));
}

TEST(ColourScan, BlockCommentClosingStarSlashIsIncluded) {
    EXPECT_EQ(Runs("/**/x/*a*/", false), (std::vector<ColourRun>{{"/**/", 'c'}, {"/*a*/", 'c'}}));
    // "/*/" does not close: the "/" after "/*" was skipped.
    EXPECT_EQ(Runs("/*/ x */", false), (std::vector<ColourRun>{{"/*/ x */", 'c'}}));
}

TEST(ColourScan, HighBitCharactersAreOrdinary) {
    const std::string text = "\xC3\xA9 // \xE2\x82\xAC\r\n";
    EXPECT_EQ(Runs(text, false), (std::vector<ColourRun>{{"// \xE2\x82\xAC\r\n", 'c'}}));
}

}  // namespace
}  // namespace regsmith

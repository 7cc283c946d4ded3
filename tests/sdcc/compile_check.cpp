#include "tests/sdcc/compile_check.h"

#include <unistd.h>

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <set>
#include <sstream>

#include "model/register_tables.h"
#include "tests/support/cli_runner.h"
#include "tests/support/files.h"

namespace regsmith::testing {

namespace fs = std::filesystem;

namespace {

// One line of a file: its text without the line end, where it starts and
// where the next line starts.
struct Line {
    std::string_view text;
    std::size_t begin = 0;
    std::size_t next = 0;
};

std::vector<Line> SplitLines(const std::string& bytes) {
    std::vector<Line> lines;
    std::size_t begin = 0;
    while (begin < bytes.size()) {
        std::size_t end = bytes.find('\n', begin);
        const std::size_t next = end == std::string::npos ? bytes.size() : end + 1;
        if (end == std::string::npos) end = bytes.size();
        std::size_t textEnd = end;
        if (textEnd > begin && bytes[textEnd - 1] == '\r') --textEnd;
        lines.push_back({std::string_view(bytes).substr(begin, textEnd - begin), begin, next});
        begin = next;
    }
    return lines;
}

const std::string_view kRule = "/////////////////////////////////////";
const std::string_view kTitle = "//  Generated Initialization File  //";
const std::string_view kMainOpening = "void Init_Device(void)";
// What follows Init_Device in a text without routines.
const std::string_view kEmptyConfiguration[] = {
    "",
    "// Empty configuration",
    "",
    "// Open the \"Peripherals\" menu and",
    "// choose a peripheral to configure.",
};

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// The line number of an SDCC diagnostic ("init.c:14: error 20: ..." -> 14), or 0.
int DiagnosticLine(const std::string& message) {
    const std::size_t colon = message.find(':');
    if (colon == std::string::npos) return 0;
    int line = 0;
    std::size_t at = colon + 1;
    while (at < message.size() && std::isdigit(static_cast<unsigned char>(message[at])) && line < 1000000)
        line = line * 10 + (message[at++] - '0');
    return at < message.size() && message[at] == ':' ? line : 0;
}

}  // namespace

std::string PlaceholderHeader(std::string* error) {
    std::string header =
        "// Family header for the compile check of the generated C (tests/sdcc),\n"
        "// written by the test from the register tables of model/: every register\n"
        "// the generator can emit, as an 8051 special function register.\n"
        "//\n"
        "// THE ADDRESSES ARE PLACEHOLDERS FOR A COMPILE CHECK.  They are not the\n"
        "// device's register addresses and must never be used in firmware.\n"
        "\n"
        "#ifndef REGSMITH_COMPILE_CHECK_HEADER\n"
        "#define REGSMITH_COMPILE_CHECK_HEADER\n"
        "\n";
    std::set<std::string_view> declared;  // blocks 0 and 8 share their registers
    unsigned address = 0x80;              // the 8051's SFR space is 0x80 to 0xFF
    for (const BlockSpec& block : kBlockSpecs) {
        for (const RegisterSpec& spec : block.registers) {
            if (!declared.insert(spec.name).second) continue;
            if (address > 0xFF) {
                if (error) *error = "the register tables hold more registers than the 128 SFR addresses";
                return {};
            }
            char line[80];
            std::snprintf(line, sizeof line, "__sfr __at (0x%02X) %.40s;\n", address++,
                          std::string(spec.name).c_str());
            header += line;
        }
    }
    return header + "\n#endif\n";
}

std::vector<CText> FindCTexts(const std::string& bytes) {
    std::vector<CText> texts;
    const std::vector<Line> lines = SplitLines(bytes);
    const auto isHead = [&lines](std::size_t at) {
        return at + 1 < lines.size() && lines[at].text == kRule && lines[at + 1].text == kTitle;
    };
    for (std::size_t start = 0; start + 1 < lines.size(); ++start) {
        if (!isHead(start)) continue;
        CText found;
        found.firstLine = static_cast<int>(start) + 1;
        // A text ends before the next one's head at the latest.
        std::size_t end = start + 2;
        while (end < lines.size() && !isHead(end)) ++end;
        std::size_t main = start + 2;
        while (main < end && lines[main].text != kMainOpening) ++main;
        std::size_t close = main;
        while (close < end && lines[close].text != "}") ++close;
        if (close >= end) {
            found.damage = main >= end ? "a generated text without Init_Device"
                                       : "a generated text whose Init_Device does not end";
            found.text = bytes.substr(lines[start].begin, (end < lines.size() ? lines[end].begin : bytes.size()) -
                                                              lines[start].begin);
            texts.push_back(std::move(found));
            start = end - 1;
            continue;
        }
        std::size_t last = close;
        bool empty = close + std::size(kEmptyConfiguration) < lines.size();
        for (std::size_t k = 0; empty && k < std::size(kEmptyConfiguration); ++k)
            empty = lines[close + 1 + k].text == kEmptyConfiguration[k];
        if (empty) last += std::size(kEmptyConfiguration);
        found.text = bytes.substr(lines[start].begin, lines[last].next - lines[start].begin);
        texts.push_back(std::move(found));
        start = last;
    }
    return texts;
}

std::optional<std::string> IncludedHeader(const std::string& text) {
    for (const Line& line : SplitLines(text)) {
        const std::string_view prefix = "#include \"";
        if (line.text.substr(0, prefix.size()) != prefix) continue;
        const std::string_view rest = line.text.substr(prefix.size());
        const std::size_t quote = rest.find('"');
        const std::string name(rest.substr(0, quote));
        // Only a plain file name: the header is written into the compile folder.
        if (quote == std::string_view::npos || name.empty() || name.find('/') != std::string::npos ||
            name.find("..") != std::string::npos)
            return std::nullopt;
        return name;
    }
    return std::nullopt;
}

std::vector<Diagnostic> FailingDiagnostics(const std::string& output, const std::string& header) {
    std::vector<Diagnostic> failures;
    // What the last unindented line was: indented lines continue it.
    enum { kNone, kIncludedFrom, kHeader, kFailure } last = kNone;
    std::string includedFrom;  // "In file included from init.c:5:", said before the diagnostic it locates
    for (const Line& line : SplitLines(output)) {
        if (line.text.empty()) continue;
        const std::string text(line.text);
        if (IsBlank(text.front()) && last != kNone) {
            if (last == kIncludedFrom) includedFrom += "\n" + text;
            if (last == kFailure) failures.back().message += "\n" + text;
            continue;
        }
        if (text.rfind("In file included from ", 0) == 0) {
            includedFrom += (includedFrom.empty() ? "" : "\n") + text;
            last = kIncludedFrom;
            continue;
        }
        if (text.rfind(header + ":", 0) == 0 || text.rfind("./" + header + ":", 0) == 0) {
            last = kHeader;
        } else {
            failures.push_back({includedFrom.empty() ? text : includedFrom + "\n" + text, DiagnosticLine(text)});
            last = kFailure;
        }
        includedFrom.clear();
    }
    if (!includedFrom.empty()) failures.push_back({includedFrom, 0});
    return failures;
}

std::optional<fs::path> FindSdcc() {
    const char* path = std::getenv("PATH");
    std::istringstream folders(path ? path : "");
    for (std::string folder; std::getline(folders, folder, ':');) {
        if (folder.empty()) continue;
        const fs::path candidate = fs::path(folder) / "sdcc";
        if (::access(candidate.c_str(), X_OK) == 0 && fs::is_regular_file(candidate)) return candidate;
    }
    return std::nullopt;
}

CompileResult CompileC(const fs::path& sdcc, const std::string& text, const fs::path& folder,
                       const std::string& source) {
    CompileResult result;
    const std::optional<std::string> header = IncludedHeader(text);
    std::string headerError;
    const std::string declarations = PlaceholderHeader(&headerError);
    if (!header || declarations.empty()) {
        result.output = header ? headerError : "the text has no #include line naming a header file";
        result.failures.push_back({result.output, 0});
        return result;
    }
    fs::create_directories(folder);
    WriteFile(folder / *header, declarations);
    WriteFile(folder / source, text);
    const CliResult run = RunShell("cd " + ShellQuote(folder.string()) + " && " + ShellQuote(sdcc.string()) +
                                       " -mmcs51 -c " + ShellQuote(source),
                                   folder);
    result.status = run.status;
    result.output = run.out;
    if (!result.output.empty() && result.output.back() != '\n') result.output += '\n';
    result.output += run.err;
    result.failures = FailingDiagnostics(result.output, *header);
    if (result.status != 0 && result.failures.empty())
        result.failures.push_back({"sdcc exited with status " + std::to_string(result.status), 0});
    return result;
}

}  // namespace regsmith::testing

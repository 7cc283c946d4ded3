#pragma once
// The compile check of the generated C: the placeholder family header built
// from the register tables, the generated C texts found in the script cases'
// expected outputs and files, and one SDCC run per text whose diagnostics
// about the text itself are failures.

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace regsmith::testing {

// The family header the generated include line names, declaring every
// register of the register tables as an 8051 special function register at a
// placeholder address.  Empty with `error` set when the tables hold more
// registers than there are SFR addresses.
std::string PlaceholderHeader(std::string* error = nullptr);

// One generated C text inside a file.
struct CText {
    std::string text;
    int firstLine = 1;  // the file's line on which the text starts
    // Why the text is incomplete (a head without its Init_Device routine), or empty.
    std::string damage;
};

// Every generated C text in `bytes`: from the generator's fixed head to the
// closing brace of Init_Device, with the empty-configuration lines when they
// follow.  Assembly texts and everything around the texts are skipped.
std::vector<CText> FindCTexts(const std::string& bytes);

// The header file name of a text's include line ("QK740.h"), if it has one.
std::optional<std::string> IncludedHeader(const std::string& text);

// One line of SDCC's output that makes the check fail.
struct Diagnostic {
    std::string message;  // as SDCC printed it, continuation lines included
    int line = 0;         // its line in the compiled file, or 0 when it names none
};

// The diagnostics in SDCC's `output` that are failures: every error and
// warning except those located in the placeholder `header` (with the
// "In file included from" lines before them and the indented lines after
// them).  A clean compile prints nothing, so any other line is a failure too.
std::vector<Diagnostic> FailingDiagnostics(const std::string& output, const std::string& header);

// The sdcc program on PATH, if installed; where it is not, the compiles are
// skipped with this message.
std::optional<std::filesystem::path> FindSdcc();
inline constexpr const char* kNoSdcc =
    "SDCC is not installed (Debian package sdcc, which `make deps` installs): the generated C is not compiled";

struct CompileResult {
    int status = -1;
    std::string output;                // standard output and error
    std::vector<Diagnostic> failures;  // FailingDiagnostics of the output
    bool Passed() const { return status == 0 && failures.empty(); }
};

// Writes the placeholder header under the name `text` includes and the text
// as `source` into `folder` and compiles it with `sdcc -mmcs51 -c`.
CompileResult CompileC(const std::filesystem::path& sdcc, const std::string& text,
                       const std::filesystem::path& folder, const std::string& source = "init.c");

}  // namespace regsmith::testing

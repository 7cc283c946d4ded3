#pragma once
// The headless commands of regsmith-cli.  They reach the device documents only
// through the templates a plug-in registered.
//
// Exit statuses: 0 success, 1 a refused input or a failed operation (and, for
// `diff` and `generate --check`, "different"), 2 a usage error.

#include <memory>
#include <string>
#include <vector>

#include "fw/app.h"
#include "fw/files.h"
#include "fw/report.h"

namespace regsmith::cli {

inline constexpr int kExitSuccess = 0;
inline constexpr int kExitFailure = 1;
inline constexpr int kExitUsage = 2;

// Reports message boxes on stderr (naming the file being worked on) and
// answers every dialog with Cancel: used by the non-interactive commands.
class ReportingPlatform;

struct GenerateOptions {
    std::string format;       // "c", "asm" or "" (the project's own)
    std::string output;       // a file, "-" or "" for standard output, or a folder
    bool lineFeedsOnly = false;  // LF instead of the CR LF the code window shows
};

struct ReportOptions {
    std::string format;   // "html", "md", "pdf" or "" (from the output's extension; HTML otherwise)
    std::string output;   // a file, "-" or "" for standard output, or a folder
    bool date = false;    // print today's date in the title block
    bool letter = false;  // PDF on US Letter instead of A4
};

class Session {
public:
    explicit Session(const std::string& pluginFolder);
    ~Session();
    bool Ready() const { return ready_; }

    int ListModels();
    int NewProject(const std::string& model, const std::string& output, bool force);
    // With several inputs `options.output` names a folder (main checks it
    // with IsFolder) and each input gets a file in it, named after it.
    int Generate(const std::vector<std::string>& inputs, const GenerateOptions& options);
    // Exit 0 when `output` ("-": standard input) holds exactly what `input`
    // generates, else 1 with a one-line reason.
    int Check(const std::string& input, const std::string& output, const GenerateOptions& options);
    // `what` picks the content: everything, only the changes, the pin table
    // or the clock tree.
    enum class DumpContent { All, Changed, Pins, Clocks };
    int Dump(const std::string& input, bool json, DumpContent what);
    // The problems of each project, one compiler-style line each, then the
    // counts.  Exit 1 when there is an error (with `werror` also a warning)
    // or a project cannot be read, else 0.
    int CheckProblems(const std::vector<std::string>& inputs, bool json, bool werror);
    // Exit 0 when the projects hold the same, 1 with the differences.
    int Diff(const std::string& first, const std::string& second);
    int RunScript(const std::string& input);
    // The configuration report of each input (HTML, Markdown or PDF); with
    // several inputs `options.output` names a folder.
    int Report(const std::vector<std::string>& inputs, const ReportOptions& options);

private:
    // Opens a project; `inspection` (dump, diff) also reads one that cannot
    // be edited, such as a project of an unknown model.
    fw::OpenDocument Open(const std::string& input, bool inspection = false);
    // The text `input` generates in the format and line ends asked for; false
    // after reporting why not.
    bool GeneratedText(const std::string& input, const GenerateOptions& options, std::string& text,
                       bool* assembly = nullptr);
    // False after reporting why `output`, the file of the given role, must
    // not be written: it is one of the input projects or any project file.
    bool MayWriteOver(const std::string& output, const std::vector<std::string>& inputs, const std::string& role);
    // Writes `bytes` to `output` ("-": standard output) atomically; false
    // after reporting a failure, naming the file by its role.
    // With kRefuse an existing file is refused (also one created meanwhile).
    bool WriteOutput(const std::string& output, const std::string& bytes, const std::string& role,
                     fw::ExistingFile existing = fw::ExistingFile::kReplace);
    // The report of `input` in `format`; false after reporting why not.
    bool ReportBytes(const std::string& input, fw::ReportFormat format, const ReportOptions& options,
                     std::string& bytes);

    fw::CWinApp app_;
    std::unique_ptr<ReportingPlatform> platform_;
    bool ready_ = false;
};

// Writes to standard output and flushes it; false after reporting a failure
// (a full disk, a closed pipe) on stderr.
bool WriteStandardOutput(const std::string& bytes);

// Whether `path` names an existing folder ("" and "-" do not).
bool IsFolder(const std::string& path);

// Reports "regsmith-cli: MESSAGE" on stderr and returns kExitFailure.
int Fail(const std::string& message);

}  // namespace regsmith::cli

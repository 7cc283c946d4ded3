#pragma once
// Script mode: drives the plug-in's documents, menu commands, sheets, pages
// and message boxes line by line, as a user would (`regsmith-cli script`).

#include <iosfwd>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "fw/app.h"
#include "fw/commands.h"
#include "fw/doctemplate.h"
#include "fw/ui.h"

namespace regsmith::cli {

// Bounds on what a script may be: longer lines or larger scripts stop it.
inline constexpr std::size_t kMaxScriptLineBytes = 64 * 1024;
inline constexpr std::size_t kMaxScriptBytes = 64 * 1024 * 1024;

// A failure that stops the script: reported as "line N: reason".
struct ScriptError {
    int line;
    std::string reason;
};

// Splits one script line into arguments: blank-separated, double quotes group
// blanks, \" and \\ escape inside quotes, an unquoted # starts a comment.
// Throws ScriptError (with line 0) for an unterminated quote.
std::vector<std::string> SplitScriptLine(const std::string& line);

// The platform services of script mode: message boxes print "message: ",
// questions and modal sheets and dialogs read the following script lines.
class ScriptRunner : public fw::PlatformServices {
public:
    ScriptRunner(fw::CWinApp& app, std::istream& in, std::ostream& out);
    ~ScriptRunner() override;

    // Runs the whole script; throws ScriptError on the first failure.
    void Run();

    fw::DialogResult MessageBox(const std::string& text, fw::MessageIcon icon, fw::MessageButtons buttons) override;
    fw::DialogResult RunModal(fw::PropertySheet& sheet) override;
    fw::DialogResult RunModal(fw::Dialog& dialog) override;
    std::optional<std::string> SaveFileDialog(const fw::SaveFileRequest& request) override;
    fw::PrintResult Print(const fw::PrintRequest& request) override;
    bool OpenWithDefaultApplication(const std::string& path) override;

protected:
    // Opens a project file for `open` (a fuzzing run refuses every file).
    virtual fw::OpenDocument OpenProject(const fw::CDocTemplate& any, const std::string& path);

private:
    // The next line of the script, read within the bounds above, without
    // its line feed (and, on line 1, without a UTF-8 byte-order mark); false
    // at the end of the script.
    bool ReadLine(std::string& line);
    // The next line holding a command (blank and comment lines skipped);
    // false at the end of the script.
    bool NextCommand(std::vector<std::string>& words);
    [[noreturn]] void Fail(const std::string& reason) const;
    // Flushes the output; a failure to write it stops the script.
    void Flush();

    void TopLevelCommand(const std::vector<std::string>& words);
    // One command inside a sheet (`sheet` set) or a dialog.
    void ModalCommand(const std::vector<std::string>& words, fw::PropertySheet* sheet, fw::Dialog* dialog);

    fw::CView& View();
    fw::CDocument& Document();
    const fw::MenuResource& Menu();
    // A command of the current project, routed as the desktop routes it.
    fw::RouteResult Route(int command);
    void RunMenuCommand(const std::string& item, const std::string& popup);
    // ": cause" of a failed save of `path`, taken from the message it showed
    // after `messagesBefore` messages, or "".
    std::string SaveFailureCause(const std::string& path, int messagesBefore) const;

    void Click(fw::Form& form, const std::string& name, fw::PropertySheet* sheet, fw::Dialog* dialog);
    // The control a user's name means: the exact name, else the name with
    // case and runs of blanks ignored, else a unique beginning of a long
    // name.  Null with `error` naming the closest names otherwise.
    fw::Control* Resolve(const fw::Form& form, const std::string& name, std::string& error) const;
    fw::Control& FindControl(const fw::Form& form, const std::string& name);
    // Every visible control under a "page TITLE" or "dialog TITLE" line.
    void Show(const fw::Form& form, const std::string* name, const char* kind);
    void Summary(const fw::Form& form);

    fw::CWinApp& app_;
    fw::PlatformServices* previousPlatform_;
    std::istream& in_;
    std::ostream& out_;
    int line_ = 0;
    std::size_t bytesRead_ = 0;
    std::vector<fw::OpenDocument> documents_;
    fw::OpenDocument* current_ = nullptr;
    const fw::CDocTemplate* currentTemplate_ = nullptr;
    std::optional<std::string> pendingSavePath_;
    bool saveDialogShown_ = false;
    bool saveDeclined_ = false;  // the overwrite question was answered No
    int messagesShown_ = 0;
    std::string lastMessage_;  // the text of the last message box
    // Titles of the sheets and dialogs open, innermost last.
    std::vector<std::string> modal_;
};

}  // namespace regsmith::cli

#pragma once
// The headless commands of regsmith-cli.  They reach the device documents only
// through the templates a plug-in registered.

#include <iosfwd>
#include <memory>
#include <string>

#include "fw/app.h"

namespace regsmith::cli {

// Reports message boxes on stderr (prefixed by the current file) and answers
// every dialog with Cancel: used by the non-interactive commands.
class ReportingPlatform;

class Session {
public:
    explicit Session(const std::string& pluginFolder);
    ~Session();
    bool Ready() const { return ready_; }

    int ListModels(std::ostream& out) const;
    int NewProject(const std::string& model, const std::string& output);
    int Generate(const std::string& input, const std::string& format, const std::string& output);
    int Dump(const std::string& input, bool json);
    int RunScript(const std::string& input);

private:
    fw::OpenDocument Open(const std::string& input);

    fw::CWinApp app_;
    std::unique_ptr<ReportingPlatform> platform_;
    bool ready_ = false;
};

}  // namespace regsmith::cli

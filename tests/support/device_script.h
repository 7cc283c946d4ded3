#pragma once
// Scripts of `regsmith-cli script` run in process on the real pages: an
// application with the twelve document types and the menu of a project
// window, and the page groups a test registers.  Faster than starting the
// program, and a test can register probe pages for sheets that other page
// groups provide.

#include <functional>
#include <memory>
#include <sstream>
#include <string>

#include "fw/app.h"

namespace regsmith {
class CK74x_75xDoc;
namespace cli {
class ScriptRunner;
}
}  // namespace regsmith

namespace regsmith::testing {

struct ScriptOutcome {
    std::string out;
    std::string error;  // "line N: reason", empty when the script succeeded
};

class DeviceScript {
public:
    // `registerPages` registers the page groups the scripts use; it runs
    // before every script, on an empty registry, since other tests change
    // the registry.
    explicit DeviceScript(std::function<void()> registerPages);
    ~DeviceScript();
    DeviceScript(const DeviceScript&) = delete;
    DeviceScript& operator=(const DeviceScript&) = delete;

    // Runs the script.  Its runner, and the projects it opened, live until
    // the next Run or the end of the test.
    ScriptOutcome Run(const std::string& script);

    // The project the last script created or opened last; fails the test
    // when there is none.
    CK74x_75xDoc& Document() const;

private:
    fw::CWinApp app_;
    std::function<void()> registerPages_;
    CK74x_75xDoc* last_ = nullptr;
    std::istringstream in_;
    std::ostringstream out_;
    std::unique_ptr<cli::ScriptRunner> runner_;
};

}  // namespace regsmith::testing

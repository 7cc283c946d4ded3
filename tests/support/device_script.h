#pragma once
// Scripts of `regsmith-cli script` run in process on the real pages: an
// application with the twelve document types and the menu of a project
// window, and the page groups a test registers.  Faster than starting the
// program, and a test can register probe pages for sheets that other page
// groups provide.

#include <functional>
#include <string>

#include "fw/app.h"

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

    ScriptOutcome Run(const std::string& script);

private:
    fw::CWinApp app_;
    std::function<void()> registerPages_;
};

}  // namespace regsmith::testing

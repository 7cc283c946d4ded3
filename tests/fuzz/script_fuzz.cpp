// Fuzzes the script interpreter with the whole plug-in: any bytes must run
// to their end or stop with a ScriptError ("line N: reason"), never crash,
// hang or grow without bound.  Nothing on disk is touched: the save dialog
// is always cancelled and no project file is ever opened.

#include <cstdint>
#include <cstdlib>
#include <optional>
#include <sstream>
#include <string>

#include "cli/script.h"
#include "fw/app.h"

extern "C" void InitK74x_75xDLL();

namespace {

class SandboxedRunner : public regsmith::cli::ScriptRunner {
public:
    using ScriptRunner::ScriptRunner;
    std::optional<std::string> SaveFileDialog(const fw::SaveFileRequest&) override { return std::nullopt; }

protected:
    fw::OpenDocument OpenProject(const fw::CDocTemplate&, const std::string&) override { return {}; }
};

fw::CWinApp& App() {
    static fw::CWinApp app;
    static const bool registered = (InitK74x_75xDLL(), true);
    (void)registered;
    return app;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fw::CWinApp& app = App();
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    std::ostringstream out;
    SandboxedRunner runner(app, in, out);
    try {
        runner.Run();
    } catch (const regsmith::cli::ScriptError& error) {
        if (error.line < 1 || error.reason.empty()) std::abort();  // every stop names its line and reason
    }
    return 0;
}

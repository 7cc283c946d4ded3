#include "tests/support/device_script.h"

#include <memory>
#include <sstream>

#include "cli/script.h"
#include "model/catalogue.h"
#include "model/k74x_75x_doc.h"
#include "view/k74x_75x_view.h"
#include "view/project_menu.h"
#include "view/sheet_commands.h"

namespace regsmith::testing {

DeviceScript::DeviceScript(std::function<void()> registerPages) : registerPages_(std::move(registerPages)) {
    for (const ModelInfo& model : kCatalogue) {
        const std::uint8_t id = model.deviceId;
        app_.AddDocTemplate(std::make_unique<fw::CMultiDocTemplate>(
            model.resourceId, std::string("\n") + model.model + " \n" + model.model,
            [id]() -> std::unique_ptr<fw::CDocument> { return std::make_unique<CK74x_75xDoc>(id); },
            []() -> std::unique_ptr<fw::CView> { return std::make_unique<CK74x_75xView>(); }, ProjectMenu()));
    }
}

DeviceScript::~DeviceScript() { ClearSheetRegistry(); }

ScriptOutcome DeviceScript::Run(const std::string& script) {
    ClearSheetRegistry();
    if (registerPages_) registerPages_();
    std::istringstream in(script);
    std::ostringstream out;
    ScriptOutcome outcome;
    {
        cli::ScriptRunner runner(app_, in, out);
        try {
            runner.Run();
        } catch (const cli::ScriptError& failure) {
            outcome.error = "line " + std::to_string(failure.line) + ": " + failure.reason;
        }
    }
    outcome.out = out.str();
    return outcome;
}

}  // namespace regsmith::testing

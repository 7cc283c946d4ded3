#include "tests/support/device_script.h"

#include <memory>
#include <stdexcept>

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
            [this, id]() -> std::unique_ptr<fw::CDocument> {
                auto document = std::make_unique<CK74x_75xDoc>(id);
                last_ = document.get();
                return document;
            },
            []() -> std::unique_ptr<fw::CView> { return std::make_unique<CK74x_75xView>(); }, ProjectMenu()));
    }
}

DeviceScript::~DeviceScript() {
    runner_.reset();
    ClearSheetRegistry();
}

ScriptOutcome DeviceScript::Run(const std::string& script) {
    runner_.reset();  // before the next one takes over the platform
    last_ = nullptr;
    ClearSheetRegistry();
    if (registerPages_) registerPages_();
    in_.clear();
    in_.str(script);
    out_.str("");
    ScriptOutcome outcome;
    runner_ = std::make_unique<cli::ScriptRunner>(app_, in_, out_);
    try {
        runner_->Run();
    } catch (const cli::ScriptError& failure) {
        outcome.error = "line " + std::to_string(failure.line) + ": " + failure.reason;
    }
    outcome.out = out_.str();
    return outcome;
}

CK74x_75xDoc& DeviceScript::Document() const {
    if (!last_) throw std::runtime_error("the script opened no project");
    return *last_;
}

}  // namespace regsmith::testing

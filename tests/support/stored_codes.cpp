#include "tests/support/stored_codes.h"

#include <gtest/gtest.h>

#include "tests/support/recording_platform.h"

namespace regsmith::testing {

std::uint8_t RunOnStoredValue(const SheetOnStoredValues& run, const std::function<void(fw::PropertyPage&)>& look) {
    TestApp app;
    TestProject project(run.deviceId);
    project.document->deviceData.blockMap.at(run.block).registers.at(static_cast<std::size_t>(run.entry)).value =
        run.value;
    app.platform.onSheet = [&app, &look](fw::PropertySheet& sheet) {
        app.platform.onSheet = nullptr;
        look(*sheet.ActivePage());
        sheet.PressOK();
    };
    project.view->OnCommand(run.command);
    return project.document->deviceData.blockMap.at(run.block).registers.at(static_cast<std::size_t>(run.entry)).value;
}

std::string TextAfter(const fw::PropertyPage& page, const std::string& name) {
    const std::vector<fw::Control*> controls = page.AllControls();
    for (std::size_t i = 0; i + 1 < controls.size(); ++i)
        if (controls[i]->ScriptName() == name)
            if (auto* text = dynamic_cast<fw::StaticText*>(controls[i + 1])) return text->Text();
    ADD_FAILURE() << "no text after " << name;
    return {};
}

}  // namespace regsmith::testing

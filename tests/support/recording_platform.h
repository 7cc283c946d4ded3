#pragma once
// Test double of the platform services: records every message box, answers
// questions from a queue, and runs sheets and dialogs through callbacks that
// act as the user would.  TestProject builds a new project with its code
// window, made the app's active view.

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "fw/app.h"
#include "fw/ui.h"
#include "model/k74x_75x_doc.h"
#include "view/k74x_75x_view.h"

namespace regsmith::testing {

class RecordingPlatform : public fw::PlatformServices {
public:
    struct Box {
        std::string text;
        fw::MessageIcon icon;
        fw::MessageButtons buttons;
    };
    std::vector<Box> boxes;
    // Answers to Yes/No questions, in order; a question with none left fails
    // the test and is answered No.
    std::deque<fw::DialogResult> answers;
    // What the user does in a sheet or dialog; the default starts it and
    // presses Cancel.
    std::function<void(fw::PropertySheet&)> onSheet;
    std::function<void(fw::Dialog&)> onDialog;
    int sheetsRun = 0;

    std::optional<std::string> savePath;  // the save dialog's answer
    std::vector<fw::SaveFileRequest> saveRequests;
    fw::PrintResult printResult = fw::PrintResult::Printed;
    std::vector<fw::PrintRequest> printed;
    bool openResult = true;
    std::vector<std::string> openedPaths;

    std::vector<std::string> Texts() const;

    fw::DialogResult MessageBox(const std::string& text, fw::MessageIcon icon, fw::MessageButtons buttons) override;
    fw::DialogResult RunModal(fw::PropertySheet& sheet) override;
    fw::DialogResult RunModal(fw::Dialog& dialog) override;
    std::optional<std::string> SaveFileDialog(const fw::SaveFileRequest& request) override;
    fw::PrintResult Print(const fw::PrintRequest& request) override;
    bool OpenWithDefaultApplication(const std::string& path) override;
};

// An application object using a RecordingPlatform, for one test.
struct TestApp {
    fw::CWinApp app;
    RecordingPlatform platform;
    TestApp() { app.SetPlatform(&platform); }
};

// A new project of one model with its code window (initial update done).
struct TestProject {
    std::unique_ptr<CK74x_75xDoc> document;
    std::unique_ptr<CK74x_75xView> view;

    explicit TestProject(std::uint8_t deviceId = 0xD0, bool makeActive = true);
    void Activate();
};

}  // namespace regsmith::testing

#include "tests/support/recording_platform.h"

#include <gtest/gtest.h>

namespace regsmith::testing {

std::vector<std::string> RecordingPlatform::Texts() const {
    std::vector<std::string> texts;
    for (const Box& box : boxes) texts.push_back(box.text);
    return texts;
}

fw::DialogResult RecordingPlatform::MessageBox(const std::string& text, fw::MessageIcon icon,
                                               fw::MessageButtons buttons) {
    boxes.push_back(Box{text, icon, buttons});
    if (buttons == fw::MessageButtons::Ok) return fw::DialogResult::Ok;
    if (answers.empty()) {
        ADD_FAILURE() << "unanswered question: " << text;
        return fw::DialogResult::No;
    }
    fw::DialogResult answer = answers.front();
    answers.pop_front();
    return answer;
}

fw::DialogResult RecordingPlatform::RunModal(fw::PropertySheet& sheet) {
    ++sheetsRun;
    sheet.Start();
    if (onSheet) {
        // A nested sheet run from inside onSheet must not re-enter the same
        // callback unless the test wants it to: the callback decides.
        onSheet(sheet);
    }
    if (!sheet.IsEnded()) sheet.PressCancel();
    return sheet.Result();
}

fw::DialogResult RecordingPlatform::RunModal(fw::Dialog& dialog) {
    dialog.Start();
    if (onDialog) onDialog(dialog);
    if (!dialog.IsEnded()) dialog.PressCancel();
    return dialog.Result();
}

std::optional<std::string> RecordingPlatform::SaveFileDialog(const fw::SaveFileRequest& request) {
    saveRequests.push_back(request);
    return savePath;
}

fw::PrintResult RecordingPlatform::Print(const fw::PrintRequest& request) {
    printed.push_back(request);
    return printResult;
}

bool RecordingPlatform::OpenWithDefaultApplication(const std::string& path) {
    openedPaths.push_back(path);
    return openResult;
}

TestProject::TestProject(std::uint8_t deviceId, bool makeActive)
    : document(std::make_unique<CK74x_75xDoc>(deviceId)), view(std::make_unique<CK74x_75xView>()) {
    document->AttachView(view.get());
    view->AttachDocument(document.get());
    document->OnNewDocument();
    view->OnInitialUpdate();
    if (makeActive) Activate();
}

void TestProject::Activate() {
    if (fw::CWinApp* app = fw::AfxGetApp()) app->SetActiveView(view.get());
    view->OnActivateView(true);
}

}  // namespace regsmith::testing

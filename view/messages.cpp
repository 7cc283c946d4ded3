#include "view/messages.h"

#include "fw/app.h"

namespace regsmith {

fw::DialogResult ShowMessage(const std::string& text, fw::MessageIcon icon, fw::MessageButtons buttons) {
    fw::CWinApp* app = fw::AfxGetApp();
    return app ? app->Platform().MessageBox(text, icon, buttons) : fw::DialogResult::No;
}

void Warn(const std::string& text) { ShowMessage(text, fw::MessageIcon::Warning, fw::MessageButtons::Ok); }

bool Ask(const std::string& text) {
    return ShowMessage(text, fw::MessageIcon::Question, fw::MessageButtons::YesNo) == fw::DialogResult::Yes;
}

}  // namespace regsmith

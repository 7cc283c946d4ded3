#include "view/device_dlg.h"

#include "fw/app.h"

namespace regsmith {

CDeviceDlg::CDeviceDlg(std::string title) : fw::PropertySheet(std::move(title)) {
    AddButton(kResetButtonCaption, [this] { OnReset(); });
}

void CDeviceDlg::OnReset() {
    fw::PropertyPage* page = ActivePage();
    if (!page) return;
    const fw::DialogResult answer = fw::AfxGetApp()->Platform().MessageBox(
        kResetPeripheralQuestion, fw::MessageIcon::Question, fw::MessageButtons::YesNo);
    if (answer == fw::DialogResult::Yes) page->OnReset();
}

}  // namespace regsmith

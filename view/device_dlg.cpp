#include "view/device_dlg.h"

#include "view/messages.h"

namespace regsmith {

CDeviceDlg::CDeviceDlg(std::string title) : fw::PropertySheet(std::move(title)) {
    AddButton(kResetButtonCaption, [this] { OnReset(); });
}

void CDeviceDlg::OnReset() {
    fw::PropertyPage* page = ActivePage();
    if (!page) return;
    if (Ask(kResetPeripheralQuestion)) page->OnReset();
}

}  // namespace regsmith

#include "view/k74x_75x_view.h"

#include "fw/app.h"
#include "view/command_ids.h"
#include "view/sheet_commands.h"

namespace regsmith {

CK74x_75xView::CK74x_75xView() { SetFont(fw::FontSpec{"Courier New", 10}); }

CDeviceDocument* CK74x_75xView::OwnDocument() const { return dynamic_cast<CDeviceDocument*>(GetDocument()); }

CDeviceDocument* CK74x_75xView::GetDeviceDocument() const {
    if (fw::CWinApp* app = fw::AfxGetApp())
        if (fw::CView* active = app->GetActiveView())
            if (auto* document = dynamic_cast<CDeviceDocument*>(active->GetDocument())) return document;
    return OwnDocument();
}

void CK74x_75xView::ColorizeText(const CDeviceDocument*) {}

void CK74x_75xView::UpdateCodeWindow() {
    if (CDeviceDocument* document = GetDeviceDocument()) {
        SetText(document->GenerateCode());
        ColorizeText();
    }
}

void CK74x_75xView::OnInitialUpdate() {
    if (CDeviceDocument* document = OwnDocument()) {
        SetText(document->GenerateCode());
        ColorizeText(document);
    }
}

void CK74x_75xView::OnActivateView(bool) {}

void CK74x_75xView::OnOptionsCodeformatC() {
    if (CDeviceDocument* document = GetDeviceDocument()) {
        document->deviceData.codeFormat = kCodeFormatC;
        document->SetModifiedFlag();
        UpdateCodeWindow();
    }
}

void CK74x_75xView::OnOptionsCodeformatAsm() {
    if (CDeviceDocument* document = GetDeviceDocument()) {
        document->deviceData.codeFormat = kCodeFormatAsm;
        document->SetModifiedFlag();
        UpdateCodeWindow();
    }
}

void CK74x_75xView::OnPeripheralsSheet(int command) {
    if (CDeviceDocument* document = GetDeviceDocument()) RunSheetCommand(command, *document);
    // Whatever the outcome: nested sheets may have written other blocks.
    UpdateCodeWindow();
}

bool CK74x_75xView::OnCommand(int id) {
    if (FindSheetCommand(id)) {
        if (HasSheetPages(id)) OnPeripheralsSheet(id);
        return true;
    }
    switch (id) {
        case ID_OPTIONS_CODEFORMAT_C: OnOptionsCodeformatC(); return true;
        case ID_OPTIONS_CODEFORMAT_ASM: OnOptionsCodeformatAsm(); return true;
        default: return false;
    }
}

bool CK74x_75xView::OnUpdateCommand(int id, fw::CommandState& state) const {
    const CDeviceDocument* document = GetDeviceDocument();
    if (FindSheetCommand(id)) {
        // A sheet whose pages are not built yet stays disabled.
        state.enabled = document && HasSheetPages(id);
        return true;
    }
    switch (id) {
        case ID_OPTIONS_CODEFORMAT_C:
            state.checked = document && !document->deviceData.IsAssembly();
            return true;
        case ID_OPTIONS_CODEFORMAT_ASM:
            state.checked = document && document->deviceData.IsAssembly();
            return true;
        default: return false;
    }
}

}  // namespace regsmith

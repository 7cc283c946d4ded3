#include "view/k74x_75x_view.h"

#include <filesystem>
#include <optional>

#include "codegen/generator.h"
#include "fw/app.h"
#include "fw/report.h"
#include "model/project_file.h"
#include "view/colouring.h"
#include "view/command_ids.h"
#include "view/messages.h"
#include "view/report_content.h"
#include "view/sheet_commands.h"

namespace regsmith {

namespace {

fw::PlatformServices& Platform() { return fw::AfxGetApp()->Platform(); }

}  // namespace

CK74x_75xView::CK74x_75xView() { SetFont(fw::FontSpec{"Courier New", 10}); }

CDeviceDocument* CK74x_75xView::OwnDocument() const { return dynamic_cast<CDeviceDocument*>(GetDocument()); }

CDeviceDocument* CK74x_75xView::GetDeviceDocument() const {
    if (fw::CWinApp* app = fw::AfxGetApp())
        if (fw::CView* active = app->GetActiveView())
            if (auto* document = dynamic_cast<CDeviceDocument*>(active->GetDocument())) return document;
    return OwnDocument();
}

void CK74x_75xView::ColorizeText(const CDeviceDocument* document) {
    if (!document) document = GetDeviceDocument();
    const bool assembly = document && document->deviceData.IsAssembly();
    SetColours(ScanColours(GetText(), assembly));
}

void CK74x_75xView::UpdateCodeWindow() {
    if (CDeviceDocument* document = GetDeviceDocument()) {
        SetText(GenerateCode(*document));
        ColorizeText();
    }
}

void CK74x_75xView::OnInitialUpdate() {
    if (CDeviceDocument* document = OwnDocument()) {
        SetText(GenerateCode(*document));
        ColorizeText(document);
    }
}

// The check marks of "C" and "Asm" are read from the active document
// whenever the host updates its menu (OnUpdateCommand), so they follow the
// active window without state of their own.
void CK74x_75xView::OnActivateView(bool) {}

void CK74x_75xView::SetCodeFormat(std::int32_t format) {
    CDeviceDocument* document = GetDeviceDocument();
    if (!document) return;
    if (document->deviceData.codeFormat != format) {
        document->deviceData.codeFormat = format;
        document->SetModifiedFlag();
    }
    UpdateCodeWindow();
}

void CK74x_75xView::OnOptionsCodeformatC() { SetCodeFormat(kCodeFormatC); }

void CK74x_75xView::OnOptionsCodeformatAsm() { SetCodeFormat(kCodeFormatAsm); }

void CK74x_75xView::OnFileSaveSource() {
    const CDeviceDocument* document = GetDeviceDocument();
    fw::SaveFileRequest request;
    if (document && document->deviceData.IsAssembly()) {
        request.defaultExtension = "asm";
        request.fileName = "Untitled.asm";
        request.filter = "ASM Files (*.asm)|*.asm|All Files (*.*)|*.*|";
    } else {
        request.defaultExtension = "c";
        request.fileName = "Untitled.c";
        request.filter = "C Files (*.c)|*.c|All Files (*.*)|*.*|";
    }
    request.hideReadOnly = true;
    request.promptBeforeOverwrite = true;
    const std::optional<std::string> path = Platform().SaveFileDialog(request);
    if (!path) return;
    // A project, this one or any other, is never replaced by its source.
    if (FileHoldsProject(*path)) {
        Warn("Error: " + *path + " holds a Regsmith project; the source was not saved over it.");
        return;
    }
    // Written to a temporary file and renamed over the target, so a failure
    // never leaves a truncated source behind; the message says why it failed.
    std::string error;
    if (!fw::WriteFileAtomically(*path, GetText(), error))
        ShowMessage(std::string(kSaveSourceError) + "\n" + *path + ": " + error, fw::MessageIcon::Question,
                    fw::MessageButtons::Ok);
}

void CK74x_75xView::OnFilePrint() {
    fw::PrintRequest request;
    request.documentName = kPrintDocumentName;
    request.text = GetText();
    request.colours = GetColours();
    request.font = GetFont();
    switch (Platform().Print(request)) {
        case fw::PrintResult::Printed:
        case fw::PrintResult::Cancelled: break;
        case fw::PrintResult::NoPrinter: Warn(kNoPrinterMessage); break;
        case fw::PrintResult::JobFailed: Warn(kPrintJobFailedMessage); break;
        case fw::PrintResult::PageFailed: Warn(kPrintPageFailedMessage); break;
    }
}

void CK74x_75xView::OnHelpHelp() {
    // Unlike a silent shell call, a missing or unopenable help file is
    // reported, so the user knows why nothing appeared.
    const std::string& path = fw::AfxGetApp()->GetHelpFilePath();
    if (path.empty()) {
        Warn(std::string("Error: The help file \"") + kDefaultHelpFileName + "\" is not installed.");
        return;
    }
    std::error_code code;
    if (!std::filesystem::is_regular_file(path, code)) {
        Warn("Error: The help file \"" + path + "\" was not found.");
        return;
    }
    if (!Platform().OpenWithDefaultApplication(path))
        Warn("Error: The help file \"" + path + "\" could not be opened.");
}

void CK74x_75xView::OnPeripheralsResetall() {
    if (Ask(kResetAllQuestion)) {
        if (CDeviceDocument* document = OwnDocument()) {
            document->InitializePeripherals();
            document->SetModifiedFlag();
        }
    }
    UpdateCodeWindow();
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
        case ID_FILE_SAVE_SOURCE: OnFileSaveSource(); return true;
        case fw::ID_FILE_PRINT: OnFilePrint(); return true;
        case ID_HELP_HELP: OnHelpHelp(); return true;
        case ID_PERIPHERALS_RESETALL: OnPeripheralsResetall(); return true;
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
            state.enabled = document != nullptr;
            state.checked = document && !document->deviceData.IsAssembly();
            return true;
        case ID_OPTIONS_CODEFORMAT_ASM:
            state.enabled = document != nullptr;
            state.checked = document && document->deviceData.IsAssembly();
            return true;
        case ID_FILE_SAVE_SOURCE:
        case fw::ID_FILE_PRINT:
        case ID_HELP_HELP:
        case ID_PERIPHERALS_RESETALL: state.enabled = true; return true;
        default: return false;
    }
}

}  // namespace regsmith

namespace regsmith {

bool CK74x_75xView::GetReportContent(fw::ReportContent& content) {
    CDeviceDocument* document = OwnDocument();
    if (!document) return false;
    FillReportContent(*document, content);
    content.source = GetText();
    return true;
}

}  // namespace regsmith

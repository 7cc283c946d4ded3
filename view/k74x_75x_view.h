#pragma once
// The code window of a project: the generated source, coloured, and the
// commands of the project's menu.

#include <string>

#include "fw/view.h"
#include "model/device_document.h"

namespace regsmith {

inline constexpr const char* kSaveSourceError = "Error: Could Not Open File For Save.";
inline constexpr const char* kNoPrinterMessage = "No printer is selected.\nPlease select a default printer.";
inline constexpr const char* kPrintJobFailedMessage = "Couldn't print document.";
inline constexpr const char* kPrintPageFailedMessage = "Error starting new page!";
inline constexpr const char* kResetAllQuestion = "Reset all peripheral data to default?";
inline constexpr const char* kPrintDocumentName = "Regsmith";
inline constexpr const char* kDefaultHelpFileName = "RegsmithHelp.chm";

class CK74x_75xView : public fw::CView {
public:
    CK74x_75xView();

    // The document of the host's active view (the one every command acts on),
    // or this window's own document when no view is active.
    CDeviceDocument* GetDeviceDocument() const;
    // Regenerates the text from the document and colours it.
    void UpdateCodeWindow();
    // Colours the whole text for the document's code format (the active
    // document's when none is given).
    void ColorizeText(const CDeviceDocument* document = nullptr);

    void OnInitialUpdate() override;
    void OnActivateView(bool active) override;
    bool OnCommand(int id) override;
    bool OnUpdateCommand(int id, fw::CommandState& state) const override;
    bool GetReportContent(fw::ReportContent& content) override;

    void OnOptionsCodeformatC();
    void OnOptionsCodeformatAsm();
    void OnFileSaveSource();
    void OnFilePrint();
    void OnHelpHelp();
    void OnPeripheralsResetall();
    // The twelve Peripherals commands share one table-driven handler
    // (view/sheet_commands.h): run the sheet, then regenerate the text.
    void OnPeripheralsSheet(int command);

private:
    CDeviceDocument* OwnDocument() const;
    void SetCodeFormat(std::int32_t format);
};

}  // namespace regsmith

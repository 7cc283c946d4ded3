#pragma once
// The code window of a project: the generated source, coloured, and the
// commands of the project's menu.

#include "fw/view.h"
#include "model/device_document.h"

namespace regsmith {

class CK74x_75xView : public fw::CView {
public:
    CK74x_75xView();

    // The document of the host's active view (the one every command acts on),
    // or this window's own document when no view is active.
    CDeviceDocument* GetDeviceDocument() const;
    // Regenerates the text from the document and colours it.
    void UpdateCodeWindow();
    void ColorizeText(const CDeviceDocument* document = nullptr);

    void OnInitialUpdate() override;
    void OnActivateView(bool active) override;
    bool OnCommand(int id) override;
    bool OnUpdateCommand(int id, fw::CommandState& state) const override;

    void OnOptionsCodeformatC();
    void OnOptionsCodeformatAsm();
    // The twelve Peripherals commands share one table-driven handler
    // (view/sheet_commands.h): run the sheet, then regenerate the text.
    void OnPeripheralsSheet(int command);

private:
    CDeviceDocument* OwnDocument() const;
};

}  // namespace regsmith

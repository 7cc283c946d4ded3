// The plug-in's exported entry points: registers one document template per
// model on the host's application object.

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>

#include "fw/app.h"
#include "model/catalogue.h"
#include "model/k74x_75x_doc.h"
#include "pages/adc/adc_sheets.h"
#include "pages/clocks/oscillator_sheets.h"
#include "pages/comparator/comparator_sheets.h"
#include "pages/interrupts/interrupt_sheets.h"
#include "pages/pca/pca_sheets.h"
#include "pages/portio/portio_sheets.h"
#include "pages/spi/spi_sheets.h"
#include "pages/supply/supply_sheets.h"
#include "pages/timers/timer_sheets.h"
#include "pages/uart/uart_sheets.h"
#include "view/command_ids.h"
#include "view/k74x_75x_view.h"
#include "view/project_menu.h"

namespace regsmith {

// Each page group says here which pages its sheets have (RegisterSheetPages,
// view/sheet_commands.h); a Peripherals command without pages stays disabled.
void RegisterAllPages() {
    RegisterInterruptPages();
    RegisterPortIOPages();
    RegisterPcaPages();
    RegisterSpiPages();
    RegisterClockPages();
    RegisterTimerPages();
    RegisterUartPages();
    RegisterSupplyPages();
    RegisterAdcPages();
    RegisterComparatorPages();
}

}  // namespace regsmith

extern "C" __attribute__((visibility("default"))) void InitK74x_75xDLL() {
    using namespace regsmith;
    fw::CWinApp* app = fw::AfxGetApp();
    if (!app) return;
    RegisterAllPages();
    for (const ModelInfo& model : kCatalogue) {
        const std::uint8_t id = model.deviceId;
        std::string templateString = std::string("\n") + model.model + " \n" + model.model;
        auto docTemplate = std::make_unique<fw::CMultiDocTemplate>(
            model.resourceId, std::move(templateString),
            [id]() -> std::unique_ptr<fw::CDocument> { return std::make_unique<CK74x_75xDoc>(id); },
            []() -> std::unique_ptr<fw::CView> { return std::make_unique<CK74x_75xView>(); }, ProjectMenu());
        char deviceId[8];
        std::snprintf(deviceId, sizeof deviceId, "0x%02X", id);
        docTemplate->SetAttribute("deviceId", deviceId);
        docTemplate->SetAttribute("documentClass", model.documentClass);
        // What the host's model lists and status bar show.
        docTemplate->SetAttribute("package", IsSmallPackage(id) ? "small" : "large");
        docTemplate->SetAttribute("portPins", std::to_string(PinCount(id)));
        docTemplate->SetAttribute("portPinRange", IsSmallPackage(id) ? "P0.0-P0.5" : "P0.0-P1.7");
        docTemplate->SetAttribute("lin", HasLinInterrupt(id) ? "yes" : "no");
        app->AddDocTemplate(std::move(docTemplate));
    }
}

extern "C" __attribute__((visibility("default"))) std::uint16_t GetDLLVersion() { return 0; }

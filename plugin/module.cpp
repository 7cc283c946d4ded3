// The plug-in's exported entry points: registers one document template per
// model on the host's application object.

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>

#include "fw/app.h"
#include "model/k74x_75x_doc.h"
#include "pages/interrupts/interrupt_sheets.h"
#include "pages/portio/portio_sheets.h"
#include "plugin/catalogue.h"
#include "view/command_ids.h"
#include "view/k74x_75x_view.h"

namespace regsmith {

fw::MenuResource ProjectMenu() {
    using fw::MenuItem;
    return {
        MenuItem::Popup("&File",
                        {MenuItem::Command("&New", fw::ID_FILE_NEW),
                         MenuItem::Command("&Open Project...", fw::ID_FILE_OPEN),
                         MenuItem::Command("&Save Project", fw::ID_FILE_SAVE),
                         MenuItem::Command("Save Project &As...", fw::ID_FILE_SAVE_AS),
                         MenuItem::Command("&Close Project", fw::ID_FILE_CLOSE), MenuItem::Separator(),
                         MenuItem::Command("Sa&ve Source As...", ID_FILE_SAVE_SOURCE), MenuItem::Separator(),
                         MenuItem::Command("&Print...", fw::ID_FILE_PRINT),
                         MenuItem::Command("&Print Setup...", fw::ID_FILE_PRINT_SETUP), MenuItem::Separator(),
                         MenuItem::Command("Recent File", fw::ID_FILE_MRU_FILE1), MenuItem::Separator(),
                         MenuItem::Command("E&xit", fw::ID_APP_EXIT)}),
        MenuItem::Popup("&Options", {MenuItem::Popup("Code Format",
                                                      {MenuItem::Command("C", ID_OPTIONS_CODEFORMAT_C, true),
                                                       MenuItem::Command("Asm", ID_OPTIONS_CODEFORMAT_ASM)})}),
        MenuItem::Popup("&Peripherals",
                        {MenuItem::Command("Port I/O", ID_PERIPHERALS_PORTIO),
                         MenuItem::Command("Oscillators", ID_PERIPHERALS_OSCILLATORS),
                         MenuItem::Command("Timers", ID_PERIPHERALS_TIMERS),
                         MenuItem::Command("PCA", ID_PERIPHERALS_PCA),
                         MenuItem::Command("UART", ID_PERIPHERALS_UART),
                         MenuItem::Command("SPI", ID_PERIPHERALS_SPI),
                         MenuItem::Command("ADC", ID_PERIPHERALS_ADC),
                         MenuItem::Command("Comparator", ID_PERIPHERALS_COMPARATOR),
                         MenuItem::Command("Voltage Reference", ID_PERIPHERALS_VOLTAGEREFERENCE),
                         MenuItem::Command("Voltage Regulator", ID_PERIPHERALS_VOLTAGEREGULATOR),
                         MenuItem::Command("Reset Sources", ID_PERIPHERALS_RESETSOURCES),
                         MenuItem::Command("Interrupts", ID_PERIPHERALS_INTERRUPTS), MenuItem::Separator(),
                         MenuItem::Command("Reset All", ID_PERIPHERALS_RESETALL)}),
        MenuItem::Popup("&View", {MenuItem::Command("&Toolbar", fw::ID_VIEW_TOOLBAR),
                                  MenuItem::Command("&Status Bar", fw::ID_VIEW_STATUS_BAR)}),
        MenuItem::Popup("&Help", {MenuItem::Command("&Help...", ID_HELP_HELP),
                                  MenuItem::Command("&About Regsmith...", fw::ID_APP_ABOUT)}),
    };
}

// Each page group says here which pages its sheets have (RegisterSheetPages,
// view/sheet_commands.h); a Peripherals command without pages stays disabled.
void RegisterAllPages() {
    RegisterInterruptPages();
    RegisterPortIOPages();
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
        app->AddDocTemplate(std::move(docTemplate));
    }
}

extern "C" __attribute__((visibility("default"))) std::uint16_t GetDLLVersion() { return 0; }

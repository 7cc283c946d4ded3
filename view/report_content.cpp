#include "view/report_content.h"

#include <cstdio>
#include <map>

#include "model/catalogue.h"
#include "model/k74x_75x_doc.h"
#include "view/sheet_commands.h"

namespace regsmith {

namespace {

// A caption as a reader sees it: one line, without the trailing colon of a label.
std::string Label(std::string text) {
    for (char& c : text)
        if (c == '\n' || c == '\r') c = ' ';
    while (!text.empty() && (text.back() == ' ' || text.back() == ':')) text.pop_back();
    return text;
}

std::string KeyOf(const fw::Control& control) {
    const fw::Control* group = control.EnclosingGroup();
    return (group ? group->Caption() : std::string()) + "/" + control.ScriptName();
}

using PageKey = std::pair<std::string, std::string>;  // sheet title, page title

std::map<PageKey, std::vector<PageSetting>> SettingsOfEveryPage(CDeviceDocument& document,
                                                                std::vector<PageKey>* order = nullptr) {
    std::map<PageKey, std::vector<PageSetting>> settings;
    VisitSheetPages(document, [&](const SheetCommandSpec& sheet, fw::PropertyPage& page) {
        const PageKey key{sheet.menuText, page.Title()};
        if (order && !settings.count(key)) order->push_back(key);
        settings[key] = SettingsOfPage(page);
    });
    return settings;
}

}  // namespace

std::vector<PageSetting> SettingsOfPage(const fw::Form& page) {
    std::vector<PageSetting> settings;
    for (const fw::Control* control : page.AllControls()) {
        if (!control->IsEffectivelyVisible()) continue;
        const std::string name = Label(control->ScriptName());
        switch (control->Kind()) {
            case fw::ControlKind::CheckBox:
                settings.push_back({KeyOf(*control),
                                    name + ": " + (static_cast<const fw::CheckBox&>(*control).IsChecked() ? "on" : "off")});
                break;
            case fw::ControlKind::RadioButton: {
                // Said as its group's choice: "Timer Mode: 13 Bit Counter/Timer".
                const fw::Control* group = control->EnclosingGroup();
                const bool chosen = static_cast<const fw::RadioButton&>(*control).IsChecked();
                settings.push_back({KeyOf(*control) + (chosen ? "=1" : "=0"),
                                    (group ? Label(group->Caption()) + ": " : std::string()) + name, chosen});
                break;
            }
            case fw::ControlKind::DropDownList: {
                const auto& list = static_cast<const fw::DropDownList&>(*control);
                settings.push_back({KeyOf(*control), name + ": " + (list.Selected() < 0 ? "(none)" : Label(list.SelectedText()))});
                break;
            }
            case fw::ControlKind::EditField:
                // Computed displays (a baud rate, a SYSCLK) are reported too: a reviewer reads them.
                settings.push_back({KeyOf(*control), name + ": " + static_cast<const fw::EditField&>(*control).Text()});
                break;
            case fw::ControlKind::Slider:
                settings.push_back({KeyOf(*control), name + ": " + std::to_string(static_cast<const fw::Slider&>(*control).Value())});
                break;
            case fw::ControlKind::ToggleButton: {
                const auto& toggle = static_cast<const fw::ToggleButton&>(*control);
                const std::string& words = toggle.IsPressed() ? toggle.pressedWords : toggle.releasedWords;
                settings.push_back({KeyOf(*control), name + ": " + (words.empty() ? (toggle.IsPressed() ? "on" : "off") : words)});
                break;
            }
            case fw::ControlKind::ThreeStateButton: {
                const auto& button = static_cast<const fw::ThreeStateButton&>(*control);
                const bool captionShowsState = !control->Name().empty() && !control->Caption().empty();
                settings.push_back({KeyOf(*control), name + ": " + (captionShowsState ? control->Caption() : std::to_string(button.State()))});
                break;
            }
            default: break;
        }
    }
    return settings;
}

std::vector<fw::ReportSettingsPage> ChangedSettings(CDeviceDocument& document) {
    CK74x_75xDoc fresh(document.deviceId);
    fresh.OnNewDocument();
    const auto reference = SettingsOfEveryPage(fresh);
    std::vector<PageKey> order;
    const auto current = SettingsOfEveryPage(document, &order);

    std::vector<fw::ReportSettingsPage> pages;
    for (const PageKey& key : order) {
        std::map<std::string, std::string> before;
        if (auto found = reference.find(key); found != reference.end())
            for (const PageSetting& setting : found->second) before[setting.key] = setting.line;
        fw::ReportSettingsPage page{key.first, key.second, {}};
        for (const PageSetting& setting : current.at(key)) {
            if (!setting.chosen) continue;
            const auto old = before.find(setting.key);
            if (old == before.end() || old->second != setting.line) page.lines.push_back(setting.line);
        }
        if (!page.lines.empty()) pages.push_back(std::move(page));
    }
    return pages;
}

void FillReportContent(CDeviceDocument& document, fw::ReportContent& content) {
    content.model = std::string(ModelName(document.deviceId));
    content.package = IsSmallPackage(document.deviceId) ? "small package" : "large package";
    content.pinCount = PinCount(document.deviceId);
    content.lin = HasLinInterrupt(document.deviceId);
    char id[8];
    std::snprintf(id, sizeof id, "0x%02X", static_cast<unsigned>(document.deviceId));
    content.deviceId = id;
    content.assembly = document.deviceData.IsAssembly();
    document.GetOverview(content.overview);
    content.settings = ChangedSettings(document);
}

}  // namespace regsmith

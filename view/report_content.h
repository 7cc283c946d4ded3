#pragma once
// What the configuration report says about a project, gathered from the
// same places the user sees: the catalogue, the overview, and every page of
// every sheet as it shows the project.

#include <string>
#include <vector>

#include "fw/report.h"
#include "fw/ui.h"
#include "model/device_document.h"

namespace regsmith {

// The settings a page shows, one per input control, keyed so that two
// displays of the same page can be compared: a check box "Enable UART0
// Reception: on", the chosen radio button of a group "Timer Mode: 8 Bit
// Counter/Timer Auto-Reload", a list or field "TH1: 96".  Hidden controls,
// texts, displays and buttons are not settings.
struct PageSetting {
    std::string key;
    std::string line;
    bool chosen = true;  // false for a radio button that is not chosen (compared, never printed)
};
std::vector<PageSetting> SettingsOfPage(const fw::Form& page);

// Per page of every sheet, the settings whose state differs from a new
// project of the same model; pages without such a setting are left out.
std::vector<fw::ReportSettingsPage> ChangedSettings(CDeviceDocument& document);

// Everything but the file name, the date and the source: model facts,
// overview and changed settings.
void FillReportContent(CDeviceDocument& document, fw::ReportContent& content);

}  // namespace regsmith

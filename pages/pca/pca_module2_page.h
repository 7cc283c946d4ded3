#pragma once
// "Module 2/WDT": module 2's capture/compare controls and the watchdog timer
// it provides: enable and lock, the timeout shown in mode "Watchdog Timer"
// and its calculator.  While the watchdog is enabled the module has no
// capture/compare function and its mode radios are disabled.

#include "pages/pca/pca_module_page.h"

namespace regsmith {

inline constexpr const char* kModule2PageTitle = "Module 2/WDT";

class CPca0Module2PropPage : public CPcaModulePage {
public:
    explicit CPca0Module2PropPage(SheetContext& sheet);

private:
    void AfterLoad() override;
    // Shows the watchdog state; an enabled watchdog clears the module's mode.
    void ShowWatchdog();
    void OnEnableClicked();
    void OnLockClicked();

    fw::CheckBox* enable_ = nullptr;
    fw::CheckBox* lock_ = nullptr;
};

}  // namespace regsmith

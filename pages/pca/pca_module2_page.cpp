#include "pages/pca/pca_module2_page.h"

#include "pages/pca/watchdog.h"

namespace regsmith {

CPca0Module2PropPage::CPca0Module2PropPage(SheetContext& sheet) : CPcaModulePage(kModule2PageTitle, sheet, 2) {
    auto& watchdog = ModeGroup().Add<fw::GroupBox>("Watchdog");
    enable_ = &watchdog.Add<fw::CheckBox>("Enable Watchdog Timer");
    lock_ = &watchdog.Add<fw::CheckBox>("Lock Watchdog Timer Enable");
    // Both boxes are shown by ShowWatchdog after the bindings are loaded.
    Bind(*enable_, {}, [this] { OnEnableClicked(); });
    Bind(*lock_, {}, [this] { OnLockClicked(); });
}

void CPca0Module2PropPage::AfterLoad() { ShowWatchdog(); }

void CPca0Module2PropPage::ShowWatchdog() {
    const pca::WatchdogState state = pca::ReadWatchdog(Block());
    const bool enabled = state != pca::WatchdogState::Disabled;
    enable_->SetChecked(enabled);
    lock_->Enable(enabled);
    lock_->SetChecked(state == pca::WatchdogState::Locked);
    if (enabled) {
        ReplaceBits(ModeField(), 0);  // "Watchdog Timer"
        ModeRadios()[0]->SetChecked(true);
    }
    for (fw::RadioButton* radio : ModeRadios()) radio->Enable(!enabled);
}

void CPca0Module2PropPage::OnEnableClicked() {
    if (enable_->IsChecked()) {
        pca::WriteWatchdog(Block(), pca::WatchdogState::Enabled);
    } else {
        pca::WriteWatchdog(Block(), pca::WatchdogState::Disabled);
        SetBits(false, field::PCA0MD_WDLCK);
    }
    ShowWatchdog();
}

void CPca0Module2PropPage::OnLockClicked() {
    pca::WriteWatchdog(Block(), lock_->IsChecked() ? pca::WatchdogState::Locked : pca::WatchdogState::Enabled);
}

}  // namespace regsmith

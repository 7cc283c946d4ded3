#include "pages/pca/watchdog.h"

#include "codegen/fragments.h"

#include "model/register_tables.h"

namespace regsmith::pca {

namespace {

bool Changed(const PeripheralBlock& block, int index) {
    const RegisterEntry* entry = EntryOf(block, index);
    return entry != nullptr && entry->value != entry->resetValue;
}

}  // namespace

void WriteWatchdog(PeripheralBlock& pca, WatchdogState state) {
    RegisterEntry* cpl2 = EntryOf(pca, reg::PCA0CPL2);
    if (cpl2 == nullptr) return;
    switch (state) {
        case WatchdogState::Disabled: SetFragment(*cpl2, Fragment::WatchdogStart, false); break;
        case WatchdogState::Enabled: SetFragment(*cpl2, Fragment::WatchdogStart, true); break;
        case WatchdogState::Locked: SetFragment(*cpl2, Fragment::WatchdogLock, true); break;
    }
}

void ApplyWatchdogEmissionRule(PeripheralBlock& pca) {
    RegisterEntry* md = EntryOf(pca, reg::PCA0MD);
    RegisterEntry* cpl2 = EntryOf(pca, reg::PCA0CPL2);
    if (md == nullptr || cpl2 == nullptr) return;
    switch (ReadWatchdog(pca)) {
        case WatchdogState::Disabled: md->forceEmit = 1, cpl2->forceEmit = 0; return;
        case WatchdogState::Locked: md->forceEmit = 1, cpl2->forceEmit = 1; return;
        case WatchdogState::Enabled: break;
    }
    const bool changed = Changed(pca, reg::PCA0MD) || Changed(pca, reg::PCA0L) || Changed(pca, reg::PCA0H) ||
                         Changed(pca, reg::PCA0CPM2) || Changed(pca, reg::PCA0CPL2);
    md->forceEmit = changed ? 1 : 0;
    cpl2->forceEmit = changed ? 1 : 0;
}

void ResetPcaBlock(PeripheralBlock& pca) {
    for (RegisterEntry& entry : pca.registers) entry.value = entry.resetValue;
    WriteWatchdog(pca, WatchdogState::Enabled);
    if (RegisterEntry* md = EntryOf(pca, reg::PCA0MD)) md->forceEmit = 0;
    if (RegisterEntry* cpl2 = EntryOf(pca, reg::PCA0CPL2)) cpl2->forceEmit = 0;
}

}  // namespace regsmith::pca

#pragma once
// "Reset Sources": comparator 0, the VDD monitor and the missing clock
// detector as reset sources (RSTSRC), with the comparator's state and its
// nested "Comparator" sheet.  See reset_source_rules.h for how the
// comparator's bit travels between block 0 and block 8.

#include "view/device_page.h"

namespace regsmith {

class CResetSourcesPropPage : public CDevicePropPage {
public:
    explicit CResetSourcesPropPage(SheetContext& sheet);

    // Moves the comparator reset source into block 8 before the sheet writes
    // block 0 and then block 8 back.
    void OnOK() override;

private:
    void BeforeLoad() override;
    void ResetPage() override;

    PeripheralBlock& comparatorResetSource_;  // block 8
};

}  // namespace regsmith

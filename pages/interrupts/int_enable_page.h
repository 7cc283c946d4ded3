#pragma once
// "Enable Interrupts": the global enable and the enable bit of every
// interrupt source (IE and EIE1).

#include "pages/interrupts/interrupt_check_box_page.h"

namespace regsmith {

class CIntEnablePropPage : public CInterruptCheckBoxPage {
public:
    explicit CIntEnablePropPage(SheetContext& sheet)
        : CInterruptCheckBoxPage(interrupts::kEnablePageTitle, interrupts::kEnableCheckBoxes, sheet) {}
};

}  // namespace regsmith

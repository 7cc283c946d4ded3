#pragma once
// "Interrupt Priority": the high-priority bit of every interrupt source (IP
// and EIP1).

#include "pages/interrupts/interrupt_check_box_page.h"

namespace regsmith {

class CIntPriorityPropPage : public CInterruptCheckBoxPage {
public:
    explicit CIntPriorityPropPage(SheetContext& sheet)
        : CInterruptCheckBoxPage(interrupts::kPriorityPageTitle, interrupts::kPriorityCheckBoxes, sheet) {}
};

}  // namespace regsmith

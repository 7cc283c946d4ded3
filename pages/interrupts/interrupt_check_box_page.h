#pragma once
// The common design of the "Enable Interrupts" and "Interrupt Priority"
// pages: one check box per bit of the interrupts block, grouped by source,
// with the LIN group hidden on the models that have no LIN interrupt.  Reset
// on any interrupt page resets all five registers of the block.

#include <span>
#include <string>

#include "pages/interrupts/interrupt_tables.h"
#include "view/device_page.h"

namespace regsmith {

class CInterruptCheckBoxPage : public CDevicePropPage {
public:
    CInterruptCheckBoxPage(std::string title, std::span<const interrupts::InterruptCheckBox> table,
                           SheetContext& sheet);

private:
    // Only the controls hide: a LIN bit set in a project stays set and is
    // generated.
    void OnFirstDisplay() override { ApplyLinVisibility(controls_, table_, DeviceId()); }

    std::span<const interrupts::InterruptCheckBox> table_;
    interrupts::CheckBoxPageControls controls_;
};

}  // namespace regsmith

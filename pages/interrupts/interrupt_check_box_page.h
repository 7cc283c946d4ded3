#pragma once
// The common design of the "Enable Interrupts" and "Interrupt Priority"
// pages: one check box per bit of the interrupts block, grouped by source,
// with the LIN group hidden on the models that have no LIN interrupt.

#include <span>
#include <string>

#include "fw/ui.h"
#include "pages/interrupts/interrupt_tables.h"
#include "view/device_page.h"

namespace regsmith {

class CInterruptCheckBoxPage : public fw::PropertyPage, public CDevicePage {
public:
    // `interrupts` is the sheet's interrupts copy (block 13), shared by every
    // interrupt page of the sheet.
    CInterruptCheckBoxPage(std::string title, std::span<const interrupts::InterruptCheckBox> table,
                           PeripheralBlock& interrupts);

    void OnInitDialog() override;
    bool OnSetActive() override;
    // After the sheet's question was answered Yes: all five registers of the
    // block go back to their reset values, whichever page asked.
    void OnReset() override;

private:
    void Load();

    std::span<const interrupts::InterruptCheckBox> table_;
    interrupts::CheckBoxPageControls controls_;
};

// Reset values into all five registers of the interrupts block (the reset of
// every interrupt page).
void ResetInterruptRegisters(CDevicePage& page);

}  // namespace regsmith

#pragma once
// "INT0/INT1 Configuration": polarity and port pin of the external
// interrupts /INT0 and /INT1 (fields of IT01CF).

#include <array>

#include "fw/ui.h"
#include "pages/interrupts/interrupt_tables.h"
#include "view/device_page.h"

namespace regsmith {

class SheetContext;

class CInt01ConfigPropPage : public fw::PropertyPage, public CDevicePage {
public:
    // `interruptsCopy` is the sheet's interrupts copy (block 13); `context` is
    // the run this page belongs to, from which "Configure Port I/O" opens its
    // nested sheet.
    CInt01ConfigPropPage(PeripheralBlock& interruptsCopy, SheetContext& context);

    void OnInitDialog() override;
    bool OnSetActive() override;
    void OnReset() override;

    // "Configure Port I/O" (both buttons): a nested "Port I/O" sheet with the
    // "Priority Crossbar" page alone, on fresh copies of the port I/O and SPI
    // blocks; on OK block 11 goes into the document at once.  Nothing on
    // this page depends on it.
    void OnConfigurePortIO();

private:
    void Load();
    void OnPinSelected(std::size_t which);

    SheetContext& context_;
    std::array<interrupts::ExternalInterruptControls, 2> controls_;
};

}  // namespace regsmith

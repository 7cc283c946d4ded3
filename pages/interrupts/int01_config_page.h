#pragma once
// "INT0/INT1 Configuration": polarity and port pin of the external
// interrupts /INT0 and /INT1 (fields of IT01CF).  Each "Configure Port I/O"
// button opens the crossbar page on fresh port I/O and SPI copies.

#include <array>

#include "pages/interrupts/interrupt_tables.h"
#include "view/device_page.h"

namespace regsmith {

class CInt01ConfigPropPage : public CDevicePropPage {
public:
    explicit CInt01ConfigPropPage(SheetContext& sheet);

private:
    // The pins the package offers; a stored pin the package lacks (P0.6 or
    // P0.7 on the small package) shows no selection and its bits stay until
    // the user picks a pin.
    void OnFirstDisplay() override;

    std::array<interrupts::ExternalInterruptControls, 2> controls_;
};

}  // namespace regsmith

#pragma once
// "UART0": the UART mode, reception and the stop-bit / ninth-bit check
// (SCON0), with the baud rate timer 1 gives.  Timer 1 is set in the nested
// "Timers" sheet ("Configure UART Baud Rate"), whose Timer 1 page holds the
// baud-rate calculator.

#include <array>

#include "view/device_page.h"

namespace regsmith {

inline constexpr const char* kUart0PageTitle = "UART0";

class CUart0PropPage : public CDevicePropPage {
public:
    explicit CUart0PropPage(SheetContext& sheet);

private:
    // The pair of options of the current mode is enabled; both pairs show
    // the one bit (SCON0 bit 5).
    std::array<fw::RadioButton*, 2> eightBit_{};
    std::array<fw::RadioButton*, 2> nineBit_{};
};

}  // namespace regsmith

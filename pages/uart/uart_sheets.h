#pragma once
// The "UART" sheet of the Peripherals menu ("UARTs", one page).

namespace regsmith {

void RegisterUartPages();

}  // namespace regsmith

#pragma once
// The "Timers" sheet of the Peripherals menu.  Its "Timer 1" page also
// serves the nested "Timers" sheet of the UART0 page (a row of
// view/nested_sheets.h).

namespace regsmith {

void RegisterTimerPages();

}  // namespace regsmith

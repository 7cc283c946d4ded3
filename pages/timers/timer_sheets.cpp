#include "pages/timers/timer_sheets.h"

#include "pages/timers/timer0_page.h"
#include "pages/timers/timer1_page.h"
#include "pages/timers/timer2_page.h"
#include "view/command_ids.h"
#include "view/sheet_commands.h"

namespace regsmith {

void RegisterTimerPages() {
    // The three pages edit the one timers copy of the run.
    RegisterSheetPages(ID_PERIPHERALS_TIMERS, {
                                                  PageOf<CTimer0PropPage>(kTimer0PageTitle),
                                                  PageOf<CTimer1PropPage>(kTimer1PageTitle),
                                                  PageOf<CTimer2PropPage>(kTimer2PageTitle),
                                              });
}

}  // namespace regsmith

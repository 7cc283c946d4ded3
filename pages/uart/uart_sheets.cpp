#include "pages/uart/uart_sheets.h"

#include "pages/uart/uart0_page.h"
#include "view/command_ids.h"
#include "view/sheet_commands.h"

namespace regsmith {

void RegisterUartPages() { RegisterSheetPages(ID_PERIPHERALS_UART, {PageOf<CUart0PropPage>(kUart0PageTitle)}); }

}  // namespace regsmith

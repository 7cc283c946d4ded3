#include "pages/spi/spi_sheets.h"

#include "pages/spi/spi0_page.h"
#include "view/command_ids.h"
#include "view/sheet_commands.h"

namespace regsmith {

void RegisterSpiPages() { RegisterSheetPages(ID_PERIPHERALS_SPI, {PageOf<CSpi0PropPage>(kSpi0PageTitle)}); }

}  // namespace regsmith

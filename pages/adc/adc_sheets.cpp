#include "pages/adc/adc_sheets.h"

#include "pages/adc/adc0_page.h"
#include "view/command_ids.h"
#include "view/sheet_commands.h"

namespace regsmith {

void RegisterAdcPages() { RegisterSheetPages(ID_PERIPHERALS_ADC, {PageOf<CAdc0PropPage>(kAdc0PageTitle)}); }

}  // namespace regsmith

#include "pages/comparator/comparator_sheets.h"

#include "pages/comparator/comparator0_page.h"
#include "view/command_ids.h"
#include "view/sheet_commands.h"

namespace regsmith {

void RegisterComparatorPages() {
    RegisterSheetPages(ID_PERIPHERALS_COMPARATOR, {PageOf<CComparator0PropPage>(kComparator0PageTitle)});
}

}  // namespace regsmith

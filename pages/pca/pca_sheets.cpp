#include "pages/pca/pca_sheets.h"

#include "pages/pca/pca0_page.h"
#include "pages/pca/pca_module2_page.h"
#include "pages/pca/pca_module_page.h"
#include "view/command_ids.h"
#include "view/sheet_commands.h"

namespace regsmith {

void RegisterPcaPages() {
    RegisterSheetPages(ID_PERIPHERALS_PCA, {
                                               PageOf<CPca0PropPage>(kPca0PageTitle),
                                               PageOf<CPca0Module0PropPage>(kModule0PageTitle),
                                               PageOf<CPca0Module1PropPage>(kModule1PageTitle),
                                               PageOf<CPca0Module2PropPage>(kModule2PageTitle),
                                           });
}

}  // namespace regsmith

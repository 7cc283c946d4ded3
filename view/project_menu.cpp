#include "view/project_menu.h"

#include "view/command_ids.h"
#include "view/sheet_commands.h"

namespace regsmith {

fw::MenuResource ProjectMenu() {
    using fw::MenuItem;
    std::vector<MenuItem> peripherals;
    for (const SheetCommandSpec& command : SheetCommands())
        peripherals.push_back(MenuItem::Command(command.menuText, command.command));
    peripherals.push_back(MenuItem::Separator());
    peripherals.push_back(MenuItem::Command("Reset A&ll", ID_PERIPHERALS_RESETALL));
    return {
        MenuItem::Popup("&File",
                        {MenuItem::Command("&New", fw::ID_FILE_NEW),
                         MenuItem::Command("&Open Project...", fw::ID_FILE_OPEN),
                         MenuItem::Command("&Save Project", fw::ID_FILE_SAVE),
                         MenuItem::Command("Save Project &As...", fw::ID_FILE_SAVE_AS),
                         MenuItem::Command("&Close Project", fw::ID_FILE_CLOSE), MenuItem::Separator(),
                         MenuItem::Command("Sa&ve Source As...", ID_FILE_SAVE_SOURCE), MenuItem::Separator(),
                         MenuItem::Command("&Print...", fw::ID_FILE_PRINT),
                         MenuItem::Command("&Print Setup...", fw::ID_FILE_PRINT_SETUP), MenuItem::Separator(),
                         MenuItem::Command("Recent File", fw::ID_FILE_MRU_FILE1), MenuItem::Separator(),
                         MenuItem::Command("E&xit", fw::ID_APP_EXIT)}),
        MenuItem::Popup("&Options", {MenuItem::Popup("Code Format",
                                                      {MenuItem::Command("C", ID_OPTIONS_CODEFORMAT_C, true),
                                                       MenuItem::Command("Asm", ID_OPTIONS_CODEFORMAT_ASM)})}),
        MenuItem::Popup("&Peripherals", std::move(peripherals)),
        MenuItem::Popup("&View", {MenuItem::Command("&Toolbar", fw::ID_VIEW_TOOLBAR),
                                  MenuItem::Command("&Status Bar", fw::ID_VIEW_STATUS_BAR)}),
        MenuItem::Popup("&Help", {MenuItem::Command("&Help...", ID_HELP_HELP),
                                  MenuItem::Command("&About Regsmith...", fw::ID_APP_ABOUT)}),
    };
}

}  // namespace regsmith

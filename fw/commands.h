#pragma once
// Command identifiers, the menu resource a document template carries, and
// the routing of commands to a project window.  The host handles the ids
// below kFirstPluginCommand that it knows (new, open, close, exit, ...);
// every other id goes through QueryCommand and RouteCommand: the active view
// first, then its document.  The desktop host and the script mode both use
// these two functions, so a command is greyed, checked and run alike in both.

#include <string>
#include <vector>

namespace fw {

class CDocument;
class CView;

enum CommandId : int {
    ID_NONE = 0,
    ID_FILE_NEW = 0xE100,
    ID_FILE_OPEN = 0xE101,
    ID_FILE_CLOSE = 0xE102,
    ID_FILE_SAVE = 0xE103,
    ID_FILE_SAVE_AS = 0xE104,
    ID_FILE_PRINT_SETUP = 0xE106,
    ID_FILE_PRINT = 0xE107,
    ID_FILE_EXPORT_REPORT = 0xE108,  // the host's File > Export Report...
    ID_FILE_MRU_FILE1 = 0xE110,
    ID_EDIT_UNDO = 0xE12B,
    ID_EDIT_REDO = 0xE12C,
    ID_APP_ABOUT = 0xE140,
    ID_APP_EXIT = 0xE141,
    ID_VIEW_TOOLBAR = 0xE800,
    ID_VIEW_STATUS_BAR = 0xE801,
    kFirstPluginCommand = 0x8000,
};

// One item of a menu: a command (id != ID_NONE), a separator, or a submenu.
struct MenuItem {
    std::string text;  // with the & accelerator marks, e.g. "&Save Project"
    int id = ID_NONE;
    bool separator = false;
    bool checkedInResource = false;
    std::vector<MenuItem> submenu;

    static MenuItem Command(std::string text, int id, bool checked = false) {
        MenuItem item;
        item.text = std::move(text);
        item.id = id;
        item.checkedInResource = checked;
        return item;
    }
    static MenuItem Separator() {
        MenuItem item;
        item.separator = true;
        return item;
    }
    static MenuItem Popup(std::string text, std::vector<MenuItem> items) {
        MenuItem item;
        item.text = std::move(text);
        item.submenu = std::move(items);
        return item;
    }
};

using MenuResource = std::vector<MenuItem>;  // the menu bar's top-level popups

// A menu text without its accelerator marks ("Sa&ve Source As..." -> "Save Source As...").
std::string StripAccelerator(const std::string& text);

// Finds the command id of the item whose text (without marks) equals `text`,
// searching every popup; ID_NONE if absent.
int FindMenuCommand(const MenuResource& menu, const std::string& text, const std::string& popup = {});

// State of a command for menus and toolbars.
struct CommandState {
    bool enabled = true;
    bool checked = false;
};

// The state of command `id` in a project window: what the view reports,
// else what its document reports; a command neither reports on stays
// enabled.  Without a window (both null) every command is disabled.
CommandState QueryCommand(const CView* view, const CDocument* document, int id);

enum class RouteResult {
    Handled,     // the view or the document ran the command
    Disabled,    // QueryCommand disables it: nothing ran
    NotHandled,  // enabled, but neither the view nor the document knows it
};

// Runs command `id` as a menu pick does: refused when QueryCommand disables
// it, else offered to the view and, if the view does not handle it, to the
// document.
RouteResult RouteCommand(CView* view, CDocument* document, int id);

}  // namespace fw

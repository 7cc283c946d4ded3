#include "fw/commands.h"

#include "fw/document.h"
#include "fw/view.h"

namespace fw {

std::string StripAccelerator(const std::string& text) {
    std::string result;
    result.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '&') {
            if (i + 1 < text.size() && text[i + 1] == '&') {
                result.push_back('&');
                ++i;
            }
            continue;
        }
        result.push_back(text[i]);
    }
    return result;
}

static int FindIn(const std::vector<MenuItem>& items, const std::string& text) {
    for (const MenuItem& item : items) {
        if (!item.submenu.empty()) {
            if (int id = FindIn(item.submenu, text)) return id;
        } else if (!item.separator && StripAccelerator(item.text) == text) {
            return item.id;
        }
    }
    return ID_NONE;
}

int FindMenuCommand(const MenuResource& menu, const std::string& text, const std::string& popup) {
    for (const MenuItem& top : menu) {
        if (!popup.empty() && StripAccelerator(top.text) != popup) continue;
        if (int id = FindIn(top.submenu, text)) return id;
    }
    return ID_NONE;
}

CommandState QueryCommand(const CView* view, const CDocument* document, int id) {
    CommandState state;
    if (!view && !document) {
        state.enabled = false;
        return state;
    }
    if (view && view->OnUpdateCommand(id, state)) return state;
    if (document) document->OnUpdateCommand(id, state);
    return state;
}

RouteResult RouteCommand(CView* view, CDocument* document, int id) {
    if (!QueryCommand(view, document, id).enabled) return RouteResult::Disabled;
    if (view && view->OnCommand(id)) return RouteResult::Handled;
    if (document && document->OnCommand(id)) return RouteResult::Handled;
    return RouteResult::NotHandled;
}

}  // namespace fw

#include "fw/view.h"

namespace fw {

void CView::SetText(std::string text, std::vector<ColourRange> colours) {
    text_ = std::move(text);
    colours_ = std::move(colours);
    if (onTextChanged) onTextChanged();
}

void CView::SetColours(std::vector<ColourRange> colours) {
    colours_ = std::move(colours);
    if (onTextChanged) onTextChanged();
}

}  // namespace fw

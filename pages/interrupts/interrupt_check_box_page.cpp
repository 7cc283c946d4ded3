#include "pages/interrupts/interrupt_check_box_page.h"

namespace regsmith {

CInterruptCheckBoxPage::CInterruptCheckBoxPage(std::string title, std::span<const interrupts::InterruptCheckBox> table,
                                               SheetContext& sheet)
    : CDevicePropPage(std::move(title), sheet, kBlockInterrupts), table_(table) {
    controls_ = interrupts::BuildCheckBoxPage(Root(), table_);
    for (std::size_t i = 0; i < table_.size(); ++i) Bind(*controls_.boxes[i], table_[i].field);
    AddSummaryBox(Root());
}

}  // namespace regsmith

#include "pages/interrupts/interrupt_check_box_page.h"

namespace regsmith {

using namespace interrupts;

void ResetInterruptRegisters(CDevicePage& page) {
    page.ResetRegisters({kEntryIP, kEntryEIE1, kEntryEIP1, kEntryIT01CF, kEntryIE});
}

CInterruptCheckBoxPage::CInterruptCheckBoxPage(std::string title, std::span<const InterruptCheckBox> table,
                                               PeripheralBlock& interrupts)
    : fw::PropertyPage(std::move(title)), CDevicePage(interrupts), table_(table) {
    controls_ = BuildCheckBoxPage(Root(), table_);
    for (std::size_t i = 0; i < table_.size(); ++i) {
        fw::CheckBox* box = controls_.boxes[i];
        const InterruptCheckBox& row = table_[i];
        box->onChange = [this, box, &row] {
            SetBits(box->IsChecked(), row.entry, row.mask);
            RefreshSummary();
        };
    }
    AddSummaryBox(Root());
}

void CInterruptCheckBoxPage::Load() {
    for (std::size_t i = 0; i < table_.size(); ++i)
        controls_.boxes[i]->SetChecked(TestBits(table_[i].entry, table_[i].mask));
    RefreshSummary();
}

void CInterruptCheckBoxPage::OnInitDialog() {
    Load();
    // Only the controls hide: a LIN bit set in a project stays set and is
    // generated.
    ApplyLinVisibility(controls_, table_, GetActiveDeviceId());
}

bool CInterruptCheckBoxPage::OnSetActive() {
    Load();
    return true;
}

void CInterruptCheckBoxPage::OnReset() {
    ResetInterruptRegisters(*this);
    Load();
}

}  // namespace regsmith

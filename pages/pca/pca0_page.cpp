#include "pages/pca/pca0_page.h"

#include "pages/pca/eci_frequency_dialog.h"
#include "view/sheet_commands.h"

namespace regsmith {

CPca0PropPage::CPca0PropPage(SheetContext& sheet) : CPcaPage(kPca0PageTitle, sheet) {
    auto& columns = Root().AddRow();
    auto& left = columns.AddColumn();
    auto& right = columns.AddColumn();

    auto& counter = left.Add<fw::GroupBox>("PCA Counter/Timer");
    BindCheck(counter, field::PCA0CN_CR);
    BindCheck(counter, field::PCA0MD_CIDL);
    BindCheck(counter, field::PCA0MD_ECF);

    auto& initial = left.Add<fw::GroupBox>("PCA Counter/Timer Initial Value (Hex)");
    BindHex(initial, "PCA0H (High Byte):", reg::PCA0H);
    BindHex(initial, "PCA0L (Low Byte):", reg::PCA0L);

    auto& interrupt = left.Add<fw::GroupBox>("PCA Interrupt");
    BindInterruptStatus(interrupt, "PCA0", field::EIE1_EPCA0);
    AddNestedSheetButton(interrupt, "Configure PCA Interrupts", NestedSheet::Interrupts);

    auto& timeBase = right.Add<fw::GroupBox>("PCA Timebase Input");
    const auto radios = BindRadios(timeBase, field::PCA0MD_CPS);
    // Choosing the ECI pin (again) asks for its frequency.
    fw::RadioButton& eci = *radios[3];
    Then(eci, [this, &eci] {
        if (eci.IsChecked()) AskEciFrequency();
    });

    AddSummaryBox(Root());
}

void CPca0PropPage::AskEciFrequency() {
    CEciFrequencyDialog dialog(Sheet().Clocks().pcaClockWord);
    dialog.DoModal();
}

}  // namespace regsmith

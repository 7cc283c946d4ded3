#include "pages/pca/pca0_page.h"

#include "pages/pca/eci_frequency_dialog.h"
#include "view/sheet_commands.h"

namespace regsmith {

CPca0PropPage::CPca0PropPage(SheetContext& sheet) : CPcaPage(kPca0PageTitle, sheet) {
    auto& columns = Root().AddRow();
    auto& left = columns.AddColumn();
    auto& right = columns.AddColumn();

    auto& counter = left.Add<fw::GroupBox>("PCA Counter/Timer");
    BindCheck(counter, "Enable PCA0", reg::PCA0CN, 0x40);
    BindCheck(counter, "Suspend PCA operation while system controller is in Idle Mode", reg::PCA0MD, 0x80);
    BindCheck(counter, "Enable PCA Counter/Timer Overflow Interrupt (occurs when CF is set)", reg::PCA0MD, 0x01);

    auto& initial = left.Add<fw::GroupBox>("PCA Counter/Timer Initial Value (Hex)");
    BindHex(initial, "PCA0H (High Byte):", reg::PCA0H);
    BindHex(initial, "PCA0L (Low Byte):", reg::PCA0L);

    auto& interrupt = left.Add<fw::GroupBox>("PCA Interrupt");
    BindInterruptStatus(interrupt, "PCA0", reg::EIE1, 0x04);
    AddNestedSheetButton(interrupt, "Configure PCA Interrupts", NestedSheet::Interrupts);

    auto& timeBase = right.Add<fw::GroupBox>("PCA Timebase Input");
    const auto radios = BindRadios(timeBase, reg::PCA0MD, pca::kTimeBaseMask,
                                   {{"SYSCLK / 12", pca::kSysclkDiv12},
                                    {"SYSCLK / 4", pca::kSysclkDiv4},
                                    {"Timer 0 Overflow", pca::kTimer0Overflow},
                                    {"High to Low Transitions on ECI", pca::kEciFalling},
                                    {"SYSCLK", pca::kSysclk},
                                    {"External Oscillator / 8", pca::kExternalDiv8}});
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

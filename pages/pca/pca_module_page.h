#pragma once
// "Module 0", "Module 1" and the capture/compare part of "Module 2/WDT": the
// mode of one PCA0 capture/compare module, its compare registers, its
// interrupt, whether the crossbar routes its CEX pin, and a value row that
// shows (and calculates) the duty cycle of a PWM mode or the frequency of
// the frequency output.  Every caption carries the module's own digit.

#include <array>
#include <string>

#include "pages/pca/pca_page.h"

namespace regsmith {

class CPcaModulePage : public CPcaPage {
public:
    CPcaModulePage(std::string title, SheetContext& sheet, int module);

    // What the value row shows.
    enum class ValueRow { Hidden, DutyCycle, Frequency, Timeout };

protected:
    int ModeEntry() const { return ModeField().entry; }
    // The module's mode and CCF interrupt fields of PCA0CPMn.
    const RegisterField& ModeField() const { return kModeFields[module_]; }
    const RegisterField& InterruptField() const { return kInterruptFields[module_]; }
    int LowEntry() const { return reg::PCA0CPL0 + module_; }
    int HighEntry() const { return reg::PCA0CPH0 + module_; }
    std::array<fw::RadioButton*, 9>& ModeRadios() { return modes_; }
    fw::GroupBox& ModeGroup() const { return *modeGroup_; }

    // The row for a mode (bits 7-1 of PCA0CPMn); `current` for a mode no
    // row belongs to.  Module 2 shows the watchdog timeout in mode "none".
    ValueRow RowFor(std::uint8_t mode, ValueRow current) const;
    // The value row's button: the calculator of the stored mode.
    void OnValueButton();

private:
    static constexpr RegisterField kModeFields[] = {field::PCA0CPM0_MODE, field::PCA0CPM1_MODE, field::PCA0CPM2_MODE};
    static constexpr RegisterField kInterruptFields[] = {field::PCA0CPM0_ECCF, field::PCA0CPM1_ECCF,
                                                         field::PCA0CPM2_ECCF};
    // The counts of one period of the stored PWM mode (0 in another mode).
    unsigned PwmCounts() const;
    void ShowValueRow();
    std::string ValueText() const;
    void RunTimeoutCalculator();
    void RunFrequencyCalculator();
    void RunDutyCalculator();

    int module_;
    std::array<fw::RadioButton*, 9> modes_{};
    fw::GroupBox* modeGroup_ = nullptr;
    ValueRow row_ = ValueRow::Hidden;
    fw::EditField* valueField_ = nullptr;
    fw::StaticText* valueUnit_ = nullptr;
    fw::PushButton* valueButton_ = nullptr;
};

inline constexpr const char* kModule0PageTitle = "Module 0";
inline constexpr const char* kModule1PageTitle = "Module 1";

class CPca0Module0PropPage : public CPcaModulePage {
public:
    explicit CPca0Module0PropPage(SheetContext& sheet) : CPcaModulePage(kModule0PageTitle, sheet, 0) {}
};

class CPca0Module1PropPage : public CPcaModulePage {
public:
    explicit CPca0Module1PropPage(SheetContext& sheet) : CPcaModulePage(kModule1PageTitle, sheet, 1) {}
};

}  // namespace regsmith

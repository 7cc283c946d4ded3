#include "view/calculator_dialog.h"

#include <cstdio>

#include "view/sheet_commands.h"
#include "view/messages.h"

namespace regsmith {

fw::EditField& CCalculatorDialog::AddFieldRow(fw::Container& parent, std::string label, const char* unit,
                                              bool readOnly) {
    fw::Container& row = parent.AddRow();
    fw::EditField& field = row.Add<fw::EditField>(std::move(label));
    field.widthChars = 12;
    if (readOnly) {
        field.SetReadOnly();
        field.Enable(false);
    }
    if (unit != nullptr && *unit != '\0') row.Add<fw::StaticText>(unit);
    return field;
}

std::string AchievedText(double achieved, std::uint32_t target, const char* unit) {
    if (target == 0) return {};
    const double error = (achieved - target) * 100.0 / target;
    char text[96];
    std::snprintf(text, sizeof text, "Achieves %.0f %s, error %+.2f %%", achieved, unit, error);
    return text;
}

fw::StaticText& CCalculatorDialog::AddLiveLine(fw::EditField& target,
                                               std::function<std::string(std::uint32_t)> describe) {
    fw::Container& row = target.Parent() ? *target.Parent() : Root();
    liveLine_ = &row.Add<fw::StaticText>("");
    liveLine_->SetName("Achieved");
    liveLine_->widthChars = 36;
    liveTarget_ = &target;
    describe_ = std::move(describe);
    target.onChange = [this] { RefreshLiveLine(); };
    return *liveLine_;
}

void CCalculatorDialog::RefreshLiveLine() {
    if (!liveLine_ || !liveTarget_ || !describe_) return;
    const std::optional<std::uint32_t> target = ParseUnsignedField(liveTarget_->Text());
    liveLine_->SetText(target ? describe_(*target) : std::string());
}

fw::PushButton& CCalculatorDialog::AddClockButton(fw::Container& parent, std::string caption, SheetContext& sheet,
                                                  NestedSheet which, std::function<void()> afterOk) {
    fw::PushButton& button = parent.Add<fw::PushButton>(std::move(caption));
    button.Enable(NestedSheetAvailable(which));
    button.onChange = [this, &sheet, which, afterOk = std::move(afterOk)] {
        if (RunNestedSheet(which, sheet) == fw::DialogResult::Ok && afterOk) afterOk();
        RefreshLiveLine();
    };
    return button;
}

std::optional<std::uint32_t> CCalculatorDialog::ReadUnsigned(const fw::EditField& field) const {
    std::optional<std::uint32_t> value = ParseUnsignedField(field.Text());
    if (!value) Warn(kEnterWholeNumberMessage);
    return value;
}

std::optional<double> CCalculatorDialog::ReadNumber(const fw::EditField& field) const {
    std::optional<double> value = ParseNumberField(field.Text());
    if (!value) Warn(kEnterNumberMessage);
    return value;
}


}  // namespace regsmith

#include "view/calculator_dialog.h"

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

fw::PushButton& CCalculatorDialog::AddClockButton(fw::Container& parent, std::string caption, SheetContext& sheet,
                                                  NestedSheet which, std::function<void()> afterOk) {
    fw::PushButton& button = parent.Add<fw::PushButton>(std::move(caption));
    button.Enable(NestedSheetAvailable(which));
    button.onChange = [&sheet, which, afterOk = std::move(afterOk)] {
        if (RunNestedSheet(which, sheet) == fw::DialogResult::Ok && afterOk) afterOk();
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

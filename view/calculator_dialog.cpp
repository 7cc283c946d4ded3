#include "view/calculator_dialog.h"

#include "fw/app.h"

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

void CCalculatorDialog::Warn(const std::string& text) {
    if (fw::CWinApp* app = fw::AfxGetApp())
        app->Platform().MessageBox(text, fw::MessageIcon::Warning, fw::MessageButtons::Ok);
}

bool CCalculatorDialog::Ask(const std::string& text) {
    fw::CWinApp* app = fw::AfxGetApp();
    return app != nullptr &&
           app->Platform().MessageBox(text, fw::MessageIcon::Question, fw::MessageButtons::YesNo) == fw::DialogResult::Yes;
}

}  // namespace regsmith

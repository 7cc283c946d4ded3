#include "view/device_page.h"

#include "codegen/generator.h"
#include "fw/app.h"
#include "model/device_document.h"
#include "view/sheet_commands.h"

namespace regsmith {

RegisterEntry* CDevicePage::Entry(int index) const {
    if (index < 0 || index >= static_cast<int>(block_->registers.size())) return nullptr;
    return &block_->registers[static_cast<std::size_t>(index)];
}

std::uint8_t CDevicePage::Value(int index) const {
    const RegisterEntry* entry = Entry(index);
    return entry ? entry->value : 0;
}

void CDevicePage::SetValue(int index, std::uint8_t value) {
    if (RegisterEntry* entry = Entry(index)) entry->value = value;
}

void CDevicePage::SetBits(bool on, int index, std::uint8_t mask) {
    if (RegisterEntry* entry = Entry(index))
        entry->value = on ? static_cast<std::uint8_t>(entry->value | mask)
                          : static_cast<std::uint8_t>(entry->value & ~mask);
}

bool CDevicePage::TestBits(int index, std::uint8_t mask) const { return (Value(index) & mask) != 0; }

void CDevicePage::ReplaceBits(int index, std::uint8_t clearMask, std::uint8_t setBits) {
    if (RegisterEntry* entry = Entry(index))
        entry->value = static_cast<std::uint8_t>((entry->value & ~clearMask) | setBits);
}

std::string CDevicePage::FieldHex(int index, std::uint8_t mask, int shift) const {
    if (shift < 0 || shift > 7) shift = 0;
    const unsigned field = static_cast<unsigned>(Value(index) & mask) >> shift;
    static const char digits[] = "0123456789ABCDEF";
    return {digits[(field >> 4) & 0x0F], digits[field & 0x0F]};
}

void CDevicePage::ResetRegisters() {
    for (RegisterEntry& entry : block_->registers) entry.value = entry.resetValue;
}

void CDevicePage::ResetRegisters(std::initializer_list<int> indexes) {
    for (int index : indexes)
        if (RegisterEntry* entry = Entry(index)) entry->value = entry->resetValue;
}

std::string CDevicePage::RegisterPreview() const {
    std::string text;
    for (const RegisterEntry& entry : block_->registers) {
        if (!entry.IsEmitted()) continue;
        text += entry.cBefore;
        AppendRegisterLine(text, entry, false);
        text += kCrLf;
        text += entry.cAfter;
    }
    return text;
}

fw::TextBox& CDevicePage::AddSummaryBox(fw::Container& parent) {
    summary_ = &parent.Add<fw::TextBox>(kSummaryBoxName);
    summary_->SetText(RegisterPreview());
    return *summary_;
}

void CDevicePage::RefreshSummary() {
    if (summary_) summary_->SetText(RegisterPreview());
}

void CDevicePage::AttachHexBehaviour(fw::EditField& field, std::function<void(std::uint8_t)> store) {
    field.SetHex();
    field.onChange = [&field, store = std::move(store)] {
        std::string text = field.Text();
        if (!ValidateHexField(text, 2)) field.SetText(text);
        const std::uint32_t value = ParseHexField(field.Text(), 2);
        if (store) store(static_cast<std::uint8_t>(value & 0xFF));
    };
}

fw::EditField& CDevicePage::AddHexField(fw::Container& parent, std::string label, int index,
                                        std::function<void()> afterStore) {
    fw::EditField& field = parent.Add<fw::EditField>(std::move(label));
    field.widthChars = 4;
    AttachHexBehaviour(field, [this, index, afterStore = std::move(afterStore)](std::uint8_t value) {
        SetValue(index, value);
        if (afterStore) afterStore();
        RefreshSummary();
    });
    hexFields_.emplace_back(index, &field);
    return field;
}

void CDevicePage::LoadHexField(int index) {
    for (auto& [fieldIndex, field] : hexFields_)
        if (fieldIndex == index) field->SetText(FieldHex(index, 0xFF, 0));
}

std::uint8_t CDevicePage::GetActiveDeviceId() {
    if (fw::CWinApp* app = fw::AfxGetApp())
        if (fw::CView* view = app->GetActiveView())
            if (auto* document = dynamic_cast<CDeviceDocument*>(view->GetDocument())) return document->deviceId;
    // No active view (a test, or a host between windows): the document of
    // the sheet command that is running.
    if (CDeviceDocument* document = RunningSheetDocument()) return document->deviceId;
    return 0;
}

namespace {

std::string TrimBlanks(const std::string& text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    const std::size_t last = text.find_last_not_of(' ');
    return text.substr(first, last - first + 1);
}

bool IsHexDigit(char c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F'); }

void Warn(const char* text) {
    if (fw::CWinApp* app = fw::AfxGetApp())
        app->Platform().MessageBox(text, fw::MessageIcon::Warning, fw::MessageButtons::Ok);
}

}  // namespace

bool ValidateHexField(std::string& text, int maxDigits) {
    text = TrimBlanks(text);
    if (text.empty()) return true;
    if (maxDigits < 0) maxDigits = 0;
    if (text.size() > static_cast<std::size_t>(maxDigits)) {
        text.resize(static_cast<std::size_t>(maxDigits));
        Warn(kExceededSizeWarning);
        return false;
    }
    bool valid = true;
    // Typing adds characters at the end, so a bad character is the last one:
    // dropping the last character removes what was just typed.
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (IsHexDigit(text[i])) continue;
        text.pop_back();
        Warn(kInvalidHexWarning);
        valid = false;
    }
    return valid;
}

std::uint32_t ParseHexField(const std::string& text, int width) {
    std::string digits = TrimBlanks(text);
    if (width > 0 && digits.size() < static_cast<std::size_t>(width))
        digits.insert(0, static_cast<std::size_t>(width) - digits.size(), '0');
    std::uint32_t value = 0;
    for (char c : digits) {
        std::uint32_t digit = 0;
        if (c >= '1' && c <= '9') digit = static_cast<std::uint32_t>(c - '0');
        else if (c >= 'A' && c <= 'F') digit = static_cast<std::uint32_t>(c - 'A' + 10);
        value = value * 16 + digit;  // wraps for absurd lengths; fields hold two digits
    }
    return value;
}

}  // namespace regsmith

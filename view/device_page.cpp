#include "view/device_page.h"

#include <stdexcept>

#include "codegen/generator.h"
#include "model/analog_inputs.h"
#include "fw/app.h"
#include "model/device_document.h"
#include "view/messages.h"
#include "view/sheet_commands.h"

namespace regsmith {

RegisterEntry* CDevicePage::Entry(int index) const { return EntryOf(*block_, index); }

std::uint8_t CDevicePage::Value(int index) const { return ValueOf(*block_, index); }

void CDevicePage::SetValue(int index, std::uint8_t value) {
    if (RegisterEntry* entry = Entry(index)) entry->value = value;
}

void CDevicePage::SetBits(bool on, int index, std::uint8_t mask) { SetBitsIn(*block_, on, index, mask); }

bool CDevicePage::TestBits(int index, std::uint8_t mask) const { return (Value(index) & mask) != 0; }

bool CDevicePage::TestBits(const PeripheralBlock& block, int index, std::uint8_t mask) {
    return regsmith::TestBits(block, index, mask);
}

void CDevicePage::ReplaceBits(int index, std::uint8_t clearMask, std::uint8_t setBits) {
    ReplaceBitsIn(*block_, index, clearMask, setBits);
}

std::string CDevicePage::FieldHex(int index, std::uint8_t mask, int shift) const {
    if (shift < 0 || shift > 7) shift = 0;
    const unsigned field = static_cast<unsigned>(Value(index) & mask) >> shift;
    static const char digits[] = "0123456789ABCDEF";
    return {digits[(field >> 4) & 0x0F], digits[field & 0x0F]};
}

void CDevicePage::SetWait(int index, Fragment wait, bool on) { regsmith::SetWait(*block_, index, wait, on); }

const RegisterField& CDevicePage::Own(const RegisterField& field) const {
    if (!SameTable(field.block, number_))
        throw std::logic_error("the field \"" + std::string(field.name) + "\" is not of block " +
                               std::to_string(number_));
    return field;
}

bool CDevicePage::TestBits(const RegisterField& field) const { return TestBits(Own(field).entry, field.mask); }

bool CDevicePage::TestBits(const PeripheralBlock& block, const RegisterField& field) {
    return regsmith::TestBits(block, field.entry, field.mask);
}

void CDevicePage::SetBits(bool on, const RegisterField& field) { SetBits(on, Own(field).entry, field.mask); }

void CDevicePage::ReplaceBits(const RegisterField& field, std::uint8_t value) {
    ReplaceBits(Own(field).entry, field.mask, static_cast<std::uint8_t>(value & field.mask));
}

std::uint8_t CDevicePage::Bits(const RegisterField& field) const {
    return static_cast<std::uint8_t>(Value(Own(field).entry) & field.mask);
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
    AppendBlockBody(text, *block_, false);
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

// ---- Bindings --------------------------------------------------------------

fw::Control& CDevicePage::Bind(fw::Control& control, std::function<void()> load, std::function<void()> store) {
    control.onChange = std::move(store);
    bindings_.push_back({&control, std::move(load), {}});
    return control;
}

fw::Control& CDevicePage::BindField(fw::Control& control, std::function<void()> load, std::function<void()> store) {
    control.onChange = std::move(store);
    bindings_.push_back({&control, load, load});
    return control;
}

void CDevicePage::Then(fw::Control& control, std::function<void()> rule) {
    std::function<void()> first = std::move(control.onChange);
    control.onChange = [first = std::move(first), rule = std::move(rule)] {
        if (first) first();
        if (rule) rule();
    };
}

fw::CheckBox& CDevicePage::Bind(fw::CheckBox& box, int entry, std::uint8_t mask, bool inverted) {
    BindField(
        box, [this, &box, entry, mask, inverted] { box.SetChecked(TestBits(entry, mask) != inverted); },
        [this, &box, entry, mask, inverted] { SetBits(box.IsChecked() != inverted, entry, mask); });
    return box;
}

fw::CheckBox& CDevicePage::BindCheck(fw::Container& parent, std::string caption, int entry, std::uint8_t mask,
                                     bool inverted) {
    return Bind(parent.Add<fw::CheckBox>(std::move(caption)), entry, mask, inverted);
}

fw::CheckBox& CDevicePage::Bind(fw::CheckBox& box, const RegisterField& field, bool inverted) {
    return Bind(box, Own(field).entry, field.mask, inverted);
}

fw::CheckBox& CDevicePage::BindCheck(fw::Container& parent, const RegisterField& field, bool inverted) {
    return BindCheck(parent, std::string(field.Caption()), field, inverted);
}

fw::CheckBox& CDevicePage::BindCheck(fw::Container& parent, std::string caption, const RegisterField& field,
                                     bool inverted) {
    return Bind(parent.Add<fw::CheckBox>(std::move(caption)), field, inverted);
}

fw::ToggleButton& CDevicePage::Bind(fw::ToggleButton& toggle, int entry, std::uint8_t mask,
                                    const char* pressedCaption, const char* releasedCaption) {
    auto showCaption = [&toggle, pressedCaption, releasedCaption] {
        if (pressedCaption && releasedCaption) toggle.SetCaption(toggle.IsPressed() ? pressedCaption : releasedCaption);
    };
    BindField(
        toggle,
        [this, &toggle, entry, mask, showCaption] {
            toggle.SetPressed(TestBits(entry, mask));
            showCaption();
        },
        [this, &toggle, entry, mask, showCaption] {
            SetBits(toggle.IsPressed(), entry, mask);
            showCaption();
        });
    return toggle;
}

fw::RadioButton& CDevicePage::Bind(fw::RadioButton& radio, int entry, std::uint8_t mask, std::uint8_t value) {
    BindField(
        radio,
        [this, &radio, entry, mask, value] {
            if ((Value(entry) & mask) == (value & mask)) radio.SetChecked(true);
        },
        [this, entry, mask, value] { ReplaceBits(entry, mask, static_cast<std::uint8_t>(value & mask)); });
    return radio;
}

std::vector<fw::RadioButton*> CDevicePage::BindRadios(fw::Container& parent, int entry, std::uint8_t mask,
                                                      std::vector<RadioChoice> choices) {
    // One group per field, so two groups under one parent stay apart.
    const std::string group = "field " + std::to_string(entry) + "/" + std::to_string(mask);
    std::vector<fw::RadioButton*> radios;
    radios.reserve(choices.size());
    for (RadioChoice& choice : choices)
        radios.push_back(&Bind(parent.Add<fw::RadioButton>(std::move(choice.caption), group), entry, mask, choice.value));
    return radios;
}

fw::RadioButton& CDevicePage::Bind(fw::RadioButton& radio, const RegisterField& field, std::uint8_t value) {
    return Bind(radio, Own(field).entry, field.mask, value);
}

std::vector<fw::RadioButton*> CDevicePage::BindRadios(fw::Container& parent, const RegisterField& field,
                                                      std::vector<RadioChoice> choices) {
    return BindRadios(parent, Own(field).entry, field.mask, std::move(choices));
}

std::vector<fw::RadioButton*> CDevicePage::BindRadios(fw::Container& parent, const RegisterField& field) {
    std::vector<RadioChoice> choices;
    for (const FieldChoice& choice : field.choices) choices.push_back({std::string(choice.caption), choice.value});
    return BindRadios(parent, field, std::move(choices));
}

std::vector<fw::RadioButton*> CDevicePage::BindRadios(fw::Container& parent, const RegisterField& field,
                                                      std::vector<std::string> captions) {
    std::vector<RadioChoice> choices;
    for (std::size_t i = 0; i < captions.size() && i < field.choices.size(); ++i)
        choices.push_back({std::move(captions[i]), field.choices[i].value});
    return BindRadios(parent, field, std::move(choices));
}

fw::DropDownList& CDevicePage::BindList(fw::Container& parent, std::string label, const RegisterField& field) {
    const int shift = FieldShift(field.mask);
    std::vector<ListChoice> items;
    for (const FieldChoice& choice : field.choices)
        items.push_back({std::string(choice.caption), static_cast<std::uint8_t>((choice.value & field.mask) >> shift)});
    return BindList(parent, std::move(label), field, std::move(items));
}

fw::DropDownList& CDevicePage::BindList(fw::Container& parent, std::string label, const RegisterField& field,
                                        std::vector<ListChoice> items) {
    return BindList(parent, std::move(label), Own(field).entry, field.mask, std::move(items));
}

fw::DropDownList& CDevicePage::BindList(fw::Container& parent, std::string label, int entry, std::uint8_t mask,
                                        std::vector<std::string> items) {
    std::vector<ListChoice> choices;
    choices.reserve(items.size());
    for (std::size_t i = 0; i < items.size(); ++i)
        choices.push_back(ListChoice{std::move(items[i]), static_cast<std::uint8_t>(i)});
    return BindList(parent, std::move(label), entry, mask, std::move(choices));
}

fw::DropDownList& CDevicePage::BindList(fw::Container& parent, std::string label, int entry, std::uint8_t mask,
                                        std::vector<ListChoice> items) {
    fw::DropDownList& list = parent.Add<fw::DropDownList>(std::move(label));
    std::vector<std::uint8_t> codes;
    std::vector<std::string> texts;
    for (ListChoice& item : items) {
        texts.push_back(std::move(item.item));
        codes.push_back(item.code);
    }
    list.SetItems(std::move(texts));
    return Bind(list, entry, mask, std::move(codes));
}

fw::DropDownList& CDevicePage::Bind(fw::DropDownList& list, int entry, std::uint8_t mask,
                                    std::vector<std::uint8_t> codes) {
    const int shift = FieldShift(mask);
    // The item of a field value, and the field value of an item.
    auto itemOf = [codes](std::uint8_t field) {
        if (codes.empty()) return static_cast<int>(field);
        for (std::size_t i = 0; i < codes.size(); ++i)
            if (codes[i] == field) return static_cast<int>(i);
        return -1;
    };
    auto codeOf = [codes](int item) {
        return codes.empty() ? static_cast<std::uint8_t>(item) : codes[static_cast<std::size_t>(item)];
    };
    BindField(
        list,
        [this, &list, entry, mask, shift, itemOf] {
            list.SetSelected(itemOf(static_cast<std::uint8_t>((Value(entry) & mask) >> shift)));
        },
        [this, &list, entry, mask, shift, codes, codeOf] {
            const int selected = list.Selected();
            if (selected < 0 || (!codes.empty() && static_cast<std::size_t>(selected) >= codes.size())) return;
            ReplaceBits(entry, mask, static_cast<std::uint8_t>((codeOf(selected) << shift) & mask));
        });
    return list;
}

void CDevicePage::AttachHexBehaviour(fw::EditField& field, std::function<void(std::uint8_t)> store) {
    field.SetHex();
    field.onChange = [&field, store = std::move(store)] {
        std::string text = field.Text();
        if (!ValidateHexField(text, 2)) {
            // Nothing valid left ("G" typed over a selected "A5"): a refused
            // character never erases the value, so the field shows its
            // earlier text again and nothing is stored.
            if (text.empty()) {
                field.SetText(field.PreviousText());
                return;
            }
            field.SetText(text);
        }
        const std::uint32_t value = ParseHexField(field.Text(), 2);
        if (store) store(static_cast<std::uint8_t>(value & 0xFF));
    };
}

fw::EditField& CDevicePage::BindHex(fw::Container& parent, std::string label, int entry) {
    fw::EditField& field = parent.Add<fw::EditField>(std::move(label));
    field.widthChars = 4;
    AttachHexBehaviour(field, [this, entry](std::uint8_t value) {
        SetValue(entry, value);
        RefreshSummary();
    });
    bindings_.push_back({&field, [this, &field, entry] { field.SetText(FieldHex(entry, 0xFF, 0)); },
                         [this, &field, entry] {
                             if (ParseHexField(field.Text(), 2) != Value(entry)) field.SetText(FieldHex(entry, 0xFF, 0));
                         }});
    return field;
}

fw::EditField& CDevicePage::BindHex(fw::Container& parent, std::string label, const RegisterField& part,
                                    std::function<void(std::uint8_t)> store) {
    fw::EditField& field = parent.Add<fw::EditField>(std::move(label));
    field.widthChars = 4;
    const int shift = FieldShift(Own(part).mask);
    if (!store)
        store = [this, part, shift](std::uint8_t value) { ReplaceBits(part, static_cast<std::uint8_t>(value << shift)); };
    AttachHexBehaviour(field, std::move(store));
    bindings_.push_back({&field, [this, &field, part, shift] { field.SetText(FieldHex(part.entry, part.mask, shift)); },
                         [this, &field, part, shift] {
                             if (ParseHexField(field.Text(), 2) != static_cast<unsigned>(Bits(part) >> shift))
                                 field.SetText(FieldHex(part.entry, part.mask, shift));
                         }});
    return field;
}

fw::EditField& CDevicePage::BindDisplay(fw::Container& parent, std::string label, std::function<std::string()> text) {
    fw::EditField& field = parent.Add<fw::EditField>(std::move(label));
    field.SetReadOnly();
    field.Enable(false);
    BindUpdate([&field, text = std::move(text)] { field.SetText(text()); });
    return field;
}

fw::StaticText& CDevicePage::BindStatus(fw::Container& parent, std::function<std::string()> text) {
    fw::StaticText& status = parent.Add<fw::StaticText>("");
    BindUpdate([&status, text = std::move(text)] { status.SetText(text()); });
    return status;
}

void CDevicePage::BindUpdate(std::function<void()> update) {
    displays_.push_back(std::move(update));
}

void CDevicePage::LoadBindings() {
    for (Binding& binding : bindings_)
        if (binding.load) binding.load();
}

void CDevicePage::ReloadBindings(const fw::Control* acted) {
    // A control that is no binding (a calculator's or a nested sheet's
    // button) may have written anything: every binding shows it.
    bool bound = false;
    for (const Binding& binding : bindings_) bound = bound || binding.control == acted;
    for (Binding& binding : bindings_) {
        if (binding.control == acted) continue;
        if (binding.refresh) binding.refresh();
        else if (!bound && binding.load) binding.load();
    }
}

void CDevicePage::RefreshDisplays() {
    for (auto& update : displays_) update();
    RefreshSummary();
}

// ---- CDevicePropPage -------------------------------------------------------

CDevicePropPage::CDevicePropPage(std::string title, SheetContext& sheet, std::int32_t ownBlock)
    : fw::PropertyPage(std::move(title)), CDevicePage(sheet.Block(ownBlock), ownBlock), sheet_(&sheet) {
    Root().afterChildAction = [this](fw::Control& acted) {
        ReloadBindings(&acted);
        RefreshDisplays();
    };
}

PeripheralBlock& CDevicePropPage::Copy(std::int32_t number) const { return sheet_->Block(number); }

std::uint8_t CDevicePropPage::DeviceId() const { return sheet_->Document().deviceId; }

void CDevicePropPage::Load() {
    BeforeLoad();
    LoadBindings();
    AfterLoad();
    RefreshDisplays();
}

void CDevicePropPage::OnInitDialog() {
    for (auto& [button, which] : nestedButtons_) button->Enable(NestedSheetAvailable(which));
    OnFirstDisplay();
    Load();
}

bool CDevicePropPage::OnSetActive() {
    Load();
    return true;
}

void CDevicePropPage::OnReset() {
    ResetPage();
    Load();
}

fw::PushButton& CDevicePropPage::AddButton(fw::Container& parent, std::string caption, std::function<void()> onClick) {
    fw::PushButton& button = parent.Add<fw::PushButton>(std::move(caption));
    button.onChange = std::move(onClick);
    return button;
}

fw::PushButton& CDevicePropPage::AddNestedSheetButton(fw::Container& parent, std::string caption, NestedSheet which,
                                                      std::function<void()> afterOk) {
    return BindNestedSheet(parent.Add<fw::PushButton>(std::move(caption)), which, std::move(afterOk));
}

fw::PushButton& CDevicePropPage::BindNestedSheet(fw::PushButton& button, NestedSheet which,
                                                 std::function<void()> afterOk) {
    const bool onlyOpens = !afterOk;
    button.onChange = [this, which, afterOk = std::move(afterOk)] {
        if (RunNested(which) == fw::DialogResult::Ok && afterOk) afterOk();
    };
    nestedButtons_.emplace_back(&button, which);
    // Buttons that open one row and do nothing more are interchangeable.
    if (onlyOpens) button.action = "nested sheet " + std::to_string(static_cast<int>(which));
    return button;
}

fw::StaticText& CDevicePropPage::BindInterruptStatus(fw::Container& parent, std::string source,
                                                     const RegisterField& field) {
    if (field.block != kBlockInterrupts) throw std::logic_error("not an interrupt field: " + std::string(field.name));
    return BindStatus(parent, [this, source = std::move(source), field] {
        return source + (TestBits(Copy(kBlockInterrupts), field) ? " Interrupt is Enabled" : " Interrupt is Disabled");
    });
}

fw::StaticText& CDevicePropPage::BindCrossbarStatus(fw::Container& parent, std::string signal,
                                                    CrossbarPeripheral peripheral, const char* notEnabled) {
    return BindStatus(parent, [this, signal = std::move(signal), peripheral, notEnabled] {
        return signal + " is " + (IsEnabledOnCrossbar(Copy(kBlockPortIO), peripheral) ? "Enabled" : notEnabled) +
               " on the Crossbar";
    });
}

fw::DropDownList& CDevicePropPage::BindInputList(fw::Container& parent, std::string label, const RegisterField& field,
                                                std::vector<AnalogInput> inputs, std::string noPinText) {
    std::vector<ListChoice> items;
    for (const AnalogInput& input : inputs) items.push_back({input.item, input.code});
    fw::DropDownList& list = BindList(parent, std::move(label), field, std::move(items));
    BindStatus(parent, [this, field, inputs = std::move(inputs), noPinText = std::move(noPinText)] {
        const auto code = static_cast<std::uint8_t>(Bits(field) >> FieldShift(field.mask));
        return AnalogInputStatus(inputs, code, Copy(kBlockPortIO), noPinText);
    });
    return list;
}

std::string AnalogInputStatus(const std::vector<AnalogInput>& inputs, std::uint8_t code,
                              const PeripheralBlock& portIO, std::string_view noPinText) {
    for (const AnalogInput& input : inputs)
        if (input.code == code) return input.pin == kNoPin ? std::string(noPinText) : AnalogInputPinStatus(portIO, input.pin);
    return UnknownInputStatus(code);
}

fw::DialogResult CDevicePropPage::RunNested(NestedSheet which) { return RunNestedSheet(which, *sheet_); }

namespace {

std::string TrimBlanks(const std::string& text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    const std::size_t last = text.find_last_not_of(' ');
    return text.substr(first, last - first + 1);
}

bool IsHexDigit(char c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F'); }

}  // namespace

bool ValidateHexField(std::string& text, int maxDigits) {
    text = TrimBlanks(text);
    if (text.empty()) return true;
    if (maxDigits < 0) maxDigits = 0;
    // Each character that is not a hex digit is removed where it stands, one
    // warning each: typed, pasted or scripted text keeps every valid digit.
    // The length rule then applies to the digits that are left, so an
    // invalid character is never kept, counted or parsed ("1G3" gives "13").
    bool valid = true;
    std::string kept;
    kept.reserve(text.size());
    for (char c : text) {
        if (IsHexDigit(c)) {
            kept.push_back(c);
            continue;
        }
        Warn(kInvalidHexWarning);
        valid = false;
    }
    if (kept.size() > static_cast<std::size_t>(maxDigits)) {
        kept.resize(static_cast<std::size_t>(maxDigits));
        Warn(kExceededSizeWarning);
        valid = false;
    }
    text = std::move(kept);
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

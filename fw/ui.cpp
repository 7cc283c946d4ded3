#include "fw/ui.h"

#include <algorithm>

#include "fw/app.h"

namespace fw {

const char* ControlKindName(ControlKind kind) {
    switch (kind) {
        case ControlKind::Container: return "container";
        case ControlKind::GroupBox: return "group";
        case ControlKind::CheckBox: return "check";
        case ControlKind::RadioButton: return "radio";
        case ControlKind::DropDownList: return "list";
        case ControlKind::EditField: return "edit";
        case ControlKind::Slider: return "slider";
        case ControlKind::PushButton: return "button";
        case ControlKind::ToggleButton: return "toggle";
        case ControlKind::ThreeStateButton: return "three-state";
        case ControlKind::StaticText: return "text";
        case ControlKind::ColourSwatch: return "swatch";
        case ControlKind::Grid: return "grid";
        case ControlKind::TextBox: return "textbox";
    }
    return "control";
}

// ---- Control ---------------------------------------------------------------

Control::Control(ControlKind kind, std::string caption) : kind_(kind), caption_(std::move(caption)) {}

const Control* Control::EnclosingGroup() const {
    for (const Control* up = parent_; up; up = up->parent_)
        if (up->kind_ == ControlKind::GroupBox) return up;
    return nullptr;
}

std::string Control::ScriptName() const {
    if (!name_.empty()) return name_;
    switch (kind_) {
        case ControlKind::DropDownList:
        case ControlKind::EditField:
        case ControlKind::Slider:
            if (!label_.empty()) return label_;
            break;
        default:
            if (!caption_.empty()) return caption_;
            if (!label_.empty()) return label_;
            break;
    }
    if (kind_ == ControlKind::Container || kind_ == ControlKind::GroupBox) return {};
    if (const Control* group = EnclosingGroup()) return group->Caption();
    return {};
}

bool Control::IsEffectivelyVisible() const {
    for (const Control* c = this; c; c = c->parent_)
        if (!c->visible_) return false;
    return true;
}

bool Control::IsEffectivelyEnabled() const {
    for (const Control* c = this; c; c = c->parent_)
        if (!c->enabled_) return false;
    return IsEffectivelyVisible();
}

bool Control::RunHandler() {
    if (onChange) onChange();
    for (Container* up = parent_; up; up = up->parent_)
        if (up->afterChildAction) up->afterChildAction(*this);
    return true;
}

// ---- Container -------------------------------------------------------------

Container::Container(Layout layout, std::string caption, ControlKind kind)
    : Control(kind, std::move(caption)), layout_(layout) {}

void Container::Adopt(std::unique_ptr<Control> child) {
    child->parent_ = this;
    children_.push_back(std::move(child));
}

void Container::Collect(std::vector<Control*>& out) const {
    for (const auto& child : children_) {
        out.push_back(child.get());
        if (auto* container = dynamic_cast<const Container*>(child.get())) container->Collect(out);
    }
}

// ---- Interactive controls --------------------------------------------------

bool CheckBox::Click() {
    if (!IsEffectivelyEnabled()) return false;
    checked_ = !checked_;
    return RunHandler();
}

void RadioButton::SetChecked(bool checked) {
    checked_ = checked;
    if (!checked || !Parent()) return;
    for (const auto& sibling : Parent()->Children()) {
        auto* radio = dynamic_cast<RadioButton*>(sibling.get());
        if (radio && radio != this && radio->group_ == group_) radio->checked_ = false;
    }
}

bool RadioButton::Click() {
    if (!IsEffectivelyEnabled()) return false;
    SetChecked(true);
    return RunHandler();
}

void DropDownList::SetItems(std::vector<std::string> items) {
    items_ = std::move(items);
    if (selected_ >= static_cast<int>(items_.size())) selected_ = -1;
}

std::string DropDownList::SelectedText() const {
    return selected_ >= 0 && selected_ < static_cast<int>(items_.size()) ? items_[selected_] : std::string();
}

void DropDownList::SetSelected(int index) {
    selected_ = (index >= 0 && index < static_cast<int>(items_.size())) ? index : -1;
}

int DropDownList::IndexOf(const std::string& item) const {
    auto found = std::find(items_.begin(), items_.end(), item);
    return found == items_.end() ? -1 : static_cast<int>(found - items_.begin());
}

bool DropDownList::Select(int index) {
    if (!IsEffectivelyEnabled() || index < 0 || index >= static_cast<int>(items_.size())) return false;
    selected_ = index;
    return RunHandler();
}

bool EditField::Type(const std::string& text) {
    if (!IsEffectivelyEnabled() || readOnly_) return false;
    previous_ = text_;
    text_ = text;
    if (hex_)
        for (char& c : text_)
            if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    if (maxLength_ > 0 && static_cast<int>(text_.size()) > maxLength_) text_.resize(maxLength_);
    return RunHandler();
}

void Slider::SetRange(int minimum, int maximum) {
    minimum_ = minimum;
    maximum_ = std::max(minimum, maximum);
    SetValue(value_);
}

void Slider::SetValue(int value) { value_ = std::clamp(value, minimum_, maximum_); }

bool Slider::Move(int value) {
    if (!IsEffectivelyEnabled()) return false;
    SetValue(value);
    if (onMove) onMove();
    return true;
}

bool Slider::Slide(int value) {
    if (!Move(value)) return false;
    return RunHandler();
}

bool PushButton::Click() {
    if (!IsEffectivelyEnabled()) return false;
    return RunHandler();
}

bool ToggleButton::Click() {
    if (!IsEffectivelyEnabled()) return false;
    pressed_ = !pressed_;
    return RunHandler();
}

bool ThreeStateButton::Click() {
    if (!IsEffectivelyEnabled()) return false;
    state_ = (state_ + 1) % 3;
    return RunHandler();
}

// ---- Grid ------------------------------------------------------------------

void Grid::Resize() {
    cells_.assign(static_cast<std::size_t>(rows_) * columns_, Cell{});
    columnWidths_.resize(columns_, kDefaultColumnWidthTwips);
    centred_.resize(columns_, false);
}

void Grid::Clear() {
    for (Cell& cell : cells_) cell = Cell{};
}

void Grid::SetRows(int rows) {
    rows_ = std::max(0, rows);
    Resize();
}

void Grid::SetColumns(int columns) {
    columns_ = std::max(0, columns);
    Resize();
}

void Grid::SetText(int row, int column, std::string text) {
    if (row < 0 || row >= rows_ || column < 0 || column >= columns_) return;
    cells_[row * columns_ + column].text = std::move(text);
}

const std::string& Grid::Text(int row, int column) const {
    static const std::string empty;
    if (row < 0 || row >= rows_ || column < 0 || column >= columns_) return empty;
    return cells_[row * columns_ + column].text;
}

void Grid::SetBackground(int row, int column, Rgb colour) {
    if (row < 0 || row >= rows_ || column < 0 || column >= columns_) return;
    Cell& cell = cells_[row * columns_ + column];
    cell.coloured = true;
    cell.background = colour;
}

bool Grid::HasBackground(int row, int column) const {
    if (row < 0 || row >= rows_ || column < 0 || column >= columns_) return false;
    return cells_[row * columns_ + column].coloured;
}

Rgb Grid::Background(int row, int column) const {
    if (!HasBackground(row, column)) return Rgb{255, 255, 255};
    return cells_[row * columns_ + column].background;
}

void Grid::SetColumnWidth(int column, int twips) {
    if (column >= 0 && column < columns_) columnWidths_[column] = twips;
}

int Grid::ColumnWidth(int column) const {
    return column >= 0 && column < columns_ ? columnWidths_[column] : 0;
}

int Grid::RowHeight(int row) const { return row >= 0 && row < rows_ ? kDefaultRowHeightTwips : 0; }

void Grid::SetColumnCentred(int column, bool centred) {
    if (column >= 0 && column < columns_) centred_[column] = centred;
}

bool Grid::IsColumnCentred(int column) const { return column >= 0 && column < columns_ && centred_[column]; }

// ---- Form ------------------------------------------------------------------

Form::Form(std::string title) : title_(std::move(title)) {}

std::vector<Control*> Form::AllControls() const {
    std::vector<Control*> all;
    root_.Collect(all);
    return all;
}

namespace {

Control* Pick(const std::vector<Control*>& matches) {
    if (matches.size() == 1) return matches.front();
    Control* visible = nullptr;
    for (Control* control : matches) {
        if (!control->IsEffectivelyVisible()) continue;
        if (visible) return nullptr;
        visible = control;
    }
    return visible;
}

}  // namespace

Control* Form::Find(const std::string& name, std::string* error) const {
    const std::vector<Control*> all = AllControls();
    std::vector<Control*> matches;
    for (Control* control : all)
        if (control->ScriptName() == name) matches.push_back(control);
    // A list without a label is named by its group's caption, so the group
    // and the list share the name: the control inside is meant.
    const auto isGroup = [](const Control* control) { return control->Kind() == ControlKind::GroupBox; };
    if (matches.size() > 1 && !std::all_of(matches.begin(), matches.end(), isGroup)) std::erase_if(matches, isGroup);
    if (Control* found = Pick(matches)) return found;
    const bool ambiguous = matches.size() > 1;

    // "group caption/control name": try every slash, since captions contain slashes.
    for (std::size_t slash = name.find('/'); slash != std::string::npos; slash = name.find('/', slash + 1)) {
        const std::string group = name.substr(0, slash);
        const std::string rest = name.substr(slash + 1);
        std::vector<Control*> qualified;
        for (Control* control : all) {
            const Control* enclosing = control->EnclosingGroup();
            if (enclosing && enclosing->Caption() == group && control->ScriptName() == rest)
                qualified.push_back(control);
        }
        if (Control* found = Pick(qualified)) return found;
    }
    if (error)
        *error = ambiguous ? "several controls are named \"" + name + "\"; name one as \"group/control\""
                           : "no control \"" + name + "\"";
    return nullptr;
}

// ---- PropertySheet ---------------------------------------------------------

void PropertySheet::AddPage(PropertyPage* page) {
    page->sheet_ = this;
    pages_.push_back(page);
}

int PropertySheet::FindPage(const std::string& title) const {
    for (int i = 0; i < PageCount(); ++i)
        if (pages_[i]->Title() == title) return i;
    return -1;
}

void PropertySheet::AddButton(std::string caption, std::function<void()> onClick) {
    extraButtons_.push_back(Button{std::move(caption), std::move(onClick)});
}

DialogResult PropertySheet::DoModal() { return AfxGetApp()->Platform().RunModal(*this); }

void PropertySheet::Start() {
    Restart();
    active_ = -1;
    if (!pages_.empty()) SetActivePage(0);
}

bool PropertySheet::SetActivePage(int index) {
    if (index < 0 || index >= PageCount()) return false;
    if (active_ == index) return true;
    if (PropertyPage* current = ActivePage())
        if (!current->OnKillActive()) return false;
    active_ = index;
    PropertyPage& page = *pages_[index];
    if (!page.initialised_) {
        page.initialised_ = true;
        page.OnInitDialog();
    }
    page.OnSetActive();
    return true;
}

void PropertySheet::PressOK() {
    if (PropertyPage* current = ActivePage())
        if (!current->OnKillActive()) return;
    for (PropertyPage* page : pages_)
        if (page->initialised_) page->OnOK();
    EndDialog(DialogResult::Ok);
}

void PropertySheet::PressCancel() {
    for (PropertyPage* page : pages_)
        if (page->initialised_) page->OnCancel();
    EndDialog(DialogResult::Cancel);
}

void PropertySheet::PressButton(int index) {
    if (index >= 0 && index < static_cast<int>(extraButtons_.size()) && extraButtons_[index].onClick)
        extraButtons_[index].onClick();
}

// ---- Dialog ----------------------------------------------------------------

DialogResult Dialog::DoModal() { return AfxGetApp()->Platform().RunModal(*this); }

void Dialog::Start() {
    Restart();
    OnInitDialog();
}

void Dialog::PressOK() {
    if (OnOK()) EndDialog(DialogResult::Ok);
}

void Dialog::PressCancel() {
    OnCancel();
    EndDialog(DialogResult::Cancel);
}

}  // namespace fw

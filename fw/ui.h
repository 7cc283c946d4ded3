#pragma once
// The UI model: controls, property pages, property sheets and dialogs,
// independent of any windowing toolkit.  The desktop host renders it with real
// widgets; the command-line script mode and the tests drive it directly.
//
// Two kinds of change reach a control:
//  - the page sets its state while loading (Set... functions): no handler runs;
//  - a user action (Click, Select, Type, Slide) changes the state and then runs
//    the control's handler.  User actions on a disabled or hidden control do
//    nothing and return false.
// A click is one virtual call, Control::Click, whatever the kind of button:
// the renderer, the script mode and the tests dispatch it the same way.
//
// Layout is described, not positioned: containers stack their children in a
// column, in a row, or in a grid of cells; a group box is a container with a
// caption.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "fw/platform.h"

namespace fw {

class Container;
class Form;

enum class ControlKind {
    Container,
    GroupBox,
    CheckBox,
    RadioButton,
    DropDownList,
    EditField,
    Slider,
    PushButton,
    ToggleButton,
    ThreeStateButton,
    StaticText,
    ColourSwatch,
    Grid,
    TextBox,
};

const char* ControlKindName(ControlKind kind);

class Control {
public:
    Control(ControlKind kind, std::string caption);
    virtual ~Control() = default;
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    ControlKind Kind() const { return kind_; }

    // The system's own text on the control (check box, button, group box,
    // static text).  Setting it runs no handler.
    const std::string& Caption() const { return caption_; }
    void SetCaption(std::string caption) { caption_ = std::move(caption); }

    // The text shown before an edit field, list or slider ("TH0 (High Byte - Reload Val in Mode 2):").
    const std::string& Label() const { return label_; }
    Control& SetLabel(std::string label) { label_ = std::move(label); return *this; }

    // A stable name the page gives a control that has no caption ("CP0A",
    // "Skip P0.3").  Empty when the caption or label names it.
    const std::string& Name() const { return name_; }
    Control& SetName(std::string name) { name_ = std::move(name); return *this; }

    // The name by which scripts and tests find the control: the page's name if
    // set, else the caption (buttons, check boxes, group boxes), else the label
    // (fields, lists, sliders), else the enclosing group box's caption.
    std::string ScriptName() const;

    bool IsEnabled() const { return enabled_; }
    void Enable(bool enabled = true) { enabled_ = enabled; }
    bool IsVisible() const { return visible_; }
    void Show(bool visible = true) { visible_ = visible; }
    // Visible and enabled, and so are all the containers holding it.
    bool IsEffectivelyVisible() const;
    bool IsEffectivelyEnabled() const;

    Container* Parent() const { return parent_; }
    // The nearest enclosing group box, or null.
    const Control* EnclosingGroup() const;

    // Position in a grid container (ignored by row and column containers).
    int gridRow = 0, gridColumn = 0, rowSpan = 1, columnSpan = 1;
    // Preferred width in average characters (0: the renderer decides).
    int widthChars = 0;
    // The exact size of the control's cell in twips (0: the renderer decides),
    // converted at the screen's resolution as the grid's cells are, so rows
    // and columns of controls can line up with a grid's rows and columns.  A
    // control smaller than its cell is centred in it; a text wider than its
    // cell overhangs it evenly on both sides.  An empty container with a size
    // is a spacer.
    int widthTwips = 0, heightTwips = 0;
    // Where the control sits in a cell larger than itself: a combination of
    // one horizontal and one vertical flag (0: the renderer decides).
    enum Alignment : int {
        AlignLeft = 0x01,
        AlignRight = 0x02,
        AlignHCentre = 0x04,
        AlignTop = 0x20,
        AlignBottom = 0x40,
        AlignVCentre = 0x80,
    };
    int alignment = 0;

    // Run after a user action changed the state.
    std::function<void()> onChange;

    // The user clicks the control: a check box or toggle button flips, a radio
    // button becomes the checked one of its group, a three-state button steps
    // to its next state, a push button is pressed; then the handler runs.
    // False, with nothing changed, if the control is disabled or hidden, or
    // is not something to click (the default).
    virtual bool Click() { return false; }

protected:
    bool RunHandler();

private:
    friend class Container;
    ControlKind kind_;
    std::string caption_;
    std::string label_;
    std::string name_;
    bool enabled_ = true;
    bool visible_ = true;
    Container* parent_ = nullptr;
};

class Container : public Control {
public:
    enum class Layout { Column, Row, Grid };

    explicit Container(Layout layout = Layout::Column, std::string caption = {},
                       ControlKind kind = ControlKind::Container);

    Layout GetLayout() const { return layout_; }
    const std::vector<std::unique_ptr<Control>>& Children() const { return children_; }

    // Adds a child and returns it: `auto& box = group.Add<CheckBox>("UART0");`
    template <class T, class... Args>
    T& Add(Args&&... args) {
        auto child = std::make_unique<T>(std::forward<Args>(args)...);
        T& reference = *child;
        Adopt(std::move(child));
        return reference;
    }
    // Adds a child at a grid cell.
    template <class T, class... Args>
    T& AddAt(int row, int column, Args&&... args) {
        T& child = Add<T>(std::forward<Args>(args)...);
        child.gridRow = row;
        child.gridColumn = column;
        return child;
    }
    Container& AddColumn() { return Add<Container>(Layout::Column); }
    Container& AddRow() { return Add<Container>(Layout::Row); }
    // An empty cell of a fixed size in twips (0: no extent that way).
    Container& AddSpacer(int widthTwips, int heightTwips) {
        Container& spacer = Add<Container>(Layout::Column);
        spacer.widthTwips = widthTwips;
        spacer.heightTwips = heightTwips;
        return spacer;
    }

    // No gaps or margins between the children, and the children gather at
    // the start: cells sized in twips then follow each other exactly as a
    // grid's rows or columns do.
    bool tight = false;

    // Runs after the handler of every user action on a control below this
    // container (innermost container first).  A page sets it on its root to
    // refresh what depends on any change, in one place.
    std::function<void(Control& source)> afterChildAction;

    // Every control below this one, depth first, in order.
    void Collect(std::vector<Control*>& out) const;

private:
    void Adopt(std::unique_ptr<Control> child);
    Layout layout_;
    std::vector<std::unique_ptr<Control>> children_;
};

class GroupBox : public Container {
public:
    explicit GroupBox(std::string caption, Layout layout = Layout::Column)
        : Container(layout, std::move(caption), ControlKind::GroupBox) {}
};

class CheckBox : public Control {
public:
    explicit CheckBox(std::string caption) : Control(ControlKind::CheckBox, std::move(caption)) {}
    bool IsChecked() const { return checked_; }
    void SetChecked(bool checked) { checked_ = checked; }
    bool Click() override;  // toggles, then the handler

private:
    bool checked_ = false;
};

// Radio buttons with the same group key under the same parent form a group:
// clicking one checks it and clears the others.
class RadioButton : public Control {
public:
    explicit RadioButton(std::string caption, std::string group = {})
        : Control(ControlKind::RadioButton, std::move(caption)), group_(std::move(group)) {}
    bool IsChecked() const { return checked_; }
    // Loading: checks this button and clears the others of its group when
    // `checked` is true.
    void SetChecked(bool checked);
    const std::string& Group() const { return group_; }
    bool Click() override;  // checks this one (the handler runs even if it was checked)

private:
    bool checked_ = false;
    std::string group_;
};

class DropDownList : public Control {
public:
    explicit DropDownList(std::string label = {}) : Control(ControlKind::DropDownList, {}) { SetLabel(std::move(label)); }
    const std::vector<std::string>& Items() const { return items_; }
    void SetItems(std::vector<std::string> items);
    void AddItem(std::string item) { items_.push_back(std::move(item)); }
    int Selected() const { return selected_; }  // -1: none
    std::string SelectedText() const;
    void SetSelected(int index);
    int IndexOf(const std::string& item) const;
    bool Select(int index);  // user choice, then the handler

private:
    std::vector<std::string> items_;
    int selected_ = -1;
};

class EditField : public Control {
public:
    explicit EditField(std::string label = {}) : Control(ControlKind::EditField, {}) { SetLabel(std::move(label)); }
    const std::string& Text() const { return text_; }
    void SetText(std::string text) { text_ = std::move(text); }
    // Hexadecimal fields turn letters into upper case as they are typed.
    bool IsHex() const { return hex_; }
    EditField& SetHex(bool hex = true) { hex_ = hex; return *this; }
    bool IsReadOnly() const { return readOnly_; }
    EditField& SetReadOnly(bool readOnly = true) { readOnly_ = readOnly; return *this; }
    int MaxLength() const { return maxLength_; }  // 0: unlimited
    EditField& SetMaxLength(int maxLength) { maxLength_ = maxLength; return *this; }
    // Replaces the text as one change (upper-cased in hex fields), then the handler.
    bool Type(const std::string& text);
    // The text the field held before the last Type, for a handler that
    // refuses what was typed and puts the earlier text back.
    const std::string& PreviousText() const { return previous_; }

private:
    std::string text_;
    std::string previous_;
    bool hex_ = false;
    bool readOnly_ = false;
    int maxLength_ = 0;
};

// A slider writes only when the movement ends: onMove runs while it moves
// (for live status texts), onChange once at the end.
class Slider : public Control {
public:
    explicit Slider(std::string label = {}) : Control(ControlKind::Slider, {}) { SetLabel(std::move(label)); }
    int Minimum() const { return minimum_; }
    int Maximum() const { return maximum_; }
    void SetRange(int minimum, int maximum);
    int Value() const { return value_; }
    void SetValue(int value);  // clamped to the range
    std::function<void()> onMove;
    bool Move(int value);  // during a drag: onMove only
    bool Slide(int value);  // a whole movement: onMove, then onChange

private:
    int minimum_ = 0, maximum_ = 100, value_ = 0;
};

class PushButton : public Control {
public:
    explicit PushButton(std::string caption) : Control(ControlKind::PushButton, std::move(caption)) {}
    bool Click() override;
    // What the button does where several buttons of a page do the same (the
    // title of the nested sheet it opens); empty otherwise.  Buttons with one
    // caption and one action are interchangeable, so a script may name them
    // by the caption alone.
    std::string action;
};

// A push button that stays pressed or released; pages often change its
// caption with its state ("D"/"A").
class ToggleButton : public Control {
public:
    explicit ToggleButton(std::string caption) : Control(ControlKind::ToggleButton, std::move(caption)) {}
    // The two states in words ("digital", "analog") where the caption is only
    // a letter; empty: pressed or not.
    std::string pressedWords, releasedWords;
    bool IsPressed() const { return pressed_; }
    void SetPressed(bool pressed) { pressed_ = pressed; }
    bool Click() override;  // toggles, then the handler

private:
    bool pressed_ = false;
};

// A button with three states 0, 1, 2; a click moves to the next (2 -> 0).
class ThreeStateButton : public Control {
public:
    explicit ThreeStateButton(std::string caption) : Control(ControlKind::ThreeStateButton, std::move(caption)) {}
    int State() const { return state_; }
    void SetState(int state) { state_ = ((state % 3) + 3) % 3; }
    bool Click() override;

private:
    int state_ = 0;
};

class StaticText : public Control {
public:
    explicit StaticText(std::string text) : Control(ControlKind::StaticText, std::move(text)) {}
    const std::string& Text() const { return Caption(); }
    void SetText(std::string text) { SetCaption(std::move(text)); }
};

class ColourSwatch : public Control {
public:
    ColourSwatch(Rgb colour, int widthPixels, int heightPixels)
        : Control(ControlKind::ColourSwatch, {}), colour(colour), width(widthPixels), height(heightPixels) {}
    Rgb colour;
    int width, height;
};

// Read-only multi-line text (the register summary box).
class TextBox : public Control {
public:
    explicit TextBox(std::string name = {}) : Control(ControlKind::TextBox, {}) { SetName(std::move(name)); }
    const std::string& Text() const { return text_; }
    void SetText(std::string text) { text_ = std::move(text); }
    bool monospace = true;
    int visibleLines = 4;

private:
    std::string text_;
};

// A table of text cells with optional background colours; sizes in twips.
class Grid : public Control {
public:
    explicit Grid(std::string name = {}) : Control(ControlKind::Grid, {}) { SetName(std::move(name)); }
    void Clear();  // empties every cell's text and colour, keeps the size
    int Rows() const { return rows_; }
    int Columns() const { return columns_; }
    void SetRows(int rows);
    void SetColumns(int columns);
    void SetText(int row, int column, std::string text);
    const std::string& Text(int row, int column) const;
    void SetBackground(int row, int column, Rgb colour);
    bool HasBackground(int row, int column) const;
    Rgb Background(int row, int column) const;
    void SetColumnWidth(int column, int twips);
    int ColumnWidth(int column) const;
    int RowHeight(int row) const;  // every row has the default height
    void SetColumnCentred(int column, bool centred = true);
    bool IsColumnCentred(int column) const;
    int fixedRows = 0, fixedColumns = 0;  // header rows and columns
    static constexpr int kDefaultRowHeightTwips = 240;
    static constexpr int kDefaultColumnWidthTwips = 960;

private:
    struct Cell {
        std::string text;
        bool coloured = false;
        Rgb background;
    };
    void Resize();
    int rows_ = 0, columns_ = 0;
    std::vector<Cell> cells_;
    std::vector<int> columnWidths_;
    std::vector<bool> centred_;
};

// A tree of controls with a title: the common part of pages and dialogs.
class Form {
public:
    explicit Form(std::string title);
    virtual ~Form() = default;
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    const std::string& Title() const { return title_; }
    void SetTitle(std::string title) { title_ = std::move(title); }
    Container& Root() { return root_; }
    const Container& Root() const { return root_; }

    // Every control of the form, depth first.
    std::vector<Control*> AllControls() const;
    // Finds a control by its script name, or by "group caption/control name"
    // where two share a name.  Where several match and exactly one is visible,
    // that one.  Null if none or ambiguous; `error` says which.
    Control* Find(const std::string& name, std::string* error = nullptr) const;
    template <class T>
    T* FindAs(const std::string& name) const {
        return dynamic_cast<T*>(Find(name));
    }

    // Extra lines the script mode's `show` prints after the controls (the
    // crossbar page prints its assignment table).  Empty by default.
    virtual std::string DescribeForScript() const { return {}; }

private:
    std::string title_;
    Container root_;
};

class PropertySheet;

class PropertyPage : public Form {
public:
    explicit PropertyPage(std::string title) : Form(std::move(title)) {}

    // First display (the sheet calls it once, before the first OnSetActive).
    virtual void OnInitDialog() {}
    // Becoming the active page.
    virtual bool OnSetActive() { return true; }
    // Leaving the active page; false keeps it active.
    virtual bool OnKillActive() { return true; }
    // The sheet's OK, for every page that was displayed, after OnKillActive of the active page.
    virtual void OnOK() {}
    virtual void OnCancel() {}
    // The sheet's extra "Reset" command.
    virtual void OnReset() {}

    bool IsInitialised() const { return initialised_; }
    PropertySheet* Sheet() const { return sheet_; }

private:
    friend class PropertySheet;
    bool initialised_ = false;
    PropertySheet* sheet_ = nullptr;
};

// A modal run: started, driven by button presses, ended with a result.
class ModalRun {
public:
    virtual ~ModalRun() = default;
    bool IsEnded() const { return ended_; }
    DialogResult Result() const { return result_; }
    void EndDialog(DialogResult result) {
        ended_ = true;
        result_ = result;
    }

protected:
    void Restart() { ended_ = false; result_ = DialogResult::Cancel; }

private:
    bool ended_ = false;
    DialogResult result_ = DialogResult::Cancel;
};

class PropertySheet : public ModalRun {
public:
    explicit PropertySheet(std::string title) : title_(std::move(title)) {}
    virtual ~PropertySheet() = default;

    const std::string& Title() const { return title_; }
    void AddPage(PropertyPage* page);  // not owned
    int PageCount() const { return static_cast<int>(pages_.size()); }
    PropertyPage& Page(int index) const { return *pages_.at(index); }
    int ActiveIndex() const { return active_; }
    PropertyPage* ActivePage() const { return active_ >= 0 ? pages_[active_] : nullptr; }
    // Index of the page with that tab title, -1 if none.
    int FindPage(const std::string& title) const;

    // Buttons beside OK and Cancel (the "Reset" button of device sheets).
    struct Button {
        std::string caption;
        std::function<void()> onClick;
    };
    const std::vector<Button>& ExtraButtons() const { return extraButtons_; }
    void AddButton(std::string caption, std::function<void()> onClick);

    // Runs the sheet through the platform services.
    DialogResult DoModal();

    // Driven by the platform while the sheet runs.
    void Start();                 // first page initialised and activated
    bool SetActivePage(int index);  // false if the current page refused to leave
    void PressOK();               // OnKillActive, OnOK of every displayed page, end with Ok
    void PressCancel();           // OnCancel of every displayed page, end with Cancel
    void PressButton(int index);  // an extra button

private:
    std::string title_;
    std::vector<PropertyPage*> pages_;
    std::vector<Button> extraButtons_;
    int active_ = -1;
};

// A modal dialog with OK and Cancel (calculators and the like).
class Dialog : public Form, public ModalRun {
public:
    explicit Dialog(std::string title) : Form(std::move(title)) {}

    virtual void OnInitDialog() {}
    // OK pressed: return false to keep the dialog open.
    virtual bool OnOK() { return true; }
    virtual void OnCancel() {}

    DialogResult DoModal();

    void Start();
    void PressOK();
    void PressCancel();

    std::string okCaption = "OK";
    std::string cancelCaption = "Cancel";
    bool hasCancel = true;
};

}  // namespace fw

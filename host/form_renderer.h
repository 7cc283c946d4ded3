#pragma once
// Renders the UI model (fw/ui.h) with Qt widgets: a form becomes a widget
// tree laid out from its containers' rows, columns and grid cells; a property
// sheet becomes a dialog with one tab per page and OK, Cancel and the sheet's
// extra buttons; a dialog becomes a dialog with its own OK and Cancel.
//
// Every user action is passed to the model's user-action function (Click,
// Select, Type, Move/Slide, ...), whose handler may change any other control;
// afterwards every widget is set again from the model.
//
// Sheets and dialogs fit the screen they open on: a page larger than the
// room left scrolls inside its tab while OK, Cancel and the sheet's own
// buttons stay in sight, and the window can be resized.  Controls sized in
// twips (the crossbar table and the controls under its columns) grow with the
// font, all by one factor, so whatever the font they keep lining up and
// nothing in them is cut.  Every control carries an accessible name, a group
// of radio buttons is one Tab stop with the arrow keys inside it, and the
// colours drawn here come from the palette.

#include <QColor>
#include <QDialog>
#include <QPalette>
#include <QWidget>

#include <functional>
#include <memory>
#include <vector>

#include "fw/ui.h"
#include "host/theme.h"  // ContrastRatio, RelativeLuminance

class QTabWidget;
class QPushButton;
class QLabel;
class QVBoxLayout;
class QScrollArea;

namespace regsmith::host {

// ---- Colours ---------------------------------------------------------------

// A text colour on a background, and what the sheets draw with it.
struct ColourPair {
    QColor foreground;
    QColor background;
    const char* use;
};

// A pressed toggle button: the palette's highlight, darkened or lightened
// until its text stands out at 4.5:1 at least.
ColourPair PressedToggleColours(const QPalette& palette);

// The ring drawn round check boxes and radio buttons: between the text and
// the window colour, 3:1 at least against the window (a dark palette's own
// outlines all but vanish).
QColor IndicatorOutline(const QPalette& palette);

// Every pair of text and background colour that sheets and dialogs draw with
// in `palette`: captions, fields, read-only results, buttons, pressed toggle
// buttons, the crossbar table's headings and cells.
std::vector<ColourPair> SheetColourPairs(const QPalette& palette);

// A caption with '&' doubled, so that Qt shows it as it is.
QString LiteralCaption(const std::string& caption);
// `caption` with a mnemonic on the first letter that none of `taken` has yet
// (case-insensitive); the letter joins `taken`.  Unchanged when every letter
// is taken.
QString WithMnemonic(const QString& caption, QString& taken);

// The part of the screen a window of `widget` may take: the available area
// of its screen less room for the window frame.
QSize RoomForWindow(const QWidget& widget);

// How much larger than their twips the cells of a form are drawn, each way,
// so that the font's text and the controls' natural sizes fit them.
struct TwipsScale {
    double x = 1.0;
    double y = 1.0;
    bool operator==(const TwipsScale&) const = default;
};

class FormWidget : public QWidget {
    Q_OBJECT

public:
    FormWidget(fw::Form& form, QWidget* parent = nullptr);

    fw::Form& Model() const { return form_; }
    // Sets every widget from its control: state, captions, enabled, visible, list items.
    void Sync();
    // The widget rendering `control` (its label excluded), or null.
    QWidget* WidgetFor(const fw::Control* control) const;
    // The widget of the control named `name` (fw::Form::Find), or null.
    QWidget* WidgetFor(const std::string& name) const;

    // Run after every user action has reached the model.
    std::function<void()> afterAction;

    // The factor the twips of this form are drawn at (1 when the font is
    // small enough for the sizes the page gives).
    TwipsScale Scale() const { return *scale_; }
    // Twips to pixels at the screen's resolution and the form's scale.
    int TwipsToPixelsX(int twips) const;
    int TwipsToPixelsY(int twips) const;

protected:
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Binding {
        fw::Control* control = nullptr;
        QWidget* widget = nullptr;  // the control's own widget
        QLabel* label = nullptr;    // its label, when it has one
        int radioGroup = -1;        // index into radioGroups_ for a radio button
    };

    void Build();
    QWidget* BuildContainer(fw::Container& container, bool isRoot);
    QWidget* BuildLeaf(fw::Control& control);
    void SyncOne(const Binding& binding);
    void SyncRadioTabStops();
    void SyncColours();
    void UpdateScale();
    void Act(const std::function<void()>& action);
    // An arrow key on a radio button: the next (or previous) one of its group
    // that can be chosen gets the focus and is chosen.
    bool MoveInRadioGroup(const Binding& from, bool forward);

    fw::Form& form_;
    QWidget* content_ = nullptr;
    QVBoxLayout* outer_ = nullptr;
    std::vector<Binding> bindings_;
    std::vector<std::vector<std::size_t>> radioGroups_;  // binding indices of each group
    std::vector<fw::Control*> builtFrom_;  // the controls the widgets were built for
    std::shared_ptr<TwipsScale> scale_ = std::make_shared<TwipsScale>();
    bool syncing_ = false;
};

// A page in a scroll area that asks for the page's whole size and gives way
// down to a small size; the focused control is scrolled into view.
class PageScroller;

class SheetDialog : public QDialog {
    Q_OBJECT

public:
    SheetDialog(fw::PropertySheet& sheet, QWidget* parent = nullptr);

    fw::PropertySheet& Model() const { return sheet_; }
    QTabWidget* Tabs() const { return tabs_; }
    FormWidget* PageWidget(int index) const { return pages_.at(static_cast<std::size_t>(index)); }
    QPushButton* OkButton() const { return ok_; }
    QPushButton* CancelButton() const { return cancel_; }
    // The extra buttons ("Reset"), in the sheet's order.
    const std::vector<QPushButton*>& ExtraButtons() const { return extra_; }

    // Makes page `index` active through the model, as a click on its tab.
    bool ShowPage(int index);
    // Sizes the window to its pages' natural size, as far as the screen has
    // room for it (the pages scroll beyond that).
    void FitToScreen();
    // The scroll area holding page `index`.
    QScrollArea* PageArea(int index) const;
    // Sets the widgets of the active page from the model and ends the dialog
    // if the model has ended.
    void SyncActive();

    void accept() override;  // OK: the model decides whether the sheet ends
    void reject() override;  // Cancel, Escape or the close box

protected:
    void showEvent(QShowEvent* event) override;
    bool event(QEvent* event) override;

private:
    void AfterAction();

    fw::PropertySheet& sheet_;
    QTabWidget* tabs_ = nullptr;
    std::vector<FormWidget*> pages_;
    std::vector<QScrollArea*> areas_;
    QPushButton* ok_ = nullptr;
    QPushButton* cancel_ = nullptr;
    std::vector<QPushButton*> extra_;
};

class FormDialog : public QDialog {
    Q_OBJECT

public:
    FormDialog(fw::Dialog& dialog, QWidget* parent = nullptr);

    fw::Dialog& Model() const { return dialog_; }
    FormWidget* Form() const { return form_; }
    QPushButton* OkButton() const { return ok_; }
    QPushButton* CancelButton() const { return cancel_; }
    // As SheetDialog::FitToScreen.
    void FitToScreen();

    void accept() override;
    void reject() override;

protected:
    // The first field to type into takes the focus, its text selected.
    void showEvent(QShowEvent* event) override;
    bool event(QEvent* event) override;

private:
    void AfterAction();

    fw::Dialog& dialog_;
    FormWidget* form_ = nullptr;
    QPushButton* ok_ = nullptr;
    QPushButton* cancel_ = nullptr;
};

}  // namespace regsmith::host

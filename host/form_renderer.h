#pragma once
// Renders the UI model (fw/ui.h) with Qt widgets: a form becomes a widget
// tree laid out from its containers' rows, columns and grid cells; a property
// sheet becomes a dialog with one tab per page and OK, Cancel and the sheet's
// extra buttons; a dialog becomes a dialog with its own OK and Cancel.
//
// Every user action is passed to the model's user-action function (Click,
// Select, Type, Move/Slide, ...), whose handler may change any other control;
// afterwards every widget is set again from the model.

#include <QDialog>
#include <QWidget>

#include <functional>
#include <vector>

#include "fw/ui.h"

class QTabWidget;
class QPushButton;
class QLabel;
class QVBoxLayout;

namespace regsmith::host {

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

private:
    struct Binding {
        fw::Control* control = nullptr;
        QWidget* widget = nullptr;  // the control's own widget
        QLabel* label = nullptr;    // its label, when it has one
    };

    void Build();
    QWidget* BuildContainer(fw::Container& container, bool isRoot);
    QWidget* BuildLeaf(fw::Control& control);
    void SyncOne(const Binding& binding);
    void Act(const std::function<void()>& action);

    fw::Form& form_;
    QWidget* content_ = nullptr;
    QVBoxLayout* outer_ = nullptr;
    std::vector<Binding> bindings_;
    std::vector<fw::Control*> builtFrom_;  // the controls the widgets were built for
    bool syncing_ = false;
};

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
    // Sets the widgets of the active page from the model and ends the dialog
    // if the model has ended.
    void SyncActive();

    void accept() override;  // OK: the model decides whether the sheet ends
    void reject() override;  // Cancel, Escape or the close box

private:
    void AfterAction();

    fw::PropertySheet& sheet_;
    QTabWidget* tabs_ = nullptr;
    std::vector<FormWidget*> pages_;
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

    void accept() override;
    void reject() override;

private:
    void AfterAction();

    fw::Dialog& dialog_;
    FormWidget* form_ = nullptr;
    QPushButton* ok_ = nullptr;
    QPushButton* cancel_ = nullptr;
};

}  // namespace regsmith::host

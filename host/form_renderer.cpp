#include "host/form_renderer.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

#include "host/text.h"

namespace regsmith::host {

namespace {

bool HasLabel(const fw::Control& control) {
    switch (control.Kind()) {
        case fw::ControlKind::DropDownList:
        case fw::ControlKind::EditField:
        case fw::ControlKind::Slider:
            return !control.Label().empty();
        default:
            return false;
    }
}

bool IsContainer(const fw::Control& control) {
    return control.Kind() == fw::ControlKind::Container || control.Kind() == fw::ControlKind::GroupBox;
}

// Controls that take the whole width of their cell; the others keep their
// natural width, aligned to the left.
bool FillsWidth(const fw::Control& control) {
    switch (control.Kind()) {
        case fw::ControlKind::Container:
        case fw::ControlKind::GroupBox:
        case fw::ControlKind::Slider:
        case fw::ControlKind::TextBox:
        case fw::ControlKind::StaticText:
            return true;
        default:
            return false;
    }
}

int TwipsToPixels(int twips, int dpi) { return (twips * dpi + 720) / 1440; }

bool HasTwipsSize(const fw::Control& control) { return control.widthTwips > 0 || control.heightTwips > 0; }

// The model's alignment flags as Qt's (they share their values by design, but
// only the known flags pass).
Qt::Alignment ToQtAlignment(int alignment) {
    Qt::Alignment result;
    if (alignment & fw::Control::AlignLeft) result |= Qt::AlignLeft;
    if (alignment & fw::Control::AlignRight) result |= Qt::AlignRight;
    if (alignment & fw::Control::AlignHCentre) result |= Qt::AlignHCenter;
    if (alignment & fw::Control::AlignTop) result |= Qt::AlignTop;
    if (alignment & fw::Control::AlignBottom) result |= Qt::AlignBottom;
    if (alignment & fw::Control::AlignVCentre) result |= Qt::AlignVCenter;
    return result;
}

// The cell of a control sized in twips: exactly that size to the layout, so
// such cells follow each other like a grid's.  The widget is centred in its
// cell at its natural size, shrunk to the cell; a text keeps its natural
// size and overhangs a smaller cell evenly, so a caption wider than a narrow
// column is neither clipped nor widens the column.  A container fills its
// cell.  A dimension without twips behaves as for any widget.
class TwipsCellItem : public QWidgetItem {
public:
    TwipsCellItem(QWidget* widget, int widthTwips, int heightTwips, bool overhangs, bool fills)
        : QWidgetItem(widget), widthTwips_(widthTwips), heightTwips_(heightTwips), overhangs_(overhangs),
          fills_(fills) {}

    QSize sizeHint() const override { return Cell(QWidgetItem::sizeHint()); }
    QSize minimumSize() const override { return Cell(QWidgetItem::minimumSize()); }
    QSize maximumSize() const override { return Cell(QWidgetItem::maximumSize()); }
    Qt::Orientations expandingDirections() const override {
        Qt::Orientations directions = QWidgetItem::expandingDirections();
        if (widthTwips_ > 0) directions &= ~Qt::Horizontal;
        if (heightTwips_ > 0) directions &= ~Qt::Vertical;
        return directions;
    }
    bool hasHeightForWidth() const override { return false; }

    void setGeometry(const QRect& rect) override {
        if (isEmpty()) return;
        QWidget* w = widget();
        const QSize natural = w->sizeHint().expandedTo(w->minimumSizeHint()).boundedTo(w->maximumSize());
        auto place = [this](int start, int available, int wanted, bool twips) {
            if (!twips) return std::pair{start, available};
            const int size = fills_ ? available : overhangs_ ? wanted : std::min(wanted, available);
            return std::pair{start + (available - size) / 2, size};
        };
        auto [x, width] = place(rect.x(), rect.width(), natural.width(), widthTwips_ > 0);
        auto [y, height] = place(rect.y(), rect.height(), natural.height(), heightTwips_ > 0);
        if (widthTwips_ <= 0 && !fills_) {
            // Natural width, placed by the item's alignment (left by default).
            width = std::min(natural.width(), rect.width());
            const Qt::Alignment align = alignment();
            if (align & Qt::AlignRight)
                x = rect.x() + rect.width() - width;
            else if (align & Qt::AlignHCenter)
                x = rect.x() + (rect.width() - width) / 2;
        }
        w->setGeometry(x, y, std::max(width, 0), std::max(height, 0));
    }

private:
    QSize Cell(QSize size) const {
        const QWidget* w = widget();
        if (widthTwips_ > 0) size.setWidth(TwipsToPixels(widthTwips_, w->logicalDpiX()));
        if (heightTwips_ > 0) size.setHeight(TwipsToPixels(heightTwips_, w->logicalDpiY()));
        return size;
    }

    int widthTwips_, heightTwips_;
    bool overhangs_, fills_;
};

TwipsCellItem* MakeTwipsCell(QWidget& parent, QWidget* widget, const fw::Control& control) {
    widget->setParent(&parent);
    const bool container = IsContainer(control);
    return new TwipsCellItem(widget, control.widthTwips, control.heightTwips,
                             control.Kind() == fw::ControlKind::StaticText, container);
}

// The register summary box and the code window use the same fixed font.
QFont SummaryFont() { return ResolveFixedFont(fw::FontSpec{"Courier New", 9}); }

void SyncGrid(QTableWidget& table, const fw::Grid& grid) {
    if (table.rowCount() != grid.Rows()) table.setRowCount(grid.Rows());
    if (table.columnCount() != grid.Columns()) table.setColumnCount(grid.Columns());
    const int dpiX = table.logicalDpiX(), dpiY = table.logicalDpiY();
    int width = 0, height = 0;
    for (int c = 0; c < grid.Columns(); ++c) {
        const int pixels = TwipsToPixels(grid.ColumnWidth(c), dpiX);
        if (table.columnWidth(c) != pixels) table.setColumnWidth(c, pixels);
        width += pixels;
    }
    for (int r = 0; r < grid.Rows(); ++r) {
        const int pixels = TwipsToPixels(grid.RowHeight(r), dpiY);
        if (table.rowHeight(r) != pixels) table.setRowHeight(r, pixels);
        height += pixels;
    }
    const QBrush header = table.palette().button();
    for (int r = 0; r < grid.Rows(); ++r) {
        for (int c = 0; c < grid.Columns(); ++c) {
            QTableWidgetItem* item = table.item(r, c);
            if (!item) {
                item = new QTableWidgetItem;
                item->setFlags(Qt::ItemIsEnabled);
                table.setItem(r, c, item);
            }
            const QString text = Q(grid.Text(r, c));
            if (item->text() != text) item->setText(text);
            item->setTextAlignment(grid.IsColumnCentred(c) ? Qt::AlignCenter : Qt::AlignLeft | Qt::AlignVCenter);
            if (grid.HasBackground(r, c))
                item->setBackground(ToQColor(grid.Background(r, c)));
            else if (r < grid.fixedRows || c < grid.fixedColumns)
                item->setBackground(header);
            else
                item->setBackground(QBrush());
        }
    }
    // The control is exactly as large as its cells, plus one pixel each way.
    table.setFixedSize(width + 1, height + 1);
}

}  // namespace

// ---- FormWidget --------------------------------------------------------------

FormWidget::FormWidget(fw::Form& form, QWidget* parent) : QWidget(parent), form_(form) {
    outer_ = new QVBoxLayout(this);
    outer_->setContentsMargins(0, 0, 0, 0);
    Build();
    Sync();
}

void FormWidget::Build() {
    bindings_.clear();
    builtFrom_ = form_.AllControls();
    content_ = BuildContainer(form_.Root(), true);
    outer_->addWidget(content_);
}

QWidget* FormWidget::BuildContainer(fw::Container& container, bool isRoot) {
    QWidget* widget = container.Kind() == fw::ControlKind::GroupBox
                          ? new QGroupBox(Q(container.Caption()))
                          : new QWidget;
    if (!isRoot) bindings_.push_back(Binding{&container, widget, nullptr});
    const bool group = container.Kind() == fw::ControlKind::GroupBox;
    const auto& children = container.Children();

    auto childWidget = [this](fw::Control& child) -> QWidget* {
        return IsContainer(child) ? BuildContainer(static_cast<fw::Container&>(child), false) : BuildLeaf(child);
    };

    switch (container.GetLayout()) {
        case fw::Container::Layout::Column: {
            // Two columns: labels of fields, lists and sliders on the left,
            // so the fields of one column line up; everything else spans both.
            auto* layout = new QGridLayout(widget);
            if (!group || container.tight) layout->setContentsMargins(0, 0, 0, 0);
            if (container.tight) layout->setSpacing(0);
            int row = 0;
            bool stretchPlaced = false;
            for (std::size_t i = 0; i < children.size(); ++i) {
                fw::Control& child = *children[i];
                // The root keeps its last text box (the register summary
                // box) along the bottom; everything else gathers at the top.
                if (isRoot && !stretchPlaced && i + 1 == children.size() &&
                    child.Kind() == fw::ControlKind::TextBox) {
                    layout->setRowStretch(row++, 1);
                    stretchPlaced = true;
                }
                QWidget* built = childWidget(child);
                const Qt::Alignment align = child.alignment != 0 ? ToQtAlignment(child.alignment)
                                            : FillsWidth(child)  ? Qt::Alignment()
                                                                 : Qt::AlignLeft;
                if (HasTwipsSize(child)) {
                    layout->addItem(MakeTwipsCell(*widget, built, child), row, 0, 1, 2, align);
                } else if (HasLabel(child)) {
                    layout->addWidget(bindings_.back().label, row, 0);
                    layout->addWidget(built, row, 1, align);
                } else {
                    layout->addWidget(built, row, 0, 1, 2, align);
                }
                ++row;
            }
            // Contents gather at the top: of the page, of a group box that
            // its neighbours make taller than it needs, and of a tight column.
            if ((isRoot && !stretchPlaced) || group || container.tight) layout->setRowStretch(row, 1);
            layout->setColumnStretch(1, 1);
            break;
        }
        case fw::Container::Layout::Row: {
            auto* layout = new QHBoxLayout(widget);
            if (!group || container.tight) layout->setContentsMargins(0, 0, 0, 0);
            if (container.tight) layout->setSpacing(0);
            bool onlyLeaves = !container.tight;
            for (const auto& child : children) {
                QWidget* built = childWidget(*child);
                if (HasLabel(*child)) layout->addWidget(bindings_.back().label);
                if (HasTwipsSize(*child)) {
                    QLayoutItem* item = MakeTwipsCell(*widget, built, *child);
                    item->setAlignment(ToQtAlignment(child->alignment));
                    layout->addItem(item);
                } else {
                    layout->addWidget(built, 0, ToQtAlignment(child->alignment));
                }
                if (IsContainer(*child) || child->Kind() == fw::ControlKind::TextBox ||
                    child->Kind() == fw::ControlKind::Slider)
                    onlyLeaves = false;
            }
            if (onlyLeaves || container.tight) layout->addStretch(1);
            break;
        }
        case fw::Container::Layout::Grid: {
            auto* layout = new QGridLayout(widget);
            if (!group || container.tight) layout->setContentsMargins(0, 0, 0, 0);
            layout->setHorizontalSpacing(4);
            if (container.tight) layout->setSpacing(0);
            int lastColumn = 0, lastRow = 0;
            bool onlyLeaves = true, aligned = false;
            for (const auto& child : children) {
                QWidget* built = childWidget(*child);
                QWidget* cell = built;
                if (HasLabel(*child)) {
                    cell = new QWidget;
                    auto* pair = new QHBoxLayout(cell);
                    pair->setContentsMargins(0, 0, 0, 0);
                    pair->addWidget(bindings_.back().label);
                    pair->addWidget(built);
                }
                const int rows = std::max(1, child->rowSpan), columns = std::max(1, child->columnSpan);
                const Qt::Alignment align = ToQtAlignment(child->alignment);
                if (HasTwipsSize(*child) && cell == built)
                    layout->addItem(MakeTwipsCell(*widget, built, *child), child->gridRow, child->gridColumn, rows,
                                    columns, align);
                else
                    layout->addWidget(cell, child->gridRow, child->gridColumn, rows, columns, align);
                if (child->alignment != 0) aligned = true;
                lastColumn = std::max(lastColumn, child->gridColumn + columns - 1);
                lastRow = std::max(lastRow, child->gridRow + rows - 1);
                if (IsContainer(*child) || child->Kind() == fw::ControlKind::TextBox ||
                    child->Kind() == fw::ControlKind::Slider || child->Kind() == fw::ControlKind::Grid)
                    onlyLeaves = false;
            }
            // A grid of plain controls keeps its columns tight; a grid of
            // groups shares out the width.  A grid whose children say where
            // they sit, or a tight one, keeps its natural column widths too,
            // and a tight one its row heights.
            if (onlyLeaves || aligned || container.tight) layout->setColumnStretch(lastColumn + 1, 1);
            if (container.tight) layout->setRowStretch(lastRow + 1, 1);
            // A table of controls (one column per pin or bit, headed by a
            // column of row labels): equal columns, controls centred in them.
            if (onlyLeaves && !container.tight && lastColumn >= 4) {
                int widest = 0;
                for (int i = 0; i < layout->count(); ++i) {
                    int row, column, rows, columns;
                    layout->getItemPosition(i, &row, &column, &rows, &columns);
                    if (column >= 1 && columns == 1)
                        widest = std::max(widest, layout->itemAt(i)->sizeHint().width());
                }
                for (int column = 1; column <= lastColumn; ++column) layout->setColumnMinimumWidth(column, widest);
                for (int i = 0; i < layout->count(); ++i) {
                    int row, column, rows, columns;
                    layout->getItemPosition(i, &row, &column, &rows, &columns);
                    if (column >= 1) layout->itemAt(i)->setAlignment(Qt::AlignHCenter);
                }
            }
            break;
        }
    }
    return widget;
}

QWidget* FormWidget::BuildLeaf(fw::Control& control) {
    QWidget* widget = nullptr;
    fw::Control* c = &control;
    switch (control.Kind()) {
        case fw::ControlKind::CheckBox:
            widget = new QCheckBox;
            break;
        case fw::ControlKind::RadioButton: {
            auto* radio = new QRadioButton;
            radio->setAutoExclusive(false);  // the model keeps its groups exclusive
            widget = radio;
            break;
        }
        case fw::ControlKind::DropDownList: {
            auto* combo = new QComboBox;
            combo->setSizeAdjustPolicy(QComboBox::AdjustToContents);
            if (control.widthChars > 0)
                combo->setMinimumWidth(combo->fontMetrics().averageCharWidth() * control.widthChars + 24);
            connect(combo, &QComboBox::activated, this,
                    [this, c](int index) { Act([c, index] { static_cast<fw::DropDownList*>(c)->Select(index); }); });
            widget = combo;
            break;
        }
        case fw::ControlKind::EditField: {
            auto& field = static_cast<fw::EditField&>(control);
            auto* edit = new QLineEdit;
            int chars = control.widthChars;
            if (chars <= 0) chars = field.MaxLength() > 0 ? std::max(field.MaxLength(), 2) + 2 : field.IsHex() ? 4 : 12;
            edit->setFixedWidth(edit->fontMetrics().horizontalAdvance('W') * chars + 12);
            connect(edit, &QLineEdit::textEdited, this, [this, c](const QString& text) {
                Act([c, text] { static_cast<fw::EditField*>(c)->Type(S(text)); });
            });
            widget = edit;
            break;
        }
        case fw::ControlKind::Slider: {
            auto* slider = new QSlider(Qt::Horizontal);
            slider->setMinimumWidth(160);
            connect(slider, &QSlider::sliderMoved, this,
                    [this, c](int value) { Act([c, value] { static_cast<fw::Slider*>(c)->Move(value); }); });
            connect(slider, &QSlider::sliderReleased, this, [this, c, slider] {
                const int value = slider->value();
                Act([c, value] { static_cast<fw::Slider*>(c)->Slide(value); });
            });
            // Keyboard and clicks beside the handle: one whole movement each.
            connect(slider, &QSlider::valueChanged, this, [this, c, slider](int value) {
                if (slider->isSliderDown()) return;
                Act([c, value] { static_cast<fw::Slider*>(c)->Slide(value); });
            });
            widget = slider;
            break;
        }
        case fw::ControlKind::PushButton: {
            auto* button = new QPushButton;
            button->setAutoDefault(false);
            widget = button;
            break;
        }
        case fw::ControlKind::ToggleButton:
        case fw::ControlKind::ThreeStateButton: {
            auto* button = new QPushButton(Q(control.Caption()));
            button->setAutoDefault(false);
            button->setCheckable(true);
            if (control.Caption().size() <= 2) {
                // Pin-mode buttons ("D", "P", "X"): small squares.
                const QFontMetrics metrics = button->fontMetrics();
                button->setFixedWidth(std::max(metrics.height() + 8, metrics.horizontalAdvance(Q(control.Caption())) + 12));
            }
            widget = button;
            break;
        }
        case fw::ControlKind::StaticText: {
            auto* label = new QLabel;
            label->setTextFormat(Qt::PlainText);
            label->setText(Q(control.Caption()));  // its size counts in the layout
            widget = label;
            break;
        }
        case fw::ControlKind::ColourSwatch: {
            auto& swatch = static_cast<fw::ColourSwatch&>(control);
            auto* frame = new QFrame;
            frame->setFrameShape(QFrame::Box);
            frame->setAutoFillBackground(true);
            frame->setFixedSize(std::max(1, swatch.width), std::max(1, swatch.height));
            widget = frame;
            break;
        }
        case fw::ControlKind::Grid: {
            auto* table = new QTableWidget;
            table->horizontalHeader()->hide();
            table->verticalHeader()->hide();
            table->setEditTriggers(QAbstractItemView::NoEditTriggers);
            table->setSelectionMode(QAbstractItemView::NoSelection);
            table->setFocusPolicy(Qt::NoFocus);
            table->setFrameShape(QFrame::NoFrame);
            table->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
            table->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
            table->setWordWrap(false);
            QFont small = table->font();
            small.setPointSizeF(small.pointSizeF() * 0.85);
            table->setFont(small);
            widget = table;
            break;
        }
        case fw::ControlKind::TextBox: {
            auto& box = static_cast<fw::TextBox&>(control);
            auto* text = new QPlainTextEdit;
            text->setReadOnly(true);
            text->setLineWrapMode(QPlainTextEdit::NoWrap);
            if (box.monospace) text->setFont(SummaryFont());
            const int lines = std::max(1, box.visibleLines);
            text->setFixedHeight(text->fontMetrics().lineSpacing() * lines + 2 * text->frameWidth() +
                                 static_cast<int>(2 * text->document()->documentMargin()));
            text->setMinimumWidth(text->fontMetrics().horizontalAdvance('0') * 40);
            widget = text;
            break;
        }
        case fw::ControlKind::Container:
        case fw::ControlKind::GroupBox:
            widget = new QWidget;  // not reached: containers are built by BuildContainer
            break;
    }
    // Check boxes, radio buttons and every kind of push button: one click,
    // whatever the kind does with it.
    if (auto* button = qobject_cast<QAbstractButton*>(widget))
        connect(button, &QAbstractButton::clicked, this, [this, c] { Act([c] { c->Click(); }); });
    Binding binding{&control, widget, nullptr};
    if (HasLabel(control)) {
        binding.label = new QLabel;
        binding.label->setTextFormat(Qt::PlainText);
        binding.label->setBuddy(widget);
    }
    bindings_.push_back(binding);
    return widget;
}

void FormWidget::Act(const std::function<void()>& action) {
    if (syncing_) return;
    action();
    if (afterAction)
        afterAction();
    else
        Sync();
}

void FormWidget::Sync() {
    if (form_.AllControls() != builtFrom_) {
        // The page changed its own control tree: build the widgets again.
        // The old tree may be the sender of the signal being handled, so it
        // goes later.
        content_->hide();
        outer_->removeWidget(content_);
        content_->deleteLater();
        Build();
    }
    syncing_ = true;
    for (const Binding& binding : bindings_) SyncOne(binding);
    syncing_ = false;
}

void FormWidget::SyncOne(const Binding& binding) {
    fw::Control& control = *binding.control;
    QWidget* widget = binding.widget;
    const QString caption = Q(control.Caption());
    switch (control.Kind()) {
        case fw::ControlKind::Container:
            break;
        case fw::ControlKind::GroupBox: {
            auto* box = static_cast<QGroupBox*>(widget);
            if (box->title() != caption) box->setTitle(caption);
            break;
        }
        case fw::ControlKind::CheckBox: {
            auto* box = static_cast<QCheckBox*>(widget);
            if (box->text() != caption) box->setText(caption);
            box->setChecked(static_cast<fw::CheckBox&>(control).IsChecked());
            break;
        }
        case fw::ControlKind::RadioButton: {
            auto* radio = static_cast<QRadioButton*>(widget);
            if (radio->text() != caption) radio->setText(caption);
            radio->setChecked(static_cast<fw::RadioButton&>(control).IsChecked());
            break;
        }
        case fw::ControlKind::DropDownList: {
            auto& list = static_cast<fw::DropDownList&>(control);
            auto* combo = static_cast<QComboBox*>(widget);
            QStringList items;
            for (const std::string& item : list.Items()) items << Q(item);
            bool same = combo->count() == items.size();
            for (int i = 0; same && i < items.size(); ++i) same = combo->itemText(i) == items[i];
            if (!same) {
                combo->clear();
                combo->addItems(items);
            }
            combo->setCurrentIndex(list.Selected());
            break;
        }
        case fw::ControlKind::EditField: {
            auto& field = static_cast<fw::EditField&>(control);
            auto* edit = static_cast<QLineEdit*>(widget);
            edit->setMaxLength(field.MaxLength() > 0 ? field.MaxLength() : 32767);
            const QString text = Q(field.Text());
            if (edit->text() != text) {
                const int cursor = edit->cursorPosition();
                edit->setText(text);
                edit->setCursorPosition(std::min<int>(cursor, static_cast<int>(text.size())));
            }
            edit->setReadOnly(field.IsReadOnly());
            break;
        }
        case fw::ControlKind::Slider: {
            auto& model = static_cast<fw::Slider&>(control);
            auto* slider = static_cast<QSlider*>(widget);
            const QSignalBlocker block(slider);
            slider->setRange(model.Minimum(), model.Maximum());
            slider->setValue(model.Value());
            break;
        }
        case fw::ControlKind::PushButton: {
            auto* button = static_cast<QPushButton*>(widget);
            if (button->text() != caption) {
                button->setText(caption);
                button->setMinimumWidth(button->fontMetrics().horizontalAdvance(caption) + 24);
            }
            break;
        }
        case fw::ControlKind::ToggleButton: {
            auto* button = static_cast<QPushButton*>(widget);
            if (button->text() != caption) button->setText(caption);
            button->setChecked(static_cast<fw::ToggleButton&>(control).IsPressed());
            break;
        }
        case fw::ControlKind::ThreeStateButton: {
            auto* button = static_cast<QPushButton*>(widget);
            if (button->text() != caption) button->setText(caption);
            button->setChecked(static_cast<fw::ThreeStateButton&>(control).State() == 1);
            break;
        }
        case fw::ControlKind::StaticText: {
            auto* label = static_cast<QLabel*>(widget);
            if (label->text() != caption) label->setText(caption);
            break;
        }
        case fw::ControlKind::ColourSwatch: {
            auto& swatch = static_cast<fw::ColourSwatch&>(control);
            QPalette palette = widget->palette();
            palette.setColor(QPalette::Window, ToQColor(swatch.colour));
            widget->setPalette(palette);
            widget->setFixedSize(std::max(1, swatch.width), std::max(1, swatch.height));
            break;
        }
        case fw::ControlKind::Grid:
            SyncGrid(*static_cast<QTableWidget*>(widget), static_cast<fw::Grid&>(control));
            break;
        case fw::ControlKind::TextBox: {
            auto* text = static_cast<QPlainTextEdit*>(widget);
            const QString value = Q(static_cast<fw::TextBox&>(control).Text()).remove('\r');
            if (text->toPlainText() != value) text->setPlainText(value);
            break;
        }
    }
    widget->setEnabled(control.IsEnabled());
    widget->setVisible(control.IsVisible());
    if (binding.label) {
        const QString label = Q(control.Label());
        if (binding.label->text() != label) binding.label->setText(label);
        binding.label->setEnabled(control.IsEnabled());
        binding.label->setVisible(control.IsVisible());
    }
}

QWidget* FormWidget::WidgetFor(const fw::Control* control) const {
    for (const Binding& binding : bindings_)
        if (binding.control == control) return binding.widget;
    return nullptr;
}

QWidget* FormWidget::WidgetFor(const std::string& name) const {
    const fw::Control* control = form_.Find(name);
    return control ? WidgetFor(control) : nullptr;
}

// ---- Buttons of sheets and dialogs -----------------------------------------

namespace {

QPushButton* AddDialogButton(QHBoxLayout& row, const QString& caption) {
    auto* button = new QPushButton(caption);
    button->setAutoDefault(false);
    button->setMinimumWidth(std::max(button->sizeHint().width(), 80));
    row.addWidget(button);
    return button;
}

}  // namespace

// ---- SheetDialog -------------------------------------------------------------

SheetDialog::SheetDialog(fw::PropertySheet& sheet, QWidget* parent) : QDialog(parent), sheet_(sheet) {
    setWindowTitle(Q(sheet.Title()));
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    tabs_ = new QTabWidget;
    for (int i = 0; i < sheet.PageCount(); ++i) {
        fw::PropertyPage& page = sheet.Page(i);
        auto* holder = new QWidget;
        auto* holderLayout = new QVBoxLayout(holder);
        auto* form = new FormWidget(page, holder);
        form->afterAction = [this] { AfterAction(); };
        holderLayout->addWidget(form);
        pages_.push_back(form);
        tabs_->addTab(holder, Q(page.Title()));
    }
    layout->addWidget(tabs_);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    ok_ = AddDialogButton(*buttons, "OK");
    ok_->setDefault(true);
    cancel_ = AddDialogButton(*buttons, "Cancel");
    for (std::size_t i = 0; i < sheet.ExtraButtons().size(); ++i) {
        QPushButton* button = AddDialogButton(*buttons, Q(sheet.ExtraButtons()[i].caption));
        const int index = static_cast<int>(i);
        connect(button, &QPushButton::clicked, this, [this, index] {
            sheet_.PressButton(index);
            AfterAction();
        });
        extra_.push_back(button);
    }
    layout->addLayout(buttons);
    connect(ok_, &QPushButton::clicked, this, &SheetDialog::accept);
    connect(cancel_, &QPushButton::clicked, this, &SheetDialog::reject);

    if (sheet.ActiveIndex() >= 0) tabs_->setCurrentIndex(sheet.ActiveIndex());
    connect(tabs_, &QTabWidget::currentChanged, this, [this](int index) {
        if (index != sheet_.ActiveIndex()) ShowPage(index);
    });
    SyncActive();
}

bool SheetDialog::ShowPage(int index) {
    const bool changed = sheet_.SetActivePage(index);
    if (tabs_->currentIndex() != sheet_.ActiveIndex()) {
        const QSignalBlocker block(tabs_);
        tabs_->setCurrentIndex(sheet_.ActiveIndex());
    }
    SyncActive();
    return changed;
}

void SheetDialog::SyncActive() {
    const int active = sheet_.ActiveIndex();
    if (active >= 0 && active < static_cast<int>(pages_.size())) pages_[static_cast<std::size_t>(active)]->Sync();
    if (sheet_.IsEnded()) {
        if (sheet_.Result() == fw::DialogResult::Ok)
            QDialog::accept();
        else
            QDialog::reject();
    }
}

void SheetDialog::AfterAction() { SyncActive(); }

void SheetDialog::accept() {
    if (!sheet_.IsEnded()) sheet_.PressOK();
    if (sheet_.IsEnded())
        QDialog::accept();
    else
        SyncActive();
}

void SheetDialog::reject() {
    if (!sheet_.IsEnded()) sheet_.PressCancel();
    QDialog::reject();
}

// ---- FormDialog --------------------------------------------------------------

FormDialog::FormDialog(fw::Dialog& dialog, QWidget* parent) : QDialog(parent), dialog_(dialog) {
    setWindowTitle(Q(dialog.Title()));
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    form_ = new FormWidget(dialog, this);
    form_->afterAction = [this] { AfterAction(); };
    layout->addWidget(form_);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    ok_ = AddDialogButton(*buttons, Q(dialog.okCaption));
    ok_->setDefault(true);
    if (dialog.hasCancel) cancel_ = AddDialogButton(*buttons, Q(dialog.cancelCaption));
    layout->addLayout(buttons);
    connect(ok_, &QPushButton::clicked, this, &FormDialog::accept);
    if (cancel_) connect(cancel_, &QPushButton::clicked, this, &FormDialog::reject);
}

void FormDialog::AfterAction() {
    form_->Sync();
    if (dialog_.IsEnded()) {
        if (dialog_.Result() == fw::DialogResult::Ok)
            QDialog::accept();
        else
            QDialog::reject();
    }
}

void FormDialog::accept() {
    if (!dialog_.IsEnded()) dialog_.PressOK();
    if (dialog_.IsEnded())
        QDialog::accept();
    else
        form_->Sync();
}

void FormDialog::reject() {
    if (!dialog_.IsEnded()) dialog_.PressCancel();
    QDialog::reject();
}

}  // namespace regsmith::host

#include "host/form_renderer.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
#include <QPlainTextEdit>
#include <QPointer>
#include <QProxyStyle>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScreen>
#include <QScrollArea>
#include <QSizeGrip>
#include <QSlider>
#include <QStyle>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>
#include <QWindow>

#include <algorithm>
#include <cmath>

#include "host/text.h"

namespace regsmith::host {

// ---- Colours, mnemonics, room ----------------------------------------------

namespace {

// `background` made darker (for a light text) or lighter (for a dark one)
// until `text` on it reaches `ratio`; failing that, black or white text.
ColourPair WithContrast(QColor text, QColor background, double ratio, const char* use) {
    const bool lightText = RelativeLuminance(text) > RelativeLuminance(background);
    for (int step = 0; step < 40 && ContrastRatio(text, background) < ratio; ++step)
        background = lightText ? background.darker(108) : background.lighter(108);
    if (ContrastRatio(text, background) < ratio)
        text = ContrastRatio(Qt::black, background) > ContrastRatio(Qt::white, background) ? QColor(Qt::black)
                                                                                          : QColor(Qt::white);
    return {text, background, use};
}

}  // namespace

ColourPair PressedToggleColours(const QPalette& palette) {
    return WithContrast(palette.color(QPalette::Active, QPalette::HighlightedText),
                        palette.color(QPalette::Active, QPalette::Highlight), 4.5, "pressed toggle buttons");
}

QColor IndicatorOutline(const QPalette& palette) {
    const QColor window = palette.color(QPalette::Active, QPalette::Window);
    const QColor text = palette.color(QPalette::Active, QPalette::WindowText);
    QColor outline = window;
    for (int percent = 40; percent <= 100 && ContrastRatio(outline, window) < 3.0; percent += 5)
        outline = QColor::fromRgbF(window.redF() + (text.redF() - window.redF()) * percent / 100,
                                   window.greenF() + (text.greenF() - window.greenF()) * percent / 100,
                                   window.blueF() + (text.blueF() - window.blueF()) * percent / 100);
    return outline;
}

namespace {

// The application's style, with check boxes and radio buttons ringed in
// IndicatorOutline so that they show in every palette.
class IndicatorStyle : public QProxyStyle {
public:
    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget) const override {
        QProxyStyle::drawPrimitive(element, option, painter, widget);
        if ((element != PE_IndicatorCheckBox && element != PE_IndicatorRadioButton) ||
            !(option->state & State_Enabled))
            return;
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing);
        painter->setPen(QPen(IndicatorOutline(option->palette), 1));
        painter->setBrush(Qt::NoBrush);
        const QRectF ring = QRectF(option->rect).adjusted(0.5, 0.5, -0.5, -0.5);
        if (element == PE_IndicatorRadioButton)
            painter->drawEllipse(ring);
        else
            painter->drawRoundedRect(ring, 1, 1);
        painter->restore();
    }
};

QStyle* Indicators() {
    static QPointer<IndicatorStyle> style;
    if (!style) {
        style = new IndicatorStyle;
        style->setParent(qApp);
    }
    return style;
}

// The palette of sheets and dialogs: the given one, its selection colours
// (chosen list items, selected text) as dark or light as a pressed toggle's.
QPalette SheetPalette(QPalette palette) {
    const ColourPair pressed = PressedToggleColours(palette);
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        palette.setColor(group, QPalette::Highlight, pressed.background);
        palette.setColor(group, QPalette::HighlightedText, pressed.foreground);
    }
    return palette;
}

}  // namespace

std::vector<ColourPair> SheetColourPairs(const QPalette& given) {
    const QPalette palette = SheetPalette(given);
    auto pair = [&palette](QPalette::ColorRole text, QPalette::ColorRole background, const char* use) {
        return ColourPair{palette.color(QPalette::Active, text), palette.color(QPalette::Active, background), use};
    };
    return {
        pair(QPalette::WindowText, QPalette::Window, "captions, labels, status texts and group titles"),
        pair(QPalette::Text, QPalette::Base, "fields, lists and the register summary"),
        pair(QPalette::Text, QPalette::Window, "read-only results"),
        pair(QPalette::ButtonText, QPalette::Button, "buttons and the table's headings"),
        pair(QPalette::HighlightedText, QPalette::Highlight, "chosen list items and selected text"),
        PressedToggleColours(given),
        pair(QPalette::Text, QPalette::Base, "the table's cells"),
    };
}

QString LiteralCaption(const std::string& caption) { return Q(caption).replace('&', "&&"); }

QString WithMnemonic(const QString& caption, QString& taken) {
    for (int i = 0; i < caption.size(); ++i) {
        const QChar letter = caption[i].toLower();
        if (!letter.isLetterOrNumber() || taken.contains(letter)) continue;
        taken += letter;
        QString result = caption;
        result.replace('&', "&&");
        // The '&'s doubled before position i shift it.
        const int shift = static_cast<int>(caption.left(i).count('&'));
        return result.insert(i + shift, '&');
    }
    return QString(caption).replace('&', "&&");
}

QSize RoomForWindow(const QWidget& widget) {
    const QWidget* anchor = widget.parentWidget() ? widget.parentWidget()->window() : &widget;
    QScreen* screen = anchor->screen();
    if (!screen) screen = QGuiApplication::primaryScreen();
    const QRect area = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
    // The frame as the window system draws it once shown, but at least a
    // title bar's and a border's worth.
    QMargins frame(8, 32, 8, 8);
    if (const QWindow* window = widget.windowHandle(); window && widget.isVisible()) {
        const QMargins actual = window->frameMargins();
        frame = QMargins(std::max(frame.left(), actual.left()), std::max(frame.top(), actual.top()),
                         std::max(frame.right(), actual.right()), std::max(frame.bottom(), actual.bottom()));
    }
    return QSize(std::max(200, area.width() - frame.left() - frame.right()),
                 std::max(150, area.height() - frame.top() - frame.bottom()));
}

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

int TwipsToPixels(int twips, int dpi, double scale) {
    return static_cast<int>(std::lround(twips * dpi * scale / 1440.0));
}

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

// The cell of a control sized in twips: exactly that size (at the form's
// scale) to the layout, so such cells follow each other like a grid's.  The
// widget is centred in its cell at its natural size, shrunk to the cell; a
// text keeps its natural size and overhangs a smaller cell evenly, so a
// caption wider than a narrow column is neither clipped nor widens the
// column.  A container fills its cell.  A dimension without twips behaves as
// for any widget.
class TwipsCellItem : public QWidgetItem {
public:
    TwipsCellItem(QWidget* widget, int widthTwips, int heightTwips, bool overhangs, bool fills,
                  std::shared_ptr<const TwipsScale> scale)
        : QWidgetItem(widget), widthTwips_(widthTwips), heightTwips_(heightTwips), overhangs_(overhangs),
          fills_(fills), scale_(std::move(scale)) {}

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
        if (widthTwips_ > 0) size.setWidth(TwipsToPixels(widthTwips_, w->logicalDpiX(), scale_->x));
        if (heightTwips_ > 0) size.setHeight(TwipsToPixels(heightTwips_, w->logicalDpiY(), scale_->y));
        return size;
    }

    int widthTwips_, heightTwips_;
    bool overhangs_, fills_;
    std::shared_ptr<const TwipsScale> scale_;
};

TwipsCellItem* MakeTwipsCell(QWidget& parent, QWidget* widget, const fw::Control& control,
                             std::shared_ptr<const TwipsScale> scale) {
    widget->setParent(&parent);
    const bool container = IsContainer(control);
    return new TwipsCellItem(widget, control.widthTwips, control.heightTwips,
                             control.Kind() == fw::ControlKind::StaticText, container, std::move(scale));
}

// The register summary box and the code window use the same fixed font.
QFont SummaryFont() { return ResolveFixedFont(fw::FontSpec{"Courier New", 9}); }

// The room a table cell's text needs beside it, and above and below it.
int CellPaddingX(const QTableWidget& table) { return 2 * (table.style()->pixelMetric(QStyle::PM_FocusFrameHMargin) + 1) + 2; }
int CellPaddingY() { return 2; }

void SyncGrid(QTableWidget& table, const fw::Grid& grid, const TwipsScale& scale) {
    if (table.rowCount() != grid.Rows()) table.setRowCount(grid.Rows());
    if (table.columnCount() != grid.Columns()) table.setColumnCount(grid.Columns());
    const int dpiX = table.logicalDpiX(), dpiY = table.logicalDpiY();
    int width = 0, height = 0;
    for (int c = 0; c < grid.Columns(); ++c) {
        const int pixels = TwipsToPixels(grid.ColumnWidth(c), dpiX, scale.x);
        if (table.columnWidth(c) != pixels) table.setColumnWidth(c, pixels);
        width += pixels;
    }
    for (int r = 0; r < grid.Rows(); ++r) {
        const int pixels = TwipsToPixels(grid.RowHeight(r), dpiY, scale.y);
        if (table.rowHeight(r) != pixels) table.setRowHeight(r, pixels);
        height += pixels;
    }
    const QPalette& palette = table.palette();
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
            // Headings in the colours of buttons, cells in those of a field;
            // a coloured cell (it holds no text) keeps its colour.
            const bool heading = r < grid.fixedRows || c < grid.fixedColumns;
            if (grid.HasBackground(r, c))
                item->setBackground(ToQColor(grid.Background(r, c)));
            else if (heading)
                item->setBackground(palette.button());
            else
                item->setBackground(QBrush());
            item->setForeground(heading ? palette.buttonText() : palette.text());
        }
    }
    // The control is exactly as large as its cells, plus one pixel each way.
    table.setFixedSize(width + 1, height + 1);
}

// A description of a table for assistive tools: its coloured cells by row
// and column heading ("UART0 TX: P0.4").
QString DescribeGrid(const fw::Grid& grid) {
    QStringList cells;
    auto heading = [&grid](int column) {
        QStringList parts;
        for (int r = 0; r < grid.fixedRows; ++r) parts << Q(grid.Text(r, column));
        return parts.join(grid.fixedRows > 1 ? "." : "");
    };
    for (int r = grid.fixedRows; r < grid.Rows(); ++r)
        for (int c = grid.fixedColumns; c < grid.Columns(); ++c)
            if (grid.HasBackground(r, c))
                cells << (grid.fixedColumns > 0 ? Q(grid.Text(r, 0)) : QString::number(r)) + ": " + heading(c);
    return cells.isEmpty() ? QString("No cell is marked.") : cells.join("; ") + ".";
}

// A toggle button whose pressed state cannot be missed: filled with the
// highlight colour, sunken, and (where the caption is more than a pin
// letter) a check mark before the caption.  Released it is a plain button.
// The caption stays the page's own.
class ToggleWidget : public QPushButton {
public:
    explicit ToggleWidget(const QString& caption, bool compact) : QPushButton(caption), compact_(compact) {
        setCheckable(true);
        setAutoDefault(false);
    }

    QSize sizeHint() const override {
        QSize size = QPushButton::sizeHint();
        if (!compact_) size.rwidth() += MarkWidth();
        return size;
    }
    QSize minimumSizeHint() const override { return compact_ ? QPushButton::minimumSizeHint() : sizeHint(); }

protected:
    void paintEvent(QPaintEvent* event) override {
        if (!isChecked()) {
            QPushButton::paintEvent(event);
            return;
        }
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        ColourPair colours = PressedToggleColours(palette());
        if (!isEnabled()) {
            colours.background = palette().color(QPalette::Disabled, QPalette::Button).darker(125);
            colours.foreground = palette().color(QPalette::Disabled, QPalette::ButtonText);
        }
        const QRectF frame = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
        painter.setPen(QPen(colours.background.darker(160), 1));
        painter.setBrush(colours.background);
        painter.drawRoundedRect(frame, 2, 2);
        // Sunken: a shadow along the inner top and left edges.
        painter.setPen(QPen(colours.background.darker(135), 2));
        painter.drawLine(QPointF(2, 2), QPointF(width() - 2, 2));
        painter.drawLine(QPointF(2, 2), QPointF(2, height() - 2));

        QRect textArea = rect();
        if (!compact_) {
            const int mark = MarkWidth();
            const double size = fontMetrics().height() * 0.6;
            const QPointF origin(mark * 0.5 + 2, height() / 2.0);
            QPainterPath tick;
            tick.moveTo(origin + QPointF(-size * 0.45, 0));
            tick.lineTo(origin + QPointF(-size * 0.1, size * 0.35));
            tick.lineTo(origin + QPointF(size * 0.5, -size * 0.4));
            painter.setPen(QPen(colours.foreground, std::max(1.5, size / 6), Qt::SolidLine, Qt::RoundCap,
                                Qt::RoundJoin));
            painter.setBrush(Qt::NoBrush);
            painter.drawPath(tick);
            textArea.setLeft(mark);
        }
        painter.setPen(colours.foreground);
        painter.drawText(textArea, Qt::AlignCenter | Qt::TextShowMnemonic, text());
        if (hasFocus()) {
            painter.setPen(QPen(colours.foreground, 1, Qt::DotLine));
            painter.setBrush(Qt::NoBrush);
            painter.drawRect(QRectF(rect()).adjusted(3.5, 3.5, -3.5, -3.5));
        }
    }

private:
    int MarkWidth() const { return fontMetrics().height() + 4; }
    bool compact_;
};

// The register summary box: read-only text that shows when it has the focus
// (a frame in the highlight colour) and passes Tab on.
class SummaryBox : public QPlainTextEdit {
public:
    SummaryBox() {
        setReadOnly(true);
        setTabChangesFocus(true);
        setLineWrapMode(QPlainTextEdit::NoWrap);
        setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    }

protected:
    bool event(QEvent* event) override {
        const bool result = QPlainTextEdit::event(event);
        if (event->type() == QEvent::Paint && hasFocus()) {
            QPainter painter(this);
            painter.setPen(QPen(palette().color(QPalette::Highlight), 2));
            painter.drawRect(QRectF(rect()).adjusted(1, 1, -1, -1));
        }
        return result;
    }
    void focusInEvent(QFocusEvent* event) override {
        QPlainTextEdit::focusInEvent(event);
        update();
    }
    void focusOutEvent(QFocusEvent* event) override {
        QPlainTextEdit::focusOutEvent(event);
        update();
    }
};

// What assistive tools call a control: its caption, the label of a field,
// list or slider, else the name scripts know it by.
QString AccessibleNameOf(const fw::Control& control) {
    if (HasLabel(control)) return Q(control.Label());
    if (!control.Caption().empty()) return Q(control.Caption());
    return Q(control.ScriptName());
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
    radioGroups_.clear();
    builtFrom_ = form_.AllControls();
    content_ = BuildContainer(form_.Root(), true);
    outer_->addWidget(content_);
    // Radio buttons with one group key under one container are one group:
    // one Tab stop, the arrow keys move inside it.
    std::vector<std::pair<const fw::Container*, std::string>> keys;
    for (std::size_t i = 0; i < bindings_.size(); ++i) {
        Binding& binding = bindings_[i];
        if (binding.control->Kind() != fw::ControlKind::RadioButton) continue;
        const auto key = std::pair<const fw::Container*, std::string>(
            binding.control->Parent(), static_cast<const fw::RadioButton*>(binding.control)->Group());
        const auto found = std::find(keys.begin(), keys.end(), key);
        binding.radioGroup = static_cast<int>(found - keys.begin());
        if (found == keys.end()) {
            keys.push_back(key);
            radioGroups_.emplace_back();
        }
        radioGroups_[static_cast<std::size_t>(binding.radioGroup)].push_back(i);
        binding.widget->installEventFilter(this);
    }
}

int FormWidget::TwipsToPixelsX(int twips) const { return TwipsToPixels(twips, logicalDpiX(), scale_->x); }
int FormWidget::TwipsToPixelsY(int twips) const { return TwipsToPixels(twips, logicalDpiY(), scale_->y); }

void FormWidget::UpdateScale() {
    // The factor each way that makes every control sized in twips as large as
    // it naturally is, and every column of a table as wide as its widest
    // text; the rows of a table are as tall as a line of its font.
    const double dpiX = logicalDpiX(), dpiY = logicalDpiY();
    auto pixels = [](int twips, double dpi) { return twips * dpi / 1440.0; };
    TwipsScale wanted;
    auto need = [&wanted, &pixels, dpiX, dpiY](int widthTwips, int heightTwips, QSize size) {
        if (widthTwips > 0 && size.width() > 0) wanted.x = std::max(wanted.x, size.width() / pixels(widthTwips, dpiX));
        if (heightTwips > 0 && size.height() > 0)
            wanted.y = std::max(wanted.y, size.height() / pixels(heightTwips, dpiY));
    };
    for (const Binding& binding : bindings_) {
        const fw::Control& control = *binding.control;
        if (control.Kind() == fw::ControlKind::Grid) {
            const auto& grid = static_cast<const fw::Grid&>(control);
            const auto* table = static_cast<const QTableWidget*>(binding.widget);
            const QFontMetrics metrics(table->font());
            for (int c = 0; c < grid.Columns(); ++c) {
                int widest = 0;
                for (int r = 0; r < grid.Rows(); ++r)
                    widest = std::max(widest, metrics.horizontalAdvance(Q(grid.Text(r, c))));
                if (widest > 0) need(grid.ColumnWidth(c), 0, QSize(widest + CellPaddingX(*table) + 1, 0));
            }
            if (grid.Rows() > 0) need(0, grid.RowHeight(0), QSize(0, metrics.height() + 2 * CellPaddingY()));
        } else if (HasTwipsSize(control) && !IsContainer(control) && control.Kind() != fw::ControlKind::StaticText) {
            const QWidget* widget = binding.widget;
            need(control.widthTwips, control.heightTwips,
                 widget->sizeHint().expandedTo(widget->minimumSizeHint()).boundedTo(widget->maximumSize()));
        }
    }
    // Rows of the default height come out as whole pixels, so that cells
    // of several rows' height line up with that many rows.
    const double row = pixels(fw::Grid::kDefaultRowHeightTwips, dpiY);
    wanted.y = std::ceil(row * wanted.y - 0.01) / row;
    if (wanted == *scale_) return;
    *scale_ = wanted;
    for (const Binding& binding : bindings_)
        if (binding.control->Kind() == fw::ControlKind::Grid)
            SyncGrid(*static_cast<QTableWidget*>(binding.widget), static_cast<fw::Grid&>(*binding.control), *scale_);
    // Every layout below is laid out again now, outer ones first: a widget
    // whose size stays the same would not do it by itself.
    const QList<QLayout*> layouts = content_->findChildren<QLayout*>();
    for (QLayout* layout : layouts) layout->invalidate();
    outer_->invalidate();
    content_->updateGeometry();
    outer_->activate();
    for (QLayout* layout : layouts) layout->activate();
}

void FormWidget::SyncRadioTabStops() {
    for (const auto& group : radioGroups_) {
        auto choosable = [this](std::size_t index) {
            const Binding& binding = bindings_[index];
            return binding.control->IsEffectivelyVisible() && binding.control->IsEffectivelyEnabled();
        };
        std::size_t stop = group.front();
        bool found = false;
        for (std::size_t index : group)
            if (!found && choosable(index) && static_cast<const fw::RadioButton*>(bindings_[index].control)->IsChecked()) {
                stop = index;
                found = true;
            }
        for (std::size_t index : group)
            if (!found && choosable(index)) {
                stop = index;
                found = true;
            }
        for (std::size_t index : group)
            bindings_[index].widget->setFocusPolicy(index == stop ? Qt::StrongFocus : Qt::ClickFocus);
    }
}

bool FormWidget::MoveInRadioGroup(const Binding& from, bool forward) {
    const auto& group = radioGroups_[static_cast<std::size_t>(from.radioGroup)];
    const auto at = std::find_if(group.begin(), group.end(),
                                 [this, &from](std::size_t index) { return &bindings_[index] == &from; });
    if (at == group.end()) return false;
    const std::size_t count = group.size(), start = static_cast<std::size_t>(at - group.begin());
    for (std::size_t step = 1; step < count; ++step) {
        const std::size_t position = forward ? (start + step) % count : (start + count - step) % count;
        const Binding& candidate = bindings_[group[position]];
        if (!candidate.control->IsEffectivelyVisible() || !candidate.control->IsEffectivelyEnabled()) continue;
        fw::Control* control = candidate.control;
        static_cast<QAbstractButton*>(candidate.widget)->click();
        // The click may have built the widgets again.
        if (QWidget* widget = WidgetFor(control)) widget->setFocus(Qt::TabFocusReason);
        return true;
    }
    return true;  // a group of one: the key stays in it
}

bool FormWidget::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        const bool forward = key == Qt::Key_Down || key == Qt::Key_Right;
        const bool backward = key == Qt::Key_Up || key == Qt::Key_Left;
        if (forward || backward)
            for (const Binding& binding : bindings_)
                if (binding.widget == watched && binding.radioGroup >= 0) return MoveInRadioGroup(binding, forward);
    }
    return QWidget::eventFilter(watched, event);
}

void FormWidget::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        UpdateScale();
    } else if (event->type() == QEvent::PaletteChange) {
        SyncColours();
    }
}

void FormWidget::SyncColours() {
    for (const Binding& binding : bindings_) {
        if (binding.control->Kind() == fw::ControlKind::Grid) {
            SyncGrid(*static_cast<QTableWidget*>(binding.widget), static_cast<fw::Grid&>(*binding.control), *scale_);
        } else if (binding.control->Kind() == fw::ControlKind::EditField) {
            // A read-only result on the window's colour, in the text colour:
            // clearly not for typing, as readable as any field.
            auto* edit = static_cast<QLineEdit*>(binding.widget);
            const bool readOnly = static_cast<const fw::EditField*>(binding.control)->IsReadOnly();
            const QBrush base = readOnly ? palette().window() : palette().base();
            if (edit->palette().base() != base) {
                QPalette colours = edit->palette();
                colours.setBrush(QPalette::Base, base);
                edit->setPalette(colours);
            }
        }
    }
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
                    layout->addItem(MakeTwipsCell(*widget, built, child, scale_), row, 0, 1, 2, align);
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
                    QLayoutItem* item = MakeTwipsCell(*widget, built, *child, scale_);
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
                    layout->addItem(MakeTwipsCell(*widget, built, *child, scale_), child->gridRow, child->gridColumn, rows,
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
            widget->setStyle(Indicators());
            break;
        case fw::ControlKind::RadioButton: {
            auto* radio = new QRadioButton;
            radio->setStyle(Indicators());
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
            const bool compact = control.Caption().size() <= 2;
            auto* button = new ToggleWidget(LiteralCaption(control.Caption()), compact);
            if (compact) {
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
            if (control.widthChars > 0)
                label->setMinimumWidth(label->fontMetrics().averageCharWidth() * control.widthChars);
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
            // The cells' sizes are the form's; the hidden headers' font-based
            // least sizes must not widen them.
            table->horizontalHeader()->setMinimumSectionSize(1);
            table->verticalHeader()->setMinimumSectionSize(1);
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
            auto* text = new SummaryBox;
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
    SyncRadioTabStops();
    SyncColours();
    UpdateScale();
    syncing_ = false;
}

void FormWidget::SyncOne(const Binding& binding) {
    fw::Control& control = *binding.control;
    QWidget* widget = binding.widget;
    // Qt reads '&' in a caption as a mnemonic: shown as it is instead.
    const QString caption = LiteralCaption(control.Caption());
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
                button->setMinimumWidth(button->fontMetrics().horizontalAdvance(Q(control.Caption())) + 24);
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
            // Plain text: the caption as it is.
            auto* label = static_cast<QLabel*>(widget);
            if (label->text() != Q(control.Caption())) label->setText(Q(control.Caption()));
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
        case fw::ControlKind::Grid: {
            auto& grid = static_cast<fw::Grid&>(control);
            SyncGrid(*static_cast<QTableWidget*>(widget), grid, *scale_);
            const std::string described = form_.DescribeForScript();
            const QString description = described.empty() ? DescribeGrid(grid) : Q(described).trimmed();
            if (widget->accessibleDescription() != description) widget->setAccessibleDescription(description);
            break;
        }
        case fw::ControlKind::TextBox: {
            auto* text = static_cast<QPlainTextEdit*>(widget);
            const QString value = Q(static_cast<fw::TextBox&>(control).Text()).remove('\r');
            if (text->toPlainText() != value) text->setPlainText(value);
            break;
        }
    }
    // A read-only result is drawn as a read-only field, never as disabled
    // grey text, and can be reached to read or copy it.
    const bool result = control.Kind() == fw::ControlKind::EditField &&
                        static_cast<const fw::EditField&>(control).IsReadOnly();
    widget->setEnabled(control.IsEnabled() || result);
    widget->setVisible(control.IsVisible());
    const QString name = AccessibleNameOf(control);
    if (widget->accessibleName() != name) widget->setAccessibleName(name);
    if (control.Kind() == fw::ControlKind::ToggleButton) {
        const auto& toggle = static_cast<const fw::ToggleButton&>(control);
        const QString state = Q(toggle.IsPressed() ? toggle.pressedWords : toggle.releasedWords);
        const QString description = state.isEmpty() ? QString(toggle.IsPressed() ? "pressed" : "not pressed") : state;
        if (widget->accessibleDescription() != description) widget->setAccessibleDescription(description);
    } else if (control.Kind() == fw::ControlKind::ColourSwatch) {
        const QString description = "colour " + ToQColor(static_cast<const fw::ColourSwatch&>(control).colour).name();
        if (widget->accessibleDescription() != description) widget->setAccessibleDescription(description);
    }
    if (binding.label) {
        const QString label = Q(control.Label());
        if (binding.label->text() != label) binding.label->setText(label);
        binding.label->setEnabled(control.IsEnabled() || result);
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

class PageScroller : public QScrollArea {
public:
    explicit PageScroller(QWidget* page) {
        setWidget(page);
        setWidgetResizable(true);
        setFrameShape(QFrame::NoFrame);
        setFocusPolicy(Qt::NoFocus);
    }
    // The page's whole size: the window opens as large as that where the
    // screen has room.
    QSize sizeHint() const override {
        const QWidget* page = widget();
        const QSize size = page ? page->sizeHint().expandedTo(page->minimumSizeHint()) : QSize(0, 0);
        return size + QSize(2 * frameWidth(), 2 * frameWidth());
    }
    // Down to a few scroll bars' worth: the page scrolls.
    QSize minimumSizeHint() const override {
        const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
        return QSize(6 * bar, 4 * bar);
    }
};

namespace {

QPushButton* AddDialogButton(QHBoxLayout& row, const QString& caption) {
    auto* button = new QPushButton(caption);
    button->setAutoDefault(false);
    button->setMinimumWidth(std::max(button->sizeHint().width(), 80));
    button->setAccessibleName(QString(caption).remove(QRegularExpression("&(?!&)")));
    row.addWidget(button);
    return button;
}

// A focused control inside a scrolled page is scrolled into view, however
// the focus got there (Tab from the buttons, a mnemonic, a click).
void FollowFocus(QWidget& window, const std::vector<QScrollArea*>& areas) {
    QObject::connect(qApp, &QApplication::focusChanged, &window, [areas](QWidget*, QWidget* now) {
        if (!now) return;
        for (QScrollArea* area : areas)
            if (area->widget() && area->widget()->isAncestorOf(now)) area->ensureWidgetVisible(now, 8, 8);
    });
}

// A shown window moved back inside the screen's available area.
void KeepOnScreen(QWidget& window);

// The window's natural size where the screen has room for it; never
// smaller than it is unless `shrink`.
void FitWindow(QWidget& window, bool shrink) {
    if (QLayout* layout = window.layout()) layout->activate();
    QSize wanted = window.sizeHint().expandedTo(window.minimumSizeHint());
    // Where one way does not fit, the page's scroll bar takes room the other way.
    const QSize room = RoomForWindow(window);
    const int bar = window.style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, &window);
    if (wanted.height() > room.height()) wanted.rwidth() += bar;
    if (wanted.width() > room.width()) wanted.rheight() += bar;
    if (!shrink) wanted = wanted.expandedTo(window.size());
    wanted = wanted.boundedTo(room);
    if (wanted != window.size()) window.resize(wanted);
    KeepOnScreen(window);
}

void KeepOnScreen(QWidget& window) {
    if (!window.isVisible() || !window.screen()) return;
    const QRect area = window.screen()->availableGeometry();
    const QRect frame = window.frameGeometry();
    const int dx = std::max(area.left() - frame.left(), std::min(0, area.right() - frame.right()));
    const int dy = std::max(area.top() - frame.top(), std::min(0, area.bottom() - frame.bottom()));
    if (dx != 0 || dy != 0) window.move(window.pos() + QPoint(dx, dy));
}

// Sheets and dialogs draw with the application's palette, selection colours
// made readable.
void ApplySheetPalette(QWidget& window) {
    // Only the selection colours are the window's own; every other colour
    // keeps following the application's palette.
    const QPalette adjusted = SheetPalette(QApplication::palette());
    QPalette own;
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive})
        for (QPalette::ColorRole role : {QPalette::Highlight, QPalette::HighlightedText})
            own.setColor(group, role, adjusted.color(group, role));
    window.setPalette(own);
}

}  // namespace

// ---- SheetDialog -------------------------------------------------------------

SheetDialog::SheetDialog(fw::PropertySheet& sheet, QWidget* parent) : QDialog(parent), sheet_(sheet) {
    setWindowTitle(Q(sheet.Title()));
    setModal(true);
    setSizeGripEnabled(true);
    ApplySheetPalette(*this);
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
        auto* area = new PageScroller(holder);
        areas_.push_back(area);
        tabs_->addTab(area, Q(page.Title()));
    }
    tabs_->setAccessibleName(Q(sheet.Title()));
    layout->addWidget(tabs_, 1);

    // OK, Cancel and the sheet's own buttons, outside the scrolled pages: in
    // sight whatever the size.  Each has a mnemonic.
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    QString taken;
    ok_ = AddDialogButton(*buttons, WithMnemonic("OK", taken));
    ok_->setDefault(true);
    cancel_ = AddDialogButton(*buttons, WithMnemonic("Cancel", taken));
    for (std::size_t i = 0; i < sheet.ExtraButtons().size(); ++i) {
        QPushButton* button = AddDialogButton(*buttons, WithMnemonic(Q(sheet.ExtraButtons()[i].caption), taken));
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
    FollowFocus(*this, areas_);

    if (sheet.ActiveIndex() >= 0) tabs_->setCurrentIndex(sheet.ActiveIndex());
    connect(tabs_, &QTabWidget::currentChanged, this, [this](int index) {
        if (index != sheet_.ActiveIndex()) ShowPage(index);
    });
    SyncActive();
    FitToScreen();
}

QScrollArea* SheetDialog::PageArea(int index) const { return areas_.at(static_cast<std::size_t>(index)); }

void SheetDialog::FitToScreen() { FitWindow(*this, true); }

void SheetDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    KeepOnScreen(*this);
}

bool SheetDialog::event(QEvent* event) {
    const bool result = QDialog::event(event);
    // A new desktop palette: its selection colours made readable again.
    if (event->type() == QEvent::ApplicationPaletteChange) ApplySheetPalette(*this);
    return result;
}

bool SheetDialog::ShowPage(int index) {
    const bool changed = sheet_.SetActivePage(index);
    if (tabs_->currentIndex() != sheet_.ActiveIndex()) {
        const QSignalBlocker block(tabs_);
        tabs_->setCurrentIndex(sheet_.ActiveIndex());
    }
    SyncActive();
    // A page larger than the others were gets the room the screen has.
    if (!sheet_.IsEnded()) FitWindow(*this, false);
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
    ApplySheetPalette(*this);
    auto* layout = new QVBoxLayout(this);
    form_ = new FormWidget(dialog, this);
    form_->afterAction = [this] { AfterAction(); };
    auto* area = new PageScroller(form_);
    layout->addWidget(area, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    QString taken;
    ok_ = AddDialogButton(*buttons, WithMnemonic(Q(dialog.okCaption), taken));
    ok_->setDefault(true);
    if (dialog.hasCancel) cancel_ = AddDialogButton(*buttons, WithMnemonic(Q(dialog.cancelCaption), taken));
    layout->addLayout(buttons);
    connect(ok_, &QPushButton::clicked, this, &FormDialog::accept);
    if (cancel_) connect(cancel_, &QPushButton::clicked, this, &FormDialog::reject);
    FollowFocus(*this, {area});
    FitToScreen();
}

void FormDialog::FitToScreen() { FitWindow(*this, true); }

bool FormDialog::event(QEvent* event) {
    const bool result = QDialog::event(event);
    if (event->type() == QEvent::ApplicationPaletteChange) ApplySheetPalette(*this);
    return result;
}

void FormDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    KeepOnScreen(*this);
    // Typing goes straight into the first field that takes it, its text
    // selected; Enter then presses OK.
    for (const fw::Control* control : dialog_.AllControls()) {
        auto* edit = qobject_cast<QLineEdit*>(form_->WidgetFor(control));
        if (!edit || edit->isReadOnly() || !edit->isEnabled() || !edit->isVisibleTo(this)) continue;
        edit->setFocus(Qt::TabFocusReason);
        edit->selectAll();
        break;
    }
}

void FormDialog::AfterAction() {
    form_->Sync();
    if (dialog_.IsEnded()) {
        if (dialog_.Result() == fw::DialogResult::Ok)
            QDialog::accept();
        else
            QDialog::reject();
        return;
    }
    FitWindow(*this, false);
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

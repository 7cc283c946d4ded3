#include "host/overview_docks.h"

#include <QApplication>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QScrollArea>
#include <QStyleOption>
#include <QSettings>
#include <QStatusBar>
#include <QStyle>
#include <QToolTip>

#include "fw/document.h"
#include "host/text.h"

namespace regsmith::host {

namespace {

constexpr int kMargin = 8;
constexpr int kGap = 6;

bool IsDark(const QPalette& palette) { return palette.color(QPalette::Window).lightness() < 128; }

// Secondary text: halfway between the text and its background, so it reads
// on light and dark palettes alike.
QColor Faded(const QPalette& palette, QPalette::ColorRole text = QPalette::Text) {
    const QColor a = palette.color(text);
    const QColor b = palette.color(QPalette::Base);
    return QColor((a.red() + b.red()) / 2, (a.green() + b.green()) / 2, (a.blue() + b.blue()) / 2);
}

// The fill of a pin's function: a hue per function, light on a light palette
// and dark on a dark one, so that the palette's text colour reads on it.
QColor FunctionColour(fw::PinFunction function, const QPalette& palette) {
    const bool dark = IsDark(palette);
    switch (function) {
        case fw::PinFunction::Peripheral: return QColor::fromHsl(210, 150, dark ? 80 : 200);
        case fw::PinFunction::Skipped: return QColor::fromHsl(40, 170, dark ? 70 : 195);
        case fw::PinFunction::Analog: return QColor::fromHsl(130, 110, dark ? 65 : 195);
        default: return palette.color(QPalette::Button);
    }
}

QString FunctionCaption(fw::PinFunction function) {
    switch (function) {
        case fw::PinFunction::Peripheral: return "Peripheral signal";
        case fw::PinFunction::Skipped: return "Skipped";
        case fw::PinFunction::Analog: return "Analog";
        default: return "General I/O";
    }
}

QString WhereText(const fw::SheetPage& where) {
    if (where.sheet.empty()) return {};
    return Q(where.sheet) + (where.page.empty() ? QString() : " > " + Q(where.page));
}

}  // namespace

// ---- Pins --------------------------------------------------------------------

PinMapWidget::PinMapWidget(OpenSheetPage open, QWidget* parent) : QWidget(parent), open_(std::move(open)) {
    setMouseTracking(true);
    setCursor(Qt::PointingHandCursor);
}

void PinMapWidget::SetPins(std::vector<fw::PinInfo> pins) {
    pins_ = std::move(pins);
    updateGeometry();
    update();
}

namespace {

struct PinLayout {
    int label, box, height, legend;
};

PinLayout LayoutOf(const QFontMetrics& metrics) {
    PinLayout layout;
    layout.label = metrics.horizontalAdvance("P0") + 2 * kGap;
    layout.box = metrics.horizontalAdvance("ADC0 input") + 2 * kGap;
    layout.height = 2 * metrics.height() + kGap;
    layout.legend = metrics.height() + kGap;
    return layout;
}

}  // namespace

int PinMapWidget::Columns() const {
    // A port's eight pins in one row when they fit, else in two rows of four.
    const PinLayout layout = LayoutOf(fontMetrics());
    return width() >= kMargin * 2 + layout.label + 8 * (layout.box + kGap) ? 8 : 4;
}

QRect PinMapWidget::PinRect(int index) const {
    const PinLayout layout = LayoutOf(fontMetrics());
    const int columns = Columns();
    const int row = index / columns;
    const int column = index % columns;
    return {kMargin + layout.label + column * (layout.box + kGap), kMargin + row * (layout.height + kGap), layout.box,
            layout.height};
}

QSize PinMapWidget::sizeHint() const {
    const PinLayout layout = LayoutOf(fontMetrics());
    // Narrow: four pins a row, the legend in two lines.
    const int rows = (static_cast<int>(pins_.size()) + 3) / 4;
    const int width = kMargin * 2 + layout.label + 4 * (layout.box + kGap);
    return {width, kMargin * 2 + std::max(rows, 1) * (layout.height + kGap) + 2 * layout.legend};
}

int PinMapWidget::PinAt(const QPoint& point) const {
    for (int index = 0; index < static_cast<int>(pins_.size()); ++index)
        if (PinRect(index).contains(point)) return index;
    return -1;
}

void PinMapWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QPalette& colours = palette();
    const QFontMetrics metrics = fontMetrics();
    const PinLayout layout = LayoutOf(metrics);
    painter.fillRect(rect(), colours.color(QPalette::Base));
    if (pins_.empty()) {
        painter.setPen(Faded(colours));
        painter.drawText(rect(), Qt::AlignCenter, "No project");
        return;
    }
    painter.setPen(colours.color(QPalette::Text));
    for (int port = 0; port * 8 < static_cast<int>(pins_.size()); ++port) {
        const QRect first = PinRect(port * 8);
        painter.drawText(QRect(kMargin, first.top(), layout.label, first.height()), Qt::AlignLeft | Qt::AlignVCenter,
                         port == 0 ? "P0" : "P1");
    }
    for (int index = 0; index < static_cast<int>(pins_.size()); ++index) {
        const fw::PinInfo& pin = pins_[static_cast<std::size_t>(index)];
        const QRectF box = QRectF(PinRect(index)).adjusted(0.5, 0.5, -0.5, -0.5);
        painter.setBrush(FunctionColour(pin.function, colours));
        painter.setPen(QPen(colours.color(QPalette::Mid), 1));
        painter.drawRoundedRect(box, 4, 4);
        painter.setPen(colours.color(QPalette::Text));
        QFont bold = font();
        bold.setBold(true);
        painter.setFont(bold);
        const QRect inner = box.toRect().adjusted(2, 2, -2, -2);
        painter.drawText(QRect(inner.left(), inner.top(), inner.width(), metrics.height()), Qt::AlignHCenter,
                         Q(pin.name));
        painter.setFont(font());
        const QString signal = pin.signal.empty() ? FunctionCaption(pin.function).toLower() : Q(pin.signal);
        painter.drawText(QRect(inner.left(), inner.top() + metrics.height(), inner.width(), metrics.height()),
                         Qt::AlignHCenter, metrics.elidedText(signal, Qt::ElideRight, inner.width()));
    }
    // The legend, wrapped to the width.
    int x = kMargin;
    int y = PinRect(static_cast<int>(pins_.size()) - 1).bottom() + kGap + 1;
    const int swatch = metrics.height() - 4;
    for (fw::PinFunction function : {fw::PinFunction::Peripheral, fw::PinFunction::GeneralIO, fw::PinFunction::Skipped,
                                     fw::PinFunction::Analog}) {
        const int needed = swatch + 4 + metrics.horizontalAdvance(FunctionCaption(function));
        if (x > kMargin && x + needed > width() - kMargin) {
            x = kMargin;
            y += layout.legend;
        }
        painter.setBrush(FunctionColour(function, colours));
        painter.setPen(colours.color(QPalette::Mid));
        painter.drawRect(QRectF(x + 0.5, y + 2.5, swatch, swatch));
        painter.setPen(colours.color(QPalette::Text));
        const QString caption = FunctionCaption(function);
        painter.drawText(QPoint(x + swatch + 4, y + metrics.ascent()), caption);
        x += swatch + 4 + metrics.horizontalAdvance(caption) + 3 * kGap;
    }
}

bool PinMapWidget::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        const int index = PinAt(help->pos());
        if (index < 0) {
            QToolTip::hideText();
            event->ignore();
            return true;
        }
        const fw::PinInfo& pin = pins_[static_cast<std::size_t>(index)];
        QString text = "<b>" + Q(pin.name) + "</b>: " + FunctionCaption(pin.function);
        if (!pin.signal.empty()) text += " (" + Q(pin.signal).toHtmlEscaped() + ")";
        text += QString("<br>%1, %2, %3")
                    .arg(pin.analog ? "analog" : "digital", pin.pushPull ? "push-pull" : "open-drain",
                         pin.skipped ? "skipped by the crossbar" : "not skipped");
        QToolTip::showText(help->globalPos(), text, this);
        return true;
    }
    return QWidget::event(event);
}

void PinMapWidget::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && PinAt(event->position().toPoint()) >= 0 && open_)
        open_({"Port I/O", "Priority Crossbar"});
}

// ---- Clocks ------------------------------------------------------------------

ClockTreeWidget::ClockTreeWidget(OpenSheetPage open, QWidget* parent) : QWidget(parent), open_(std::move(open)) {
    setMouseTracking(true);
}

void ClockTreeWidget::SetClocks(std::vector<fw::ClockInfo> clocks) {
    clocks_ = std::move(clocks);
    order_ = fw::ClockTreeOrder(clocks_);
    updateGeometry();
    update();
}

namespace {

int ClockIndent(const QFontMetrics& metrics) { return metrics.horizontalAdvance("MM"); }
int ClockBoxWidth(const QFontMetrics& metrics) { return metrics.horizontalAdvance("Internal oscillator / 128") + 2 * kGap; }
int ClockBoxHeight(const QFontMetrics& metrics) { return 2 * metrics.height() + 4; }

}  // namespace

QRect ClockTreeWidget::BoxRect(std::size_t line) const {
    const QFontMetrics metrics = fontMetrics();
    const int height = ClockBoxHeight(metrics);
    return {kMargin + order_[line].depth * ClockIndent(metrics), kMargin + static_cast<int>(line) * (height + kGap),
            ClockBoxWidth(metrics), height};
}

QRect ClockTreeWidget::ClockRect(const std::string& id) const {
    for (std::size_t line = 0; line < order_.size(); ++line)
        if (clocks_[order_[line].index].id == id) return BoxRect(line);
    return {};
}

QSize ClockTreeWidget::sizeHint() const {
    int depth = 0;
    for (const fw::ClockLine& line : order_) depth = std::max(depth, line.depth);
    const QFontMetrics metrics = fontMetrics();
    return {2 * kMargin + depth * ClockIndent(metrics) + ClockBoxWidth(metrics),
            2 * kMargin + static_cast<int>(order_.size()) * (ClockBoxHeight(metrics) + kGap)};
}

int ClockTreeWidget::ClockAt(const QPoint& point) const {
    for (std::size_t line = 0; line < order_.size(); ++line)
        if (BoxRect(line).contains(point)) return static_cast<int>(order_[line].index);
    return -1;
}

void ClockTreeWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QPalette& colours = palette();
    const QFontMetrics metrics = fontMetrics();
    painter.fillRect(rect(), colours.color(QPalette::Base));
    if (order_.empty()) {
        painter.setPen(Faded(colours));
        painter.drawText(rect(), Qt::AlignCenter, "No project");
        return;
    }
    // The joins first: from below the source box's left edge to the child.
    painter.setPen(QPen(colours.color(QPalette::Mid), 1));
    for (std::size_t line = 0; line < order_.size(); ++line) {
        const fw::ClockInfo& clock = clocks_[order_[line].index];
        if (order_[line].depth == 0) continue;
        for (std::size_t source = line; source-- > 0;) {
            if (clocks_[order_[source].index].id != clock.source) continue;
            const QRect from = BoxRect(source);
            const QRect to = BoxRect(line);
            const qreal x = from.left() + ClockIndent(metrics) / 2.0;
            const qreal y = to.center().y() + 0.5;
            painter.drawLine(QPointF(x, from.bottom() + 1), QPointF(x, y));
            painter.drawLine(QPointF(x, y), QPointF(to.left(), y));
            break;
        }
    }
    const QColor running = QColor::fromHsl(200, 120, IsDark(colours) ? 70 : 215);
    for (std::size_t line = 0; line < order_.size(); ++line) {
        const fw::ClockInfo& clock = clocks_[order_[line].index];
        const QRectF box = QRectF(BoxRect(line)).adjusted(0.5, 0.5, -0.5, -0.5);
        painter.setBrush(clock.running ? running : colours.color(QPalette::Window));
        painter.setPen(QPen(colours.color(QPalette::Mid), 1));
        painter.drawRoundedRect(box, 4, 4);
        const QColor text = clock.running ? colours.color(QPalette::Text) : Faded(colours);
        painter.setPen(text);
        const QRect inner = box.toRect().adjusted(kGap / 2, 2, -kGap / 2, -2);
        painter.drawText(QRect(inner.left(), inner.top(), inner.width(), metrics.height()), Qt::AlignLeft,
                         metrics.elidedText(Q(clock.name), Qt::ElideRight, inner.width()));
        QFont bold = font();
        bold.setBold(true);
        painter.setFont(bold);
        painter.drawText(QRect(inner.left(), inner.top() + metrics.height(), inner.width(), metrics.height()),
                         Qt::AlignRight, Q(clock.text) + (clock.running ? QString() : " (off)"));
        painter.setFont(font());
    }
}

bool ClockTreeWidget::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        const int index = ClockAt(help->pos());
        if (index < 0) {
            QToolTip::hideText();
            event->ignore();
            return true;
        }
        const fw::ClockInfo& clock = clocks_[static_cast<std::size_t>(index)];
        QToolTip::showText(help->globalPos(),
                           "<b>" + Q(clock.name).toHtmlEscaped() + "</b>: " + Q(clock.text) +
                               (clock.running ? QString() : " (off)") + "<br>" + Q(clock.detail).toHtmlEscaped() +
                               "<br><i>" + WhereText(clock.where).toHtmlEscaped() + "</i>",
                           this);
        return true;
    }
    if (event->type() == QEvent::MouseMove) {
        auto* move = static_cast<QMouseEvent*>(event);
        setCursor(ClockAt(move->position().toPoint()) >= 0 ? Qt::PointingHandCursor : Qt::ArrowCursor);
    }
    return QWidget::event(event);
}

void ClockTreeWidget::mouseReleaseEvent(QMouseEvent* event) {
    const int index = ClockAt(event->position().toPoint());
    if (event->button() == Qt::LeftButton && index >= 0 && open_) open_(clocks_[static_cast<std::size_t>(index)].where);
}

// ---- Problems ----------------------------------------------------------------

ProblemListWidget::ProblemListWidget(OpenSheetPage open, QWidget* parent) : QWidget(parent), open_(std::move(open)) {
    setFocusPolicy(Qt::StrongFocus);
    setAccessibleName("Problems");
}

void ProblemListWidget::SetProblems(std::vector<fw::Problem> problems) {
    problems_ = std::move(problems);
    if (selected_ >= static_cast<int>(problems_.size())) selected_ = -1;
    updateGeometry();
    update();
}

int ProblemListWidget::RowHeight() const {
    return std::max(fontMetrics().height(), style()->pixelMetric(QStyle::PM_SmallIconSize)) + kGap;
}

QRect ProblemListWidget::RowRect(int row) const { return {0, kMargin / 2 + row * RowHeight(), width(), RowHeight()}; }

QSize ProblemListWidget::sizeHint() const {
    const QFontMetrics metrics = fontMetrics();
    int width = 200;
    for (const fw::Problem& problem : problems_)
        width = std::max(width, metrics.horizontalAdvance(Q(problem.peripheral + ": " + problem.message) + "    [" +
                                                          WhereText(problem.where) + "]") +
                                    style()->pixelMetric(QStyle::PM_SmallIconSize) + 4 * kGap);
    return {width, kMargin + std::max<int>(1, static_cast<int>(problems_.size())) * RowHeight()};
}

void ProblemListWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QPalette& colours = palette();
    const QFontMetrics metrics = fontMetrics();
    painter.fillRect(rect(), colours.color(QPalette::Base));
    if (problems_.empty()) {
        painter.setPen(Faded(colours));
        painter.drawText(RowRect(0).adjusted(kGap, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, "No problems");
        return;
    }
    const int icon = style()->pixelMetric(QStyle::PM_SmallIconSize);
    for (int row = 0; row < static_cast<int>(problems_.size()); ++row) {
        const fw::Problem& problem = problems_[static_cast<std::size_t>(row)];
        const QRect line = RowRect(row);
        const bool selected = row == selected_;
        if (selected) painter.fillRect(line, colours.color(hasFocus() ? QPalette::Highlight : QPalette::Mid));
        const QStyle::StandardPixmap kind = problem.severity == fw::Severity::Error     ? QStyle::SP_MessageBoxCritical
                                            : problem.severity == fw::Severity::Warning ? QStyle::SP_MessageBoxWarning
                                                                                        : QStyle::SP_MessageBoxInformation;
        style()->standardIcon(kind, nullptr, this).paint(&painter, QRect(kGap, line.top() + (line.height() - icon) / 2, icon, icon));
        painter.setPen(colours.color(selected ? QPalette::HighlightedText : QPalette::Text));
        const QString text = Q(problem.peripheral + ": " + problem.message);
        const int x = 2 * kGap + icon;
        painter.drawText(QRect(x, line.top(), line.width() - x, line.height()), Qt::AlignLeft | Qt::AlignVCenter, text);
        painter.setPen(selected ? colours.color(QPalette::HighlightedText) : Faded(colours));
        painter.drawText(QRect(x + metrics.horizontalAdvance(text + "    "), line.top(), line.width(), line.height()),
                         Qt::AlignLeft | Qt::AlignVCenter, "[" + WhereText(problem.where) + "]");
    }
    if (hasFocus()) {
        // The focus shows round the chosen problem, or round the list before one is chosen.
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = selected_ >= 0 ? RowRect(selected_) : rect().adjusted(1, 1, -1, -1);
        focus.backgroundColor = colours.color(QPalette::Base);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
    }
}

void ProblemListWidget::mousePressEvent(QMouseEvent* event) {
    const int y = event->position().toPoint().y() - kMargin / 2;
    const int row = y < 0 ? -1 : y / RowHeight();
    selected_ = row < static_cast<int>(problems_.size()) ? row : -1;
    update();
}

void ProblemListWidget::mouseDoubleClickEvent(QMouseEvent* event) {
    mousePressEvent(event);
    if (selected_ >= 0 && open_) open_(problems_[static_cast<std::size_t>(selected_)].where);
}

void ProblemListWidget::keyPressEvent(QKeyEvent* event) {
    const int count = static_cast<int>(problems_.size());
    switch (event->key()) {
        case Qt::Key_Down: selected_ = std::min(count - 1, selected_ + 1); break;
        case Qt::Key_Up: selected_ = std::max(count > 0 ? 0 : -1, selected_ - 1); break;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            if (selected_ >= 0 && open_) open_(problems_[static_cast<std::size_t>(selected_)].where);
            return;
        default: QWidget::keyPressEvent(event); return;
    }
    update();
}

// ---- The docks ---------------------------------------------------------------

namespace {

const char* const kSettingsKeys[] = {"overview/pins", "overview/clocks", "overview/problems"};

}  // namespace

OverviewDocks::OverviewDocks(QMainWindow& window, OpenSheetPage open) : window_(window) {
    pinMap_ = new PinMapWidget(open);
    clockTree_ = new ClockTreeWidget(open);
    problemList_ = new ProblemListWidget(open);
    pins_ = MakeDock(window, "Pins", "pinsDock", pinMap_, true);
    clocks_ = MakeDock(window, "Clocks", "clocksDock", clockTree_, true);
    problems_ = MakeDock(window, "Problems", "problemsDock", problemList_, true);
    window.addDockWidget(Qt::RightDockWidgetArea, pins_);
    window.addDockWidget(Qt::RightDockWidgetArea, clocks_);
    window.splitDockWidget(pins_, clocks_, Qt::Vertical);
    window.addDockWidget(Qt::BottomDockWidgetArea, problems_);
    window.resizeDocks({pins_}, {pinMap_->sizeHint().width() + 24}, Qt::Horizontal);
    window.resizeDocks({problems_}, {problemList_->fontMetrics().height() * 9}, Qt::Vertical);
    counts_ = new QLabel;
    window.statusBar()->addPermanentWidget(counts_);
    Refresh(nullptr);
}

QDockWidget* OverviewDocks::MakeDock(QMainWindow& window, const QString& title, const QString& name, QWidget* content,
                                     bool scrolled) {
    auto* dock = new QDockWidget(title, &window);
    dock->setObjectName(name);
    if (scrolled) {
        auto* scroll = new QScrollArea;
        scroll->setFocusPolicy(Qt::NoFocus);  // the drawing inside takes the focus, not its frame
        scroll->setWidget(content);
        scroll->setWidgetResizable(true);
        scroll->setFrameShape(QFrame::NoFrame);
        dock->setWidget(scroll);
    } else {
        dock->setWidget(content);
    }
    // The user's choice, remembered when it is made (not when the window closes).
    QObject::connect(dock->toggleViewAction(), &QAction::triggered, dock, [this, dock](bool shown) {
        if (!persist_) return;
        const int index = dock == pins_ ? 0 : dock == clocks_ ? 1 : 2;
        QSettings("Regsmith", "Regsmith").setValue(kSettingsKeys[index], shown);
    });
    return dock;
}

void OverviewDocks::SetPersist(bool persist) {
    persist_ = persist;
    if (!persist) return;
    QSettings settings("Regsmith", "Regsmith");
    QDockWidget* docks[] = {pins_, clocks_, problems_};
    for (int index = 0; index < 3; ++index)
        docks[index]->setVisible(settings.value(kSettingsKeys[index], true).toBool());
}

void OverviewDocks::AddToggles(QMenu& view) const {
    view.addSeparator();
    view.addAction(pins_->toggleViewAction());
    view.addAction(clocks_->toggleViewAction());
    view.addAction(problems_->toggleViewAction());
}

void OverviewDocks::Refresh(const fw::CDocument* document) {
    overview_ = fw::ChipOverview{};
    const bool known = document && document->GetOverview(overview_);
    if (!known) overview_ = fw::ChipOverview{};
    pinMap_->SetPins(overview_.pins);
    clockTree_->SetClocks(overview_.clocks);
    problemList_->SetProblems(overview_.problems);
    const fw::ProblemCounts counts = fw::CountProblems(overview_.problems);
    counts_->setText(known ? Q(fw::CountsText(counts)) : QString());
}

}  // namespace regsmith::host

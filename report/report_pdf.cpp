#include "report/report_pdf.h"

#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QGuiApplication>
#include <QHashFunctions>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPainterPath>
#include <QPdfWriter>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextObjectInterface>

#include <algorithm>
#include <cstdio>
#include <map>

namespace regsmith::report {

namespace {

QString Q(const std::string& text) { return QString::fromStdString(text); }
QString Q(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }
QString Html(const std::string& text) { return Q(text).toHtmlEscaped(); }
QString Html(std::string_view text) { return Q(text).toHtmlEscaped(); }

using namespace fw::picture;

// Print colours: light, as on paper.
QColor PinFill(fw::PinFunction function) {
    switch (function) {
        case fw::PinFunction::Peripheral: return QColor(0xcf, 0xe3, 0xff);
        case fw::PinFunction::GeneralIO: return QColor(0xe6, 0xe9, 0xed);
        case fw::PinFunction::Skipped: return QColor(0xff, 0xe7, 0xb3);
        case fw::PinFunction::Analog: return QColor(0xe9, 0xd7, 0xff);
    }
    return Qt::white;
}

const char* SeverityColour(fw::Severity severity) {
    switch (severity) {
        case fw::Severity::Error: return "#b42318";
        case fw::Severity::Warning: return "#8a5a00";
        case fw::Severity::Note: return "#0b5cad";
    }
    return "#000000";
}

enum class Picture { Pins, Clocks };

QSizeF PictureSize(const fw::ReportContent& content, Picture picture) {
    if (picture == Picture::Pins) {
        std::map<std::string, int> perPort;
        for (const fw::PinInfo& pin : content.overview.pins) ++perPort[pin.name.substr(0, pin.name.find('.'))];
        int widest = 1;
        for (const auto& [port, count] : perPort) widest = std::max(widest, count);
        const double rows = static_cast<double>(std::max<std::size_t>(perPort.size(), 1));
        return {static_cast<double>(kPortLabel + widest * (kPinWidth + kPinGap)), rows * (kPinHeight + kPinGap) + 32};
    }
    int columns = 1, rows = 1;
    for (const fw::ClockBoxPlace& place : fw::ClockTreeLayout(content.overview.clocks)) {
        columns = std::max(columns, place.column + 1);
        rows = std::max(rows, place.row + 1);
    }
    return {static_cast<double>((columns - 1) * kClockColumn + kClockWidth + 2),
            static_cast<double>((rows - 1) * kClockRow + kClockHeight + 2)};
}

void SetPixelFont(QPainter& painter, double pixels, bool bold) {
    QFont font = painter.font();
    font.setPixelSize(std::max(1, static_cast<int>(pixels + 0.5)));
    font.setBold(bold);
    painter.setFont(font);
}

void PaintPins(QPainter& painter, const std::vector<fw::PinInfo>& pins) {
    const QPen outline(QColor(0x8c, 0x95, 0x9f), 1);
    double y = 0;
    double x = kPortLabel;
    std::string port;
    for (const fw::PinInfo& pin : pins) {
        const std::string pinPort = pin.name.substr(0, pin.name.find('.'));
        if (pinPort != port) {
            if (!port.empty()) y += kPinHeight + kPinGap;
            port = pinPort;
            x = kPortLabel;
            painter.setPen(Qt::black);
            SetPixelFont(painter, 14, true);
            painter.drawText(QRectF(0, y, kPortLabel, kPinHeight), Qt::AlignVCenter | Qt::AlignLeft, Q(port));
        }
        painter.setPen(outline);
        painter.setBrush(PinFill(pin.function));
        painter.drawRoundedRect(QRectF(x, y, kPinWidth, kPinHeight), 4, 4);
        painter.setPen(Qt::black);
        SetPixelFont(painter, 13, true);
        painter.drawText(QPointF(x + 6, y + 18), Q(pin.name));
        SetPixelFont(painter, 11, false);
        painter.drawText(QPointF(x + 6, y + 36), Q(pin.signal.empty() ? std::string(fw::PinFunctionName(pin.function))
                                                                     : pin.signal));
        SetPixelFont(painter, 10, false);
        painter.drawText(QPointF(x + 6, y + 49), pin.analog ? "analog" : (pin.pushPull ? "push-pull" : "open-drain"));
        x += kPinWidth + kPinGap;
    }
    const double legendTop = y + kPinHeight + kPinGap + 8;
    double legendX = kPortLabel;
    for (fw::PinFunction function : {fw::PinFunction::Peripheral, fw::PinFunction::GeneralIO, fw::PinFunction::Skipped,
                                     fw::PinFunction::Analog}) {
        painter.setPen(outline);
        painter.setBrush(PinFill(function));
        painter.drawRect(QRectF(legendX, legendTop, 14, 14));
        painter.setPen(Qt::black);
        SetPixelFont(painter, 12, false);
        const QString name = Q(fw::PinFunctionName(function));
        painter.drawText(QPointF(legendX + 20, legendTop + 12), name);
        legendX += 40 + name.size() * 8;
    }
}

void PaintClocks(QPainter& painter, const std::vector<fw::ClockInfo>& clocks) {
    const std::vector<fw::ClockBoxPlace> places = fw::ClockTreeLayout(clocks);
    std::map<std::string, std::size_t> index;
    for (std::size_t i = 0; i < clocks.size(); ++i) index.emplace(clocks[i].id, i);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(0x57, 0x60, 0x6a), 1));
    for (std::size_t i = 0; i < clocks.size(); ++i) {
        const auto parent = index.find(clocks[i].source);
        if (clocks[i].source.empty() || parent == index.end() || parent->second >= i) continue;
        const fw::ClockBoxPlace& from = places[parent->second];
        const fw::ClockBoxPlace& to = places[i];
        const double x1 = from.column * kClockColumn + kClockWidth + 1, y1 = from.row * kClockRow + kClockHeight / 2 + 1;
        const double x2 = to.column * kClockColumn + 1, y2 = to.row * kClockRow + kClockHeight / 2 + 1;
        const double middle = (x1 + x2) / 2;
        QPainterPath path(QPointF(x1, y1));
        path.lineTo(middle, y1);
        path.lineTo(middle, y2);
        path.lineTo(x2, y2);
        painter.drawPath(path);
    }
    for (std::size_t i = 0; i < clocks.size(); ++i) {
        const fw::ClockInfo& clock = clocks[i];
        const QRectF box(places[i].column * kClockColumn + 1, places[i].row * kClockRow + 1, kClockWidth, kClockHeight);
        const QColor ink = clock.running ? QColor(Qt::black) : QColor(0x6e, 0x76, 0x81);
        QPen border(ink, 1);
        if (!clock.running) border.setStyle(Qt::DashLine);
        painter.setPen(border);
        painter.setBrush(QColor(0xf6, 0xf8, 0xfa));
        painter.drawRoundedRect(box, 4, 4);
        painter.setPen(ink);
        SetPixelFont(painter, 12, true);
        painter.drawText(QPointF(box.x() + 8, box.y() + 18), Q(clock.name));
        SetPixelFont(painter, 12, false);
        painter.drawText(QPointF(box.x() + 8, box.y() + 35), Q(clock.running ? clock.text : clock.text + " (off)"));
    }
}

// Draws the pin map and the clock tree where the text holds their object
// characters, scaled to the page's width, as vectors.
class PictureHandler : public QObject, public QTextObjectInterface {
    Q_OBJECT
    Q_INTERFACES(QTextObjectInterface)

public:
    static constexpr int kObjectType = QTextFormat::UserObject + 1;
    static constexpr int kWhich = QTextFormat::UserProperty + 1;

    PictureHandler(const fw::ReportContent& content, double unit, double pageWidth)
        : content_(content), unit_(unit), pageWidth_(pageWidth) {}

    QSizeF intrinsicSize(QTextDocument*, int, const QTextFormat& format) override {
        const QSizeF size = PictureSize(content_, Which(format));
        return size * Scale(size);
    }

    void drawObject(QPainter* painter, const QRectF& rect, QTextDocument*, int, const QTextFormat& format) override {
        const Picture picture = Which(format);
        const QSizeF size = PictureSize(content_, picture);
        painter->save();
        painter->translate(rect.topLeft());
        painter->scale(Scale(size), Scale(size));
        painter->setRenderHint(QPainter::Antialiasing);
        if (picture == Picture::Pins)
            PaintPins(*painter, content_.overview.pins);
        else
            PaintClocks(*painter, content_.overview.clocks);
        painter->restore();
    }

private:
    static Picture Which(const QTextFormat& format) {
        return format.intProperty(kWhich) == 0 ? Picture::Pins : Picture::Clocks;
    }
    // CSS pixels to document units, shrunk where the picture is wider than the page.
    double Scale(const QSizeF& size) const { return std::min(unit_, pageWidth_ / std::max(1.0, size.width())); }

    const fw::ReportContent& content_;
    double unit_;
    double pageWidth_;
};

void InsertPicture(QTextCursor& cursor, Picture picture) {
    QTextCharFormat format;
    format.setObjectType(PictureHandler::kObjectType);
    format.setProperty(PictureHandler::kWhich, picture == Picture::Pins ? 0 : 1);
    cursor.insertBlock();
    cursor.insertText(QString(QChar::ObjectReplacementCharacter), format);
    cursor.insertBlock();
}

QString TableStart(std::initializer_list<const char*> headings) {
    QString html = "<table border=\"1\" cellspacing=\"0\" cellpadding=\"3\" width=\"100%\" "
                   "style=\"border-collapse: collapse; border-color: #999999;\"><tr>";
    for (const char* heading : headings) html += QString("<th align=\"left\" bgcolor=\"#eeeeee\">%1</th>").arg(heading);
    return html + "</tr>";
}

QString Row(std::initializer_list<QString> cells) {
    QString html = "<tr>";
    for (const QString& cell : cells) html += "<td>" + cell + "</td>";
    return html + "</tr>";
}

// Fixes the parts of Qt's PDF that change from run to run (the creation date),
// without changing any byte count, so that the same project gives the same bytes.
void MakeReproducible(QByteArray& pdf) {
    const QByteArray key = "/CreationDate (D:";
    qsizetype at = pdf.indexOf(key);
    while (at >= 0) {
        qsizetype pos = at + key.size();
        const QByteArray fixed = "20000101000000";
        for (qsizetype i = 0; i < fixed.size() && pos < pdf.size() && pdf[pos] != ')'; ++i, ++pos) pdf[pos] = fixed[i];
        // The time zone that may follow ("Z", "+01'00'") becomes zeros too.
        for (; pos < pdf.size() && pdf[pos] != ')'; ++pos)
            if (pdf[pos] >= '1' && pdf[pos] <= '9') pdf[pos] = '0';
        at = pdf.indexOf(key, pos);
    }
}

}  // namespace

namespace {

// Qt's notes about its environment ("XDG_RUNTIME_DIR not set") are no
// concern of a command-line user; its critical errors still show.
void QuietMessages(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg) std::fprintf(stderr, "%s\n", qPrintable(message));
}

}  // namespace

GuiScope::GuiScope() {
    if (QCoreApplication::instance()) return;
    qInstallMessageHandler(QuietMessages);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "regsmith";
    static char* argv[] = {name, nullptr};
    app_ = std::make_unique<QGuiApplication>(argc, argv);
}

GuiScope::~GuiScope() = default;

bool WritePdf(const fw::ReportContent& content, bool letter, std::string& bytes, std::string& error) {
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        error = "no graphical application is running";
        return false;
    }
    // Qt's PDF engine keeps fonts and objects in hashes: with the process's
    // random hash seed their order, and so the bytes, would vary from run to
    // run.  Hashes made while the report is written use a fixed seed.
    QHashSeed::setDeterministicGlobalSeed();
    struct RandomSeedAgain {
        ~RandomSeedAgain() { QHashSeed::resetRandomGlobalSeed(); }
    } randomAgain;
    QByteArray pdf;
    QBuffer buffer(&pdf);
    buffer.open(QIODevice::WriteOnly);
    const QString title = Q(fw::ReportTitle(content));
    {
        QPdfWriter writer(&buffer);
        writer.setResolution(300);
        writer.setPageLayout(QPageLayout(QPageSize(letter ? QPageSize::Letter : QPageSize::A4), QPageLayout::Portrait,
                                         QMarginsF(15, 12, 15, 12), QPageLayout::Millimeter));
        writer.setTitle("Configuration report: " + title);
        writer.setCreator("Regsmith");

        QPainter painter;
        if (!painter.begin(&writer)) {
            error = "Qt's PDF writer could not start";
            return false;
        }
        const QRectF area(QPointF(0, 0), QSizeF(writer.width(), writer.height()));
        const double unit = writer.resolution() / 96.0;  // CSS pixels to device pixels
        QFont body("Liberation Sans");
        body.setPointSizeF(9.5);
        const QFontMetricsF metrics(body, &writer);
        const double band = metrics.height() * 2.2;
        const QRectF page(0, band, area.width(), area.height() - 2 * band);

        QTextDocument document;
        document.setDefaultFont(body);
        document.documentLayout()->setPaintDevice(&writer);
        document.setPageSize(page.size());
        document.setDocumentMargin(0);
        PictureHandler pictures(content, unit, page.width());
        document.documentLayout()->registerHandler(PictureHandler::kObjectType, &pictures);
        document.setDefaultStyleSheet("h1 { font-size: 17pt; } h2 { font-size: 13pt; } h3 { font-size: 11pt; } "
                                      "pre { font-family: 'Liberation Mono', monospace; font-size: 8pt; }");

        QTextCursor cursor(&document);
        QString html = "<h1>" + Html("Configuration report: " + fw::ReportTitle(content)) + "</h1><table cellspacing=\"0\" cellpadding=\"2\">";
        for (const auto& [name, value] : fw::ReportFacts(content))
            html += "<tr><td><font color=\"#555555\">" + Html(name) + "</font>&nbsp;&nbsp;</td><td>" + Html(value) +
                    "</td></tr>";
        html += "</table><h2>Problems</h2><p>" + Html(fw::CountsText(fw::CountProblems(content.overview.problems))) + "</p>";
        if (!content.overview.problems.empty()) {
            html += TableStart({"Severity", "Peripheral", "Problem", "Fixed on"});
            for (const fw::Problem& problem : content.overview.problems)
                html += Row({QString("<b><font color=\"%1\">%2</font></b>")
                                 .arg(SeverityColour(problem.severity), Html(fw::SeverityName(problem.severity))),
                             Html(problem.peripheral), Html(problem.message), Html(fw::WhereText(problem.where))});
            html += "</table>";
        }
        html += "<h2>Pins</h2>";
        cursor.insertHtml(html);
        InsertPicture(cursor, Picture::Pins);

        html = TableStart({"Pin", "Function", "Signal", "Mode", "Output", "Skipped"});
        for (const fw::PinInfo& pin : content.overview.pins)
            html += Row({Html(pin.name), Html(fw::PinFunctionName(pin.function)), Html(pin.signal),
                         Html(fw::PinModeText(pin)), Html(fw::PinOutputText(pin)), pin.skipped ? "yes" : "no"});
        html += "</table><h2>Clocks</h2>";
        cursor.insertHtml(html);
        InsertPicture(cursor, Picture::Clocks);

        html = TableStart({"Clock", "Value", "From", "Set on"});
        for (const fw::ClockInfo& clock : content.overview.clocks)
            html += Row({Html(clock.name), Html(clock.running ? clock.text : clock.text + " (off)"), Html(clock.detail),
                         Html(fw::WhereText(clock.where))});
        html += "</table><h2>Settings</h2>";
        if (content.settings.empty())
            html += "<p>Every setting is as in a new " + Html(content.model) + " project.</p>";
        for (const fw::ReportSettingsPage& settings : content.settings) {
            html += "<h3>" + Html(fw::WhereText({settings.sheet, settings.page})) + "</h3><ul>";
            for (const std::string& line : settings.lines) html += "<li>" + Html(line) + "</li>";
            html += "</ul>";
        }
        html += QString("<h2>Generated source (%1)</h2><pre>").arg(content.assembly ? "8051 assembly" : "C") +
                Html(fw::ReportSourceText(content)) + "</pre>";
        cursor.insertHtml(html);

        const int pages = std::max(1, document.pageCount());
        const QString footer = "Page %1 of %2";
        for (int index = 0; index < pages; ++index) {
            if (index > 0 && !writer.newPage()) {
                error = "Qt's PDF writer could not start a new page";
                return false;
            }
            painter.setFont(body);
            painter.setPen(QColor(0x55, 0x55, 0x55));
            painter.drawText(QRectF(0, 0, area.width(), band * 0.8), Qt::AlignLeft | Qt::AlignTop,
                             title + "  -  Regsmith configuration report");
            painter.drawText(QRectF(0, area.height() - band * 0.8, area.width(), band * 0.8),
                             Qt::AlignRight | Qt::AlignBottom, footer.arg(index + 1).arg(pages));
            painter.drawLine(QPointF(0, band * 0.85), QPointF(area.width(), band * 0.85));

            painter.save();
            painter.translate(0, page.top() - index * page.height());
            QAbstractTextDocumentLayout::PaintContext context;
            context.clip = QRectF(0, index * page.height(), page.width(), page.height());
            painter.setClipRect(context.clip);
            context.palette.setColor(QPalette::Text, Qt::black);
            document.documentLayout()->draw(&painter, context);
            painter.restore();
        }
        painter.end();
    }
    MakeReproducible(pdf);
    bytes.assign(pdf.constData(), static_cast<std::size_t>(pdf.size()));
    return true;
}

}  // namespace regsmith::report

#include "report_pdf.moc"

// The sheets as a keyboard user, a small or magnified screen and a dark
// desktop meet them: every page of every sheet on both packages walked with
// Tab, and each sheet inside the screen (run on a 1366x768 screen and on a
// 1920x1080 one at QT_SCALE_FACTOR=2); the crossbar table at fonts from 8 to
// 14 pt; colours and pressed toggles in light and dark; radio groups,
// mnemonics and the calculators' focus and live line.

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollArea>
#include <QStyle>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QtTest>

#include <functional>
#include <map>
#include <set>

#include "host/form_renderer.h"
#include "host/screenshots.h"
#include "host/text.h"
#include "tests/host/host_fixture.h"

using namespace regsmith::host;

namespace {

const char* const kSheets[] = {"Port I/O", "Oscillators", "Timers", "PCA", "UART", "SPI",
                               "ADC", "Comparator", "Voltage Reference", "Voltage Regulator",
                               "Reset Sources", "Interrupts"};

bool TakesFocus(fw::ControlKind kind) {
    switch (kind) {
        case fw::ControlKind::CheckBox:
        case fw::ControlKind::RadioButton:
        case fw::ControlKind::DropDownList:
        case fw::ControlKind::EditField:
        case fw::ControlKind::Slider:
        case fw::ControlKind::PushButton:
        case fw::ControlKind::ToggleButton:
        case fw::ControlKind::ThreeStateButton:
        case fw::ControlKind::TextBox:
            return true;
        default:
            return false;
    }
}

QRect GlobalRect(const QWidget* widget) { return QRect(widget->mapToGlobal(QPoint(0, 0)), widget->size()); }

// The sheet inside the screen's available area with OK, Cancel and its own
// buttons in sight, and every page at least as large as it needs (what does
// not fit scrolls).
void CheckFits(SheetDialog& dialog) {
    const QRect area = dialog.screen()->availableGeometry();
    const QString title = dialog.windowTitle();
    QVERIFY2(dialog.width() <= RoomForWindow(dialog).width() && dialog.height() <= RoomForWindow(dialog).height(),
             qPrintable(title));
    const QRect frame = dialog.frameGeometry();
    QVERIFY2(area.contains(frame), qPrintable(QString("%1 at %2,%3 %4x%5").arg(title).arg(frame.x()).arg(frame.y())
                                                  .arg(frame.width()).arg(frame.height())));
    std::vector<QPushButton*> buttons{dialog.OkButton(), dialog.CancelButton()};
    for (QPushButton* button : dialog.ExtraButtons()) buttons.push_back(button);
    for (QPushButton* button : buttons) {
        QVERIFY2(button->isVisible(), qPrintable(title));
        QVERIFY2(GlobalRect(&dialog).contains(GlobalRect(button)), qPrintable(title + " " + button->text()));
    }
    QScrollArea* page = dialog.PageArea(dialog.Tabs()->currentIndex());
    const QSize needed = page->widget()->minimumSizeHint();
    QVERIFY2(page->widget()->width() >= needed.width() && page->widget()->height() >= needed.height(),
             qPrintable(title));
}

// Tab from the tab bar round the sheet once: every control of the page that
// can be used is reached exactly once (a group of radio buttons once, on one
// of its buttons), nothing else of the page is, each stop has an accessible
// name and shows that it has the focus.
void WalkPage(SheetDialog& dialog, int index) {
    FormWidget* form = dialog.PageWidget(index);
    const QString where = dialog.windowTitle() + " / " + dialog.Tabs()->tabText(index);
    std::map<QWidget*, QString> expected;          // widget -> what it is
    std::map<QWidget*, std::string> radioGroupOf;  // radio widget -> its group
    std::set<std::string> radioGroups;
    std::map<QWidget*, QImage> unfocused;
    for (const fw::Control* control : form->Model().AllControls()) {
        QWidget* widget = form->WidgetFor(control);
        if (!widget || !TakesFocus(control->Kind()) || !widget->isVisibleTo(&dialog) || !widget->isEnabled()) continue;
        if (control->Kind() == fw::ControlKind::RadioButton) {
            const auto* radio = static_cast<const fw::RadioButton*>(control);
            const std::string group = std::to_string(reinterpret_cast<std::uintptr_t>(control->Parent())) + radio->Group();
            radioGroupOf[widget] = group;
            radioGroups.insert(group);
        } else {
            expected[widget] = Q(control->ScriptName());
        }
        unfocused[widget] = widget->grab().toImage();
    }
    std::set<QWidget*> frame{dialog.Tabs()->tabBar(), dialog.OkButton(), dialog.CancelButton()};
    for (QPushButton* button : dialog.ExtraButtons()) frame.insert(button);

    dialog.Tabs()->tabBar()->setFocus(Qt::TabFocusReason);
    QCOMPARE(QApplication::focusWidget(), dialog.Tabs()->tabBar());
    std::map<QWidget*, int> reached;
    std::map<std::string, int> groupsReached;
    for (int press = 0; press < 300; ++press) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QWidget* now = QApplication::focusWidget();
        QVERIFY2(now, qPrintable(where + ": the focus got lost"));
        if (now == dialog.Tabs()->tabBar()) break;
        QVERIFY2(!now->accessibleName().isEmpty(),
                 qPrintable(where + ": a " + now->metaObject()->className() + " without an accessible name"));
        if (frame.count(now)) continue;
        QVERIFY2(expected.count(now) || radioGroupOf.count(now),
                 qPrintable(where + ": Tab stops on " + now->metaObject()->className() + " " + now->accessibleName()));
        if (radioGroupOf.count(now))
            ++groupsReached[radioGroupOf[now]];
        else
            ++reached[now];
        QVERIFY2(now->grab().toImage() != unfocused[now],
                 qPrintable(where + ": no visible focus on " + now->accessibleName()));
    }
    QCOMPARE(QApplication::focusWidget(), dialog.Tabs()->tabBar());
    for (const auto& [widget, name] : expected)
        QVERIFY2(reached[widget] == 1, qPrintable(where + ": " + name + " reached " + QString::number(reached[widget]) +
                                                  " times"));
    for (const std::string& group : radioGroups)
        QVERIFY2(groupsReached[group] == 1, qPrintable(where + ": a radio group reached " +
                                                       QString::number(groupsReached[group]) + " times"));
}

// A page of radio buttons between two check boxes.
struct RadioPage : fw::PropertyPage {
    RadioPage() : fw::PropertyPage("Radios") {
        before = &Root().Add<fw::CheckBox>("Before");
        auto& modes = Root().Add<fw::GroupBox>("Mode");
        for (const char* caption : {"Mode 0", "Mode 1", "Mode 2", "Mode 3"}) {
            auto& radio = modes.Add<fw::RadioButton>(caption, "mode");
            radio.onChange = [this, caption] { chosen.push_back(caption); };
            mode.push_back(&radio);
        }
        mode[1]->SetChecked(true);
        mode[2]->Enable(false);
        auto& edges = Root().Add<fw::GroupBox>("Edge");
        rising = &edges.Add<fw::RadioButton>("Rising", "edge");
        falling = &edges.Add<fw::RadioButton>("Falling", "edge");
        after = &Root().Add<fw::CheckBox>("After");
    }
    fw::CheckBox* before;
    std::vector<fw::RadioButton*> mode;
    fw::RadioButton* rising;
    fw::RadioButton* falling;
    fw::CheckBox* after;
    std::vector<std::string> chosen;
};

}  // namespace

class SheetKeyboardTest : public QObject, public HostFixture {
    Q_OBJECT

private slots:
    void initTestCase() {
        StartApp();
        const QScreen* screen = QGuiApplication::primaryScreen();
        qInfo("screen %dx%d, %g device pixels per pixel", screen->availableGeometry().width(),
              screen->availableGeometry().height(), screen->devicePixelRatio());
    }
    void init() { OpenWindow(); }
    void cleanup() { CloseWindow(); }

    void everyPageIsWalkedByKeyboardAndFits_data() {
        QTest::addColumn<QString>("model");
        QTest::newRow("small package") << "QK740";
        QTest::newRow("large package") << "QK750";
    }
    void everyPageIsWalkedByKeyboardAndFits() {
        QFETCH(QString, model);
        QVERIFY(window->NewProject(Model(qPrintable(model))));
        platform.messageHook = [](const std::string&, fw::MessageIcon, fw::MessageButtons buttons) {
            return buttons == fw::MessageButtons::Ok ? fw::DialogResult::Ok : fw::DialogResult::No;
        };
        int sheets = 0;
        platform.sheetHook = [&](SheetDialog& dialog) {
            ++sheets;
            dialog.show();
            dialog.activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&dialog));
            CheckFits(dialog);
            for (int i = 0; i < dialog.Tabs()->count(); ++i) {
                dialog.ShowPage(i);
                QApplication::processEvents();
                CheckFits(dialog);
                WalkPage(dialog, i);
            }
            dialog.reject();
        };
        for (const char* sheet : kSheets) window->RunCommand(Command(sheet, "Peripherals"));
        QCOMPARE(sheets, 12);
    }

    void crossbarTableFollowsTheFont() {
        QVERIFY(window->NewProject(Model("QK750")));
        const QFont saved = QApplication::font();
        for (int points = 8; points <= 14; ++points) {
            QFont font = saved;
            font.setPointSize(points);
            QApplication::setFont(font);
            const QString size = QString::number(points) + " pt: ";
            platform.sheetHook = [&](SheetDialog& dialog) {
                dialog.show();
                QApplication::processEvents();
                FormWidget* page = dialog.PageWidget(0);
                auto* table = page->findChild<QTableWidget*>();
                QVERIFY(table);
                const QFontMetrics metrics(table->font());
                // Every heading and row name whole, in rows a line high.
                for (int r = 0; r < table->rowCount(); ++r) {
                    QVERIFY2(table->rowHeight(r) >= metrics.height(), qPrintable(size + "row " + QString::number(r)));
                    for (int c = 0; c < table->columnCount(); ++c) {
                        const QString text = table->item(r, c)->text();
                        QVERIFY2(metrics.horizontalAdvance(text) + 6 <= table->columnWidth(c), qPrintable(size + text));
                    }
                }
                auto columnCentre = [&](int column) {
                    int left = 0;
                    for (int c = 0; c < column; ++c) left += table->columnWidth(c);
                    return table->mapToGlobal(QPoint(left + table->columnWidth(column) / 2, 0)).x();
                };
                // The pin controls under their pin's column, whole.
                for (int pin = 0; pin < 16; ++pin) {
                    const std::string name = "P" + std::to_string(pin / 8) + "." + std::to_string(pin % 8);
                    for (const std::string& control : {"Input " + name, "Output " + name, "Skip " + name}) {
                        QWidget* widget = page->WidgetFor(control);
                        QVERIFY2(widget, control.c_str());
                        const QRect rect = GlobalRect(widget);
                        QVERIFY2(std::abs(rect.center().x() - columnCentre(pin + 1)) <= 1,
                                 qPrintable(size + Q(control)));
                        QVERIFY2(rect.width() <= table->columnWidth(pin + 1), qPrintable(size + Q(control)));
                        QVERIFY2(rect.height() >= widget->sizeHint().height(), qPrintable(size + Q(control)));
                    }
                }
                // Row labels and peripheral boxes whole; each box level with a row.
                for (const char* label : {"Analog / Digital -->", "Push-Pull / Open Drain -->", "Pin Skip -->"}) {
                    auto* widget = qobject_cast<QLabel*>(page->WidgetFor(label));
                    QVERIFY2(widget && widget->width() >= widget->sizeHint().width(), qPrintable(size + label));
                }
                for (QCheckBox* box : page->findChildren<QCheckBox*>()) {
                    if (box->text().isEmpty() || !box->isVisible() || box->text() == "Disable Weak Pull-up") continue;
                    QVERIFY2(box->width() >= box->sizeHint().width() && box->height() >= box->sizeHint().height(),
                             qPrintable(size + box->text()));
                    const int y = GlobalRect(box).center().y();
                    bool level = false;
                    for (int r = 0; r < table->rowCount(); ++r) {
                        const QRect row = GlobalRect(table).adjusted(0, table->rowViewportPosition(r), 0, 0);
                        level = level || std::abs(row.top() + table->rowHeight(r) / 2 - y) <= 1;
                    }
                    QVERIFY2(level, qPrintable(size + box->text()));
                }
                dialog.reject();
            };
            window->RunCommand(Command("Port I/O", "Peripherals"));
        }
        QApplication::setFont(saved);
    }

    void coloursReachTheirContrastInLightAndDark() {
        for (const QPalette& palette : {QApplication::style()->standardPalette(), DarkPalette()})
            for (const ColourPair& pair : SheetColourPairs(palette))
                QVERIFY2(ContrastRatio(pair.foreground, pair.background) >= 4.5,
                         qPrintable(QString("%1: %2 on %3, %4:1")
                                        .arg(pair.use, pair.foreground.name(), pair.background.name())
                                        .arg(ContrastRatio(pair.foreground, pair.background))));
        // Check boxes and radio buttons ringed apart from the window.
        for (const QPalette& palette : {QApplication::style()->standardPalette(), DarkPalette()})
            QVERIFY(ContrastRatio(IndicatorOutline(palette), palette.color(QPalette::Window)) >= 3.0);
        // An open sheet follows a new desktop palette, selection colours readable.
        RadioPage page;
        fw::PropertySheet sheet("Radios");
        sheet.AddPage(&page);
        sheet.Start();
        SheetDialog dialog(sheet);
        const QPalette saved = QApplication::palette();
        // Qt tells windows of the change from its event loop, which a test
        // does not run: told here as it would be.
        QEvent change(QEvent::ApplicationPaletteChange);
        QApplication::setPalette(DarkPalette());
        QApplication::sendEvent(&dialog, &change);
        QCOMPARE(dialog.palette().color(QPalette::Window), DarkPalette().color(QPalette::Window));
        QCOMPARE(dialog.palette().color(QPalette::Highlight), PressedToggleColours(DarkPalette()).background);
        QApplication::setPalette(saved);
        QApplication::sendEvent(&dialog, &change);
        QCOMPARE(dialog.palette().color(QPalette::Highlight), PressedToggleColours(saved).background);
        dialog.reject();
        QCOMPARE(ContrastRatio(Qt::black, Qt::white), 21.0);
        QCOMPARE(ContrastRatio(QColor(119, 119, 119), Qt::white) > 4.47, true);
        QCOMPARE(ContrastRatio(QColor(119, 119, 119), Qt::white) < 4.49, true);
    }

    // In both palettes: a pressed "Enable Crossbar" in the highlight colour
    // with a check mark, far from the released button, caption unchanged;
    // the table's headings readable, its marked cells apart from its ground.
    void pressedTogglesAndTheTableStandOut() {
        QVERIFY(window->NewProject(Model("QK750")));
        const QPalette saved = QApplication::palette();
        for (const QPalette& palette : {QApplication::style()->standardPalette(), DarkPalette()}) {
            QApplication::setPalette(palette);
            platform.sheetHook = [&](SheetDialog& dialog) {
                dialog.show();
                QApplication::processEvents();
                FormWidget* page = dialog.PageWidget(0);
                auto* toggle = qobject_cast<QPushButton*>(page->WidgetFor("Enable Crossbar"));
                QVERIFY(toggle);
                if (toggle->isChecked()) toggle->click();
                const QImage released = toggle->grab().toImage();
                toggle->click();
                QVERIFY(toggle->isChecked());
                QCOMPARE(toggle->text(), QString("Enable Crossbar"));
                const QImage pressed = toggle->grab().toImage();
                const qreal ratio = pressed.devicePixelRatio();
                const QPoint fill(int((toggle->width() - 6) * ratio), int(toggle->height() / 2 * ratio));
                const ColourPair colours = PressedToggleColours(toggle->palette());
                QCOMPARE(pressed.pixelColor(fill).rgb(), colours.background.rgb());
                const QColor on = pressed.pixelColor(fill), off = released.pixelColor(fill);
                const int distance = std::abs(on.red() - off.red()) + std::abs(on.green() - off.green()) +
                                     std::abs(on.blue() - off.blue());
                QVERIFY2(ContrastRatio(on, off) >= 1.5 && distance >= 150,
                         qPrintable(pressed.pixelColor(fill).name() + " against " + released.pixelColor(fill).name()));
                bool mark = false;  // the check mark, left of the caption
                for (int x = 0; x < int(toggle->fontMetrics().height() * ratio); ++x)
                    for (int y = 0; y < pressed.height(); ++y)
                        mark = mark || ContrastRatio(pressed.pixelColor(x, y), colours.background) > 3.0;
                QVERIFY(mark);

                for (const char* peripheral : {"UART0", "SPI0"})
                    qobject_cast<QAbstractButton*>(page->WidgetFor(peripheral))->click();
                qobject_cast<QAbstractButton*>(page->WidgetFor("Skip P1.7"))->click();
                auto* table = page->findChild<QTableWidget*>();
                int marked = 0;
                for (int r = 0; r < table->rowCount(); ++r)
                    for (int c = 0; c < table->columnCount(); ++c) {
                        const QTableWidgetItem* item = table->item(r, c);
                        if (r < 2 || c < 1) {
                            QVERIFY(ContrastRatio(item->foreground().color(), item->background().color()) >= 4.5);
                        } else if (item->background().style() != Qt::NoBrush) {
                            ++marked;
                            QVERIFY(ContrastRatio(item->background().color(), table->palette().base().color()) >= 3.0);
                        }
                    }
                QVERIFY(marked > 3);
                dialog.reject();
            };
            window->RunCommand(Command("Port I/O", "Peripherals"));
        }
        QApplication::setPalette(saved);
    }

    void aRadioGroupIsOneTabStopWithArrowKeysInside() {
        RadioPage page;
        fw::PropertySheet sheet("Radios");
        sheet.AddPage(&page);
        sheet.Start();
        SheetDialog dialog(sheet);
        dialog.show();
        dialog.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        FormWidget* form = dialog.PageWidget(0);
        auto widget = [form](const char* name) { return form->WidgetFor(name); };
        widget("Before")->setFocus(Qt::TabFocusReason);
        // Tab: the checked mode, the first edge (none checked), then on.
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), widget("Mode 1"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), widget("Rising"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), widget("After"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
        QCOMPARE(QApplication::focusWidget(), widget("Mode 1"));
        // Arrows choose the next that can be chosen (Mode 2 is disabled), round the end.
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
        QCOMPARE(QApplication::focusWidget(), widget("Mode 3"));
        QVERIFY(page.mode[3]->IsChecked() && !page.mode[1]->IsChecked());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right);
        QCOMPARE(QApplication::focusWidget(), widget("Mode 0"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Up);
        QCOMPARE(QApplication::focusWidget(), widget("Mode 3"));
        QCOMPARE(page.chosen, (std::vector<std::string>{"Mode 3", "Mode 0", "Mode 3"}));
        // The chosen one is now the group's stop; the other group is untouched.
        QCOMPARE(widget("Mode 3")->focusPolicy(), Qt::StrongFocus);
        QCOMPARE(widget("Mode 0")->focusPolicy(), Qt::ClickFocus);
        QVERIFY(!page.rising->IsChecked() && !page.falling->IsChecked());
        QCOMPARE(widget("Mode 1")->accessibleName(), QString("Mode 1"));
        dialog.reject();
    }

    void mnemonicsOnTheSheetButtonsAndThePeripheralsMenu() {
        QVERIFY(window->NewProject(Model("QK750")));
        QString letters;
        int items = 0;
        for (QAction* action : window->MenuNamed("Peripherals")->actions()) {
            if (action->isSeparator()) continue;
            ++items;
            const QString text = action->text();
            const int at = static_cast<int>(text.indexOf('&'));
            QVERIFY2(at >= 0 && at + 1 < text.size(), qPrintable(text));
            QVERIFY2(!letters.contains(text[at + 1].toLower()), qPrintable(text));
            letters += text[at + 1].toLower();
        }
        QCOMPARE(items, 13);
        // Alt+R is Reset (answered No), Alt+C cancels.
        std::string asked;
        platform.messageHook = [&](const std::string& text, fw::MessageIcon, fw::MessageButtons) {
            asked = text;
            return fw::DialogResult::No;
        };
        bool cancelled = false;
        platform.sheetHook = [&](SheetDialog& dialog) {
            dialog.show();
            dialog.activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&dialog));
            QCOMPARE(dialog.ExtraButtons().front()->text(), QString("&Reset"));
            // A mnemonic presses its button visibly, then clicks it.
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_R, Qt::AltModifier);
            QTRY_VERIFY(!asked.empty());
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_C, Qt::AltModifier);
            QTRY_VERIFY(dialog.Model().IsEnded());
            cancelled = dialog.Model().Result() == fw::DialogResult::Cancel;
            if (!cancelled) dialog.reject();
        };
        window->RunCommand(Command("Timers", "Peripherals"));
        QVERIFY(cancelled);
    }

    // "Calculate Baud Rate": typing goes into the target at once, the live
    // line follows it, Enter computes (the proposal is asked).
    void calculatorTakesTypingAndShowsWhatItAchieves() {
        QVERIFY(window->NewProject(Model("QK750")));
        std::vector<std::string> asked;
        platform.messageHook = [&](const std::string& text, fw::MessageIcon, fw::MessageButtons) {
            asked.push_back(text);
            return fw::DialogResult::No;
        };
        QStringList lines;
        platform.dialogHook = [&](FormDialog& dialog) {
            dialog.show();
            dialog.activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&dialog));
            auto* target = qobject_cast<QLineEdit*>(dialog.Form()->WidgetFor("Target Baud Rate"));
            auto* line = qobject_cast<QLabel*>(dialog.Form()->WidgetFor("Achieved"));
            QVERIFY(target && line);
            QCOMPARE(QApplication::focusWidget(), target);
            QCOMPARE(target->selectedText(), QString("0"));
            for (const char* typed : {"9600", "1"}) {
                target->selectAll();
                QTest::keyClicks(target, typed);
                lines << line->text();
            }
            target->selectAll();
            QTest::keyClicks(target, "9600");
            QTest::keyClick(target, Qt::Key_Return);
            QVERIFY(dialog.isVisible());  // No keeps it open
            dialog.reject();
        };
        platform.sheetHook = [&](SheetDialog& dialog) {
            dialog.ShowPage(1);
            qobject_cast<QAbstractButton*>(dialog.PageWidget(1)->WidgetFor("Change Baud Rate"))->click();
            dialog.reject();
        };
        window->RunCommand(Command("Timers", "Peripherals"));
        QCOMPARE(lines, QStringList({"Achieves 9570 bps, error -0.31 %", "Out of reach at this SYSCLK"}));
        QCOMPARE(asked.size(), std::size_t{1});
        QVERIFY2(asked.front().rfind("Change T1's Data to:", 0) == 0, asked.front().c_str());
    }
};

QTEST_MAIN(SheetKeyboardTest)
#include "sheet_keyboard_test.moc"

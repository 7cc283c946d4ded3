// The Pins, Clocks and Problems docks: what they show for a project, that
// they follow every change, undo and redo and the active project, that a
// click opens the sheet on the page that sets it, and the View menu items.

#include <QApplication>
#include <QCheckBox>
#include <QDockWidget>
#include <QLabel>
#include <QMenu>
#include <QPushButton>

#include "host/form_renderer.h"
#include "host/overview_docks.h"
#include "tests/host/host_fixture.h"

namespace regsmith::host {

class OverviewDocksTest : public QObject, public HostFixture {
    Q_OBJECT

    // The sheet and page the last opened sheet showed first.
    QString openedSheet, openedPage;

private slots:
    void initTestCase() { StartApp(); }
    void init() {
        openedSheet.clear();
        openedPage.clear();
        platform.sheetHook = [this](SheetDialog& dialog) {
            openedSheet = QString::fromStdString(dialog.Model().Title());
            openedPage = QString::fromStdString(dialog.Model().ActivePage()->Title());
            dialog.CancelButton()->click();
        };
        OpenWindow();
    }
    void cleanup() { CloseWindow(); }

    void docksShowTheActiveProjectAndEmptyWithoutOne() {
        OverviewDocks& docks = window->Docks();
        QCOMPARE(docks.Counts().text(), QString());
        QVERIFY(window->NewProject(Model("QK740")));
        QCOMPARE(docks.Overview().pins.size(), std::size_t{6});
        QCOMPARE(docks.Overview().problems.size(), std::size_t{1});
        QCOMPARE(docks.Counts().text(), QString("0 errors, 0 warnings, 1 note"));
        QVERIFY(window->NewProject(Model("QK757")));
        QCOMPARE(docks.Overview().pins.size(), std::size_t{16});
        window->ActivateProject(*window->Projects().front());
        QCOMPARE(docks.Overview().pins.size(), std::size_t{6});
        while (!window->Projects().empty()) QVERIFY(window->CloseProject(*window->Projects().back()));
        QVERIFY(docks.Overview().pins.empty());
        QCOMPARE(docks.Counts().text(), QString());
    }

    void docksFollowAnAcceptedSheetUndoAndRedo() {
        QVERIFY(window->NewProject(Model("QK750")));
        platform.sheetHook = [](SheetDialog& dialog) {
            qobject_cast<QCheckBox*>(dialog.PageWidget(0)->WidgetFor("Enable UART0 Interrupt"))->click();
            dialog.OkButton()->click();
        };
        window->RunCommand(Command("Interrupts", "Peripherals"));
        // Timer 1 is no baud timer, its rate is far from a standard one, and
        // interrupts are globally disabled.
        const QString changed = window->Docks().Counts().text();
        QCOMPARE(changed, QString("0 errors, 3 warnings, 1 note"));
        window->RunCommand(fw::ID_EDIT_UNDO);
        QCOMPARE(window->Docks().Counts().text(), QString("0 errors, 0 warnings, 1 note"));
        window->RunCommand(fw::ID_EDIT_REDO);
        QCOMPARE(window->Docks().Counts().text(), changed);
    }

    void clicksOpenTheSheetOnThePageThatSetsIt() {
        QVERIFY(window->NewProject(Model("QK750")));
        OverviewDocks& docks = window->Docks();
        PinMapWidget& pins = docks.PinMap();
        QTest::mouseClick(&pins, Qt::LeftButton, {}, pins.PinRect(9).center());
        QCOMPARE(openedSheet, QString("Port I/O"));
        QCOMPARE(openedPage, QString("Priority Crossbar"));

        ClockTreeWidget& clocks = docks.ClockTree();
        QTest::mouseClick(&clocks, Qt::LeftButton, {}, clocks.ClockRect("uart0").center());
        QCOMPARE(openedSheet, QString("UARTs"));
        QCOMPARE(openedPage, QString("UART0"));
        QTest::mouseClick(&clocks, Qt::LeftButton, {}, clocks.ClockRect("timer2").center());
        QCOMPARE(openedSheet, QString("Timers"));
        QCOMPARE(openedPage, QString("Timer 2"));

        ProblemListWidget& problems = docks.ProblemList();
        QTest::mouseDClick(&problems, Qt::LeftButton, {}, problems.RowRect(0).center());
        QCOMPARE(problems.Selected(), 0);
        QCOMPARE(openedSheet, QString("Programmable Counter Array"));
        QCOMPARE(openedPage, QString("Module 2/WDT"));
        // The page is chosen once: the menu opens a sheet on its first page.
        window->RunCommand(Command("PCA", "Peripherals"));
        QCOMPARE(openedPage, QString("PCA0"));
    }

    void docksFollowADarkPalette() {
        QVERIFY(window->NewProject(Model("QK750")));
        const QPalette light = QApplication::palette();
        QPalette dark = light;
        dark.setColor(QPalette::Window, QColor(30, 30, 30));
        dark.setColor(QPalette::Base, QColor(20, 20, 20));
        dark.setColor(QPalette::Button, QColor(50, 50, 50));
        dark.setColor(QPalette::Text, QColor(230, 230, 230));
        dark.setColor(QPalette::WindowText, QColor(230, 230, 230));
        QApplication::setPalette(dark);
        QApplication::processEvents();
        OverviewDocks& docks = window->Docks();
        for (QWidget* widget : std::initializer_list<QWidget*>{&docks.PinMap(), &docks.ClockTree(), &docks.ProblemList()}) {
            const QImage image = widget->grab().toImage();
            QVERIFY(!image.isNull());
            // The background and a pin's or a clock's box are dark, not the light palette's.
            QVERIFY(image.pixelColor(1, 1).lightness() < 64);
            if (widget == &docks.PinMap())
                QVERIFY(image.pixelColor(docks.PinMap().PinRect(0).topLeft() + QPoint(4, 4)).lightness() < 128);
            if (widget == &docks.ClockTree())
                QVERIFY(image.pixelColor(docks.ClockTree().ClockRect("sysclk").topLeft() + QPoint(4, 4)).lightness() < 128);
            if (qEnvironmentVariableIsSet("REGSMITH_SAVE_DOCKS"))
                image.save(qEnvironmentVariable("REGSMITH_SAVE_DOCKS") + "/" + QString::number(image.width()) + ".png");
        }
        QApplication::setPalette(light);
        QApplication::processEvents();
    }

    void viewMenuShowsAndHidesEachDock() {
        QVERIFY(window->NewProject(Model("QK750")));
        QMenu* view = window->MenuNamed("View");
        QVERIFY(view);
        QStringList names;
        for (QAction* action : view->actions()) names << action->text();
        for (const char* title : {"Pins", "Clocks", "Problems"}) QVERIFY2(names.contains(title), title);
        QDockWidget& pins = window->Docks().PinsDock();
        QVERIFY(pins.isVisible());
        pins.toggleViewAction()->trigger();
        QVERIFY(!pins.isVisible());
        pins.toggleViewAction()->trigger();
        QVERIFY(pins.isVisible());
    }
};

}  // namespace regsmith::host

QTEST_MAIN(regsmith::host::OverviewDocksTest)
#include "overview_docks_test.moc"

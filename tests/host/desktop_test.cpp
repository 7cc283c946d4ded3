// Tests of the main window's side of the desktop program on Qt's offscreen
// platform: readable colours in light and dark palettes, the help window and
// F1 on every sheet, the model in the titles, status bar and New dialog, the
// start page, shortcuts, the window fitting the screen, printing's header,
// footer and PDF name, message boxes over the main window, About.

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QMdiArea>
#include <QMenu>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QStackedWidget>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTabBar>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTreeWidget>
#include <QtTest>

#include "host/about.h"
#include "host/code_view.h"
#include "host/form_renderer.h"
#include "host/help_window.h"
#include "host/report_export.h"
#include "host/start_page.h"
#include "host/text.h"
#include "host/theme.h"
#include "tests/host/host_fixture.h"

using namespace regsmith::host;

namespace {

const char* const kGuide = REGSMITH_SOURCE_DIR "/docs/user-guide.html";

QString HelpFragment(const HelpWindow* help) { return help ? help->Browser()->source().fragment() : QString("none"); }

HelpWindow* HelpWindowOf(QWidget* owner) {
    for (QWidget* top : QApplication::topLevelWidgets())
        if (auto* help = dynamic_cast<HelpWindow*>(top); help && help->parentWidget() == owner) return help;
    return nullptr;
}

}  // namespace

class DesktopTest : public QObject, public HostFixture {
    Q_OBJECT

private slots:
    void initTestCase() {
        StartApp();
        app.SetHelpFilePath(kGuide);
        QStandardPaths::setTestModeEnabled(true);
    }
    void init() { OpenWindow(); }
    void cleanup() {
        for (QWidget* top : QApplication::topLevelWidgets())
            if (dynamic_cast<HelpWindow*>(top)) delete top;
        CloseWindow();
    }

    void contrastFollowsTheFormula() {
        QCOMPARE(qRound(ContrastRatio(Qt::black, Qt::white) * 100), 2100);
        QCOMPARE(ContrastRatio(QColor(10, 20, 30), QColor(10, 20, 30)), 1.0);
        // The view's green on white is 3.1:1: darkened just enough, still green.
        QCOMPARE(qRound(ContrastRatio(QColor(0, 170, 0), Qt::white) * 10), 31);
        const QColor green = ReadableOn(QColor(0, 170, 0), Qt::white);
        QVERIFY(ContrastRatio(green, Qt::white) >= kMinimumContrast);
        QVERIFY(ContrastRatio(green, Qt::white) < kMinimumContrast + 0.3);
        QCOMPARE(green.hue(), 120);
        // A readable colour is left alone.
        QCOMPARE(ReadableOn(QColor(55, 0, 200), Qt::white), QColor(55, 0, 200));
    }

    // Every colour of the code window against the base it is drawn on, in
    // each palette: the palette the program starts with, light and dark.
    void codeWindowIsReadableInEveryPalette_data() {
        QTest::addColumn<QString>("name");
        QTest::newRow("start") << QString();
        QTest::newRow("light") << QString("light");
        QTest::newRow("dark") << QString("dark");
    }
    void codeWindowIsReadableInEveryPalette() {
        QFETCH(QString, name);
        QPalette palette = QApplication::palette();
        if (!name.isEmpty()) QVERIFY(NamedPalette(name, palette));
        QCOMPARE(IsDarkPalette(palette), name == "dark");
        const QColor base = palette.color(QPalette::Base);
        for (const fw::Rgb colour : {fw::Rgb{0, 0, 0}, fw::Rgb{0, 170, 0}, fw::Rgb{55, 0, 200}}) {
            const double ratio = ContrastRatio(ScreenColour(colour, palette), base);
            QVERIFY2(ratio >= kMinimumContrast, qPrintable(QString("%1 on %2: %3")
                                                               .arg(ToQColor(colour).name(), base.name())
                                                               .arg(ratio)));
        }
        // The window itself, with a project's real text, under that palette.
        Project* project = window->NewProject(Model("QK750"));
        QVERIFY(project);
        project->codeView->setPalette(palette);
        const QColor shownBase = project->codeView->palette().color(QPalette::Base);
        int fragments = 0;
        for (QTextBlock block = project->codeView->document()->begin(); block.isValid(); block = block.next())
            for (auto it = block.begin(); !it.atEnd(); ++it, ++fragments) {
                const QColor text = it.fragment().charFormat().foreground().color();
                QVERIFY2(ContrastRatio(text, shownBase) >= kMinimumContrast,
                         qPrintable(text.name() + " on " + shownBase.name()));
            }
        QVERIFY(fragments >= 3);  // comment, literal and plain text at least
        QVERIFY(!project->codeView->accessibleName().isEmpty());
        QVERIFY(!project->codeView->accessibleDescription().isEmpty());
    }

    void userGuideHasItsSectionsAndSearch() {
        auto* help = new HelpWindow;
        QString error;
        QVERIFY2(help->Load(kGuide, error), qPrintable(error));
        // One entry per chapter (the guide's own list of contents aside).
        QCOMPARE(help->Contents()->topLevelItem(0)->text(0), QString("1. Starting Regsmith"));
        QVERIFY(help->Contents()->topLevelItemCount() >= 19);
        help->GoTo("pca");
        QCOMPARE(HelpFragment(help), QString("pca"));
        QCOMPARE(help->Contents()->currentItem()->text(0), QString("11. Programmable Counter Array"));
        // Pictures are found beside the guide.
        QVERIFY(!help->Browser()->document()->resource(QTextDocument::ImageResource,
                                                        QUrl("screenshots/main-window.png")).isNull());
        // Search: found, found again round the end, not found.
        QVERIFY(help->Find("crossbar"));
        QVERIFY(help->Browser()->textCursor().selectedText().compare("crossbar", Qt::CaseInsensitive) == 0);
        QVERIFY(help->Find("crossbar", true));
        QVERIFY(!help->Find("qqzzxx-nowhere"));
        QVERIFY(!help->Browser()->extraSelections().size());
        delete help;

        QVERIFY(!HelpWindow().Load(TempPath("no-guide.html"), error));
        QVERIFY(error.contains("is not installed"));
    }

    // F1 on every page of every sheet opens the guide at that page's own
    // section or its sheet's chapter; a few by name.
    void f1OnEverySheetOpensItsSection() {
        window->NewProject(Model("QK750"));
        QMap<QString, QString> opened;  // "Sheet/Page" -> anchor
        platform.sheetHook = [&](SheetDialog& dialog) {
            dialog.setWindowModality(Qt::ApplicationModal);
            dialog.show();
            for (int i = 0; i < dialog.Model().PageCount(); ++i) {
                dialog.ShowPage(i);
                auto* f1 = dialog.findChild<QShortcut*>();
                QVERIFY(f1 && f1->key() == QKeySequence(QKeySequence::HelpContents));
                emit f1->activated();
                HelpWindow* help = HelpWindowOf(&dialog);
                QVERIFY2(help, "no help window beside the sheet");
                opened[Q(dialog.Model().Title() + "/" + dialog.Model().Page(i).Title())] = HelpFragment(help);
            }
            dialog.reject();
        };
        for (QAction* action : window->MenuNamed("Peripherals")->actions())
            if (action->isEnabled() && !action->isSeparator() && QString(action->text()).remove('&') != "Reset All")
                window->RunCommand(action->data().toInt());
        QVERIFY(opened.size() >= 20);
        for (auto it = opened.begin(); it != opened.end(); ++it)
            QVERIFY2(!it.value().isEmpty() && it.value() != "sheets", qPrintable(it.key() + " -> " + it.value()));
        const std::pair<const char*, const char*> expected[] = {
            {"Port I/O/Priority Crossbar", "port-i-o-priority-crossbar"},
            {"Timers/Timer 1", "timers-timer-1"},
            {"Oscillators/SYSCLK Select", "oscillators-sysclk-select"},
            {"ADC/ADC0", "adc"},
        };
        for (const auto& [page, anchor] : expected) QCOMPARE(opened.value(page), QString(anchor));
        QCOMPARE(HelpAnchorFor("Calculate Baud Rate", "", {"timers", "calculate-baud-rate"}),
                 QString("calculate-baud-rate"));
        QCOMPARE(HelpAnchorFor("Unknown", "Page", {"sheets"}), QString("sheets"));
    }

    void helpWithoutTheGuideSaysSo() {
        app.SetHelpFilePath(S(TempPath("missing/user-guide.html")));
        std::string said;
        platform.messageHook = [&](const std::string& text, fw::MessageIcon, fw::MessageButtons) {
            said = text;
            return fw::DialogResult::Ok;
        };
        QVERIFY(!ShowHelp());
        app.SetHelpFilePath(kGuide);
        QVERIFY2(Q(said).startsWith("Error: The user guide") && Q(said).contains("is not installed"), said.c_str());
        // With the guide the window opens, once, over the main window.
        HelpWindow* help = ShowHelp("timers");
        QVERIFY(help);
        QCOMPARE(ShowHelp("adc"), help);
        QCOMPARE(help->parentWidget(), window.get());
        QCOMPARE(HelpFragment(help), QString("adc"));
    }

    void shortcutsOfTheMainWindow() {
        const int help = fw::FindMenuCommand(app.GetTemplates().front()->GetMenu(), "Help...", "Help");
        // Without a project: F1 on the host's Help..., Ctrl+Q on Exit.
        QMenu* helpMenu = window->MenuNamed("Help");
        QVERIFY(helpMenu);
        QCOMPARE(helpMenu->actions().front()->shortcut(), QKeySequence(QKeySequence::HelpContents));
        QCOMPARE(window->ActionFor(fw::ID_APP_EXIT)->shortcut(), QKeySequence("Ctrl+Q"));
        window->NewProject(Model("QK750"));
        const std::pair<int, const char*> expected[] = {
            {fw::ID_FILE_SAVE_AS, "Ctrl+Shift+S"}, {fw::ID_FILE_CLOSE, "Ctrl+W"}, {fw::ID_APP_EXIT, "Ctrl+Q"},
            {fw::ID_FILE_SAVE, "Ctrl+S"},          {help, "F1"},
        };
        for (const auto& [id, keys] : expected) {
            QVERIFY2(window->ActionFor(id), keys);
            QCOMPARE(window->ActionFor(id)->shortcut(), QKeySequence(keys));
        }
    }

    void theModelIsAlwaysInSight_data() {
        QTest::addColumn<QString>("model");
        QTest::addColumn<QString>("status");
        QTest::newRow("QK750") << "QK750" << "QK750: large package, 16 port pins (P0.0-P1.7), LIN interrupt";
        QTest::newRow("QK741") << "QK741" << "QK741: small package, 6 port pins (P0.0-P0.5), no LIN interrupt";
    }
    void theModelIsAlwaysInSight() {
        QFETCH(QString, model);
        QFETCH(QString, status);
        Project* created = window->NewProject(Model(qPrintable(model)));
        QCOMPARE(created->window->windowTitle(), model + "[*]");
        const QString path = TempPath("board.rsg");
        created->open.document->SetModifiedFlag(false);
        QVERIFY(window->CloseProject(*created));
        // Written as the program writes it, then opened by whichever template.
        {
            Project* again = window->NewProject(Model(qPrintable(model)));
            platform.messageHook = [](const std::string&, fw::MessageIcon, fw::MessageButtons) {
                return fw::DialogResult::Ok;
            };
            std::string error;
            QVERIFY(fw::WriteFileAtomically(S(path), again->open.document->SaveState(), error));
            again->open.document->SetModifiedFlag(false);
            QVERIFY(window->CloseProject(*again));
        }
        Project* opened = window->OpenProject(S(path));
        QVERIFY(opened);
        QCOMPARE(opened->window->windowTitle(), "board.rsg - " + model + "[*]");
        QCOMPARE(window->windowTitle(), "board.rsg - " + model + "[*] - Regsmith");
        QCOMPARE(Q(opened->docTemplate->GetDocString(fw::CDocTemplate::fileNewName)), model);
        auto* tabs = window->MdiArea()->findChild<QTabBar*>();
        QVERIFY(tabs);
        QCOMPARE(tabs->tabToolTip(tabs->currentIndex()), path);
        QStringList permanent;
        for (QLabel* label : window->statusBar()->findChildren<QLabel*>()) permanent << label->text();
        QVERIFY2(permanent.contains(status), qPrintable(permanent.join(" | ")));
    }

    void startPageWhileNoProjectIsOpen() {
        auto* centre = qobject_cast<QStackedWidget*>(window->centralWidget());
        QVERIFY(centre);
        QVERIFY(centre->currentWidget()->isAncestorOf(window->Start()));
        // New from the start page, with the model picked there.
        QVERIFY(window->Start()->Models()->Select("QK753"));
        window->Start()->NewButton()->click();
        QCOMPARE(window->Projects().size(), std::size_t{1});
        QCOMPARE(window->ModelOf(*window->ActiveProject()), std::string("QK753"));
        QCOMPARE(centre->currentWidget(), window->MdiArea());
        QVERIFY(window->ActiveProject()->window->isMaximized());

        // Saved and closed: the start page lists it with its model and date.
        const QString path = TempPath("start.rsg");
        std::string error;
        QVERIFY(fw::WriteFileAtomically(S(path), window->ActiveProject()->open.document->SaveState(), error));
        Project* project = window->OpenProject(S(path));
        window->ActiveProject()->open.document->SetModifiedFlag(false);
        window->Projects().front()->open.document->SetModifiedFlag(false);
        QVERIFY(window->CloseAllProjects());
        (void)project;
        QVERIFY(centre->currentWidget()->isAncestorOf(window->Start()));
        QTreeWidget* recent = window->Start()->Recent();
        QVERIFY(recent->topLevelItemCount() >= 1);
        QTreeWidgetItem* first = recent->topLevelItem(0);
        QCOMPARE(first->text(0), QString("start.rsg"));
        QCOMPARE(first->text(1), QString("QK753"));
        QCOMPARE(first->text(2), QFileInfo(path).lastModified().toString("yyyy-MM-dd hh:mm"));
        // Enter on it opens it again.
        emit recent->itemActivated(first, 0);
        QCOMPARE(window->Projects().size(), std::size_t{1});

        // A file that is gone is listed greyed.
        window->Projects().front()->open.document->SetModifiedFlag(false);
        QVERIFY(window->CloseAllProjects());
        QFile::remove(path);
        window->NewProject(Model("QK740"))->open.document->SetModifiedFlag(false);
        QVERIFY(window->CloseAllProjects());
        QVERIFY(recent->topLevelItem(0)->isDisabled());
        QCOMPARE(recent->topLevelItem(0)->text(2), QString("missing"));
    }

    // Tab goes round stops that each show their focus: on the start page its
    // lists and buttons; with a project the code window keeps it (its caret
    // shows it; Ctrl+Tab goes to the next project).
    void tabStopsOfTheMainWindowShowTheirFocus() {
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        auto walk = [](QWidget* first) {
            first->setFocus();
            QStringList stops;
            for (int i = 0; i < 12; ++i) {
                QWidget* focus = QApplication::focusWidget();
                if (!focus) return stops << "nothing";
                stops << (focus->accessibleName().isEmpty() ? QString(focus->metaObject()->className())
                                                            : focus->accessibleName());
                QTest::keyClick(focus, Qt::Key_Tab);
                if (QApplication::focusWidget() == first) break;
            }
            return stops;
        };
        QCOMPARE(walk(window->Start()->Models()).join(", "),
                 QString("Device model, QPushButton, QPushButton, Recent projects, Problems"));
        window->NewProject(Model("QK750"));
        QCOMPARE(walk(window->ActiveProject()->codeView).join(", "), QString("Generated source"));
    }

    void mainWindowFitsTheScreen() {
        const QRect available = window->screen()->availableGeometry();
        QVERIFY2(available.contains(window->geometry()),
                 qPrintable(QString("%1,%2 %3x%4").arg(window->x()).arg(window->y()).arg(window->width()).arg(window->height())));
    }

    void printingProposesAPdfNamedAfterTheProject() {
        QCOMPARE(QtPlatform::PageFooter(2, 5), QString("page 2 of 5"));
        QCOMPARE(QtPlatform::DefaultPdfPath({"board.rsg - QK750", "/work/boards/board.rsg"}),
                 QString("/work/boards/board.pdf"));
        const QString untitled = QtPlatform::DefaultPdfPath({"QK750 (2)", ""});
        QVERIFY2(untitled.endsWith("/QK750 (2).pdf") && !untitled.contains("print.pdf"), qPrintable(untitled));

        if (!QPrinterInfo::availablePrinterNames().isEmpty()) QSKIP("a printer is set up: the name goes to the job");
        Project* project = window->NewProject(Model("QK750"));
        const QString path = TempPath("printed.rsg");
        project->open.document->SetPathName(S(path));
        project->open.document->SetTitle("printed.rsg");
        window->UpdateCommandStates();
        window->ActivateProject(*project);
        QString proposed;
        platform.printDialogHook = [&](QPrinter& printer) {
            proposed = printer.outputFileName();
            return true;
        };
        window->RunCommand(fw::ID_FILE_PRINT);
        QCOMPARE(proposed, TempPath("printed.pdf"));
        QVERIFY(QFile::exists(TempPath("printed.pdf")));
        // Margins of at least 15 mm however little the printer keeps.
        const QMarginsF margins = platform.Printer().pageLayout().margins(QPageLayout::Millimeter);
        QVERIFY(margins.left() >= 14.9 && margins.top() >= 14.9);
    }

    // File > Export Report... writes through the command line's writers, in
    // the format of the name's extension, and never over the project.
    void exportReportWritesEachFormatAndSparesTheProject() {
        Project* project = window->NewProject(Model("QK750"));
        const QString path = TempPath("board.rsg");
        std::string error;
        QVERIFY(fw::WriteFileAtomically(S(path), project->open.document->SaveState(), error));
        project->open.document->SetPathName(S(path));
        const std::string before = project->open.document->SaveState();
        struct Row {
            const char* name;
            fw::ReportFormat format;
            const char* starts;
        } rows[] = {{"board.html", fw::ReportFormat::Html, "<!DOCTYPE html>"},
                    {"board.md", fw::ReportFormat::Markdown, "# Configuration report: board.rsg - QK750"},
                    {"board.pdf", fw::ReportFormat::Pdf, "%PDF-"}};
        for (const Row& row : rows) {
            QVERIFY2(regsmith::WriteReportFile(*project->open.view, S(TempPath(row.name)), row.format, error),
                     error.c_str());
            QFile written(TempPath(row.name));
            QVERIFY(written.open(QIODevice::ReadOnly));
            QVERIFY2(written.readAll().startsWith(row.starts), row.name);
        }
        QVERIFY(!regsmith::WriteReportFile(*project->open.view, S(path), fw::ReportFormat::Html, error));
        QCOMPARE(Q(error), QString("it is the project itself"));
        QVERIFY(project->open.document->SaveState() == before);
        QFile onDisk(path);
        QVERIFY(onDisk.open(QIODevice::ReadOnly));
        QVERIFY(onDisk.readAll().toStdString() == before);
    }

    void messageBoxesSitOverTheMainWindow() {
        window->NewProject(Model("QK750"));
        const QString longLine = "Regsmith did not close normally: " + QString("/home/user/projects/").repeated(4) +
                                 "board.rsg (never saved), 2026-12-09 01:23:45";
        QRect box;
        QRect label;
        QTimer::singleShot(50, [&] {
            auto* shown = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!shown) return;
            box = shown->frameGeometry();
            if (auto* text = shown->findChild<QLabel*>("qt_msgbox_label")) label = text->geometry();
            shown->done(QMessageBox::Cancel);
        });
        platform.MessageBox(S(longLine) + "\n\nRestore them?", fw::MessageIcon::Question,
                            fw::MessageButtons::YesNoCancel);
        QVERIFY(box.isValid());
        const QRect screen = window->screen()->availableGeometry();
        QVERIFY2(screen.contains(box), qPrintable(QString("%1,%2 %3x%4 in %5x%6").arg(box.x()).arg(box.y()).arg(box.width()).arg(box.height()).arg(screen.width()).arg(screen.height())));
        // Centred over the main window (as far as the screen allows), and wide
        // enough for the long line where the screen is.
        const QPoint offset = box.center() - window->frameGeometry().center();
        QVERIFY2(std::abs(offset.x()) <= 2 || box.left() == screen.left() || box.right() == screen.right(),
                 qPrintable(QString("offset %1").arg(offset.x())));
        const int wanted = QFontMetrics(QApplication::font()).horizontalAdvance(longLine);
        QVERIFY(label.width() >= std::min(wanted, screen.width() * 3 / 4 - 120));
    }

    void aboutNamesVersionQtAndLicence() {
        const QString text = AboutText(12);
        for (const QString& part : {QString("version"), QString("Qt: ") + qVersion(), QString("Licence: MIT"),
                                    QString("Device models loaded: 12")})
            QVERIFY2(text.contains(part), qPrintable(part));
    }
};

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    DesktopTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "desktop_test.moc"

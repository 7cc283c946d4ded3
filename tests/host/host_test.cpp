// Tests of the desktop host on Qt's offscreen platform: the code window, the
// menus and command routing, the renderer of sheets and dialogs, message
// boxes, file dialogs, printing and the unsaved-work prompts.

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTimer>
#include <QToolBar>
#include <QTreeWidget>
#include <QtTest>
#include <QElapsedTimer>

#include <sys/stat.h>

#include <functional>
#include <memory>

#include "fw/app.h"
#include "fw/archive.h"
#include "fw/files.h"
#include "fw/plugin_loader.h"
#include "fw/ui.h"
#include "host/code_view.h"
#include "host/form_renderer.h"
#include "host/main_window.h"
#include "host/qt_platform.h"
#include "host/text.h"
#include "tests/host/host_fixture.h"

using namespace regsmith::host;

namespace {

// Runs `action` on the next modal window of type T once it is shown (the
// caller then starts whatever opens it).  Fails the test if none appears.
template <class T>
void WhenModal(std::function<void(T*)> action, int timeoutMs = 5000) {
    QWidget* before = QApplication::activeModalWidget();
    auto* timer = new QTimer(qApp);
    timer->setInterval(10);
    auto clock = std::make_shared<QElapsedTimer>();
    clock->start();
    auto seen = std::make_shared<bool>(false);
    QObject::connect(timer, &QTimer::timeout, timer, [=] {
        QWidget* modal = QApplication::activeModalWidget();
        T* typed = modal && modal != before && modal->isVisible() ? qobject_cast<T*>(modal) : nullptr;
        // Act on the second sighting, once the window has settled after showing.
        if (typed && !*seen) {
            *seen = true;
            return;
        }
        if (!typed && clock->elapsed() <= timeoutMs) return;
        timer->stop();
        timer->deleteLater();  // deleted once this slot has returned to its own loop
        if (!typed) {
            qWarning("no modal window appeared");
            if (modal && modal != before)
                if (auto* dialog = qobject_cast<QDialog*>(modal)) dialog->reject();
            return;
        }
        action(typed);
        // A failed check returns early: do not leave the window open.
        if (typed->isVisible()) QMetaObject::invokeMethod(typed, "reject", Qt::QueuedConnection);
    });
    timer->start();
}

// Types a name into a file dialog's name field (selectFile() leaves a field
// that has the focus alone) and accepts.
void ChooseFile(QFileDialog* dialog, const QString& name) {
    auto* field = dialog->findChild<QLineEdit*>("fileNameEdit");
    QVERIFY(field);
    field->setText(name);
    static_cast<QDialog*>(dialog)->accept();
}

// A page built directly from the UI model: a check box whose handler
// enables a list, changes a status text and counts clicks; a hex field; a
// button that opens a nested sheet.
class TestPage : public fw::PropertyPage {
public:
    explicit TestPage(std::string title) : fw::PropertyPage(std::move(title)) {
        auto& group = Root().Add<fw::GroupBox>("Mode");
        enable = &group.Add<fw::CheckBox>("Enable Timer");
        list = &group.Add<fw::DropDownList>("Clock:");
        list->SetItems({"SYSCLK", "SYSCLK / 12"});
        list->SetSelected(0);
        status = &group.Add<fw::StaticText>("Timer is Disabled");
        hex = &Root().Add<fw::EditField>("TH0 (hex):");
        hex->SetHex().SetMaxLength(2);
        auto& radios = Root().AddRow();
        first = &radios.Add<fw::RadioButton>("Mode 0", "mode");
        second = &radios.Add<fw::RadioButton>("Mode 1", "mode");
        nested = &Root().Add<fw::PushButton>("Configure More");
        summary = &Root().Add<fw::TextBox>("summary");
        enable->onChange = [this] {
            ++clicks;
            Load();
        };
        list->onChange = [this] { status->SetText("Clock " + list->SelectedText()); };
        hex->onChange = [this] { typed.push_back(hex->Text()); };
        second->onChange = [this] { first->Show(false); };
        nested->onChange = [this] {
            if (openNested) openNested();
        };
    }
    void OnInitDialog() override { ++initialised; }
    bool OnSetActive() override {
        ++activations;
        Load();
        return true;
    }
    void OnOK() override { ++oks; }
    void OnCancel() override { ++cancels; }
    void OnReset() override {
        ++resets;
        enable->SetChecked(false);
        Load();
    }
    void Load() {
        list->Enable(enable->IsChecked());
        status->SetText(enable->IsChecked() ? "Timer is Enabled" : "Timer is Disabled");
        summary->SetText(enable->IsChecked() ? "    TMOD      = 0x01;\r\n" : "");
    }

    fw::CheckBox* enable;
    fw::DropDownList* list;
    fw::StaticText* status;
    fw::EditField* hex;
    fw::RadioButton* first;
    fw::RadioButton* second;
    fw::PushButton* nested;
    fw::TextBox* summary;
    std::function<void()> openNested;
    std::vector<std::string> typed;
    int clicks = 0, initialised = 0, activations = 0, oks = 0, cancels = 0, resets = 0;
};

// A sheet like the device sheets: pages plus a "Reset" button that resets the active page.
struct TestSheet {
    explicit TestSheet(std::string title = "Timers") : sheet(std::move(title)) {
        sheet.AddPage(&timer0);
        sheet.AddPage(&timer1);
        sheet.AddButton("Reset", [this] { sheet.ActivePage()->OnReset(); });
    }
    fw::PropertySheet sheet;
    TestPage timer0{"Timer 0"};
    TestPage timer1{"Timer 1"};
};

std::string ProjectBytes(fw::CDocument& document) {
    fw::CArchive archive;
    document.Serialize(archive);
    return archive.Buffer();
}

}  // namespace

class HostTest : public QObject, public HostFixture {
    Q_OBJECT

private slots:
    void initTestCase() { StartApp(); }
    void init() { OpenWindow(); }
    void cleanup() { CloseWindow(); }

    // ---- Pure helpers ----------------------------------------------------

    void convertsFileFilters() {
        QCOMPARE(ConvertFileFilter("C Files (*.c)|*.c|All Files (*.*)|*.*|"),
                 QStringList({"C Files (*.c)", "All Files (*)"}));
        QCOMPARE(ConvertFileFilter("ASM Files (*.asm)|*.asm|All Files (*.*)|*.*|"),
                 QStringList({"ASM Files (*.asm)", "All Files (*)"}));
        QCOMPARE(ConvertFileFilter("Sources|*.c;*.h|"), QStringList({"Sources (*.c *.h)"}));
        QCOMPARE(ConvertFileFilter(""), QStringList({"All Files (*)"}));
    }

    void splitsTextIntoColourRuns() {
        // "x // c" CR LF "y": the comment (with its CR LF) green, the rest black.
        const std::string text = "x // c\r\ny\r\n\"s\"";
        const fw::Rgb green{0, 170, 0}, violet{55, 0, 200};
        const auto runs = ColourRuns(text, {{2, 6, green}, {11, 3, violet}, {40, 5, green}});
        QCOMPARE(runs.size(), std::size_t{4});
        QCOMPARE(runs[0].text, QString("x "));
        QCOMPARE(runs[1].text, QString("// c\n"));
        QVERIFY(runs[1].colour == green);
        QCOMPARE(runs[2].text, QString("y\n"));
        QCOMPARE(runs[3].text, QString("\"s\""));
        QVERIFY(runs[3].colour == violet);
        QCOMPARE(Slug("Port I/O"), std::string("port-i-o"));
        QCOMPARE(Slug("Module 2/WDT"), std::string("module-2-wdt"));
    }

    // ---- Code window ---------------------------------------------------------

    void codeViewShowsColouredReadOnlyText() {
        fw::CView view;
        view.SetFont(fw::FontSpec{"Courier New", 10});
        view.SetText("a // c\r\nb \"s\"\r\n", {{2, 6, {0, 170, 0}}, {10, 3, {55, 0, 200}}});
        CodeView code(&view);
        QVERIFY(code.isReadOnly());
        QCOMPARE(code.toPlainText(), QString("a // c\nb \"s\"\n"));
        QVERIFY(code.font().family() == "Courier New" || code.font().family() == "Liberation Mono");
        QCOMPARE(code.font().pointSize(), 10);
        const QTextBlock first = code.document()->firstBlock();
        auto colourAt = [&](const QTextBlock& block, int position) {
            for (auto it = block.begin(); !it.atEnd(); ++it) {
                const QTextFragment fragment = it.fragment();
                if (position >= fragment.position() - block.position() &&
                    position < fragment.position() - block.position() + fragment.length())
                    return fragment.charFormat().foreground().color();
            }
            return QColor();
        };
        // On the screen each colour is the view's, kept readable on the
        // palette's base colour (the desktop tests check the contrast).
        const QPalette colours = code.palette();
        QCOMPARE(colourAt(first, 0), ScreenColour({0, 0, 0}, colours));
        QCOMPARE(colourAt(first, 2), ScreenColour({0, 170, 0}, colours));
        QCOMPARE(colourAt(first.next(), 2), ScreenColour({55, 0, 200}, colours));
        QCOMPARE(colourAt(first.next(), 0), ScreenColour({0, 0, 0}, colours));
        QCOMPARE(colourAt(first, 2).hue(), QColor(0, 170, 0).hue());
        QCOMPARE(code.textCursor().position(), 0);

        // Follows every change of the view, and stops when detached.
        view.SetText("void Init_Device(void)\r\n");
        QCOMPARE(code.toPlainText(), QString("void Init_Device(void)\n"));
        code.Detach();
        view.SetText("changed");
        QCOMPARE(code.toPlainText(), QString("void Init_Device(void)\n"));
        QVERIFY(!view.onTextChanged);
    }

    // ---- Main window, menus, routing -------------------------------------------

    void frameMenuWithoutProjects() {
        QStringList titles;
        for (QAction* action : window->menuBar()->actions()) titles << action->text();
        QCOMPARE(titles, QStringList({"&File", "&View", "&Help"}));
        QVERIFY(!window->CommandStateOf(fw::ID_FILE_CLOSE).enabled);
        QVERIFY(!window->CommandStateOf(fw::ID_FILE_SAVE).enabled);
        QCOMPARE(window->windowTitle(), QString("Regsmith"));
    }

    void projectMenuExactlyAsTheTemplateGivesIt() {
        Project* project = window->NewProject(Model("QK750"));
        QVERIFY(project);
        QStringList titles;
        for (QAction* action : window->menuBar()->actions()) titles << action->text();
        // The template's menus, with the host's Edit menu (Undo, Redo) after File
        // and its Export Report... after Print.
        QCOMPARE(titles, QStringList({"&File", "&Edit", "&Options", "&Peripherals", "&View", "&Help"}));
        QStringList file;
        for (QAction* action : window->MenuNamed("File")->actions())
            if (!action->isSeparator()) file << action->text();
        QCOMPARE(file, QStringList({"&New", "&Open Project...", "&Save Project", "Save Project &As...",
                                    "&Close Project", "Sa&ve Source As...", "&Print...", "Export &Report...",
                                    "&Print Setup...", "Recent File", "E&xit"}));
        QStringList peripherals;
        for (QAction* action : window->MenuNamed("Peripherals")->actions())
            if (!action->isSeparator()) peripherals << action->text();
        QCOMPARE(peripherals.size(), 13);
        QCOMPARE(peripherals.front(), QString("&Port I/O"));
        QCOMPARE(peripherals.back(), QString("Reset A&ll"));
        QCOMPARE(window->ActionFor(fw::ID_FILE_NEW)->shortcut(), QKeySequence(QKeySequence::New));
        QCOMPARE(window->ActionFor(fw::ID_FILE_OPEN)->shortcut(), QKeySequence(QKeySequence::Open));
        QCOMPARE(window->ActionFor(fw::ID_FILE_SAVE)->shortcut(), QKeySequence(QKeySequence::Save));
        QCOMPARE(window->ActionFor(fw::ID_FILE_PRINT)->shortcut(), QKeySequence(QKeySequence::Print));
        // Title from the document; the view is the application's active view.
        QCOMPARE(project->window->windowTitle(), QString("QK750[*]"));
        QCOMPARE(window->windowTitle(), QString("QK750[*] - Regsmith"));
        QCOMPARE(app.GetActiveView(), project->open.view.get());
        QVERIFY(project->codeView->toPlainText().contains("Init_Device"));
    }

    void toolbarAndStatusBarToggle() {
        QVERIFY(window->CommandStateOf(fw::ID_VIEW_TOOLBAR).checked);
        window->RunCommand(fw::ID_VIEW_TOOLBAR);
        QVERIFY(window->ToolBar()->isHidden());
        QVERIFY(!window->ActionFor(fw::ID_VIEW_TOOLBAR)->isChecked());
        window->RunCommand(fw::ID_VIEW_TOOLBAR);
        QVERIFY(!window->ToolBar()->isHidden());
        window->RunCommand(fw::ID_VIEW_STATUS_BAR);
        QVERIFY(window->statusBar()->isHidden());
        QVERIFY(!window->CommandStateOf(fw::ID_VIEW_STATUS_BAR).checked);
        window->RunCommand(fw::ID_VIEW_STATUS_BAR);
        QVERIFY(!window->statusBar()->isHidden());
    }

    void codeFormatCheckMarksFollowTheActiveWindow() {
        Project* first = window->NewProject(Model("QK750"));
        Project* second = window->NewProject(Model("QK741"));
        QVERIFY(first && second);
        const int c = fw::FindMenuCommand(Model("QK750").GetMenu(), "C", "Options");
        const int asm_ = fw::FindMenuCommand(Model("QK750").GetMenu(), "Asm", "Options");
        QVERIFY(c != fw::ID_NONE && asm_ != fw::ID_NONE);
        QCOMPARE(app.GetActiveView(), second->open.view.get());
        window->RunCommand(asm_);  // the second project switches to assembly
        QVERIFY(window->ActionFor(asm_)->isChecked());
        QVERIFY(!window->ActionFor(c)->isChecked());
        QVERIFY(second->codeView->toPlainText().contains(";"));
        QVERIFY(second->open.document->IsModified());
        QCOMPARE(second->window->windowTitle(), QString("QK741[*]"));

        window->ActivateProject(*first);
        QCOMPARE(app.GetActiveView(), first->open.view.get());
        QVERIFY(window->ActionFor(c)->isChecked());
        QVERIFY(!window->ActionFor(asm_)->isChecked());
        QVERIFY(first->codeView->toPlainText().contains("//"));

        // Switching through the area itself, as a click on a tab does.
        window->MdiArea()->setActiveSubWindow(second->window);
        QCOMPARE(app.GetActiveView(), second->open.view.get());
        QVERIFY(window->ActionFor(asm_)->isChecked());
        QVERIFY(!window->ActionFor(c)->isChecked());
    }

    void twoNewProjectsOfOneModelGetDistinctTitles() {
        Project* first = window->NewProject(Model("QK750"));
        Project* second = window->NewProject(Model("QK750"));
        QCOMPARE(first->window->windowTitle(), QString("QK750[*]"));
        QCOMPARE(second->window->windowTitle(), QString("QK750 (2)[*]"));
    }

    void closingTheActiveProjectActivatesAnother() {
        Project* first = window->NewProject(Model("QK750"));
        window->NewProject(Model("QK740"));
        window->RunCommand(fw::ID_FILE_CLOSE);
        QCOMPARE(window->Projects().size(), std::size_t{1});
        QCOMPARE(window->ActiveProject(), first);
        QCOMPARE(app.GetActiveView(), first->open.view.get());
        window->RunCommand(fw::ID_FILE_CLOSE);
        QVERIFY(window->Projects().empty());
        QCOMPARE(app.GetActiveView(), nullptr);
        QCOMPARE(window->menuBar()->actions().size(), 3);  // back to the frame menu
    }

    // ---- Open, save, recent files -------------------------------------------------

    void opensProjectFilesAndReportsBadOnes() {
        Project* created = window->NewProject(Model("QK753"));
        const QString path = TempPath("board.rsg");
        {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            const std::string bytes = ProjectBytes(*created->open.document);
            file.write(bytes.data(), static_cast<qint64>(bytes.size()));
        }
        Project* opened = window->OpenProject(S(path));
        QVERIFY(opened);
        QCOMPARE(opened->window->windowTitle(), QString("board.rsg - QK753[*]"));
        QCOMPARE(app.GetRecentFiles().front(), S(path));
        // Opening it again activates the same window.
        window->ActivateProject(*created);
        QCOMPARE(window->OpenProject(S(path)), opened);
        QCOMPARE(window->ActiveProject(), opened);

        // A truncated file is reported and opens nothing.
        const QString bad = TempPath("bad.rsg");
        {
            QFile file(bad);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("\x01\x00", 2);
        }
        std::vector<std::string> messages;
        platform.messageHook = [&](const std::string& text, fw::MessageIcon, fw::MessageButtons) {
            messages.push_back(text);
            return fw::DialogResult::Ok;
        };
        const std::size_t before = window->Projects().size();
        QCOMPARE(window->OpenProject(S(bad)), nullptr);
        QCOMPARE(window->Projects().size(), before);
        QCOMPARE(messages.size(), std::size_t{1});
        QVERIFY(QString::fromStdString(messages.front()).contains("bad.rsg"));
    }

    // The desktop program reads projects from regular files only: a FIFO that
    // nobody writes to is refused at once instead of hanging the window.
    void refusesAFifoAtOnce() {
        const QString fifo = TempPath("fifo.rsg");
        QCOMPARE(::mkfifo(fifo.toLocal8Bit().constData(), 0600), 0);
        std::vector<std::string> messages;
        platform.messageHook = [&](const std::string& text, fw::MessageIcon, fw::MessageButtons) {
            messages.push_back(text);
            return fw::DialogResult::Ok;
        };
        fw::ReadRegularFilesOnly(true);
        Project* opened = window->OpenProject(S(fifo));
        fw::ReadRegularFilesOnly(false);
        QCOMPARE(opened, nullptr);
        QCOMPARE(messages, std::vector<std::string>{"Error: Could not open the project file " + S(fifo) +
                                                    ": it is a FIFO (named pipe), not a regular file"});
    }

    void saveFileDialogTakesNameExtensionAndFilter() {
        fw::SaveFileRequest request;
        request.defaultExtension = "c";
        request.fileName = "Untitled.c";
        request.filter = "C Files (*.c)|*.c|All Files (*.*)|*.*|";
        const QString folder = temp.path();
        WhenModal<QFileDialog>([&](QFileDialog* dialog) {
            QCOMPARE(dialog->acceptMode(), QFileDialog::AcceptSave);
            QCOMPARE(dialog->defaultSuffix(), QString("c"));
            QCOMPARE(dialog->nameFilters(), QStringList({"C Files (*.c)", "All Files (*)"}));
            QVERIFY(!dialog->testOption(QFileDialog::DontConfirmOverwrite));
            dialog->setDirectory(folder);
            ChooseFile(dialog, "init");
        });
        const std::optional<std::string> chosen = platform.SaveFileDialog(request);
        QVERIFY(chosen.has_value());
        QCOMPARE(Q(*chosen), folder + "/init.c");

        WhenModal<QFileDialog>([](QFileDialog* dialog) { dialog->reject(); });
        QVERIFY(!platform.SaveFileDialog(request).has_value());
    }

    void newOffersTheModelsByDocumentName() {
        QStringList offered;
        WhenModal<QDialog>([&](QDialog* dialog) {
            QCOMPARE(dialog->windowTitle(), QString("New"));
            auto* list = dialog->findChild<QTreeWidget*>();
            QVERIFY(list);
            for (int i = 0; i < list->topLevelItemCount(); ++i) {
                QStringList row;
                for (int column = 0; column < list->columnCount(); ++column) row << list->topLevelItem(i)->text(column);
                offered << row.join('|');
            }
            list->setCurrentItem(list->topLevelItem(9));
            dialog->accept();
        });
        window->RunCommand(fw::ID_FILE_NEW);
        QCOMPARE(offered.size(), 12);
        // Model, package, port pins, LIN, device id.
        QCOMPARE(offered.front(), QString("QK740|small|6 (P0.0-P0.5)|yes|0xD0"));
        QCOMPARE(offered.at(7), QString("QK751|large|16 (P0.0-P1.7)|no|0xD7"));
        QCOMPARE(offered.back(), QString("QK757|large|16 (P0.0-P1.7)|no|0xDB"));
        QCOMPARE(window->Projects().size(), std::size_t{1});
        QCOMPARE(window->ActiveProject()->open.document->GetTitle(), std::string("QK754"));

        WhenModal<QDialog>([](QDialog* dialog) { dialog->reject(); });
        window->RunCommand(fw::ID_FILE_NEW);
        QCOMPARE(window->Projects().size(), std::size_t{1});
    }

    void openAndRecentFilesThroughTheMenu() {
        Project* created = window->NewProject(Model("QK747"));
        const QString path = TempPath("recent.rsg");
        {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            const std::string bytes = ProjectBytes(*created->open.document);
            file.write(bytes.data(), static_cast<qint64>(bytes.size()));
        }
        WhenModal<QFileDialog>([&](QFileDialog* dialog) {
            QCOMPARE(dialog->nameFilters().front(), QString("Regsmith Projects (*.rsg)"));
            ChooseFile(dialog, path);
        });
        window->RunCommand(fw::ID_FILE_OPEN);
        QCOMPARE(window->Projects().size(), std::size_t{2});
        QCOMPARE(window->ActiveProject()->open.document->GetPathName(), S(path));

        // The File menu lists it; choosing it after closing opens it again.
        window->RunCommand(fw::ID_FILE_CLOSE);
        QCOMPARE(window->Projects().size(), std::size_t{1});
        QMenu* file = window->MenuNamed("File");
        emit file->aboutToShow();
        QAction* recent = nullptr;
        for (QAction* action : file->actions())
            if (action->text() == "&1 " + path) recent = action;
        QVERIFY(recent);
        recent->trigger();
        QCOMPARE(window->Projects().size(), std::size_t{2});
        QCOMPARE(window->ActiveProject()->open.document->GetPathName(), S(path));
    }

    void aboutBoxAndPrintDialogsAppear() {
        QString title;
        WhenModal<QMessageBox>([&](QMessageBox* box) {
            title = box->windowTitle();
            box->accept();
        });
        window->RunCommand(fw::ID_APP_ABOUT);
        QCOMPARE(title, QString("About Regsmith"));

        // The print dialog (with "Print to File (PDF)" where no printer is
        // installed) comes first; Cancel there prints nothing.
        bool shown = false;
        WhenModal<QPrintDialog>([&](QPrintDialog* dialog) {
            shown = true;
            dialog->reject();
        });
        fw::PrintRequest request;
        request.text = "x\r\n";
        QCOMPARE(platform.Print(request), fw::PrintResult::Cancelled);
        QVERIFY(shown);

        shown = false;
        WhenModal<QPageSetupDialog>([&](QPageSetupDialog* dialog) {
            shown = true;
            dialog->reject();
        });
        window->RunCommand(fw::ID_FILE_PRINT_SETUP);
        QVERIFY(shown);
    }

    // ---- Unsaved work ---------------------------------------------------------------

    void closingAModifiedProjectAsks() {
        Project* project = window->NewProject(Model("QK750"));
        project->open.document->SetModifiedFlag(true);
        QString asked;
        QString title = "not set";
        WhenModal<QMessageBox>([&](QMessageBox* box) {
            asked = box->text();
            title = box->windowTitle();
            QCOMPARE(box->icon(), QMessageBox::Question);
            QCOMPARE(box->standardButtons(), QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
            box->button(QMessageBox::Cancel)->click();
        });
        window->RunCommand(fw::ID_FILE_CLOSE);
        QCOMPARE(asked, QString("Save changes to QK750?"));
        QCOMPARE(title, QString());
        QCOMPARE(window->Projects().size(), std::size_t{1});  // Cancel keeps it open

        // Yes, then Cancel in Save As: the project is still modified, so it stays.
        WhenModal<QMessageBox>([&](QMessageBox* box) {
            WhenModal<QFileDialog>([](QFileDialog* dialog) { dialog->reject(); });
            box->button(QMessageBox::Yes)->click();
        });
        window->RunCommand(fw::ID_FILE_CLOSE);
        QCOMPARE(window->Projects().size(), std::size_t{1});

        // Yes and a file name: saved, then closed.
        const QString path = TempPath("saved.rsg");
        WhenModal<QMessageBox>([&](QMessageBox* box) {
            WhenModal<QFileDialog>([&](QFileDialog* dialog) {
                ChooseFile(dialog, path);
            });
            box->button(QMessageBox::Yes)->click();
        });
        window->RunCommand(fw::ID_FILE_CLOSE);
        QVERIFY(window->Projects().empty());
        QVERIFY(QFile::exists(path));
    }

    void exitAsksForEveryModifiedProject() {
        Project* first = window->NewProject(Model("QK750"));
        Project* second = window->NewProject(Model("QK740"));
        first->open.document->SetModifiedFlag(true);
        second->open.document->SetModifiedFlag(true);
        std::vector<std::string> asked;
        platform.messageHook = [&](const std::string& text, fw::MessageIcon, fw::MessageButtons) {
            asked.push_back(text);
            return asked.size() == 1 ? fw::DialogResult::No : fw::DialogResult::Cancel;
        };
        window->RunCommand(fw::ID_APP_EXIT);
        QCOMPARE(asked.size(), std::size_t{2});
        QCOMPARE(window->Projects().size(), std::size_t{2});  // Cancel on the second keeps both
        QVERIFY(window->isVisible());

        asked.clear();
        platform.messageHook = [&](const std::string& text, fw::MessageIcon, fw::MessageButtons) {
            asked.push_back(text);
            return fw::DialogResult::No;
        };
        window->RunCommand(fw::ID_APP_EXIT);
        QCOMPARE(asked.size(), std::size_t{2});
        QVERIFY(window->Projects().empty());
        QVERIFY(!window->isVisible());
    }

    // ---- The plug-in's own commands through the host -------------------------------

    void deviceSheetOkChangesTheCodeView() {
        Project* project = window->NewProject(Model("QK750"));
        const int interrupts = Command("Interrupts", "Peripherals");
        QVERIFY(window->ActionFor(interrupts)->isEnabled());
        const QString before = project->codeView->toPlainText();
        QString summary;
        WhenModal<SheetDialog>([&](SheetDialog* dialog) {
            QCOMPARE(dialog->windowTitle(), QString("Interrupts"));
            QCOMPARE(dialog->Tabs()->tabText(0), QString("Enable Interrupts"));
            auto* box = qobject_cast<QCheckBox*>(dialog->PageWidget(0)->WidgetFor("Enable /INT0 Interrupt"));
            QVERIFY(box);
            box->click();
            const auto boxes = dialog->PageWidget(0)->findChildren<QPlainTextEdit*>();
            QVERIFY(!boxes.isEmpty());
            summary = boxes.front()->toPlainText();
            dialog->OkButton()->click();
        });
        window->RunCommand(interrupts);
        QVERIFY2(summary.contains("IE"), qPrintable(summary));
        const QString after = project->codeView->toPlainText();
        QVERIFY(after != before);
        QVERIFY2(after.contains("IE        = 0x01;"), qPrintable(after));
        QVERIFY(after.contains("Interrupts_Init"));
        QCOMPARE(Q(project->open.view->GetText()).remove('\r'), after);
        // The accepted sheet changed the project: its tab and the main window say so.
        QVERIFY(project->open.document->IsModified());
        QVERIFY(project->window->isWindowModified());
        QVERIFY(window->isWindowModified());
    }

    void deviceSheetCancelLeavesTheCodeView() {
        Project* project = window->NewProject(Model("QK750"));
        const QString before = project->codeView->toPlainText();
        WhenModal<SheetDialog>([&](SheetDialog* dialog) {
            qobject_cast<QCheckBox*>(dialog->PageWidget(0)->WidgetFor("Enable /INT0 Interrupt"))->click();
            dialog->CancelButton()->click();
        });
        window->RunCommand(Command("Interrupts", "Peripherals"));
        QCOMPARE(project->codeView->toPlainText(), before);
    }

    void resetAllAndHelpAskAndReport() {
        Project* project = window->NewProject(Model("QK750"));
        const QString before = project->codeView->toPlainText();
        QString asked;
        WhenModal<QMessageBox>([&](QMessageBox* box) {
            asked = box->text();
            box->button(QMessageBox::No)->click();
        });
        window->RunCommand(Command("Reset All", "Peripherals"));
        QCOMPARE(asked, QString("Reset all peripheral data to default?"));
        QCOMPARE(project->codeView->toPlainText(), before);

        // Help on a guide that is not there says so.
        const std::string saved = app.GetHelpFilePath();
        app.SetHelpFilePath(S(TempPath("missing-guide.html")));
        std::string said;
        platform.messageHook = [&](const std::string& text, fw::MessageIcon, fw::MessageButtons) {
            said = text;
            return fw::DialogResult::Ok;
        };
        window->RunCommand(Command("Help...", "Help"));
        app.SetHelpFilePath(saved);
        QVERIFY2(Q(said).contains("missing-guide.html"), said.c_str());
    }

    void saveSourceWritesTheShownText() {
        Project* project = window->NewProject(Model("QK750"));
        window->RunCommand(Command("Asm", "Options"));
        const QString path = TempPath("init.asm");
        WhenModal<QFileDialog>([&](QFileDialog* dialog) {
            QCOMPARE(dialog->defaultSuffix(), QString("asm"));
            QCOMPARE(dialog->nameFilters().front(), QString("ASM Files (*.asm)"));
            ChooseFile(dialog, path);
        });
        window->RunCommand(Command("Save Source As...", "File"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll().toStdString(), project->open.view->GetText());
    }

    // ---- Sheets and dialogs rendered from the model ---------------------------------

    void sheetRendersPagesButtonsAndFollowsTheModel() {
        TestSheet test;
        bool checked = false;
        WhenModal<SheetDialog>([&](SheetDialog* dialog) {
            QCOMPARE(dialog->windowTitle(), QString("Timers"));
            QCOMPARE(dialog->Tabs()->count(), 2);
            QCOMPARE(dialog->Tabs()->tabText(0), QString("Timer 0"));
            QCOMPARE(dialog->Tabs()->tabText(1), QString("Timer 1"));
            // Each with a mnemonic; the caption is the same without it.
            QCOMPARE(dialog->OkButton()->text(), QString("&OK"));
            QCOMPARE(dialog->CancelButton()->text(), QString("&Cancel"));
            QCOMPARE(dialog->ExtraButtons().size(), std::size_t{1});
            QCOMPARE(dialog->ExtraButtons()[0]->text(), QString("&Reset"));
            QCOMPARE(dialog->ExtraButtons()[0]->accessibleName(), QString("Reset"));
            // OK, Cancel and Reset side by side, in that order.
            QVERIFY(dialog->OkButton()->x() < dialog->CancelButton()->x());
            QVERIFY(dialog->CancelButton()->x() < dialog->ExtraButtons()[0]->x());
            QCOMPARE(dialog->ExtraButtons()[0]->y(), dialog->OkButton()->y());

            FormWidget* page = dialog->PageWidget(0);
            auto* box = qobject_cast<QCheckBox*>(page->WidgetFor("Enable Timer"));
            auto* combo = qobject_cast<QComboBox*>(page->WidgetFor("Clock:"));
            auto* status = qobject_cast<QLabel*>(page->WidgetFor(test.timer0.status));
            auto* summary = qobject_cast<QPlainTextEdit*>(page->WidgetFor("summary"));
            QVERIFY(box && combo && status && summary);
            QVERIFY(summary->isReadOnly());
            QCOMPARE(combo->count(), 2);
            QVERIFY(!combo->isEnabled());
            QCOMPARE(status->text(), QString("Timer is Disabled"));
            QVERIFY(page->findChildren<QGroupBox*>().front()->title() == "Mode");

            box->click();  // the handler enables the list and changes the other controls
            QVERIFY(test.timer0.enable->IsChecked());
            QCOMPARE(test.timer0.clicks, 1);
            QVERIFY(combo->isEnabled());
            QCOMPARE(status->text(), QString("Timer is Enabled"));
            QCOMPARE(summary->toPlainText(), QString("    TMOD      = 0x01;\n"));

            // Switching pages goes through the model.
            dialog->Tabs()->setCurrentIndex(1);
            QCOMPARE(test.sheet.ActiveIndex(), 1);
            QCOMPARE(test.timer1.initialised, 1);
            dialog->Tabs()->setCurrentIndex(0);
            QCOMPARE(test.timer0.activations, 2);

            // Reset reaches the active page, and the widgets follow.
            dialog->ExtraButtons()[0]->click();
            QCOMPARE(test.timer0.resets, 1);
            QVERIFY(!box->isChecked());
            QCOMPARE(status->text(), QString("Timer is Disabled"));
            box->click();
            checked = box->isChecked();
            dialog->OkButton()->click();
        });
        QCOMPARE(platform.RunModal(test.sheet), fw::DialogResult::Ok);
        QVERIFY(checked);
        QCOMPARE(test.timer0.oks, 1);
        QCOMPARE(test.timer1.oks, 1);
        QCOMPARE(test.timer0.cancels, 0);
    }

    void sheetCancelAndEscapeCancel() {
        TestSheet test;
        WhenModal<SheetDialog>([](SheetDialog* dialog) {
            qobject_cast<QCheckBox*>(dialog->PageWidget(0)->WidgetFor("Enable Timer"))->click();
            dialog->CancelButton()->click();
        });
        QCOMPARE(platform.RunModal(test.sheet), fw::DialogResult::Cancel);
        QCOMPARE(test.timer0.cancels, 1);
        QCOMPARE(test.timer0.oks, 0);

        TestSheet again;
        WhenModal<SheetDialog>([](SheetDialog* dialog) { QTest::keyClick(dialog, Qt::Key_Escape); });
        QCOMPARE(platform.RunModal(again.sheet), fw::DialogResult::Cancel);
        QCOMPARE(again.timer0.cancels, 1);
    }

    void controlsDriveTheModelThroughUserActions() {
        TestSheet test;
        WhenModal<SheetDialog>([&](SheetDialog* dialog) {
            FormWidget* page = dialog->PageWidget(0);
            // A hex field upper-cases as it is typed, one change per key.
            auto* hex = qobject_cast<QLineEdit*>(page->WidgetFor("TH0 (hex):"));
            QVERIFY(hex);
            QTest::keyClicks(hex, "af");
            QCOMPARE(test.timer0.hex->Text(), std::string("AF"));
            QCOMPARE(hex->text(), QString("AF"));
            QCOMPARE(test.timer0.typed, (std::vector<std::string>{"A", "AF"}));
            QCOMPARE(hex->maxLength(), 2);

            // A list choice runs the handler, which changes a status text.
            qobject_cast<QCheckBox*>(page->WidgetFor("Enable Timer"))->click();
            auto* combo = qobject_cast<QComboBox*>(page->WidgetFor("Clock:"));
            combo->setFocus();
            QTest::keyClick(combo, Qt::Key_Down);
            QCOMPARE(test.timer0.list->Selected(), 1);
            QCOMPARE(qobject_cast<QLabel*>(page->WidgetFor(test.timer0.status))->text(), QString("Clock SYSCLK / 12"));

            // Radio buttons: the model keeps the group; a handler hides a control.
            auto* first = qobject_cast<QRadioButton*>(page->WidgetFor("Mode 0"));
            auto* second = qobject_cast<QRadioButton*>(page->WidgetFor("Mode 1"));
            first->click();
            QVERIFY(first->isChecked() && !second->isChecked());
            second->click();
            QVERIFY(second->isChecked());
            QVERIFY(first->isHidden());
            QVERIFY(test.timer0.second->IsChecked() && !test.timer0.first->IsChecked());
            dialog->reject();
        });
        platform.RunModal(test.sheet);
    }

    void aFieldCorrectedByItsHandlerShowsTheCorrection() {
        // Like the device pages' hex fields: a warning, then the text cut back.
        fw::PropertyPage page("Hex");
        auto& field = page.Root().Add<fw::EditField>("Initial Value:");
        field.SetHex();
        std::vector<std::string> warnings;
        field.onChange = [&] {
            std::string text = field.Text();
            if (text.size() > 2) {
                text.resize(2);
                fw::AfxGetApp()->Platform().MessageBox("Error: Exceeded Size For Initial Value.",
                                                       fw::MessageIcon::Warning, fw::MessageButtons::Ok);
                field.SetText(text);
            }
        };
        WhenModal<QMessageBox>([&](QMessageBox* box) {
            warnings.push_back(S(box->text()));
            box->button(QMessageBox::Ok)->click();
        });
        FormWidget form(page);
        form.show();
        auto* edit = qobject_cast<QLineEdit*>(form.WidgetFor("Initial Value:"));
        QTest::keyClicks(edit, "12");
        QTest::keyClick(edit, Qt::Key_3);  // the third digit: warned, cut back
        QCOMPARE(warnings, std::vector<std::string>{"Error: Exceeded Size For Initial Value."});
        QCOMPARE(field.Text(), std::string("12"));
        QCOMPARE(edit->text(), QString("12"));
        QCOMPARE(edit->cursorPosition(), 2);
    }

    void nestedSheetsAreNestedModalRuns() {
        TestSheet outer("Port I/O");
        TestSheet inner("Interrupts");
        fw::DialogResult innerResult = fw::DialogResult::Cancel;
        outer.timer0.openNested = [&] { innerResult = platform.RunModal(inner.sheet); };
        WhenModal<SheetDialog>([&](SheetDialog* dialog) {
            WhenModal<SheetDialog>([&](SheetDialog* nested) {
                QCOMPARE(nested->windowTitle(), QString("Interrupts"));
                QCOMPARE(nested->parentWidget(), dialog);
                qobject_cast<QCheckBox*>(nested->PageWidget(0)->WidgetFor("Enable Timer"))->click();
                nested->OkButton()->click();
            });
            qobject_cast<QPushButton*>(dialog->PageWidget(0)->WidgetFor("Configure More"))->click();
            QCOMPARE(innerResult, fw::DialogResult::Ok);
            dialog->CancelButton()->click();
        });
        QCOMPARE(platform.RunModal(outer.sheet), fw::DialogResult::Cancel);
        QVERIFY(inner.timer0.enable->IsChecked());
        QCOMPARE(inner.timer0.oks, 1);
        QCOMPARE(outer.timer0.cancels, 1);
    }

    void sheetThatRefusesToLeaveAPageStaysThere() {
        struct Stubborn : TestPage {
            using TestPage::TestPage;
            bool OnKillActive() override { return enable->IsChecked(); }
        };
        fw::PropertySheet sheet("Stubborn");
        Stubborn first("First");
        TestPage second("Second");
        sheet.AddPage(&first);
        sheet.AddPage(&second);
        WhenModal<SheetDialog>([&](SheetDialog* dialog) {
            dialog->Tabs()->setCurrentIndex(1);
            QCOMPARE(dialog->Tabs()->currentIndex(), 0);
            dialog->OkButton()->click();  // refused as well
            QVERIFY(dialog->isVisible());
            qobject_cast<QCheckBox*>(dialog->PageWidget(0)->WidgetFor("Enable Timer"))->click();
            dialog->OkButton()->click();
        });
        QCOMPARE(platform.RunModal(sheet), fw::DialogResult::Ok);
    }

    void gridSizesInTwipsAndCellColours() {
        fw::PropertyPage page("Priority Crossbar");
        auto& grid = page.Root().Add<fw::Grid>("table");
        grid.SetRows(3);
        grid.SetColumns(3);
        grid.fixedRows = 2;
        grid.fixedColumns = 1;
        grid.SetColumnWidth(0, 800);
        grid.SetColumnWidth(1, 350);
        grid.SetColumnWidth(2, 350);
        grid.SetColumnCentred(1);
        grid.SetText(1, 0, "Pin I/O");
        grid.SetText(0, 1, "P0");
        grid.SetBackground(2, 1, {234, 0, 0});
        grid.SetBackground(2, 2, {64, 128, 128});
        FormWidget form(page);
        auto* table = qobject_cast<QTableWidget*>(form.WidgetFor("table"));
        QVERIFY(table);
        const int dpi = table->logicalDpiX();
        QCOMPARE(table->columnWidth(0), (800 * dpi + 720) / 1440);
        QCOMPARE(table->columnWidth(1), (350 * dpi + 720) / 1440);
        QCOMPARE(table->width(), table->columnWidth(0) + 2 * table->columnWidth(1) + 1);
        QCOMPARE(table->item(1, 0)->text(), QString("Pin I/O"));
        QCOMPARE(table->item(0, 1)->textAlignment(), int(Qt::AlignCenter));
        QCOMPARE(table->item(2, 1)->background().color(), QColor(234, 0, 0));
        QCOMPARE(table->item(2, 2)->background().color(), QColor(64, 128, 128));
        // A redraw that clears the cells clears their colours.
        grid.Clear();
        form.Sync();
        QCOMPARE(table->item(2, 1)->background().style(), Qt::NoBrush);
    }

    void controlsSizedInTwipsLineUpWithAGridsCells() {
        // A grid of 4 rows (2 header rows) and 4 columns (1 header column), a
        // column of boxes beside its body rows and controls under its body
        // columns, as the crossbar page lays them out.
        constexpr int kRow = fw::Grid::kDefaultRowHeightTwips;
        fw::PropertyPage page("Aligned");
        auto& setup = page.Root().Add<fw::GroupBox>("Setup", fw::Container::Layout::Grid);
        auto& boxes = setup.AddAt<fw::Container>(0, 0, fw::Container::Layout::Column);
        boxes.tight = true;
        boxes.alignment = fw::Control::AlignRight | fw::Control::AlignTop;
        boxes.AddSpacer(0, 2 * kRow);
        auto& first = boxes.Add<fw::CheckBox>("First");
        first.heightTwips = kRow;
        auto& second = boxes.Add<fw::CheckBox>("");
        second.SetName("Second");
        second.heightTwips = kRow;
        auto& grid = setup.AddAt<fw::Grid>(0, 1, "table");
        grid.alignment = fw::Control::AlignLeft | fw::Control::AlignTop;
        grid.SetRows(4);
        grid.SetColumns(4);
        grid.SetColumnWidth(0, 800);
        for (int column = 1; column < 4; ++column) grid.SetColumnWidth(column, 350);
        auto& labels = setup.AddAt<fw::Container>(1, 0, fw::Container::Layout::Column);
        labels.tight = true;
        labels.alignment = fw::Control::AlignRight | fw::Control::AlignTop;
        auto& rowLabel = labels.Add<fw::StaticText>("A rather long row label -->");
        rowLabel.heightTwips = 390;
        auto& cells = setup.AddAt<fw::Container>(1, 1, fw::Container::Layout::Grid);
        cells.tight = true;
        cells.alignment = fw::Control::AlignLeft | fw::Control::AlignTop;
        cells.AddAt<fw::Container>(0, 0).widthTwips = 800;
        std::vector<fw::Control*> toggles;
        for (int column = 1; column < 4; ++column) {
            auto& toggle = cells.AddAt<fw::ToggleButton>(0, column, "D");
            toggle.SetName("Toggle " + std::to_string(column));
            toggle.widthTwips = 350;
            toggle.heightTwips = 390;
            toggles.push_back(&toggle);
        }
        // Wider than its column: it overhangs both neighbours, uncut, and
        // leaves the column as wide as the others.
        auto& wide = cells.AddAt<fw::StaticText>(1, 2, "WIDE TEXT");
        wide.SetName("Wide");
        wide.widthTwips = 350;

        FormWidget form(page);
        form.resize(form.sizeHint());
        form.show();
        QApplication::processEvents();
        auto* table = qobject_cast<QTableWidget*>(form.WidgetFor("table"));
        QVERIFY(table);
        auto rectOf = [&form](QWidget* widget) { return QRect(widget->mapTo(&form, QPoint(0, 0)), widget->size()); };
        const QRect tableRect = rectOf(table);
        auto rowRect = [&](int row) {
            int top = tableRect.top();
            for (int r = 0; r < row; ++r) top += table->rowHeight(r);
            return QRect(tableRect.left(), top, tableRect.width(), table->rowHeight(row));
        };
        auto columnRect = [&](int column) {
            int left = tableRect.left();
            for (int c = 0; c < column; ++c) left += table->columnWidth(c);
            return QRect(left, tableRect.top(), table->columnWidth(column), tableRect.height());
        };
        // Each box beside its row, and to the left of the table.
        const QRect firstBox = rectOf(form.WidgetFor("First"));
        const QRect secondBox = rectOf(form.WidgetFor("Second"));
        QCOMPARE(firstBox.center().y(), rowRect(2).center().y());
        QCOMPARE(secondBox.center().y(), rowRect(3).center().y());
        QVERIFY(firstBox.right() < tableRect.left());
        QVERIFY(tableRect.left() - firstBox.right() < 20);
        // Each toggle centred under its column.
        for (int column = 1; column < 4; ++column) {
            const QRect toggle = rectOf(form.WidgetFor("Toggle " + std::to_string(column)));
            QVERIFY2(std::abs(toggle.center().x() - columnRect(column).center().x()) <= 1,
                     qPrintable(QString("column %1").arg(column)));
            QVERIFY(toggle.width() <= columnRect(column).width());
        }
        auto* wideLabel = qobject_cast<QLabel*>(form.WidgetFor("Wide"));
        QVERIFY(wideLabel);
        const QRect wideRect = rectOf(wideLabel);
        QVERIFY(wideRect.width() >= wideLabel->sizeHint().width());
        QVERIFY(wideRect.width() > columnRect(2).width());
        QVERIFY(std::abs(wideRect.center().x() - columnRect(2).center().x()) <= 1);
        // The row label stands level with its row of toggles, to their left.
        const QRect label = rectOf(form.WidgetFor("A rather long row label -->"));
        QVERIFY(std::abs(label.center().y() - rectOf(form.WidgetFor("Toggle 1")).center().y()) <= 1);
        QVERIFY(label.right() < tableRect.left());
    }

    void controlsAddedByAHandlerAreBuilt() {
        fw::PropertyPage page("Growing");
        auto& column = page.Root().AddColumn();
        auto& more = page.Root().Add<fw::PushButton>("More");
        int added = 0;
        more.onChange = [&] { column.Add<fw::CheckBox>("Extra " + std::to_string(++added)); };
        FormWidget form(page);
        QVERIFY(!form.WidgetFor("Extra 1"));
        qobject_cast<QPushButton*>(form.WidgetFor("More"))->click();
        QVERIFY(qobject_cast<QCheckBox*>(form.WidgetFor("Extra 1")));
        // The rebuilt widgets still reach the model.
        qobject_cast<QPushButton*>(form.WidgetFor("More"))->click();
        QVERIFY(qobject_cast<QCheckBox*>(form.WidgetFor("Extra 2")));
        QCOMPARE(added, 2);
    }

    void dialogsHaveTheirOwnButtons() {
        struct Calculator : fw::Dialog {
            Calculator() : fw::Dialog("Baud Rate Calculator") {
                value = &Root().Add<fw::EditField>("Baud rate:");
                slider = &Root().Add<fw::Slider>("Error:");
                slider->SetRange(0, 10);
                slider->onChange = [this] { value->SetText(std::to_string(slider->Value())); };
            }
            bool OnOK() override { return !value->Text().empty(); }
            fw::EditField* value;
            fw::Slider* slider;
        } dialog;
        dialog.okCaption = "Set";
        WhenModal<FormDialog>([&](FormDialog* shown) {
            QCOMPARE(shown->windowTitle(), QString("Baud Rate Calculator"));
            QCOMPARE(shown->OkButton()->text(), QString("&Set"));
            QCOMPARE(shown->CancelButton()->text(), QString("&Cancel"));
            shown->OkButton()->click();  // refused: empty value
            QVERIFY(shown->isVisible());
            auto* slider = qobject_cast<QSlider*>(shown->Form()->WidgetFor("Error:"));
            slider->setFocus();
            QTest::keyClick(slider, Qt::Key_Right);
            QCOMPARE(dialog.slider->Value(), 1);
            QCOMPARE(qobject_cast<QLineEdit*>(shown->Form()->WidgetFor("Baud rate:"))->text(), QString("1"));
            shown->OkButton()->click();
        });
        QCOMPARE(platform.RunModal(dialog), fw::DialogResult::Ok);
    }

    // ---- Message boxes, help, printing -------------------------------------------------

    void messageBoxesHaveAnEmptyTitleAndTheGivenButtons() {
        WhenModal<QMessageBox>([](QMessageBox* box) {
            QCOMPARE(box->windowTitle(), QString());
            QCOMPARE(box->text(), QString("Reset all peripheral data to default?"));
            QCOMPARE(box->icon(), QMessageBox::Question);
            QCOMPARE(box->standardButtons(), QMessageBox::Yes | QMessageBox::No);
            box->button(QMessageBox::No)->click();
        });
        QCOMPARE(platform.MessageBox("Reset all peripheral data to default?", fw::MessageIcon::Question,
                                     fw::MessageButtons::YesNo),
                 fw::DialogResult::No);
        WhenModal<QMessageBox>([](QMessageBox* box) {
            QCOMPARE(box->icon(), QMessageBox::Warning);
            QCOMPARE(box->standardButtons(), QMessageBox::Ok);
            box->button(QMessageBox::Ok)->click();
        });
        QCOMPARE(platform.MessageBox("Error: Invalid HEX Character.", fw::MessageIcon::Warning, fw::MessageButtons::Ok),
                 fw::DialogResult::Ok);
    }

    void missingFileCannotBeOpened() {
        QVERIFY(!platform.OpenWithDefaultApplication(S(TempPath("no-such-guide.html"))));
        QVERIFY(!platform.OpenWithDefaultApplication(""));
    }

    void pluginFailuresAreReportedNotFatal() {
        std::string said;
        platform.messageHook = [&](const std::string& text, fw::MessageIcon icon, fw::MessageButtons) {
            said = text;
            return icon == fw::MessageIcon::Warning ? fw::DialogResult::Ok : fw::DialogResult::Cancel;
        };
        window->ReportPluginErrors({"/plugins/Broken.so: undefined symbol"});
        QVERIFY(QString::fromStdString(said).contains("Broken.so: undefined symbol"));
        // Everything loaded and nothing failed: nothing to say.
        said.clear();
        window->ReportPluginErrors({});
        QVERIFY(said.empty());
        QVERIFY(window->NewProject(Model("QK740")));
    }

    void printsEveryPageOnTheChosenPrinter() {
        fw::PrintRequest request;
        request.documentName = "Regsmith";
        for (int i = 0; i < 200; ++i) request.text += "    TMOD      = 0x01;  // line " + std::to_string(i) + "\r\n";
        request.colours.push_back({26, 10, {0, 170, 0}});
        const QString pdf = TempPath("printed.pdf");
        platform.printDialogHook = [&](QPrinter& printer) {
            printer.setOutputFormat(QPrinter::PdfFormat);  // "Print to PDF" needs no printer
            printer.setOutputFileName(pdf);
            return true;
        };
        QCOMPARE(platform.Print(request), fw::PrintResult::Printed);
        QFile file(pdf);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        const int pages = static_cast<int>(bytes.count("/Type /Page\n") + bytes.count("/Type /Page\r") +
                                           bytes.count("/Type /Page "));
        QVERIFY2(pages >= 3, qPrintable(QString("pages: %1").arg(pages)));

        // An empty text prints one empty page; Cancel in the dialog prints nothing.
        QFile::remove(pdf);
        request.text.clear();
        request.colours.clear();
        QCOMPARE(platform.Print(request), fw::PrintResult::Printed);
        QVERIFY(QFile::exists(pdf));
        platform.printDialogHook = [](QPrinter&) { return false; };
        QCOMPARE(platform.Print(request), fw::PrintResult::Cancelled);
    }
};

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    HostTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "host_test.moc"

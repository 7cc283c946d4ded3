// Tests of what keeps the user's work in the desktop program, on Qt's
// offscreen platform: undo and redo through the Edit menu, crash recovery
// files (with a real process killed mid-work), a project file changed by
// another program, and recent files that went missing.

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QMdiSubWindow>
#include <QMenu>
#include <QProcess>
#include <QPushButton>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <cstdio>
#include <map>
#include <memory>

#include "fw/app.h"
#include "fw/document.h"
#include "fw/plugin_loader.h"
#include "host/code_view.h"
#include "host/form_renderer.h"
#include "host/main_window.h"
#include "host/qt_platform.h"
#include "host/recovery.h"
#include "host/text.h"
#include "host/undo_history.h"
#include "tests/host/host_fixture.h"

using namespace regsmith::host;

namespace {

QStringList RecoveryFiles(const QString& folder) {
    return QDir(folder).entryList({"session-*.json"}, QDir::Files, QDir::Name);
}

// The child of the crash test: opens PROJECT, switches it to assembly (an
// unsaved change, so a recovery file is written into FOLDER), says "ready"
// and waits to be killed.
int RunCrashChild(const QString& folder, const QString& project) {
    fw::CWinApp app;
    QtPlatform platform;
    app.SetPlatform(&platform);
    fw::LoadPlugins(REGSMITH_PLUGIN_DIR);
    MainWindow window(app, platform);
    window.show();
    if (!window.EnableRecovery(folder) || !window.OpenProject(S(project))) return 2;
    window.RunCommand(MenuCommand(app, "Asm", "Options"));
    std::printf("ready\n");
    std::fflush(stdout);
    return QApplication::exec();
}

}  // namespace

class WorkTest : public QObject, public HostFixture {
    Q_OBJECT

public:
    std::vector<std::string> asked;             // every message box's text
    fw::DialogResult answer = fw::DialogResult::Yes;
    bool acceptSheet = true;

    // The state of a new QK750 project switched to assembly.
    std::string AssemblyState() {
        Project* project = window->NewProject(Model("QK750"));
        window->RunCommand(Command("Asm", "Options"));
        const std::string state = project->open.document->SaveState();
        project->open.document->SetModifiedFlag(false);
        window->CloseProject(*project);
        return state;
    }

    // A saved QK750 project at `name`, opened.
    Project* OpenSavedProject(const QString& name) {
        fw::OpenDocument created = Model("QK750").CreateNewDocument();
        WriteFile(TempPath(name), created.document->SaveState());
        return window->OpenProject(S(TempPath(name)));
    }

private slots:
    void initTestCase() { StartApp(); }
    void init() {
        asked.clear();
        answer = fw::DialogResult::Yes;
        acceptSheet = true;
        platform.messageHook = [this](const std::string& text, fw::MessageIcon, fw::MessageButtons) {
            asked.push_back(text);
            return answer;
        };
        // The Interrupts sheet: tick "Enable /INT0 Interrupt", then OK or Cancel.
        platform.sheetHook = [this](SheetDialog& dialog) {
            qobject_cast<QCheckBox*>(dialog.PageWidget(0)->WidgetFor("Enable /INT0 Interrupt"))->click();
            (acceptSheet ? dialog.OkButton() : dialog.CancelButton())->click();
        };
        OpenWindow();
    }
    void cleanup() { CloseWindow(); }

    // ---- Undo and redo -------------------------------------------------------------

    void undoHistoryKeepsStepsAndTheSavedState() {
        UndoHistory history(3);
        history.Reset("a");
        QVERIFY(!history.CanUndo() && !history.CanRedo());
        QVERIFY(history.IsSaved("a"));
        QVERIFY(!history.Record("same", "a"));  // no change, no step
        QVERIFY(history.Record("to b", "b"));
        QVERIFY(history.Record("to c", "c"));
        QCOMPARE(history.UndoLabel(), std::string("to c"));
        QCOMPARE(history.Undo(), std::string("b"));
        QCOMPARE(history.RedoLabel(), std::string("to c"));
        QCOMPARE(history.Undo(), std::string("a"));
        QCOMPARE(history.Undo(), std::string("a"));  // nothing further back
        QCOMPARE(history.Redo(), std::string("b"));
        // A new change drops what could be redone.
        QVERIFY(history.Record("to d", "d"));
        QVERIFY(!history.CanRedo());
        QCOMPARE(history.StepCount(), std::size_t{2});
        // Only the last three steps are kept.
        history.Record("to e", "e");
        history.Record("to f", "f");
        QCOMPARE(history.StepCount(), std::size_t{3});
        history.Undo();
        history.Undo();
        QCOMPARE(history.Undo(), std::string("b"));
        QVERIFY(!history.CanUndo());
        history.MarkSaved("e");
        QVERIFY(history.IsSaved("e") && !history.IsSaved("b"));
        history.ForgetSaved();
        QVERIFY(!history.IsSaved("e"));
    }

    void undoAndRedoFollowEveryChangeOfTheProject() {
        Project* project = OpenSavedProject("undo.rsg");
        QVERIFY(project);
        fw::CDocument& document = *project->open.document;
        QMenu* edit = window->MenuNamed("Edit");
        QVERIFY(edit);
        QCOMPARE(window->ActionFor(fw::ID_EDIT_UNDO)->shortcut(), QKeySequence("Ctrl+Z"));
        QCOMPARE(window->ActionFor(fw::ID_EDIT_REDO)->shortcut(), QKeySequence("Ctrl+Shift+Z"));

        // Each row: what the user does, the state the project is then in
        // (named; the bytes and the code window's text are those seen the
        // first time that name came up), whether it has unsaved changes, and
        // the Edit menu's texts.
        struct Row {
            const char* action;
            const char* state;
            bool modified;
            const char* undo;
            const char* redo;
        };
        const Row rows[] = {
            {"nothing", "file", false, "&Undo", "&Redo"},
            {"cancel sheet", "file", false, "&Undo", "&Redo"},
            {"sheet", "int0", true, "&Undo Interrupts", "&Redo"},
            {"asm", "int0 asm", true, "&Undo Code Format: Asm", "&Redo"},
            {"asm", "int0 asm", true, "&Undo Code Format: Asm", "&Redo"},  // already: no step
            {"reset all, no", "int0 asm", true, "&Undo Code Format: Asm", "&Redo"},
            {"reset all, yes", "reset asm", true, "&Undo Reset All", "&Redo"},
            {"undo", "int0 asm", true, "&Undo Code Format: Asm", "&Redo Reset All"},
            {"undo", "int0", true, "&Undo Interrupts", "&Redo Code Format: Asm"},
            {"undo", "file", false, "&Undo", "&Redo Interrupts"},  // back at the file: nothing to save
            {"undo", "file", false, "&Undo", "&Redo Interrupts"},  // nothing further back
            {"redo", "int0", true, "&Undo Interrupts", "&Redo Code Format: Asm"},
            {"save", "int0", false, "&Undo Interrupts", "&Redo Code Format: Asm"},
            {"undo", "file", true, "&Undo", "&Redo Interrupts"},  // now differs from the file
            {"redo", "int0", false, "&Undo Interrupts", "&Redo Code Format: Asm"},
            {"reset all, yes", "reset c", true, "&Undo Reset All", "&Redo"},  // drops the redo step
            {"undo", "int0", false, "&Undo Interrupts", "&Redo Reset All"},
        };
        std::map<std::string, std::pair<std::string, std::string>> seen;  // name -> state, code text
        for (const Row& row : rows) {
            const std::string action = row.action;
            answer = action == "reset all, no" ? fw::DialogResult::No : fw::DialogResult::Yes;
            acceptSheet = action != "cancel sheet";
            if (action == "sheet" || action == "cancel sheet") window->RunCommand(Command("Interrupts", "Peripherals"));
            if (action == "asm") window->RunCommand(Command("Asm", "Options"));
            if (action.rfind("reset all", 0) == 0) window->RunCommand(Command("Reset All", "Peripherals"));
            if (action == "undo") window->ActionFor(fw::ID_EDIT_UNDO)->trigger();
            if (action == "redo") window->ActionFor(fw::ID_EDIT_REDO)->trigger();
            if (action == "save") window->RunCommand(fw::ID_FILE_SAVE);
            emit edit->aboutToShow();

            const QString where = QString("%1 -> %2").arg(row.action, row.state);
            const std::string state = document.SaveState();
            const std::string& text = project->open.view->GetText();
            auto [known, added] = seen.try_emplace(row.state, state, text);
            QVERIFY2(added || known->second.first == state, qPrintable(where));
            QVERIFY2(added || known->second.second == text, qPrintable(where));
            QVERIFY2(document.IsModified() == row.modified, qPrintable(where));
            QVERIFY2(project->window->isWindowModified() == row.modified, qPrintable(where));
            QCOMPARE(window->ActionFor(fw::ID_EDIT_UNDO)->text(), QString(row.undo));
            QCOMPARE(window->ActionFor(fw::ID_EDIT_REDO)->text(), QString(row.redo));
            QCOMPARE(window->ActionFor(fw::ID_EDIT_UNDO)->isEnabled(), QString(row.undo) != "&Undo");
            QCOMPARE(project->codeView->toPlainText(), Q(text).remove('\r'));
        }
        // The states differ where they should: the sheet's line, the format, Reset All.
        QVERIFY(seen["int0"].second.find("IE        = 0x01;") != std::string::npos);
        QVERIFY(seen["file"].second.find("IE        = 0x01;") == std::string::npos);
        QVERIFY(seen["int0 asm"].second.find("mov  IE,") != std::string::npos);
        QVERIFY(seen["reset asm"].second.find("IE,") == std::string::npos);
        QCOMPARE(ReadFile(TempPath("undo.rsg")), seen["int0"].first);  // what Save wrote
    }

    void undoTakesBackChangesMadeOutsideTheMenusWholly() {
        // A change of any part of the document, here the clock words, made
        // without a command: the next command's step starts after it, and
        // Undo takes it back as a step of its own.
        Project* project = window->NewProject(Model("QK750"));
        fw::CDocument& document = *project->open.document;
        const std::string original = document.SaveState();
        std::string changed = original;
        changed[9] = '\x11';  // the low byte of SYSCLK, after the device id and format numbers
        std::string error;
        QVERIFY(document.RestoreState(changed, error));
        QCOMPARE(document.SaveState(), changed);
        window->RunCommand(Command("Asm", "Options"));
        window->RunCommand(fw::ID_EDIT_UNDO);
        QCOMPARE(document.SaveState(), changed);
        window->RunCommand(fw::ID_EDIT_UNDO);
        QCOMPARE(document.SaveState(), original);
        QVERIFY(!document.IsModified());

        // A state that cannot be read leaves the document as it was.
        QVERIFY(!document.RestoreState(original.substr(0, 20), error));
        QVERIFY(!error.empty());
        QCOMPARE(document.SaveState(), original);
    }

    void keysUndoAndRedoInTheCodeWindow() {
        // The read-only code window has the focus and leaves the keys to the menu.
        Project* project = window->NewProject(Model("QK750"));
        const std::string c = project->open.view->GetText();
        window->RunCommand(Command("Asm", "Options"));
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        project->codeView->setFocus();
        QTest::keyClick(project->codeView, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(project->open.view->GetText(), c);
        QTest::keyClick(project->codeView, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        QVERIFY(project->open.view->GetText() != c);
    }

    void eachProjectHasItsOwnSteps() {
        Project* first = window->NewProject(Model("QK750"));
        Project* second = window->NewProject(Model("QK740"));
        window->RunCommand(Command("Asm", "Options"));
        QVERIFY(window->CommandStateOf(fw::ID_EDIT_UNDO).enabled);
        window->ActivateProject(*first);
        QVERIFY(!window->CommandStateOf(fw::ID_EDIT_UNDO).enabled);
        window->RunCommand(fw::ID_EDIT_UNDO);  // disabled: nothing happens
        QVERIFY(second->open.view->GetText().find("Init_Device:") != std::string::npos);
        window->ActivateProject(*second);
        window->RunCommand(fw::ID_EDIT_UNDO);
        QVERIFY(second->open.view->GetText().find("Init_Device:") == std::string::npos);
        QVERIFY(window->CommandStateOf(fw::ID_EDIT_REDO).enabled);
    }

    // ---- Crash recovery --------------------------------------------------------------

    void recoveryRecordsReadBackAndDamagedOnesAreRefused() {
        RecoveryRecord record;
        record.model = "QK750";
        record.path = "/home/user/board.rsg";
        record.title = "board.rsg";
        record.written = QDateTime::fromMSecsSinceEpoch(1700000000123);
        record.state = std::string("\xD0\x01\x00\x00\x00\x51\0\r\n\xff", 10);
        RecoveryRecord read;
        QString error;
        QVERIFY(DecodeRecord(EncodeRecord(record), read, error));
        QCOMPARE(read.model, record.model);
        QCOMPARE(read.path, record.path);
        QCOMPARE(read.title, record.title);
        QCOMPARE(read.written, record.written);
        QCOMPARE(read.state, record.state);
        const char* const damaged[] = {
            "", "not json", "[1, 2]", "{\"format\": 2, \"state\": \"\"}", "{\"format\": 1}",
            "{\"format\": 1, \"state\": \"#not base64#\"}",
        };
        for (const char* bytes : damaged) QVERIFY2(!DecodeRecord(bytes, read, error), bytes);
    }

    void recoveryFileFollowsUnsavedChanges() {
        const QString folder = TempPath("state-follow");
        QVERIFY(window->EnableRecovery(folder));
        QCOMPARE(QFileInfo(folder).permissions() & (QFile::ReadGroup | QFile::ReadOther), QFile::Permissions());
        Project* project = OpenSavedProject("follow.rsg");
        const std::string onDisk = ReadFile(TempPath("follow.rsg"));
        QVERIFY(RecoveryFiles(folder).isEmpty());  // nothing unsaved

        window->RunCommand(Command("Interrupts", "Peripherals"));  // an accepted sheet writes at once
        QCOMPARE(RecoveryFiles(folder).size(), 1);
        const QString file = folder + "/" + RecoveryFiles(folder).front();
        RecoveryRecord record;
        QString error;
        QVERIFY(DecodeRecord(QByteArray::fromStdString(ReadFile(file)), record, error));
        QCOMPARE(record.state, project->open.document->SaveState());
        QCOMPARE(record.path, S(TempPath("follow.rsg")));
        // The template the project was made with: opened projects share the first one.
        QCOMPARE(record.model, project->docTemplate->GetDocString(fw::CDocTemplate::fileNewName));
        QCOMPARE(ReadFile(TempPath("follow.rsg")), onDisk);  // the user's file is untouched

        // A change no command made reaches the file with the timer's write.
        std::string changed = project->open.document->SaveState();
        changed[9] = '\x22';
        std::string restoreError;
        QVERIFY(project->open.document->RestoreState(changed, restoreError));
        window->WriteRecoveryFiles();
        QVERIFY(DecodeRecord(QByteArray::fromStdString(ReadFile(file)), record, error));
        QCOMPARE(record.state, changed);

        // Undo back to the file's state, a save and a close each remove it.
        window->RunCommand(fw::ID_EDIT_UNDO);
        window->RunCommand(fw::ID_EDIT_UNDO);
        QVERIFY(!project->open.document->IsModified());
        QVERIFY(RecoveryFiles(folder).isEmpty());
        window->RunCommand(Command("Asm", "Options"));
        QCOMPARE(RecoveryFiles(folder).size(), 1);
        window->RunCommand(fw::ID_FILE_SAVE);
        QVERIFY(RecoveryFiles(folder).isEmpty());
        window->RunCommand(Command("C", "Options"));
        QCOMPARE(RecoveryFiles(folder).size(), 1);
        answer = fw::DialogResult::No;  // close without saving
        window->RunCommand(fw::ID_FILE_CLOSE);
        QVERIFY(window->Projects().empty());
        QVERIFY(RecoveryFiles(folder).isEmpty());
    }

    void crashedSessionIsOfferedAtTheNextStart() {
        const QString folder = TempPath("state-crash");
        const QString path = TempPath("crash.rsg");
        {
            fw::OpenDocument created = Model("QK754").CreateNewDocument();
            WriteFile(path, created.document->SaveState());
        }
        const std::string onDisk = ReadFile(path);
        QProcess child;
        child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        child.start(QCoreApplication::applicationFilePath(), {"--crash-child", folder, path});
        QVERIFY(child.waitForReadyRead(20000));
        QCOMPARE(child.readLine().trimmed(), QByteArray("ready"));
        QCOMPARE(RecoveryFiles(folder).size(), 1);
        child.kill();  // SIGKILL: no chance to clean up
        QVERIFY(child.waitForFinished(10000));
        QCOMPARE(ReadFile(path), onDisk);

        QVERIFY(window->EnableRecovery(folder));
        window->OfferRecovery();
        QCOMPARE(asked.size(), std::size_t{1});
        QVERIFY2(Q(asked.front()).startsWith("Regsmith did not close normally."), asked.front().c_str());
        QVERIFY2(Q(asked.front()).contains("crash.rsg (" + path + ")"), asked.front().c_str());
        QCOMPARE(window->Projects().size(), std::size_t{1});
        Project* project = window->Projects().front().get();
        QCOMPARE(project->open.document->GetPathName(), S(path));
        QCOMPARE(project->window->windowTitle(), QString("crash.rsg - QK754[*]"));
        QVERIFY(project->open.document->IsModified());
        QVERIFY(project->open.view->GetText().find("Init_Device:") != std::string::npos);  // the child's Asm
        // The crashed session's file is gone; this session keeps its own.
        const QStringList files = RecoveryFiles(folder);
        QCOMPARE(files.size(), 1);
        QVERIFY(files.front().startsWith(QString("session-%1-").arg(QCoreApplication::applicationPid())));
        QVERIFY(QDir(folder).entryList({"*.lock"}, QDir::Files).size() == 1);  // this session's only

        // Saving writes the user's file and removes the recovery file.
        window->RunCommand(fw::ID_FILE_SAVE);
        QVERIFY(!project->open.document->IsModified());
        QVERIFY(RecoveryFiles(folder).isEmpty());
        QCOMPARE(ReadFile(path), project->open.document->SaveState());
    }

    void recoveryOfferAnswers() {
        // A session that left files and whose program is gone (no lock held):
        // Cancel keeps its files for later, No discards them; a running
        // session's files are never offered.
        const QString folder = TempPath("state-answers");
        QVERIFY(QDir().mkpath(folder));
        RecoveryRecord record;
        record.model = "QK741";
        record.title = "QK741";
        record.written = QDateTime::currentDateTime();
        record.state = Model("QK741").CreateNewDocument().document->SaveState();
        const QString orphan = folder + "/session-1-2-1.json";
        WriteFile(orphan, EncodeRecord(record).toStdString());
        WriteFile(folder + "/session-1-2-2.json", "damaged");
        // A temporary file of a write the crash interrupted.
        const QString leftover = folder + "/" + Q(fw::AtomicWriteTemporaryName("session-1-2-3.json", "Ab12Cd"));
        WriteFile(leftover, "an interrupted write");

        RecoveryStore running(folder);
        QString error;
        QVERIFY(running.Start(error));
        QString runningFile;
        QVERIFY(running.Write(runningFile, record, error));

        QVERIFY(window->EnableRecovery(folder));
        answer = fw::DialogResult::Cancel;
        window->OfferRecovery();
        QCOMPARE(asked.size(), std::size_t{1});
        QVERIFY2(Q(asked.front()).contains("QK741 (never saved)"), asked.front().c_str());
        QVERIFY(!Q(asked.front()).contains("damaged"));
        QVERIFY(window->Projects().empty());
        QVERIFY(QFile::exists(orphan));

        answer = fw::DialogResult::No;
        window->OfferRecovery();
        QCOMPARE(asked.size(), std::size_t{2});
        QVERIFY(!QFile::exists(orphan));
        QVERIFY(!QFile::exists(folder + "/session-1-2-2.json"));
        QVERIFY(!QFile::exists(leftover));
        QVERIFY(QFile::exists(runningFile));
        window->OfferRecovery();  // nothing left to offer
        QCOMPARE(asked.size(), std::size_t{2});
    }

    void unusableRecoveryFolderIsReportedNotFatal() {
        WriteFile(TempPath("a-file"), "x");
        QVERIFY(!window->EnableRecovery(TempPath("a-file/recovery")));
        QVERIFY(window->statusBar()->currentMessage().startsWith("Crash recovery is off"));
        QVERIFY(!window->Recovery());
        window->NewProject(Model("QK750"));
        window->RunCommand(Command("Asm", "Options"));  // works as before
        QVERIFY(window->CommandStateOf(fw::ID_EDIT_UNDO).enabled);
    }

    void defaultFolderFollowsTheStateHome() {
        const QByteArray saved = qgetenv("XDG_STATE_HOME");
        qputenv("XDG_STATE_HOME", "/tmp/state-home");
        QCOMPARE(RecoveryStore::DefaultFolder(), QString("/tmp/state-home/regsmith/recovery"));
        qputenv("XDG_STATE_HOME", "relative/is/ignored");
        QCOMPARE(RecoveryStore::DefaultFolder(), QDir::homePath() + "/.local/state/regsmith/recovery");
        qunsetenv("XDG_STATE_HOME");
        QCOMPARE(RecoveryStore::DefaultFolder(), QDir::homePath() + "/.local/state/regsmith/recovery");
        if (!saved.isNull()) qputenv("XDG_STATE_HOME", saved);
    }

    // ---- The project's file changed by another program --------------------------------

    void fileChangedOnDiskIsOfferedForReload() {
        Project* project = OpenSavedProject("disk.rsg");
        const QString path = TempPath("disk.rsg");
        fw::CDocument& document = *project->open.document;
        const std::string original = document.SaveState();
        window->CheckFilesOnDisk();
        QVERIFY(asked.empty());

        // Another program writes the assembly version of the project.
        const std::string assembly = AssemblyState();
        window->ActivateProject(*project);
        WriteFile(path, assembly);
        answer = fw::DialogResult::No;
        window->CheckFilesOnDisk();
        QCOMPARE(asked.size(), std::size_t{1});
        QCOMPARE(asked.back(), S(path) + " has been changed by another program.\nReload it?");
        QCOMPARE(document.SaveState(), original);
        QVERIFY(document.IsModified());  // kept as it is here: it now differs from the file
        window->CheckFilesOnDisk();
        QCOMPARE(asked.size(), std::size_t{1});  // asked once per version of the file

        // The same bytes written again (a checkout of the same commit): no question.
        WriteFile(path, assembly);
        window->CheckFilesOnDisk();
        QCOMPARE(asked.size(), std::size_t{1});

        // An unsaved change here, then the file changes again: Yes reloads it
        // as one step that Undo takes back.
        window->RunCommand(Command("Interrupts", "Peripherals"));
        const std::string withChange = document.SaveState();
        WriteFile(path, original);
        answer = fw::DialogResult::Yes;
        window->CheckFilesOnDisk();
        QCOMPARE(asked.size(), std::size_t{2});
        QVERIFY2(Q(asked.back()).endsWith("Edit > Undo brings them back after the reload."), asked.back().c_str());
        QCOMPARE(document.SaveState(), original);
        QVERIFY(!document.IsModified());
        QCOMPARE(project->open.view->GetText(), Model("QK750").OpenDocumentFile(S(path)).view->GetText());
        QCOMPARE(window->ActionFor(fw::ID_EDIT_UNDO)->text(), QString("&Undo Reload"));
        window->RunCommand(fw::ID_EDIT_UNDO);
        QCOMPARE(document.SaveState(), withChange);
        QVERIFY(document.IsModified());

        // Our own save is no change by another program.
        window->RunCommand(fw::ID_FILE_SAVE);
        window->CheckFilesOnDisk();
        QCOMPARE(asked.size(), std::size_t{2});
    }

    void damagedOrRemovedFileOnDiskLosesNothing() {
        Project* project = OpenSavedProject("gone.rsg");
        const QString path = TempPath("gone.rsg");
        fw::CDocument& document = *project->open.document;
        const std::string original = document.SaveState();

        WriteFile(path, original.substr(0, 30));  // half-written by another program
        answer = fw::DialogResult::Yes;
        window->CheckFilesOnDisk();
        QCOMPARE(asked.size(), std::size_t{2});  // the question, then why the reload failed
        QVERIFY2(Q(asked.back()).startsWith("Error: Could not read " + path + ": "), asked.back().c_str());
        QCOMPARE(document.SaveState(), original);
        QVERIFY(document.IsModified());

        QVERIFY(QFile::remove(path));
        window->CheckFilesOnDisk();
        QCOMPARE(asked.size(), std::size_t{3});
        QCOMPARE(asked.back(), S(path) +
                                   " has been deleted or moved by another program.\n"
                                   "The project stays open here; save it to keep it.");
        QVERIFY(document.IsModified());
        window->CheckFilesOnDisk();
        QCOMPARE(asked.size(), std::size_t{3});
        // Saved again, it is watched again.
        window->RunCommand(fw::ID_FILE_SAVE);
        QCOMPARE(ReadFile(path), original);
        window->CheckFilesOnDisk();
        QCOMPARE(asked.size(), std::size_t{3});
    }

    // A project of no known model (device id 0xE0) is refused with the id
    // and the known range, its file untouched; nor does a reload turn an open
    // project into one.
    void projectOfAnUnknownModelIsNeverOpenedForEditing() {
        std::string bytes = Model("QK750").CreateNewDocument().document->SaveState();
        bytes[0] = '\xE0';
        const QString path = TempPath("unknown.rsg");
        WriteFile(path, bytes);
        QVERIFY(!window->OpenProject(S(path)));
        QCOMPARE(asked, std::vector<std::string>{"Error: " + S(path) +
                                                 " is a project of an unknown model: its device id 0xE0 is no QK74x_75x "
                                                 "model (0xD0-0xDB), so it cannot be opened for editing. The file was "
                                                 "not changed."});
        QCOMPARE(ReadFile(path), bytes);

        Project* project = OpenSavedProject("becomes-unknown.rsg");
        const std::string original = project->open.document->SaveState();
        WriteFile(TempPath("becomes-unknown.rsg"), bytes);
        window->CheckFilesOnDisk();
        QCOMPARE(asked.size(), std::size_t{3});  // the refusal, the reload question, why it failed
        QVERIFY2(asked.back().ends_with(": device id 0xE0 is no QK74x_75x model (0xD0-0xDB); a project of an "
                                        "unknown model cannot be edited"),
                 asked.back().c_str());
        QCOMPARE(project->open.document->SaveState(), original);
    }

    void activatingTheWindowLooksAtTheFiles() {
        OpenSavedProject("activate.rsg");
        WriteFile(TempPath("activate.rsg"), "changed by another program");
        answer = fw::DialogResult::No;
        QWidget other;
        other.show();
        other.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&other));
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        QTRY_COMPARE(asked.size(), std::size_t{1});
        QVERIFY(Q(asked.front()).contains("activate.rsg has been changed by another program."));
    }

    // ---- Recent files ------------------------------------------------------------------

    void missingRecentFilesAreGreyedAndCanBeRemoved() {
        OpenSavedProject("kept.rsg");
        OpenSavedProject("lost.rsg");
        window->RunCommand(fw::ID_FILE_CLOSE);
        QVERIFY(QFile::remove(TempPath("lost.rsg")));
        QMenu* file = window->MenuNamed("File");
        emit file->aboutToShow();
        QAction* lost = nullptr;
        QAction* kept = nullptr;
        QAction* remove = nullptr;
        for (QAction* action : file->actions()) {
            if (action->text() == "&1 " + TempPath("lost.rsg")) lost = action;
            if (action->text() == "&2 " + TempPath("kept.rsg")) kept = action;
            if (action->text() == "Remove &Missing Files from List") remove = action;
        }
        QVERIFY(lost && kept && remove);
        QVERIFY(!lost->isEnabled());
        QVERIFY(kept->isEnabled());
        remove->trigger();
        QCOMPARE(app.GetRecentFiles().front(), S(TempPath("kept.rsg")));
        for (const std::string& path : app.GetRecentFiles()) QVERIFY(path != S(TempPath("lost.rsg")));
        emit file->aboutToShow();
        for (QAction* action : file->actions()) QVERIFY(action->text() != "Remove &Missing Files from List");
    }
};

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    if (argc == 4 && QByteArray(argv[1]) == "--crash-child") return RunCrashChild(argv[2], argv[3]);
    WorkTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "work_test.moc"

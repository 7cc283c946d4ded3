// The main window's part that keeps the user's work: undo and redo of every
// change a command makes, crash recovery files, and noticing a project file
// that another program changed.  Every change is taken as whole document
// states (fw::CDocument::SaveState), so this works for any sheet, whatever
// its pages do.

#include <QApplication>
#include <QDateTime>
#include <QEvent>
#include <QFileInfo>
#include <QStatusBar>
#include <QTimer>

#include <algorithm>

#include "host/main_window.h"
#include "host/overview_docks.h"
#include "host/qt_platform.h"
#include "host/text.h"

namespace regsmith::host {

namespace {

constexpr int kRecoveryIntervalMs = 30 * 1000;

// The name of the step a command makes: its menu text without marks and
// dots, after its submenu's name where it sits in one ("Code Format: Asm").
bool FindLabel(const std::vector<fw::MenuItem>& items, int id, const std::string& parent, bool topLevel,
               std::string& label) {
    for (const fw::MenuItem& item : items) {
        if (!item.submenu.empty()) {
            if (FindLabel(item.submenu, id, topLevel ? std::string() : fw::StripAccelerator(item.text), false, label))
                return true;
            continue;
        }
        if (item.id != id || item.separator) continue;
        std::string text = fw::StripAccelerator(item.text);
        while (!text.empty() && text.back() == '.') text.pop_back();
        label = parent.empty() ? text : parent + ": " + text;
        return true;
    }
    return false;
}

}  // namespace

bool MainWindow::HasProject(const Project* project) const {
    return std::any_of(projects_.begin(), projects_.end(), [&](const auto& p) { return p.get() == project; });
}

std::string MainWindow::CommandLabel(int id) const {
    std::string label;
    if (menuTemplate_ && FindLabel(menuTemplate_->GetMenu(), id, {}, true, label)) return label;
    return "Change";
}

// ---- Undo and redo ---------------------------------------------------------------

void MainWindow::StartTracking(Project& project) {
    project.history.Reset(project.open.document->SaveState());
    const std::string& path = project.open.document->GetPathName();
    project.disk = path.empty() ? FileStamp{} : FileStamp::Take(path);
}

void MainWindow::TakeInUntrackedChange(Project& project) {
    project.history.Record("Change", project.open.document->SaveState());
}

void MainWindow::TrackChange(Project& project, int id, const std::function<void()>& command) {
    TakeInUntrackedChange(project);
    command();
    if (!HasProject(&project)) return;
    const std::string state = project.open.document->SaveState();
    project.history.Record(CommandLabel(id), state);
    AfterChange(project, state);
}

void MainWindow::UndoStep(Project& project, bool redo) {
    TakeInUntrackedChange(project);
    if (redo ? !project.history.CanRedo() : !project.history.CanUndo()) return;
    const std::string label = redo ? project.history.RedoLabel() : project.history.UndoLabel();
    const std::string state = redo ? project.history.Redo() : project.history.Undo();
    fw::CDocument& document = *project.open.document;
    std::string error;
    if (!document.RestoreState(state, error)) {
        // Cannot happen with states the document wrote; stay where we were.
        if (redo)
            project.history.Undo();
        else
            project.history.Redo();
        platform_.MessageBox("Error: Could not put back the project's earlier state: " + error,
                              fw::MessageIcon::Warning, fw::MessageButtons::Ok);
        return;
    }
    // Back at the state of the file: nothing left to save.
    document.SetModifiedFlag(!project.history.IsSaved(state));
    project.open.view->OnInitialUpdate();
    statusBar()->showMessage(Q((redo ? "Redone: " : "Undone: ") + label), 5000);
    AfterChange(project, state);
}

void MainWindow::UpdateEditTexts() {
    QAction* undo = ActionFor(fw::ID_EDIT_UNDO);
    QAction* redo = ActionFor(fw::ID_EDIT_REDO);
    const UndoHistory* history = active_ ? &active_->history : nullptr;
    if (undo)
        undo->setText(history && history->CanUndo() ? "&Undo " + Q(history->UndoLabel()).replace('&', "&&")
                                                    : QString("&Undo"));
    if (redo)
        redo->setText(history && history->CanRedo() ? "&Redo " + Q(history->RedoLabel()).replace('&', "&&")
                                                    : QString("&Redo"));
}

void MainWindow::AfterChange(Project& project, const std::string& state) {
    fw::CDocument& document = *project.open.document;
    if (&project == active_) docks_->Refresh(&document);
    if (!document.IsModified()) project.history.MarkSaved(state);

    if (document.IsModified()) {
        if (state != project.recoveredState) WriteRecovery(project, state);
    } else {
        RemoveRecovery(project);
    }

    // Follow the project's file: a new name, or our own save of the same one.
    const std::string& path = document.GetPathName();
    if (path.empty()) {
        project.disk = FileStamp{};
    } else if (path != project.disk.path) {
        project.disk = FileStamp::Take(path);
    } else if (!document.IsModified()) {
        std::string bytes;
        if (CheckFile(project.disk, bytes) == DiskChange::Changed && bytes == state)
            project.disk = FileStamp::Take(path);
    }
}

// ---- Crash recovery --------------------------------------------------------------

bool MainWindow::EnableRecovery(const QString& folder) {
    if (recovery_) return true;  // one session per window: its files stay its own
    auto store = std::make_unique<RecoveryStore>(folder);
    QString error;
    if (!store->Start(error)) {
        statusBar()->showMessage("Crash recovery is off: " + error);
        return false;
    }
    recovery_ = std::move(store);
    if (!recoveryTimer_) {
        recoveryTimer_ = new QTimer(this);
        recoveryTimer_->setInterval(kRecoveryIntervalMs);
        connect(recoveryTimer_, &QTimer::timeout, this, [this] { WriteRecoveryFiles(); });
    }
    recoveryTimer_->start();
    WriteRecoveryFiles();
    return true;
}

void MainWindow::WriteRecovery(Project& project, const std::string& state) {
    if (!recovery_) return;
    RecoveryRecord record;
    record.model = project.docTemplate->GetDocString(fw::CDocTemplate::fileNewName);
    record.path = project.open.document->GetPathName();
    record.title = project.open.document->GetTitle();
    record.written = QDateTime::currentDateTime();
    record.state = state;
    QString error;
    if (recovery_->Write(project.recoveryFile, record, error))
        project.recoveredState = state;
    else
        statusBar()->showMessage("Could not write the recovery file: " + error);
}

void MainWindow::RemoveRecovery(Project& project) {
    if (recovery_) recovery_->Remove(project.recoveryFile);
    project.recoveryFile.clear();
    project.recoveredState.clear();
}

void MainWindow::WriteRecoveryFiles() {
    if (!recovery_) return;
    for (const auto& project : projects_) {
        if (!project->open.document->IsModified()) continue;
        const std::string state = project->open.document->SaveState();
        if (state != project->recoveredState) WriteRecovery(*project, state);
    }
}

void MainWindow::OfferRecovery() {
    if (!recovery_) return;
    // Without a plug-in nothing can be restored: keep the files for later.
    if (app_.GetTemplates().empty()) return;
    RecoveryStore::Orphans orphans = recovery_->ClaimOrphans();
    if (orphans.records.empty()) {
        recovery_->DiscardClaimed();  // nothing usable was left
        return;
    }
    std::string text = "Regsmith did not close normally. Unsaved changes to these projects were kept:\n";
    for (const auto& [file, record] : orphans.records) {
        text += "\n" + (record.title.empty() ? std::string("Untitled") : record.title);
        text += record.path.empty() ? " (never saved)" : " (" + record.path + ")";
        if (record.written.isValid()) text += ", " + S(record.written.toLocalTime().toString("yyyy-MM-dd hh:mm:ss"));
    }
    text += "\n\nRestore them? No discards them; Cancel keeps them for the next start.";
    switch (platform_.MessageBox(text, fw::MessageIcon::Question, fw::MessageButtons::YesNoCancel)) {
        case fw::DialogResult::Yes:
            for (const auto& [file, record] : orphans.records) RestoreRecord(record);
            recovery_->DiscardClaimed();
            break;
        case fw::DialogResult::No: recovery_->DiscardClaimed(); break;
        default: recovery_->ReleaseClaimed(); break;
    }
    UpdateTitles();
    UpdateCommandStates();
}

Project* MainWindow::RestoreRecord(const RecoveryRecord& record) {
    const fw::CDocTemplate* docTemplate = app_.FindTemplate(record.model);
    if (!docTemplate) docTemplate = app_.GetTemplates().front().get();
    fw::OpenDocument open = docTemplate->CreateNewDocument();
    if (!open.document) return nullptr;
    std::string error;
    if (!open.document->RestoreState(record.state, error)) {
        platform_.MessageBox("Error: Could not restore " + record.title + ": " + error, fw::MessageIcon::Warning,
                              fw::MessageButtons::Ok);
        return nullptr;
    }
    if (!record.path.empty()) open.document->SetPathName(record.path);
    if (!record.title.empty()) open.document->SetTitle(record.title);
    open.document->SetModifiedFlag(true);
    open.view->OnInitialUpdate();
    Project* project = AddProject(std::move(open), *docTemplate);
    // Whatever the file holds now, these changes are not in it.
    project->history.ForgetSaved();
    AfterChange(*project, project->history.Current());
    return project;
}

// ---- The project's file changed by another program --------------------------------

void MainWindow::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() != QEvent::ActivationChange || !isActiveWindow() || diskCheckQueued_) return;
    // After the activation has settled, not inside its event.
    diskCheckQueued_ = true;
    QTimer::singleShot(0, this, [this] {
        diskCheckQueued_ = false;
        CheckFilesOnDisk();
    });
}

void MainWindow::CheckFilesOnDisk() {
    // Never under an open sheet or dialog, nor twice at once (the questions
    // themselves activate the window again).
    if (checkingDisk_ || QApplication::activeModalWidget()) return;
    checkingDisk_ = true;
    std::vector<Project*> projects;
    for (const auto& project : projects_) projects.push_back(project.get());
    for (Project* project : projects) {
        if (!HasProject(project)) continue;
        fw::CDocument& document = *project->open.document;
        const std::string path = project->disk.path;
        std::string bytes;
        switch (CheckFile(project->disk, bytes)) {
            case DiskChange::None: break;
            case DiskChange::Removed:
                project->disk = FileStamp::Take(path);
                ActivateProject(*project);
                platform_.MessageBox(path +
                                          " has been deleted or moved by another program.\n"
                                          "The project stays open here; save it to keep it.",
                                      fw::MessageIcon::Warning, fw::MessageButtons::Ok);
                if (!HasProject(project)) break;
                // What is open is no longer on disk: closing must ask.
                document.SetModifiedFlag(true);
                AfterChange(*project, document.SaveState());
                break;
            case DiskChange::Changed: {
                // Ask about this version of the file once.
                project->disk = FileStamp::Take(path, &bytes);
                ActivateProject(*project);
                std::string question = path + " has been changed by another program.\nReload it?";
                if (document.IsModified())
                    question += "\nThe changes made here are not saved; Edit > Undo brings them back after the reload.";
                const fw::DialogResult answer =
                    platform_.MessageBox(question, fw::MessageIcon::Question, fw::MessageButtons::YesNo);
                if (!HasProject(project)) break;
                if (answer == fw::DialogResult::Yes) {
                    ReloadProject(*project, bytes);
                } else {
                    // Kept as it is here, it differs from the file: closing must ask.
                    document.SetModifiedFlag(true);
                    AfterChange(*project, document.SaveState());
                }
                break;
            }
        }
    }
    checkingDisk_ = false;
    UpdateTitles();
    UpdateCommandStates();
}

void MainWindow::ReloadProject(Project& project, const std::string& bytes) {
    fw::CDocument& document = *project.open.document;
    TakeInUntrackedChange(project);
    std::string error;
    if (!document.RestoreState(bytes, error)) {
        platform_.MessageBox("Error: Could not read " + document.GetPathName() + ": " + error,
                              fw::MessageIcon::Warning, fw::MessageButtons::Ok);
        document.SetModifiedFlag(true);
        AfterChange(project, document.SaveState());
        return;
    }
    // One step: Undo goes back to what was open before the reload.
    const std::string state = document.SaveState();
    project.history.Record("Reload", state);
    document.SetModifiedFlag(false);
    project.open.view->OnInitialUpdate();
    AfterChange(project, state);
}

}  // namespace regsmith::host

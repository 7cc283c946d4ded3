#pragma once
// The main window: one tabbed MDI child per open project, the menu bar built
// from the active project's template menu, a toolbar and a status bar.  The
// host handles the toolkit's own commands (new, open, close, recent files,
// exit, print setup, toolbar, status bar, about); every other command goes to
// the active view and then to its document.

#include <QMainWindow>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "fw/app.h"
#include "fw/doctemplate.h"
#include "fw/overview.h"
#include "host/file_stamp.h"
#include "host/recovery.h"
#include "host/undo_history.h"

class QAction;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QStackedWidget;
class QTimer;
class QToolBar;

namespace regsmith::host {

class CodeView;
class OverviewDocks;
class QtPlatform;
class StartPage;

// One open project: its document and view and the window showing them.
struct Project {
    fw::OpenDocument open;
    const fw::CDocTemplate* docTemplate = nullptr;
    QMdiSubWindow* window = nullptr;
    CodeView* codeView = nullptr;
    int untitledNumber = 0;  // to tell apart several new projects of one model

    // Keeping the user's work (host/work_guard.cpp): the undo steps, the
    // recovery file and what it holds, the project's file as last seen.
    UndoHistory history;
    QString recoveryFile;
    std::string recoveredState;
    FileStamp disk;
};

class MainWindow : public QMainWindow {
public:
    MainWindow(fw::CWinApp& app, QtPlatform& platform, QWidget* parent = nullptr);
    ~MainWindow() override;

    // Creates a new project from `docTemplate`; null if its document refused.
    Project* NewProject(const fw::CDocTemplate& docTemplate);
    // Opens a project file (or activates its window if it is open already);
    // null if the file could not be read (the document has said why).
    Project* OpenProject(const std::string& path);
    // Asks about unsaved changes and closes the project's window; false if
    // the user kept it open.
    bool CloseProject(Project& project);
    // Asks about every project's unsaved changes; false if the user cancelled.
    bool CloseAllProjects();

    // Runs a command as the menu would.
    void RunCommand(int id);
    // The command's state as the menus show it.
    fw::CommandState CommandStateOf(int id) const;
    // Sets every action's enabled and checked state.
    void UpdateCommandStates();

    const std::vector<std::unique_ptr<Project>>& Projects() const { return projects_; }
    Project* ActiveProject() const { return active_; }
    void ActivateProject(Project& project);
    QMdiArea* MdiArea() const { return mdi_; }
    // Shown instead of the project area while no project is open.
    StartPage* Start() const { return startPage_; }
    // The model of a project's document ("QK750"), else its template's.
    std::string ModelOf(const Project& project) const;
    QToolBar* ToolBar() const { return toolBar_; }
    // The menu action of `id` in the current menu bar (the first one), or null.
    QAction* ActionFor(int id) const;
    // The top-level menu whose title (without & marks) is `title`.
    QMenu* MenuNamed(const QString& title) const;

    // The Pins, Clocks and Problems docks of the active project.
    OverviewDocks& Docks() const { return *docks_; }
    // Opens the sheet of a Peripherals menu item on one of its pages.
    void OpenSheetPage(const fw::SheetPage& where);

    // Reports plug-ins that failed to load.
    void ReportPluginErrors(const std::vector<std::string>& errors);
    // Keeps the recent-file list in the user's settings.
    void SetPersistRecentFiles(bool persist);

    // ---- Keeping the user's work (host/work_guard.cpp) ----
    // Starts crash recovery in `folder` (RecoveryStore::DefaultFolder() for
    // the user): modified projects are written there every 30 seconds and
    // after every change.  False (and recovery stays off) if the folder
    // cannot be used.
    bool EnableRecovery(const QString& folder);
    RecoveryStore* Recovery() const { return recovery_.get(); }
    // Offers the projects a crashed session left: Yes restores them, No
    // discards them, Cancel keeps them for the next start.
    void OfferRecovery();
    // Writes the recovery file of every modified project whose state changed
    // since it was last written (what the timer does).
    void WriteRecoveryFiles();
    // Asks about every open project whose file another program has changed
    // or removed (done when the main window is activated).
    void CheckFilesOnDisk();

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    friend class ProjectWindow;

    void BuildMenuBar(const fw::CDocTemplate* docTemplate);
    void AddMenuItems(QMenu& menu, const std::vector<fw::MenuItem>& items);
    void FillRecentFiles(QMenu& menu, QAction* placeholder);
    void BuildToolBar();
    void OnSubWindowActivated(QMdiSubWindow* window);
    void SetActive(Project* project);
    void ProjectClosed(Project& project);
    bool QuerySave(Project& project);
    void UpdateTitles();
    void UpdateStartPage();
    void FitIntoScreen();
    Project* FindProject(const QMdiSubWindow* window) const;
    Project* AddProject(fw::OpenDocument open, const fw::CDocTemplate& docTemplate);

    bool HostHandles(int id) const;
    void OnFileNew();
    void OnFileOpen();
    void OnOpenRecent(int index);
    void OnAbout();
    void SaveRecentFiles();

    // Keeping the user's work (host/work_guard.cpp).
    void StartTracking(Project& project);
    // Runs a command that may change the project and records it as one undo step.
    void TrackChange(Project& project, int id, const std::function<void()>& command);
    // Takes in a change made outside any tracked command.
    void TakeInUntrackedChange(Project& project);
    // After any change of the project's state or file: marks the saved state,
    // writes or removes the recovery file, follows the file on disk.
    void AfterChange(Project& project, const std::string& state);
    void UndoStep(Project& project, bool redo);
    void ReloadProject(Project& project, const std::string& bytes);
    Project* RestoreRecord(const RecoveryRecord& record);
    void WriteRecovery(Project& project, const std::string& state);
    void RemoveRecovery(Project& project);
    std::string CommandLabel(int id) const;
    void UpdateEditTexts();
    bool HasProject(const Project* project) const;

    fw::CWinApp& app_;
    QtPlatform& platform_;
    QMdiArea* mdi_ = nullptr;
    QStackedWidget* centre_ = nullptr;
    StartPage* startPage_ = nullptr;
    QLabel* modelStatus_ = nullptr;
    std::map<std::string, std::string> recentModels_;  // project file -> model, for the start page
    QToolBar* toolBar_ = nullptr;
    std::vector<std::unique_ptr<Project>> projects_;
    Project* active_ = nullptr;
    const fw::CDocTemplate* menuTemplate_ = nullptr;
    bool menuBuilt_ = false;
    std::multimap<int, QAction*> actions_;  // command id -> menu and toolbar actions
    bool persistRecent_ = false;
    bool closingAll_ = false;
    std::unique_ptr<RecoveryStore> recovery_;
    QTimer* recoveryTimer_ = nullptr;
    bool checkingDisk_ = false;
    bool diskCheckQueued_ = false;
    std::unique_ptr<OverviewDocks> docks_;
};

}  // namespace regsmith::host

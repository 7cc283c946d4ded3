#pragma once
// The main window: one tabbed MDI child per open project, the menu bar built
// from the active project's template menu, a toolbar and a status bar.  The
// host handles the toolkit's own commands (new, open, close, recent files,
// exit, print setup, toolbar, status bar, about); every other command goes to
// the active view and then to its document.

#include <QMainWindow>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "fw/app.h"
#include "fw/doctemplate.h"

class QAction;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QToolBar;

namespace regsmith::host {

class CodeView;
class QtPlatform;

// One open project: its document and view and the window showing them.
struct Project {
    fw::OpenDocument open;
    const fw::CDocTemplate* docTemplate = nullptr;
    QMdiSubWindow* window = nullptr;
    CodeView* codeView = nullptr;
    int untitledNumber = 0;  // to tell apart several new projects of one model
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
    QToolBar* ToolBar() const { return toolBar_; }
    // The menu action of `id` in the current menu bar (the first one), or null.
    QAction* ActionFor(int id) const;
    // The top-level menu whose title (without & marks) is `title`.
    QMenu* MenuNamed(const QString& title) const;

    // Reports plug-ins that failed to load.
    void ReportPluginErrors(const std::vector<std::string>& errors);
    // Keeps the recent-file list in the user's settings.
    void SetPersistRecentFiles(bool persist);

protected:
    void closeEvent(QCloseEvent* event) override;

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
    Project* FindProject(const QMdiSubWindow* window) const;
    Project* AddProject(fw::OpenDocument open, const fw::CDocTemplate& docTemplate);

    bool HostHandles(int id) const;
    void OnFileNew();
    void OnFileOpen();
    void OnOpenRecent(int index);
    void OnAbout();
    void SaveRecentFiles() const;

    fw::CWinApp& app_;
    QtPlatform& platform_;
    QMdiArea* mdi_ = nullptr;
    QToolBar* toolBar_ = nullptr;
    std::vector<std::unique_ptr<Project>> projects_;
    Project* active_ = nullptr;
    const fw::CDocTemplate* menuTemplate_ = nullptr;
    bool menuBuilt_ = false;
    std::multimap<int, QAction*> actions_;  // command id -> menu and toolbar actions
    bool persistRecent_ = false;
    bool closingAll_ = false;
};

}  // namespace regsmith::host

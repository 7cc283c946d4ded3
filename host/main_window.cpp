#include "host/main_window.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMessageBox>
#include <QScreen>
#include <QScrollArea>
#include <QSettings>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTabBar>
#include <QStyle>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>

#include <algorithm>

#include "host/about.h"
#include "host/code_view.h"
#include "host/help_window.h"
#include "host/overview_docks.h"
#include "host/qt_platform.h"
#include "host/report_export.h"
#include "host/start_page.h"
#include "host/text.h"

namespace regsmith::host {

// The MDI child of a project: asks about unsaved changes before it closes.
class ProjectWindow : public QMdiSubWindow {
public:
    explicit ProjectWindow(MainWindow& main) : main_(main) { setAttribute(Qt::WA_DeleteOnClose); }

protected:
    void closeEvent(QCloseEvent* event) override {
        Project* project = main_.FindProject(this);
        if (project && !main_.closingAll_ && !main_.QuerySave(*project)) {
            event->ignore();
            return;
        }
        QMdiSubWindow::closeEvent(event);
        if (event->isAccepted() && project) main_.ProjectClosed(*project);
    }

private:
    MainWindow& main_;
};

namespace {

// The host's own Help command of the window without a project (a project's
// menu brings its own, which opens the same guide).
constexpr int kHostHelpCommand = 0xE146;

// The menu of the main window while no project is open.
fw::MenuResource FrameMenu() {
    using fw::MenuItem;
    return {
        MenuItem::Popup("&File", {MenuItem::Command("&New", fw::ID_FILE_NEW),
                                  MenuItem::Command("&Open Project...", fw::ID_FILE_OPEN), MenuItem::Separator(),
                                  MenuItem::Command("&Print Setup...", fw::ID_FILE_PRINT_SETUP),
                                  MenuItem::Separator(), MenuItem::Command("Recent File", fw::ID_FILE_MRU_FILE1),
                                  MenuItem::Separator(), MenuItem::Command("E&xit", fw::ID_APP_EXIT)}),
        MenuItem::Popup("&View", {MenuItem::Command("&Toolbar", fw::ID_VIEW_TOOLBAR),
                                  MenuItem::Command("&Status Bar", fw::ID_VIEW_STATUS_BAR)}),
        MenuItem::Popup("&Help", {MenuItem::Command("&Help...", kHostHelpCommand),
                                  MenuItem::Command("&About Regsmith...", fw::ID_APP_ABOUT)}),
    };
}

constexpr int kRecentFileCount = 4;
const char* const kRecentFilesKey = "recentFiles";
const char* const kRecentModelsKey = "recentModels";

QKeySequence ShortcutFor(int id) {
    switch (id) {
        case fw::ID_FILE_NEW: return QKeySequence::New;
        case fw::ID_FILE_OPEN: return QKeySequence::Open;
        case fw::ID_FILE_SAVE: return QKeySequence::Save;
        case fw::ID_FILE_SAVE_AS: return QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S);
        case fw::ID_FILE_CLOSE: return QKeySequence(Qt::CTRL | Qt::Key_W);
        case fw::ID_APP_EXIT: return QKeySequence(Qt::CTRL | Qt::Key_Q);
        case kHostHelpCommand: return QKeySequence::HelpContents;
        case fw::ID_FILE_PRINT: return QKeySequence::Print;
        case fw::ID_EDIT_UNDO: return QKeySequence(Qt::CTRL | Qt::Key_Z);
        case fw::ID_EDIT_REDO: return QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z);
        default: return {};
    }
}

// F1 for the Help command of any menu: the host's, or the item a project's
// Help menu names "Help...".
QKeySequence ShortcutFor(int id, const std::string& text) {
    if (fw::StripAccelerator(text) == "Help...") return QKeySequence::HelpContents;
    return ShortcutFor(id);
}

bool IsRecentFileId(int id) { return id >= fw::ID_FILE_MRU_FILE1 && id < fw::ID_FILE_MRU_FILE1 + 16; }

// A project's menu with the host's Edit menu (Undo, Redo) after File, unless
// the template brings its own.
fw::MenuResource WithEditMenu(fw::MenuResource menu) {
    using fw::MenuItem;
    for (const MenuItem& popup : menu)
        if (fw::StripAccelerator(popup.text) == "Edit") return menu;
    const auto at = menu.empty() ? menu.end() : menu.begin() + 1;
    menu.insert(at, MenuItem::Popup("&Edit", {MenuItem::Command("&Undo", fw::ID_EDIT_UNDO),
                                              MenuItem::Command("&Redo", fw::ID_EDIT_REDO)}));
    return menu;
}

// A project's File menu with the host's Export Report... after Print (or at
// its end when it has no Print).
fw::MenuResource WithExportReport(fw::MenuResource menu) {
    using fw::MenuItem;
    for (MenuItem& popup : menu) {
        if (fw::StripAccelerator(popup.text) != "File") continue;
        auto at = std::find_if(popup.submenu.begin(), popup.submenu.end(),
                               [](const MenuItem& item) { return item.id == fw::ID_FILE_PRINT; });
        at = at == popup.submenu.end() ? popup.submenu.end() : at + 1;
        popup.submenu.insert(at, MenuItem::Command("Export &Report...", fw::ID_FILE_EXPORT_REPORT));
        break;
    }
    return menu;
}

}  // namespace

MainWindow::MainWindow(fw::CWinApp& app, QtPlatform& platform, QWidget* parent)
    : QMainWindow(parent), app_(app), platform_(platform) {
    setWindowTitle("Regsmith");
    mdi_ = new QMdiArea;
    mdi_->setViewMode(QMdiArea::TabbedView);
    mdi_->setTabsClosable(true);
    mdi_->setTabsMovable(true);
    mdi_->setDocumentMode(true);
    // The start page while no project is open, the projects' tabs otherwise.
    startPage_ = new StartPage(app_.GetTemplates());
    startPage_->onNew = [this](const fw::CDocTemplate& docTemplate) { NewProject(docTemplate); };
    startPage_->onOpen = [this] { RunCommand(fw::ID_FILE_OPEN); };
    startPage_->onOpenRecent = [this](const QString& path) { OpenProject(S(path)); };
    // It scrolls rather than make the window larger than a small screen.
    auto* startScroll = new QScrollArea;
    startScroll->setWidget(startPage_);
    startScroll->setWidgetResizable(true);
    startScroll->setFrameShape(QFrame::NoFrame);
    startScroll->setFocusPolicy(Qt::NoFocus);  // it would be a Tab stop that shows nothing
    centre_ = new QStackedWidget;
    centre_->addWidget(startScroll);
    centre_->addWidget(mdi_);
    setCentralWidget(centre_);
    connect(mdi_, &QMdiArea::subWindowActivated, this, [this](QMdiSubWindow* window) { OnSubWindowActivated(window); });
    BuildToolBar();
    docks_ = std::make_unique<OverviewDocks>(*this, [this](const fw::SheetPage& where) { OpenSheetPage(where); });
    BuildMenuBar(nullptr);
    statusBar()->showMessage("Ready");
    modelStatus_ = new QLabel;
    modelStatus_->setAccessibleName("Device model");
    statusBar()->addPermanentWidget(modelStatus_);
    FitIntoScreen();
    platform_.SetMainWindow(this);
    platform_.printHeader = [this] {
        QtPlatform::PrintHeader header;
        if (active_) {
            header.title = active_->window->windowTitle().remove("[*]");
            header.path = Q(active_->open.document->GetPathName());
        }
        return header;
    };
    UpdateStartPage();
}

MainWindow::~MainWindow() {
    // Closing the child windows during destruction must not reach the projects.
    disconnect(mdi_, nullptr, this, nullptr);
    // The views go before their widgets stop listening.
    for (auto& project : projects_)
        if (project->codeView) project->codeView->Detach();
    if (active_) app_.SetActiveView(nullptr);
}

// ---- Menus and toolbar -------------------------------------------------------

void MainWindow::BuildMenuBar(const fw::CDocTemplate* docTemplate) {
    if (menuBuilt_ && docTemplate == menuTemplate_) return;
    menuBuilt_ = true;
    menuTemplate_ = docTemplate;
    // The old menus may hold the action whose command is running: delete later.
    for (QAction* action : menuBar()->actions()) {
        menuBar()->removeAction(action);
        if (QMenu* menu = action->menu()) menu->deleteLater();
    }
    for (auto it = actions_.begin(); it != actions_.end();) {
        if (it->second->property("toolbar").toBool())
            ++it;
        else
            it = actions_.erase(it);
    }
    const fw::MenuResource menu = docTemplate ? WithExportReport(WithEditMenu(docTemplate->GetMenu())) : FrameMenu();
    for (const fw::MenuItem& popup : menu) {
        auto* top = new QMenu(Q(popup.text), menuBar());
        AddMenuItems(*top, popup.submenu);
        menuBar()->addMenu(top);
        if (fw::StripAccelerator(popup.text) == "View") docks_->AddToggles(*top);
    }
    UpdateCommandStates();
}

void MainWindow::AddMenuItems(QMenu& menu, const std::vector<fw::MenuItem>& items) {
    const bool checkGroup =
        std::any_of(items.begin(), items.end(), [](const fw::MenuItem& item) { return item.checkedInResource; });
    QAction* recentPlaceholder = nullptr;
    for (const fw::MenuItem& item : items) {
        if (item.separator) {
            menu.addSeparator();
            continue;
        }
        if (!item.submenu.empty()) {
            QMenu* sub = menu.addMenu(Q(item.text));
            AddMenuItems(*sub, item.submenu);
            continue;
        }
        QAction* action = menu.addAction(Q(item.text));
        const int id = item.id;
        action->setData(id);
        action->setShortcut(ShortcutFor(id, item.text));
        if (checkGroup || id == fw::ID_VIEW_TOOLBAR || id == fw::ID_VIEW_STATUS_BAR) action->setCheckable(true);
        if (item.checkedInResource) action->setChecked(true);
        if (id == fw::ID_FILE_MRU_FILE1) {
            recentPlaceholder = action;
        } else {
            connect(action, &QAction::triggered, this, [this, id] { RunCommand(id); });
        }
        actions_.emplace(id, action);
    }
    QMenu* target = &menu;
    connect(&menu, &QMenu::aboutToShow, this, [this, target, recentPlaceholder] {
        if (recentPlaceholder) FillRecentFiles(*target, recentPlaceholder);
        UpdateCommandStates();
    });
}

void MainWindow::FillRecentFiles(QMenu& menu, QAction* placeholder) {
    for (QAction* action : menu.actions())
        if (action->property("recent").toBool()) {
            menu.removeAction(action);
            action->deleteLater();
        }
    const auto& recent = app_.GetRecentFiles();
    placeholder->setVisible(recent.empty());
    placeholder->setEnabled(false);
    bool missing = false;
    for (std::size_t i = 0; i < recent.size() && i < static_cast<std::size_t>(kRecentFileCount); ++i) {
        auto* action = new QAction(QString("&%1 %2").arg(i + 1).arg(Q(recent[i])), &menu);
        action->setProperty("recent", true);
        // A file that is no longer there is greyed.
        if (!QFileInfo(Q(recent[i])).isFile()) {
            action->setEnabled(false);
            action->setStatusTip("This file no longer exists");
            missing = true;
        }
        const int index = static_cast<int>(i);
        connect(action, &QAction::triggered, this, [this, index] { OnOpenRecent(index); });
        menu.insertAction(placeholder, action);
    }
    if (missing) {
        auto* remove = new QAction("Remove &Missing Files from List", &menu);
        remove->setProperty("recent", true);
        connect(remove, &QAction::triggered, this, [this] {
            const std::vector<std::string> recent = app_.GetRecentFiles();
            for (const std::string& path : recent)
                if (!QFileInfo(Q(path)).isFile()) app_.RemoveFromRecentFileList(path);
            SaveRecentFiles();
            UpdateCommandStates();
        });
        menu.insertAction(placeholder, remove);
    }
}

void MainWindow::BuildToolBar() {
    toolBar_ = addToolBar("Standard");
    toolBar_->setObjectName("standardToolBar");
    toolBar_->setMovable(false);
    toolBar_->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    struct Button {
        int id;
        const char* text;
        const char* themeIcon;  // the desktop's icon where it has one
        QStyle::StandardPixmap icon;
        const char* tip;
    };
    const Button buttons[] = {
        {fw::ID_FILE_NEW, "New", "document-new", QStyle::SP_FileIcon, "Create a new project"},
        {fw::ID_FILE_OPEN, "Open", "document-open", QStyle::SP_DialogOpenButton, "Open an existing project"},
        {fw::ID_FILE_SAVE, "Save", "document-save", QStyle::SP_DialogSaveButton, "Save the active project"},
        {fw::ID_FILE_PRINT, "Print", "document-print", QStyle::SP_FileDialogDetailedView,
         "Print the generated source"},
        {fw::ID_APP_ABOUT, "About", "help-about", QStyle::SP_MessageBoxInformation, "Program information"},
    };
    for (const Button& button : buttons) {
        if (button.id == fw::ID_FILE_PRINT || button.id == fw::ID_APP_ABOUT) toolBar_->addSeparator();
        const QIcon icon = QIcon::fromTheme(button.themeIcon, style()->standardIcon(button.icon));
        QAction* action = toolBar_->addAction(icon, button.text);
        action->setStatusTip(button.tip);
        action->setToolTip(button.tip);
        action->setData(button.id);
        action->setProperty("toolbar", true);
        const int id = button.id;
        connect(action, &QAction::triggered, this, [this, id] { RunCommand(id); });
        actions_.emplace(id, action);
    }
}

QAction* MainWindow::ActionFor(int id) const {
    auto [first, last] = actions_.equal_range(id);
    for (auto it = first; it != last; ++it)
        if (!it->second->property("toolbar").toBool()) return it->second;
    return nullptr;
}

QMenu* MainWindow::MenuNamed(const QString& title) const {
    for (QAction* action : menuBar()->actions())
        if (action->menu() && QString(action->text()).remove('&') == QString(title).remove('&')) return action->menu();
    return nullptr;
}

// ---- Command routing -----------------------------------------------------------

bool MainWindow::HostHandles(int id) const {
    switch (id) {
        case fw::ID_FILE_NEW:
        case fw::ID_FILE_OPEN:
        case fw::ID_FILE_CLOSE:
        case fw::ID_FILE_PRINT_SETUP:
        case fw::ID_FILE_EXPORT_REPORT:
        case fw::ID_APP_ABOUT:
        case fw::ID_APP_EXIT:
        case fw::ID_VIEW_TOOLBAR:
        case fw::ID_VIEW_STATUS_BAR:
        case fw::ID_EDIT_UNDO:
        case fw::ID_EDIT_REDO:
        case kHostHelpCommand:
            return true;
        default:
            return IsRecentFileId(id);
    }
}

fw::CommandState MainWindow::CommandStateOf(int id) const {
    fw::CommandState state;
    switch (id) {
        case fw::ID_FILE_CLOSE:
        case fw::ID_FILE_EXPORT_REPORT: state.enabled = active_ != nullptr; return state;
        case fw::ID_VIEW_TOOLBAR: state.checked = !toolBar_->isHidden(); return state;
        case fw::ID_VIEW_STATUS_BAR: state.checked = !statusBar()->isHidden(); return state;
        case fw::ID_EDIT_UNDO: state.enabled = active_ && active_->history.CanUndo(); return state;
        case fw::ID_EDIT_REDO: state.enabled = active_ && active_->history.CanRedo(); return state;
        default: break;
    }
    if (IsRecentFileId(id)) {
        state.enabled = !app_.GetRecentFiles().empty();
        return state;
    }
    if (HostHandles(id)) return state;
    if (!active_) return fw::QueryCommand(nullptr, nullptr, id);  // no window: disabled
    return fw::QueryCommand(active_->open.view.get(), active_->open.document.get(), id);
}

void MainWindow::UpdateCommandStates() {
    for (auto& [id, action] : actions_) {
        if (id == fw::ID_FILE_MRU_FILE1 && !action->property("toolbar").toBool()) continue;
        const fw::CommandState state = CommandStateOf(id);
        action->setEnabled(state.enabled);
        if (state.checked && !action->property("toolbar").toBool()) action->setCheckable(true);
        if (action->isCheckable()) action->setChecked(state.checked);
    }
    UpdateEditTexts();
}

void MainWindow::RunCommand(int id) {
    if (!CommandStateOf(id).enabled) return;
    switch (id) {
        case fw::ID_FILE_NEW: OnFileNew(); break;
        case fw::ID_FILE_OPEN: OnFileOpen(); break;
        case fw::ID_FILE_CLOSE:
            if (active_) CloseProject(*active_);
            break;
        case fw::ID_FILE_PRINT_SETUP: platform_.PrintSetup(); break;
        case fw::ID_FILE_EXPORT_REPORT:
            if (active_) ExportReport(this, *active_->open.view);
            break;
        case fw::ID_APP_ABOUT: OnAbout(); break;
        case kHostHelpCommand: ShowHelp(); break;
        case fw::ID_APP_EXIT: close(); break;
        case fw::ID_VIEW_TOOLBAR: toolBar_->setVisible(toolBar_->isHidden()); break;
        case fw::ID_VIEW_STATUS_BAR: statusBar()->setVisible(statusBar()->isHidden()); break;
        case fw::ID_EDIT_UNDO:
        case fw::ID_EDIT_REDO:
            if (active_) UndoStep(*active_, id == fw::ID_EDIT_REDO);
            break;
        default:
            if (IsRecentFileId(id)) {
                OnOpenRecent(id - fw::ID_FILE_MRU_FILE1);
            } else if (active_) {
                Project& project = *active_;
                TrackChange(project, id, [&] {
                    fw::RouteCommand(project.open.view.get(), project.open.document.get(), id);
                });
            }
            break;
    }
    UpdateTitles();
    UpdateCommandStates();
    SaveRecentFiles();  // Save Project As adds to the list
}

// ---- Projects ----------------------------------------------------------------

Project* MainWindow::FindProject(const QMdiSubWindow* window) const {
    if (!window) return nullptr;
    for (const auto& project : projects_)
        if (project->window == window) return project.get();
    return nullptr;
}

Project* MainWindow::AddProject(fw::OpenDocument open, const fw::CDocTemplate& docTemplate) {
    auto project = std::make_unique<Project>();
    project->open = std::move(open);
    project->docTemplate = &docTemplate;
    int number = 1;
    for (const auto& other : projects_)
        if (other->open.document->GetTitle() == project->open.document->GetTitle())
            number = std::max(number, other->untitledNumber + 1);
    project->untitledNumber = number;
    Project* raw = project.get();
    projects_.push_back(std::move(project));

    raw->codeView = new CodeView(raw->open.view.get());
    auto* window = new ProjectWindow(*this);
    window->setWidget(raw->codeView);
    raw->window = window;
    // The area in sight first: a tab added to a hidden area is not maximised.
    centre_->setCurrentWidget(mdi_);
    mdi_->addSubWindow(window);
    window->show();
    mdi_->setActiveSubWindow(window);
    StartTracking(*raw);
    SetActive(raw);
    return raw;
}

Project* MainWindow::NewProject(const fw::CDocTemplate& docTemplate) {
    fw::OpenDocument open = docTemplate.CreateNewDocument();
    if (!open.document) return nullptr;
    return AddProject(std::move(open), docTemplate);
}

Project* MainWindow::OpenProject(const std::string& path) {
    const QString wanted = QFileInfo(Q(path)).absoluteFilePath();
    for (const auto& project : projects_) {
        const std::string& own = project->open.document->GetPathName();
        if (!own.empty() && QFileInfo(Q(own)).absoluteFilePath() == wanted) {
            ActivateProject(*project);
            return project.get();
        }
    }
    if (app_.GetTemplates().empty()) {
        platform_.MessageBox("No device plug-in is loaded, so no project can be opened.", fw::MessageIcon::Warning,
                             fw::MessageButtons::Ok);
        return nullptr;
    }
    // Any template reads any project: the device id comes from the file.
    const fw::CDocTemplate& docTemplate = *app_.GetTemplates().front();
    fw::OpenDocument open = docTemplate.OpenDocumentFile(path);
    if (!open.document) return nullptr;
    // The project's own model's template: its menu, and the model its
    // recovery file names.
    const fw::CDocTemplate* own = app_.FindTemplate(open.document->GetModelName());
    app_.AddToRecentFileList(path);
    Project* project = AddProject(std::move(open), own ? *own : docTemplate);
    SaveRecentFiles();
    return project;
}

void MainWindow::ActivateProject(Project& project) {
    mdi_->setActiveSubWindow(project.window);
    SetActive(&project);
}

bool MainWindow::QuerySave(Project& project) {
    fw::CDocument& document = *project.open.document;
    if (!document.IsModified()) return true;
    const std::string name = document.GetPathName().empty() ? document.GetTitle() : document.GetPathName();
    switch (platform_.MessageBox("Save changes to " + name + "?", fw::MessageIcon::Question,
                                 fw::MessageButtons::YesNoCancel)) {
        case fw::DialogResult::Yes:
            fw::RouteCommand(project.open.view.get(), &document, fw::ID_FILE_SAVE);
            AfterChange(project, document.SaveState());
            UpdateTitles();
            // Still modified: the save failed or the user cancelled Save As.
            return !document.IsModified();
        case fw::DialogResult::No:
            return true;
        default:
            return false;
    }
}

bool MainWindow::CloseProject(Project& project) {
    QMdiSubWindow* window = project.window;
    window->close();
    return FindProject(window) == nullptr;
}

bool MainWindow::CloseAllProjects() {
    for (const auto& project : projects_)
        if (!QuerySave(*project)) return false;
    closingAll_ = true;
    std::vector<QMdiSubWindow*> windows;
    for (const auto& project : projects_) windows.push_back(project->window);
    for (QMdiSubWindow* window : windows) window->close();
    closingAll_ = false;
    return projects_.empty();
}

void MainWindow::ProjectClosed(Project& project) {
    RemoveRecovery(project);
    project.codeView->Detach();
    const bool wasActive = active_ == &project;
    if (wasActive) {
        project.open.view->OnActivateView(false);
        active_ = nullptr;
        app_.SetActiveView(nullptr);
    }
    QMdiSubWindow* closing = project.window;
    projects_.erase(std::remove_if(projects_.begin(), projects_.end(),
                                   [&](const std::unique_ptr<Project>& p) { return p.get() == &project; }),
                    projects_.end());
    if (!wasActive) return;
    // The most recently active of the remaining windows takes over.
    const QList<QMdiSubWindow*> history = mdi_->subWindowList(QMdiArea::ActivationHistoryOrder);
    for (auto it = history.rbegin(); it != history.rend(); ++it) {
        if (*it == closing) continue;
        if (Project* next = FindProject(*it)) {
            ActivateProject(*next);
            return;
        }
    }
    SetActive(nullptr);
}

void MainWindow::OnSubWindowActivated(QMdiSubWindow* window) {
    // While the application is inactive (a modal dialog, another program) the
    // area reports no window; the current project stays the active one.
    Project* project = FindProject(window ? window : mdi_->currentSubWindow());
    if (project)
        SetActive(project);
    else if (projects_.empty())
        SetActive(nullptr);
}

void MainWindow::SetActive(Project* project) {
    if (project != active_) {
        if (active_) active_->open.view->OnActivateView(false);
        active_ = project;
        app_.SetActiveView(project ? project->open.view.get() : nullptr);
        if (project) project->open.view->OnActivateView(true);
    }
    BuildMenuBar(project ? project->docTemplate : nullptr);
    docks_->Refresh(project ? project->open.document.get() : nullptr);
    UpdateTitles();
    UpdateCommandStates();
}

std::string MainWindow::ModelOf(const Project& project) const {
    const std::string model = project.open.document->GetModelName();
    return model.empty() && project.docTemplate ? project.docTemplate->GetDocString(fw::CDocTemplate::fileNewName)
                                                : model;
}

void MainWindow::UpdateTitles() {
    for (const auto& project : projects_) {
        const fw::CDocument& document = *project->open.document;
        // The file and the model: "board.rsg - QK750"; a new project is
        // named after its model already.
        QString title = Q(document.GetTitle());
        const QString model = Q(ModelOf(*project));
        if (!model.isEmpty() && title != model) title += " - " + model;
        if (project->untitledNumber > 1) title += QString(" (%1)").arg(project->untitledNumber);
        project->window->setWindowTitle(title + "[*]");
        project->window->setWindowModified(document.IsModified());
        project->window->setToolTip(document.GetPathName().empty() ? "Not saved yet"
                                                                   : Q(document.GetPathName()));
    }
    if (active_) {
        setWindowTitle(active_->window->windowTitle() + " - Regsmith");
        setWindowModified(active_->open.document->IsModified());
        const fw::CDocTemplate* model = app_.FindTemplate(ModelOf(*active_));
        modelStatus_->setText(model ? ModelSummary(*model) : Q(ModelOf(*active_)));
    } else {
        setWindowTitle("Regsmith");
        setWindowModified(false);
        modelStatus_->clear();
    }
    // The tabs' own tooltips: the full path of each project.
    if (auto* tabs = mdi_->findChild<QTabBar*>())
        for (int i = 0; i < tabs->count() && i < static_cast<int>(mdi_->subWindowList().size()); ++i)
            tabs->setTabToolTip(i, mdi_->subWindowList().at(i)->toolTip());
    UpdateStartPage();
}

void MainWindow::UpdateStartPage() {
    QWidget* wanted = projects_.empty() ? centre_->widget(0) : mdi_;
    if (centre_->currentWidget() == wanted && !projects_.empty()) return;
    if (projects_.empty()) {
        std::vector<RecentProject> recent;
        for (const std::string& path : app_.GetRecentFiles()) {
            auto model = recentModels_.find(path);
            if (model == recentModels_.end() && !app_.GetTemplates().empty() && QFileInfo(Q(path)).isFile()) {
                // Listed before models were kept: the file says, read without
                // any message (a file that is not a project has no model).
                auto hook = std::move(platform_.messageHook);
                platform_.messageHook = [](const std::string&, fw::MessageIcon, fw::MessageButtons) {
                    return fw::DialogResult::Ok;
                };
                const fw::OpenDocument open = app_.GetTemplates().front()->OpenDocumentFile(path);
                platform_.messageHook = std::move(hook);
                model = recentModels_.emplace(path, open.document ? open.document->GetModelName() : "").first;
            }
            recent.push_back({Q(path), model == recentModels_.end() ? QString() : Q(model->second)});
        }
        startPage_->SetRecent(recent);
    }
    centre_->setCurrentWidget(wanted);
}

void MainWindow::FitIntoScreen() {
    // Never larger than the screen's free area (panels excluded), room left
    // for the window's frame, and centred in it.
    const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    const QRect available = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
    constexpr int kFrame = 40;  // title bar and borders a window manager adds
    const QSize size(std::min(960, available.width() - 16), std::min(680, available.height() - kFrame));
    resize(size.expandedTo(QSize(200, 150)));
    // move() places the frame: the title bar is above the client area.
    move(available.left() + (available.width() - width()) / 2,
         available.top() + std::max(0, (available.height() - height() - kFrame) / 2));
}

// ---- Host commands -------------------------------------------------------------

void MainWindow::OnFileNew() {
    const auto& templates = app_.GetTemplates();
    if (templates.empty()) {
        platform_.MessageBox("No device plug-in is loaded, so no project can be created.", fw::MessageIcon::Warning,
                             fw::MessageButtons::Ok);
        return;
    }
    if (templates.size() == 1) {
        NewProject(*templates.front());
        return;
    }
    QDialog dialog(this);
    dialog.setWindowTitle("New");
    auto* layout = new QVBoxLayout(&dialog);
    auto* label = new QLabel("&New project for:");
    layout->addWidget(label);
    auto* list = new ModelPicker(templates, 12);  // every model in sight
    // The active project's model first in line: a second board of the same kind.
    if (active_) list->Select(ModelOf(*active_));
    label->setBuddy(list);
    layout->addWidget(list);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    connect(list, &QTreeWidget::itemActivated, &dialog, &QDialog::accept);
    list->setFocus();
    if (dialog.exec() != QDialog::Accepted || !list->Selected()) return;
    NewProject(*list->Selected());
}

void MainWindow::OnFileOpen() {
    QFileDialog dialog(this, "Open Project");
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilters({"Regsmith Projects (*.rsg)", "All Files (*)"});
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
    OpenProject(S(dialog.selectedFiles().front()));
}

void MainWindow::OnOpenRecent(int index) {
    const auto& recent = app_.GetRecentFiles();
    if (index < 0 || index >= static_cast<int>(recent.size())) return;
    const std::string path = recent[static_cast<std::size_t>(index)];
    OpenProject(path);
}

void MainWindow::OnAbout() {
    QMessageBox box(this);
    box.setWindowTitle("About Regsmith");
    const QIcon icon = windowIcon();
    box.setIconPixmap((icon.isNull() ? style()->standardIcon(QStyle::SP_ComputerIcon) : icon).pixmap(48, 48));
    box.setTextFormat(Qt::RichText);
    box.setText(AboutText(app_.GetTemplates().size()));
    box.setStandardButtons(QMessageBox::Ok);
    box.exec();
}

void MainWindow::ReportPluginErrors(const std::vector<std::string>& errors) {
    if (errors.empty() && !app_.GetTemplates().empty()) return;
    std::string text = app_.GetTemplates().empty() ? "No device plug-in could be loaded; no project can be created."
                                                   : "Some device plug-ins could not be loaded.";
    for (const std::string& error : errors) text += "\n" + error;
    statusBar()->showMessage(app_.GetTemplates().empty() ? "No device plug-in loaded" : "Ready");
    platform_.MessageBox(text, fw::MessageIcon::Warning, fw::MessageButtons::Ok);
}

void MainWindow::OpenSheetPage(const fw::SheetPage& where) {
    if (!active_) return;
    const int command = fw::FindMenuCommand(active_->docTemplate->GetMenu(), where.sheet, "Peripherals");
    if (command == fw::ID_NONE) return;
    platform_.initialPage = where.page;
    RunCommand(command);
    platform_.initialPage.clear();
}

void MainWindow::SetPersistRecentFiles(bool persist) {
    docks_->SetPersist(persist);
    persistRecent_ = persist;
    if (!persist) return;
    QSettings settings("Regsmith", "Regsmith");
    const QStringList stored = settings.value(kRecentFilesKey).toStringList();
    for (auto it = stored.rbegin(); it != stored.rend(); ++it) app_.AddToRecentFileList(S(*it));
    const QVariantMap models = settings.value(kRecentModelsKey).toMap();
    for (auto it = models.begin(); it != models.end(); ++it) recentModels_[S(it.key())] = S(it.value().toString());
    UpdateStartPage();
}

void MainWindow::SaveRecentFiles() {
    // The model of every project with a file, for the start page's list.
    for (const auto& project : projects_)
        if (!project->open.document->GetPathName().empty())
            recentModels_[project->open.document->GetPathName()] = ModelOf(*project);
    if (!persistRecent_) return;
    QStringList list;
    QVariantMap models;
    for (const std::string& path : app_.GetRecentFiles()) {
        list << Q(path);
        if (const auto model = recentModels_.find(path); model != recentModels_.end())
            models[Q(path)] = Q(model->second);
    }
    QSettings settings("Regsmith", "Regsmith");
    settings.setValue(kRecentFilesKey, list);
    settings.setValue(kRecentModelsKey, models);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (!CloseAllProjects()) {
        event->ignore();
        return;
    }
    SaveRecentFiles();
    event->accept();
}

}  // namespace regsmith::host

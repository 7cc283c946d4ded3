#pragma once
// What the desktop host's test programs share: the application with the
// plug-ins loaded, the Qt platform services, a main window per test function,
// a temporary folder, and the models and menu commands by name.
//
//   class HostTest : public QObject, public HostFixture {
//       Q_OBJECT
//   private slots:
//       void initTestCase() { StartApp(); }
//       void init() { OpenWindow(); }
//       void cleanup() { CloseWindow(); }
//   };

#include <QTemporaryDir>
#include <QtTest>

#include <memory>

#include "fw/app.h"
#include "fw/plugin_loader.h"
#include "host/main_window.h"
#include "host/qt_platform.h"
#include "tests/support/files.h"

namespace regsmith::host {

// tests/support/files.h for Qt's paths.
inline std::string ReadFile(const QString& path) { return testing::ReadFile(path.toStdString()); }
inline void WriteFile(const QString& path, const std::string& bytes) { testing::WriteFile(path.toStdString(), bytes); }

// A command of the project windows' menu, by its text and popup.
inline int MenuCommand(const fw::CWinApp& app, const char* text, const char* popup) {
    const int id = fw::FindMenuCommand(app.GetTemplates().front()->GetMenu(), text, popup);
    if (id == fw::ID_NONE) qFatal("no menu command %s", text);
    return id;
}

struct HostFixture {
    fw::CWinApp app;
    QtPlatform platform;
    std::unique_ptr<MainWindow> window;
    QTemporaryDir temp;

    const fw::CDocTemplate& Model(const char* name) {
        const fw::CDocTemplate* docTemplate = app.FindTemplate(name);
        if (!docTemplate) qFatal("no template %s", name);
        return *docTemplate;
    }
    QString TempPath(const QString& name) const { return temp.filePath(name); }
    int Command(const char* text, const char* popup) const { return MenuCommand(app, text, popup); }

    // initTestCase: the platform, the plug-ins with all twelve models, the
    // temporary folder.
    void StartApp() {
        app.SetPlatform(&platform);
        const fw::PluginLoadReport report = fw::LoadPlugins(REGSMITH_PLUGIN_DIR);
        QVERIFY2(report.errors.empty(), report.errors.empty() ? "" : report.errors.front().c_str());
        QCOMPARE(app.GetTemplates().size(), std::size_t{12});
        QVERIFY(temp.isValid());
    }
    // init: a new main window, shown.
    void OpenWindow() {
        window = std::make_unique<MainWindow>(app, platform);
        window->show();
    }
    // cleanup: unsaved work discarded without asking, the window closed, the
    // platform's hooks cleared.
    void CloseWindow() {
        for (const auto& project : window->Projects()) project->open.document->SetModifiedFlag(false);
        window.reset();
        platform.messageHook = nullptr;
        platform.sheetHook = nullptr;
        platform.dialogHook = nullptr;
        platform.printDialogHook = nullptr;
        QCOMPARE(app.GetActiveView(), nullptr);
    }
};

}  // namespace regsmith::host

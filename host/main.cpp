// regsmith: the desktop program.  Loads the device plug-ins, shows the main
// window and opens a project given on the command line.
//
//   regsmith [FILE.rsg]           start, opening FILE.rsg
//   regsmith --screenshot DIR     render the main window and every sheet to PNG files
//   regsmith --exit-when-shown    show the main window with a new project, then exit
//   regsmith --palette dark       light or dark colours where the desktop's cannot be read

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QIcon>
#include <QTimer>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "fw/app.h"
#include "fw/files.h"
#include "fw/plugin_loader.h"
#include "host/main_window.h"
#include "host/qt_platform.h"
#include "host/recovery.h"
#include "host/screenshots.h"
#include "host/text.h"
#include "host/theme.h"

using namespace regsmith::host;

namespace {

bool HasArgument(int argc, char** argv, const char* wanted) {
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], wanted) == 0 || std::strncmp(argv[i], wanted, std::strlen(wanted)) == 0) return true;
    return false;
}

// The user guide as installed: <prefix>/share/regsmith/doc/user-guide.html
// beside <prefix>/bin/regsmith.
std::string HelpFilePath() {
    return S(QDir::cleanPath(QCoreApplication::applicationDirPath() + "/../share/regsmith/doc/user-guide.html"));
}

// The program's icon: the installed (or built) renderings beside the program,
// else the desktop theme's.
QIcon ProgramIcon() {
    const QString hicolor = QCoreApplication::applicationDirPath() + "/../share/icons/hicolor";
    QIcon icon;
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        const QString file = QString("%1/%2x%2/apps/regsmith.png").arg(hicolor).arg(size);
        if (QFileInfo::exists(file)) icon.addFile(file, QSize(size, size));
    }
    return icon.isNull() ? QIcon::fromTheme("regsmith") : icon;
}

}  // namespace

int main(int argc, char** argv) {
    fw::ReserveStandardDescriptors();
    QElapsedTimer clock;
    clock.start();
    // Screenshots, help and the version need no display.
    bool needsNoDisplay = HasArgument(argc, argv, "--screenshot");
    for (int i = 1; i < argc; ++i)
        for (const char* option : {"-h", "--help", "--help-all", "-v", "--version"})
            if (std::strcmp(argv[i], option) == 0) needsNoDisplay = true;
    if (needsNoDisplay && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", HasArgument(argc, argv, "--screenshot") ? ScreenshotPlatform() : "offscreen");

    QApplication application(argc, argv);
    QApplication::setApplicationName("Regsmith");
    QApplication::setOrganizationName("Regsmith");
    QApplication::setApplicationVersion("1.0");
    // The desktop entry regsmith.desktop: its name and icon in task bars.
    QGuiApplication::setDesktopFileName("regsmith");

    QCommandLineParser parser;
    parser.setApplicationDescription("Regsmith: configures the QK74x_75x microcontrollers and writes their "
                                     "initialisation source.");
    parser.addHelpOption();
    parser.addVersionOption();
    QCommandLineOption screenshot("screenshot", "Render the main window and every sheet to PNG files in DIR.", "DIR");
    QCommandLineOption exitWhenShown("exit-when-shown",
                                     "Show the main window with a new project, report the time taken and exit.");
    QCommandLineOption palette("palette",
                               "Colours: \"light\" or \"dark\" (default: the desktop's).", "NAME");
    parser.addOption(screenshot);
    parser.addOption(exitWhenShown);
    parser.addOption(palette);
    parser.addPositionalArgument("FILE", "Project file (.rsg) to open.", "[FILE]");
    // Help and the version as process() prints them, but a failure to write
    // them (a full disk, a closed output) is reported, like any other output.
    if (parser.parse(QCoreApplication::arguments()) && (parser.isSet("help") || parser.isSet("version"))) {
        const QString text = parser.isSet("help") ? parser.helpText()
                                                  : QCoreApplication::applicationName() + " " +
                                                        QCoreApplication::applicationVersion() + "\n";
        const QByteArray bytes = text.toLocal8Bit();
        errno = 0;
        if (std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stdout) !=
                static_cast<std::size_t>(bytes.size()) ||
            std::fflush(stdout) != 0) {
            std::fprintf(stderr, "regsmith: cannot write to standard output: %s\n",
                         errno ? std::strerror(errno) : "write error");
            return 1;
        }
        return 0;
    }
    parser.process(application);
    // A project is read from a regular file only: a FIFO nobody writes to
    // would hang the window.
    fw::ReadRegularFilesOnly(true);
    if (parser.isSet(palette)) {
        QPalette colours;
        if (!NamedPalette(parser.value(palette), colours)) {
            std::fprintf(stderr, "regsmith: unknown palette \"%s\": use light or dark\n",
                         qPrintable(parser.value(palette)));
            return 1;
        }
        QApplication::setStyle("Fusion");
        QApplication::setPalette(colours);
    }

    fw::CWinApp app;
    QtPlatform platform;
    app.SetPlatform(&platform);
    app.SetHelpFilePath(HelpFilePath());
    const fw::PluginLoadReport plugins = fw::LoadPlugins(fw::DefaultPluginFolder());

    MainWindow window(app, platform);

    if (parser.isSet(screenshot)) {
        for (const std::string& error : plugins.errors) std::fprintf(stderr, "regsmith: %s\n", error.c_str());
        std::string error;
        // Messages (a project that cannot be opened) go to stderr, not to a box nobody sees.
        platform.messageHook = [](const std::string& text, fw::MessageIcon, fw::MessageButtons buttons) {
            std::fprintf(stderr, "regsmith: %s\n", text.c_str());
            return buttons == fw::MessageButtons::Ok ? fw::DialogResult::Ok : fw::DialogResult::Cancel;
        };
        const QStringList projects = parser.positionalArguments();
        const auto written = TakeScreenshots(app, platform, window, parser.value(screenshot), error,
                                             projects.isEmpty() ? std::string() : S(projects.front()));
        for (const std::string& name : written) std::printf("%s\n", name.c_str());
        for (const auto& project : window.Projects())
            std::printf("project: %s\n", project->open.document->GetTitle().c_str());
        if (written.empty()) {
            std::fprintf(stderr, "regsmith: %s\n", error.c_str());
            return 1;
        }
        return 0;
    }

    const QStringList files = parser.positionalArguments();
    if (parser.isSet(exitWhenShown)) {
        // Messages go to stderr instead of waiting for a click.
        platform.messageHook = [](const std::string& text, fw::MessageIcon, fw::MessageButtons buttons) {
            std::fprintf(stderr, "regsmith: %s\n", text.c_str());
            return buttons == fw::MessageButtons::Ok ? fw::DialogResult::Ok : fw::DialogResult::Cancel;
        };
        window.show();
        for (const QString& file : files) window.OpenProject(S(file));
        if (files.isEmpty() && !app.GetTemplates().empty()) {
            const fw::CDocTemplate* model = app.FindTemplate("QK750");
            window.NewProject(model ? *model : *app.GetTemplates().front());
        }
        QApplication::processEvents();
        std::printf("shown %lld ms\n", static_cast<long long>(clock.elapsed()));
        for (const auto& project : window.Projects())
            std::printf("project: %s\n", project->open.document->GetTitle().c_str());
        std::fflush(stdout);
        return window.Projects().empty() ? 1 : 0;
    }

    // Only on a desktop.  In the two modes above, which exit at once, loading
    // the icon's renderings now and then left an allocation of Qt Core
    // unfreed (seen under LeakSanitizer).
    QApplication::setWindowIcon(ProgramIcon());
    window.SetPersistRecentFiles(true);
    window.show();
    // Once the window is on the screen (its questions are centred on it):
    // what a crashed session left comes back first, then a file named on the
    // command line, which, if among it, opens in its restored window.
    QTimer::singleShot(0, &window, [&window, files] {
        if (window.EnableRecovery(RecoveryStore::DefaultFolder())) window.OfferRecovery();
        for (const QString& file : files) window.OpenProject(S(file));
    });
    if (!plugins.errors.empty() || app.GetTemplates().empty())
        QTimer::singleShot(0, &window, [&window, &plugins] { window.ReportPluginErrors(plugins.errors); });
    return application.exec();
}

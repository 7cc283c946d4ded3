#include "host/screenshots.h"

#include "host/theme.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QDockWidget>
#include <QMenu>
#include <QScrollArea>
#include <QTabWidget>
#include <QTemporaryFile>

#include <vector>

#include "fw/app.h"
#include "host/form_renderer.h"
#include "host/help_window.h"
#include "host/main_window.h"
#include "host/overview_docks.h"
#include "host/qt_platform.h"
#include "host/text.h"

namespace regsmith::host {

namespace {

void Settle() {
    for (int i = 0; i < 3; ++i) QApplication::processEvents();
}

// Further pictures of some pages: the controls clicked (by the names scripts
// use), then, unless `suffix` is empty, the page again as SHEET-PAGE-SUFFIX.
// A click that opens a dialog gives the dialog's picture, named after its
// title (SHEET-PAGE-TITLE when `dialogAfterPage`).
struct FurtherPicture {
    const char* page;
    std::vector<const char*> clicks;
    const char* suffix = "";
    bool dialogAfterPage = false;
};
const FurtherPicture kFurtherPictures[] = {
    {"Priority Crossbar", {"UART0", "SPI0", "SYSCLK", "PCA", "Timer0", "Enable Crossbar"}, "routed"},
    {"External Oscillator", {"Crystal Oscillator"}, "crystal"},
    {"Timer 1", {"Change Baud Rate"}},
    {"ADC0", {"Change SAR"}, "", true},
};

}  // namespace

QByteArray ScreenshotPlatform() {
    // Kept until the program ends: the platform reads it when the
    // application starts.
    static QTemporaryFile* file = [] {
        auto* created = new QTemporaryFile(QDir::tempPath() + "/regsmith-screen-XXXXXX.json");
        if (created->open()) {
            created->write(R"({"screens": [{"name": "picture", "x": 0, "y": 0, "width": 1920, "height": 1080,)"
                           R"( "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})");
            created->flush();
        }
        return created;
    }();
    if (file->fileName().isEmpty() || file->size() == 0) return "offscreen";
    return "offscreen:configfile=" + QFile::encodeName(file->fileName());
}

QPalette DarkPalette() {
    QPalette palette;
    NamedPalette("dark", palette);  // the palette of `regsmith --palette dark`
    return palette;
}

std::vector<std::string> TakeScreenshots(fw::CWinApp& app, QtPlatform& platform, MainWindow& window,
                                         const QString& folder, std::string& error, const std::string& project) {
    std::vector<std::string> written;
    QDir dir(folder);
    if (!dir.mkpath(".")) {
        error = "cannot create the folder " + S(folder);
        return written;
    }
    auto save = [&](QWidget& widget, const std::string& name) {
        const QString path = dir.filePath(Q(name + ".png"));
        if (widget.grab().save(path, "PNG"))
            written.push_back(name + ".png");
        else
            error = "cannot write " + S(path);
    };

    const fw::CDocTemplate* docTemplate = app.FindTemplate("QK750");
    if (!docTemplate) {
        error = "no QK750 document type: the device plug-in is not loaded";
        return written;
    }
    window.resize(QSize(900, 640).boundedTo(RoomForWindow(window)));
    window.show();
    if (window.Projects().empty()) {
        // What a newcomer meets first.
        Settle();
        save(window, "start-page");
    }
    if (!project.empty()) {
        // The project named on the command line, as the user asked for it.
        if (!window.OpenProject(project)) {
            error = "the project file " + project + " could not be opened";
            return written;
        }
    } else if (!window.NewProject(*docTemplate)) {
        error = "a new QK750 project could not be created";
        return written;
    }
    Settle();
    save(window, "main-window");
    // The overview docks on their own, floating at the size of their content.
    const std::pair<QDockWidget*, const char*> docks[] = {{&window.Docks().PinsDock(), "dock-pins"},
                                                          {&window.Docks().ClocksDock(), "dock-clocks"},
                                                          {&window.Docks().ProblemsDock(), "dock-problems"}};
    for (const auto& [dock, name] : docks) {
        dock->setFloating(true);
        auto* scroll = qobject_cast<QScrollArea*>(dock->widget());
        const QSize content = (scroll && scroll->widget() ? scroll->widget() : dock->widget())->sizeHint();
        dock->resize((content.expandedTo(QSize(360, 120)) + QSize(24, 40)).boundedTo(RoomForWindow(*dock)));
        Settle();
        save(*dock, name);
        dock->setFloating(false);
    }
    Settle();
    // The user guide in its window, at the chapter on projects.
    if (HelpWindow* help = ShowHelp("projects")) {
        help->resize(QSize(900, 640).boundedTo(RoomForWindow(*help)));
        Settle();
        save(*help, "help-window");
        help->close();
    }

    // Questions are answered with their safe choice; a dialog is pictured
    // (its name after `dialogPrefix`), then cancelled; a nested sheet is
    // cancelled at once.
    platform.messageHook = [](const std::string&, fw::MessageIcon, fw::MessageButtons buttons) {
        return buttons == fw::MessageButtons::Ok ? fw::DialogResult::Ok : fw::DialogResult::No;
    };
    std::string dialogPrefix;
    platform.dialogHook = [&](FormDialog& dialog) {
        dialog.show();
        dialog.FitToScreen();
        Settle();
        save(dialog, dialogPrefix + Slug(dialog.Model().Title()));
        dialog.reject();
    };
    bool inSheet = false;
    bool dark = false;
    platform.sheetHook = [&](SheetDialog& dialog) {
        if (inSheet) {
            dialog.reject();
            return;
        }
        inSheet = true;
        fw::PropertySheet& sheet = dialog.Model();
        dialog.show();
        dialog.FitToScreen();
        for (int i = 0; i < sheet.PageCount(); ++i) {
            dialog.ShowPage(i);
            Settle();
            const std::string base = Slug(sheet.Title()) + "-" + Slug(sheet.Page(i).Title());
            if (dark) {
                // The first page of each sheet, the crossbar routed.
                if (i == 0) {
                    FormWidget* page = dialog.PageWidget(i);
                    for (const FurtherPicture& picture : kFurtherPictures)
                        if (sheet.Page(i).Title() == picture.page && *picture.suffix && !picture.dialogAfterPage)
                            for (const char* name : picture.clicks)
                                if (auto* button = qobject_cast<QAbstractButton*>(page->WidgetFor(name)))
                                    if (button->isEnabled() && !button->isChecked()) button->click();
                    Settle();
                    save(dialog, base + "-dark");
                }
                continue;
            }
            save(dialog, base);
            for (const FurtherPicture& picture : kFurtherPictures) {
                if (sheet.Page(i).Title() != picture.page) continue;
                FormWidget* page = dialog.PageWidget(i);
                dialogPrefix = picture.dialogAfterPage ? base + "-" : "";
                for (const char* name : picture.clicks)
                    if (auto* button = qobject_cast<QAbstractButton*>(page->WidgetFor(name)))
                        if (button->isEnabled() && !button->isChecked()) button->click();
                Settle();
                dialogPrefix.clear();
                if (*picture.suffix) save(dialog, base + "-" + picture.suffix);
            }
        }
        dialog.reject();
        inSheet = false;
    };

    QMenu* peripherals = window.MenuNamed("Peripherals");
    std::vector<int> commands;
    if (peripherals) {
        window.UpdateCommandStates();
        for (QAction* action : peripherals->actions())
            if (!action->isSeparator() && !action->menu() && action->isEnabled() && action->data().isValid() &&
                QString(action->text()).remove('&') != "Reset All")
                commands.push_back(action->data().toInt());
        for (int id : commands) window.RunCommand(id);
    }

    // The same in a dark palette: the main window, the first page of each sheet.
    const QPalette light = QApplication::palette();
    QApplication::setPalette(DarkPalette());
    dark = true;
    Settle();
    save(window, "main-window-dark");
    platform.dialogHook = [](FormDialog& dialog) { dialog.reject(); };
    for (int id : commands) window.RunCommand(id);
    QApplication::setPalette(light);
    platform.sheetHook = nullptr;
    platform.dialogHook = nullptr;
    platform.messageHook = nullptr;
    if (!written.empty()) error.clear();
    return written;
}

}  // namespace regsmith::host

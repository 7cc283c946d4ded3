// From the Peripherals command to the painted sheet in the desktop program,
// for every sheet: the sheet run starts, its dialog is built from the pages,
// sized to the screen, shown and painted once.  Closing it is not counted.
// Runs on Qt's offscreen platform when there is no display.  Goal: 16 ms (one
// frame) per sheet.

#include <benchmark/benchmark.h>

#include <QApplication>

#include <chrono>
#include <cstdlib>
#include <memory>
#include <string>

#include "fw/app.h"
#include "fw/commands.h"
#include "fw/plugin_loader.h"
#include "host/form_renderer.h"
#include "host/main_window.h"
#include "host/qt_platform.h"

using namespace regsmith::host;

namespace {

// The application with the plug-in and a main window holding a new QK750
// project, shared by every case.
struct Desktop {
    fw::CWinApp app;
    QtPlatform platform;
    std::unique_ptr<MainWindow> window;
    bool ready = false;

    Desktop() {
        app.SetPlatform(&platform);
        const fw::PluginLoadReport report = fw::LoadPlugins(REGSMITH_PLUGIN_DIR);
        const fw::CDocTemplate* model = app.FindTemplate("QK750");
        if (!report.errors.empty() || !model) return;
        window = std::make_unique<MainWindow>(app, platform);
        window->show();
        ready = window->NewProject(*model) != nullptr;
        platform.messageHook = [](const std::string&, fw::MessageIcon, fw::MessageButtons buttons) {
            return buttons == fw::MessageButtons::Ok ? fw::DialogResult::Ok : fw::DialogResult::No;
        };
    }
};

Desktop& TheDesktop() {
    static Desktop desktop;
    return desktop;
}

const char* const kSheets[] = {"Port I/O", "Oscillators", "Timers", "PCA", "UART", "SPI",
                               "ADC", "Comparator", "Voltage Reference", "Voltage Regulator",
                               "Reset Sources", "Interrupts"};

void BM_MenuCommandToPaintedSheet(benchmark::State& state) {
    const char* name = kSheets[state.range(0)];
    state.SetLabel(name);
    Desktop& desktop = TheDesktop();
    if (!desktop.ready) {
        state.SkipWithError("the plug-in or the QK750 project is missing");
        return;
    }
    const int command = fw::FindMenuCommand(desktop.app.GetTemplates().front()->GetMenu(), name, "Peripherals");
    std::chrono::steady_clock::time_point painted;
    desktop.platform.sheetHook = [&painted](SheetDialog& dialog) {
        dialog.show();
        dialog.repaint();
        painted = std::chrono::steady_clock::now();
        dialog.reject();
    };
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        desktop.window->RunCommand(command);
        state.SetIterationTime(std::chrono::duration<double>(painted - start).count());
        QApplication::processEvents();
    }
    desktop.platform.sheetHook = nullptr;
}
BENCHMARK(BM_MenuCommandToPaintedSheet)
    ->DenseRange(0, std::size(kSheets) - 1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (!std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY") && !std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

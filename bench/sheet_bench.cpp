// Opening a Peripherals sheet and pressing OK through the script runner, in
// process, with the plug-in loaded as the command-line tool loads it.  Each
// case is the script from "menu" to "ok" after a new project was made.

#include <benchmark/benchmark.h>

#include <sstream>
#include <string>

#include "cli/script.h"
#include "fw/app.h"
#include "fw/plugin_loader.h"

namespace {

// One application object with the plug-in, shared by every case.
fw::CWinApp& App() {
    static fw::CWinApp app;
    static const fw::PluginLoadReport report = fw::LoadPlugins(REGSMITH_PLUGIN_DIR);
    return app;
}

// The sheets by menu text, and the script lines each case runs inside.
struct SheetCase {
    const char* menu;
    const char* inside;  // lines between "menu" and "ok"
};
const SheetCase kSheets[] = {
    {"Port I/O", ""},
    {"Interrupts", ""},
    {"Oscillators", ""},
    {"Timers", ""},
    {"UART", ""},
    {"PCA", "page \"Module 0\"\npage \"Module 1\"\npage \"Module 2/WDT\"\n"},
    {"SPI", ""},
    {"Reset Sources", "page \"Power-Fail Reset/VDD Monitor\"\n"},
    {"Voltage Reference", ""},
    {"Voltage Regulator", ""},
    {"ADC", ""},
    {"Comparator", ""},
};

void BM_OpenSheetAndOk(benchmark::State& state) {
    const SheetCase& sheet = kSheets[state.range(0)];
    state.SetLabel(sheet.menu);
    const std::string script = std::string("new QK750\nmenu \"") + sheet.menu + "\"\n" + sheet.inside + "ok\n";
    fw::CWinApp& app = App();
    for (auto _ : state) {
        std::istringstream in(script);
        std::ostringstream out;
        regsmith::cli::ScriptRunner runner(app, in, out);
        runner.Run();
        benchmark::DoNotOptimize(out.str());
    }
}
BENCHMARK(BM_OpenSheetAndOk)->DenseRange(0, std::size(kSheets) - 1)->Unit(benchmark::kMicrosecond);

}  // namespace

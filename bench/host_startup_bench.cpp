// Start-up of the desktop program: from starting the process to a shown main
// window holding a new QK750 project (`regsmith --exit-when-shown` prints
// "shown" at that moment).  Runs on Qt's offscreen platform when there is no
// display.  Target: under 300 ms.

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

std::string RegsmithProgram() {
    std::error_code code;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", code);
    if (code) return {};
    const std::filesystem::path program = self.parent_path() / "regsmith";
    return std::filesystem::exists(program, code) ? program.string() : std::string();
}

void BM_HostStartupToShownWindow(benchmark::State& state) {
    const std::string program = RegsmithProgram();
    if (program.empty()) {
        state.SkipWithError("build/bin/regsmith is not built");
        return;
    }
    const bool display = std::getenv("DISPLAY") || std::getenv("WAYLAND_DISPLAY");
    const std::string command =
        std::string(display ? "" : "QT_QPA_PLATFORM=offscreen ") + "'" + program + "' --exit-when-shown 2>/dev/null";
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        FILE* pipe = ::popen(command.c_str(), "r");
        if (!pipe) {
            state.SkipWithError("cannot start regsmith");
            return;
        }
        char line[128] = {};
        const bool shown = std::fgets(line, sizeof line, pipe) && std::string(line).rfind("shown", 0) == 0;
        const auto end = std::chrono::steady_clock::now();
        ::pclose(pipe);
        if (!shown) {
            state.SkipWithError("regsmith did not report a shown window");
            return;
        }
        state.SetIterationTime(std::chrono::duration<double>(end - start).count());
    }
}

BENCHMARK(BM_HostStartupToShownWindow)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);

}  // namespace

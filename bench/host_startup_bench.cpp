// Start-up of the desktop program: from starting the process to a shown main
// window holding a new QK750 project (`regsmith --exit-when-shown` prints
// "shown" at that moment), and to one holding a project with every sheet
// configured (the "everything" script's QK750 project, saved first).  Runs
// on Qt's offscreen platform when there is no display.  Target: under 100 ms.

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

// The "everything" script with a save at its end, run by regsmith-cli into
// a scratch folder: the full project's path, or "" if it could not be made.
std::string FullProject() {
    std::error_code code;
    const std::filesystem::path folder = std::filesystem::temp_directory_path(code) / "regsmith-bench-full";
    std::filesystem::create_directories(folder, code);
    const std::filesystem::path script = folder / "full.txt";
    const std::filesystem::path project = folder / "full.rsg";
    std::filesystem::remove(project, code);
    const std::string command = "sed 's/^generate$/save full.rsg/' '" REGSMITH_SOURCE_DIR
                                "/tests/scripts/everything/qk750.txt' > '" + script.string() + "' && cd '" +
                                folder.string() + "' && '" REGSMITH_CLI "' script '" + script.string() +
                                "' >/dev/null 2>&1";
    if (std::system(command.c_str()) != 0 || !std::filesystem::exists(project, code)) return {};
    return project.string();
}

void Startup(benchmark::State& state, const std::string& project) {
    const std::string program = RegsmithProgram();
    if (program.empty()) {
        state.SkipWithError("build/bin/regsmith is not built");
        return;
    }
    const bool display = std::getenv("DISPLAY") || std::getenv("WAYLAND_DISPLAY");
    const std::string command =
        std::string(display ? "" : "QT_QPA_PLATFORM=offscreen ") + "'" + program + "' --exit-when-shown " +
        (project.empty() ? std::string() : "'" + project + "' ") + "2>/dev/null";
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

void BM_HostStartupToShownWindow(benchmark::State& state) { Startup(state, {}); }

void BM_HostStartupToShownFullProject(benchmark::State& state) {
    static const std::string project = FullProject();
    if (project.empty()) {
        state.SkipWithError("the full project could not be made with regsmith-cli");
        return;
    }
    Startup(state, project);
}

BENCHMARK(BM_HostStartupToShownWindow)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);
BENCHMARK(BM_HostStartupToShownFullProject)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);

}  // namespace

// Project load from disk and the whole `regsmith-cli generate` and `check`
// processes: the time a build script waits for the generated source or the
// checks.

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "codegen/generator.h"
#include "fw/archive.h"
#include "fw/document.h"
#include "model/k74x_75x_doc.h"

extern char** environ;

namespace {

// A project with every block emitted, written once to a scratch file.
const std::string& ProjectPath() {
    static const std::string path = [] {
        std::string folder = (std::filesystem::temp_directory_path() / "regsmith-bench-XXXXXX").string();
        if (!::mkdtemp(folder.data())) return std::string();
        regsmith::CK74x_75xDoc document(0xD6);
        document.OnNewDocument();
        for (auto& [number, block] : document.deviceData.blockMap)
            for (auto& entry : block.registers) entry.value = static_cast<std::uint8_t>(entry.resetValue ^ 0x5A);
        fw::CArchive archive;
        document.Serialize(archive);
        const std::string file = folder + "/bench.rsg";
        std::ofstream(file, std::ios::binary) << archive.Buffer();
        return file;
    }();
    return path;
}

void BM_OpenFileAndGenerate(benchmark::State& state) {
    const std::string& path = ProjectPath();
    std::string bytes, error, text;
    for (auto _ : state) {
        if (!fw::ReadWholeFile(path, bytes, error)) {
            state.SkipWithError(error.c_str());
            return;
        }
        regsmith::CK74x_75xDoc document(0xD0);
        fw::CArchive in(bytes);
        document.Serialize(in);
        GenerateCode(document.deviceData, text);
        benchmark::DoNotOptimize(text.data());
    }
}
BENCHMARK(BM_OpenFileAndGenerate);

// posix_spawn of `regsmith-cli COMMAND FILE` with its output to /dev/null,
// waited for: process start, plug-in load, open, generate or check, write,
// exit.  `check` exits 1 when the project has errors, which it may.
void RunCliProcess(benchmark::State& state, std::string command, int worstStatus) {
    const std::string& path = ProjectPath();
    std::string cli = REGSMITH_CLI;
    char* argv[] = {cli.data(), command.data(), const_cast<char*>(path.c_str()), nullptr};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    for (auto _ : state) {
        pid_t child = 0;
        if (posix_spawn(&child, argv[0], &actions, nullptr, argv, environ) != 0) {
            state.SkipWithError("regsmith-cli could not be started");
            break;
        }
        int status = 0;
        ::waitpid(child, &status, 0);
        if (!WIFEXITED(status) || WEXITSTATUS(status) > worstStatus) {
            state.SkipWithError(("regsmith-cli " + command + " failed").c_str());
            break;
        }
    }
    posix_spawn_file_actions_destroy(&actions);
}

void BM_CliGenerateProcess(benchmark::State& state) { RunCliProcess(state, "generate", 0); }
BENCHMARK(BM_CliGenerateProcess)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->MinTime(0.3)
    ->Repetitions(9)
    ->ReportAggregatesOnly(true);

// `check` should cost no more than `generate`.
void BM_CliCheckProcess(benchmark::State& state) { RunCliProcess(state, "check", 1); }
BENCHMARK(BM_CliCheckProcess)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->MinTime(0.3)
    ->Repetitions(9)
    ->ReportAggregatesOnly(true);

}  // namespace

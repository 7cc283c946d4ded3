// Speed of the generator and of project load and save.

#include <benchmark/benchmark.h>

#include "codegen/generator.h"
#include "fw/archive.h"
#include "model/k74x_75x_doc.h"

namespace {

regsmith::CK74x_75xDoc NewDocument() {
    regsmith::CK74x_75xDoc document(0xD6);
    document.OnNewDocument();
    return document;
}

// Every register of every block away from its reset value, so every routine
// and every fragment is emitted.
void EmitEverything(regsmith::CK74x_75xDoc& document) {
    for (auto& [number, block] : document.deviceData.blockMap)
        for (auto& entry : block.registers) entry.value = static_cast<std::uint8_t>(entry.resetValue ^ 0x5A);
}

void BM_GenerateNewDocument(benchmark::State& state) {
    auto document = NewDocument();
    std::string text;
    for (auto _ : state) {
        GenerateCode(document.deviceData, text);
        benchmark::DoNotOptimize(text.data());
    }
}
BENCHMARK(BM_GenerateNewDocument);

void BM_GenerateEveryBlock(benchmark::State& state) {
    auto document = NewDocument();
    EmitEverything(document);
    document.deviceData.codeFormat = static_cast<std::int32_t>(state.range(0));
    std::string text;
    for (auto _ : state) {
        GenerateCode(document.deviceData, text);
        benchmark::DoNotOptimize(text.data());
    }
}
BENCHMARK(BM_GenerateEveryBlock)->Arg(0)->Arg(1);

void BM_SaveProject(benchmark::State& state) {
    auto document = NewDocument();
    EmitEverything(document);
    for (auto _ : state) {
        fw::CArchive archive;
        document.Serialize(archive);
        benchmark::DoNotOptimize(archive.Buffer().data());
    }
}
BENCHMARK(BM_SaveProject);

void BM_LoadAndGenerate(benchmark::State& state) {
    auto document = NewDocument();
    EmitEverything(document);
    fw::CArchive out;
    document.Serialize(out);
    const std::string bytes = out.Buffer();
    std::string text;
    for (auto _ : state) {
        regsmith::CK74x_75xDoc loaded(0xD0);
        fw::CArchive in(bytes);
        loaded.Serialize(in);
        GenerateCode(loaded.deviceData, text);
        benchmark::DoNotOptimize(text.data());
    }
}
BENCHMARK(BM_LoadAndGenerate);

}  // namespace

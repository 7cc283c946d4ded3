// Speed of the code window's refresh: the colouring scan alone and the whole
// regeneration that follows every sheet.

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "codegen/generator.h"
#include "model/k74x_75x_doc.h"
#include "view/colouring.h"
#include "view/k74x_75x_view.h"

namespace {

// A document whose every register differs from its reset value: the longest
// text the generator writes.
std::unique_ptr<regsmith::CK74x_75xDoc> FullDocument(std::int32_t format) {
    auto document = std::make_unique<regsmith::CK74x_75xDoc>(0xD6);
    document->OnNewDocument();
    for (auto& [number, block] : document->deviceData.blockMap)
        for (auto& entry : block.registers) entry.value = static_cast<std::uint8_t>(entry.resetValue ^ 0x5A);
    document->deviceData.codeFormat = format;
    return document;
}

void BM_ColourScan(benchmark::State& state) {
    const auto document = FullDocument(static_cast<std::int32_t>(state.range(0)));
    const std::string text = GenerateCode(*document);
    for (auto _ : state) {
        auto runs = regsmith::ScanColours(text, state.range(0) != 0);
        benchmark::DoNotOptimize(runs.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_ColourScan)->Arg(0)->Arg(1);

void BM_UpdateCodeWindow(benchmark::State& state) {
    auto document = FullDocument(static_cast<std::int32_t>(state.range(0)));
    regsmith::CK74x_75xView view;
    view.AttachDocument(document.get());
    document->AttachView(&view);
    for (auto _ : state) {
        view.UpdateCodeWindow();
        benchmark::DoNotOptimize(view.GetText().data());
    }
}
BENCHMARK(BM_UpdateCodeWindow)->Arg(0)->Arg(1);

}  // namespace

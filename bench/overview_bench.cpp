// Speed of the chip overview (pins, clocks and problems) of a whole project:
// the docks recompute it after every change, so it must cost far less than a
// frame (the goal is under 50 microseconds).

#include <benchmark/benchmark.h>

#include "fw/overview.h"
#include "model/k74x_75x_doc.h"
#include "model/register_tables.h"

namespace {

using namespace regsmith;

// A busy QK750: everything on the crossbar, ADC0, the comparator, UART0 at
// 115200-ish, PCA outputs, interrupts, external oscillator pins and reset
// sources, so that every rule has work to do and many fire.
CK74x_75xDoc FullProject() {
    CK74x_75xDoc document(0xD6);
    document.OnNewDocument();
    auto set = [&](std::int32_t block, int entry, std::uint8_t value) {
        EntryOf(document.deviceData.blockMap.at(block), entry)->value = value;
    };
    document.clocks.sysclk = 24500000;
    set(kBlockPortIO, reg::XBR0, 0x3F);
    set(kBlockPortIO, reg::XBR1, 0x7B);
    set(kBlockPortIO, reg::P0MDIN, 0x7E);
    set(kBlockPortIO, reg::P0SKIP, 0x81);
    set(kBlockTimers, reg::TMOD, 0x22);
    set(kBlockTimers, reg::CKCON, 0x08);
    set(kBlockTimers, reg::TH1, 0x96);
    set(kBlockTimers, reg::TCON, 0x50);
    set(kBlockUart, reg::SCON0, 0x10);
    set(kBlockSpi, reg::SPI0CN, 0x05);
    set(kBlockAdc, reg::ADC0CN, 0x83);
    set(kBlockAdc, reg::ADC0MX, 0x0A);
    set(kBlockComparator, reg::CPT0CN, 0x80);
    set(kBlockComparator, reg::CPT0MX, 0x21);
    set(kBlockPca, reg::PCA0CPM0, 0x42);
    set(kBlockPca, reg::PCA0CPM1, 0x46);
    set(kBlockOscillators, reg::OSCXCN, 0x67);
    set(kBlockResetSources, reg::RSTSRC, 0x06);
    set(kBlockComparatorReset, reg::RSTSRC, 0x20);
    set(kBlockInterrupts, reg::IE, 0x7F);
    set(kBlockInterrupts, reg::EIE1, 0xFF);
    return document;
}

void BM_OverviewOfAFullProject(benchmark::State& state) {
    const CK74x_75xDoc document = FullProject();
    fw::ChipOverview overview;
    for (auto _ : state) {
        document.GetOverview(overview);
        benchmark::DoNotOptimize(overview.problems.data());
    }
    state.counters["problems"] = static_cast<double>(overview.problems.size());
}
BENCHMARK(BM_OverviewOfAFullProject)->Unit(benchmark::kMicrosecond);

void BM_OverviewOfANewProject(benchmark::State& state) {
    CK74x_75xDoc document(0xD6);
    document.OnNewDocument();
    fw::ChipOverview overview;
    for (auto _ : state) {
        document.GetOverview(overview);
        benchmark::DoNotOptimize(overview.problems.data());
    }
}
BENCHMARK(BM_OverviewOfANewProject)->Unit(benchmark::kMicrosecond);

}  // namespace

// Speed of the PCA and SPI calculators: the computation behind each OK of
// "Calculate Timeout Interval", "Calculate CEX Frequency", "Duty Cycle" and
// "Calculate SCK", and the watchdog emission rule every PCA page applies
// after each change.  Each iteration runs one computation over a spread of
// targets.

#include <benchmark/benchmark.h>

#include "model/register_tables.h"
#include "pages/pca/pca_calculators.h"
#include "pages/pca/watchdog.h"
#include "pages/spi/sck_calculator.h"

namespace {

using namespace regsmith;

void BM_TimeoutCalculator(benchmark::State& state) {
    const pca::PcaClocks clocks{191406, 24000000, 32768, 747};
    double target = 1;
    for (auto _ : state) {
        target = target > 5000 ? 1 : target * 1.7;
        benchmark::DoNotOptimize(pca::CalculateTimeout(pca::TimeoutSource::Sysclk, target, clocks));
    }
}
BENCHMARK(BM_TimeoutCalculator);

void BM_CexFrequencyCalculator(benchmark::State& state) {
    std::uint32_t target = 1;
    for (auto _ : state) {
        target = target > 200000 ? 1 : target * 3;
        benchmark::DoNotOptimize(pca::CalculateCexFrequency(191406, target, 0));
    }
}
BENCHMARK(BM_CexFrequencyCalculator);

void BM_DutyCycleCalculator(benchmark::State& state) {
    double duty = 0.5;
    for (auto _ : state) {
        duty = duty > 100 ? 0.5 : duty * 1.3;
        benchmark::DoNotOptimize(pca::CalculateDutyCycle(65536, duty, 2));
    }
}
BENCHMARK(BM_DutyCycleCalculator);

void BM_SckCalculator(benchmark::State& state) {
    std::uint32_t target = 1;
    for (auto _ : state) {
        target = target > 100000 ? 1 : target * 3;
        benchmark::DoNotOptimize(spi::CalculateSck(191406, target));
    }
}
BENCHMARK(BM_SckCalculator);

void BM_WatchdogEmissionRule(benchmark::State& state) {
    PeripheralBlock block = BuildDefaultBlock(*FindBlockSpec(kBlockPca));
    for (auto _ : state) {
        block.registers[reg::PCA0L].value ^= 1;
        pca::ApplyWatchdogEmissionRule(block);
        benchmark::DoNotOptimize(block.registers[reg::PCA0MD].forceEmit);
    }
}
BENCHMARK(BM_WatchdogEmissionRule);

}  // namespace

// SPDX-License-Identifier: GPL-3.0-or-later
// What the graph's design pages cost a recalculation: the alignments for a
// driver, the sizes that build one, the duct for a tuning and the drive
// level's curves over the grid.
#include <benchmark/benchmark.h>

#include "design/alignment.hpp"
#include "design/box_sizes.hpp"
#include "design/drive_level.hpp"

namespace {

using namespace ventbox;

const FieldTexts kExample{"7", "35", "6.4", "0.42", "25", "50", "30", "4", "10", "10"};

void BM_Alignments(benchmark::State& state) {
    const CalculatedDesign c = calculateTexts(kExample, false);
    const DriverFigures driver = driverFiguresOf(c.design, c.results);
    for (auto _ : state) benchmark::DoNotOptimize(alignmentsFor(driver, kDefaultQl));
}
BENCHMARK(BM_Alignments)->Unit(benchmark::kMicrosecond);

void BM_BoxForAlignment(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(boxForAlignment(kExample, false, 0.9113, 0.9662));
}
BENCHMARK(BM_BoxForAlignment)->Unit(benchmark::kMicrosecond);

void BM_TuneDuct(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(tuneDuct(kExample, false, 40));
}
BENCHMARK(BM_TuneDuct)->Unit(benchmark::kMicrosecond);

void BM_DriveCurves(benchmark::State& state) {
    const CalculatedDesign c = calculateTexts(kExample, false);
    const Response response = responseOf(c.design, c.results, kDefaultQl);
    const DriveModel model(response, c.design, c.results, kDefaultQl, Drive{90, 4.0});
    for (auto _ : state) benchmark::DoNotOptimize(model.overGrid());
}
BENCHMARK(BM_DriveCurves)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();

// SPDX-License-Identifier: GPL-3.0-or-later
#include <benchmark/benchmark.h>

#include <array>
#include <string>

#include "calc/calc.hpp"
#include "calc/number_text.hpp"
#include "support/recording_form.hpp"

namespace ventbox {
namespace {

// A run on the window's initial texts.
void wholeCalcRun(benchmark::State& state) {
    std::array<std::string, kFieldCount> texts;
    for (std::size_t i = 0; i < kFieldCount; ++i) texts[i] = kFields[i].creationText;
    RecordingForm form(texts);
    form.labels.reserve(kResultCount);
    TDesign design;
    TDesignResults results;
    for (auto _ : state) {
        form.labels.clear();
        calculate(design, results, form);
        benchmark::DoNotOptimize(form.labels);
    }
}
BENCHMARK(wholeCalcRun);

void textToNumberOfAFieldText(benchmark::State& state) {
    const std::string text = "12.345678901234567";
    for (auto _ : state) benchmark::DoNotOptimize(textToNumber(text));
}
BENCHMARK(textToNumberOfAFieldText);

void displayTextOfAResult(benchmark::State& state) {
    const double value = 906038.125;
    for (auto _ : state) benchmark::DoNotOptimize(displayText(value));
}
BENCHMARK(displayTextOfAResult);

}  // namespace
}  // namespace ventbox

BENCHMARK_MAIN();

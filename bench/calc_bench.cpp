// SPDX-License-Identifier: GPL-3.0-or-later
#include <benchmark/benchmark.h>

#include <array>
#include <string>

#include "calc/calc.hpp"
#include "calc/number_text.hpp"

namespace ventbox {
namespace {

class BenchForm : public CalcForm {
public:
    std::string fieldText(Field f) const override { return texts[static_cast<std::size_t>(f)]; }
    bool pipeChecked() const override { return false; }
    void setLabel(ResultLabel l, const std::string& text) override {
        labels[static_cast<std::size_t>(l)] = text;
    }
    std::array<std::string, kFieldCount> texts{"7", "35", "6.4", "0.42", "25", "50", "30", "4", "10", "10"};
    std::array<std::string, kResultCount> labels;
};

void wholeCalcRun(benchmark::State& state) {
    BenchForm form;
    TDesign design;
    TDesignResults results;
    for (auto _ : state) {
        Calc(design, results, form);
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

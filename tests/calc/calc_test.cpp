// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <span>
#include <utility>
#include <vector>

#include "calc/calc.hpp"
#include "calc/errors.hpp"
#include "support/recording_form.hpp"
#include "support/worked_examples.hpp"

namespace ventbox {
namespace {

using test::kExampleTexts;
using test::typedValue;
using test::WorkedExample;
using test::exampleWith;
using Texts = test::FieldTexts;

// The labels a run wrote: each in its place of the write order.
void expectLabels(const RecordingForm& form, std::span<const std::string> labels) {
    ASSERT_EQ(form.labels.size(), labels.size());
    for (std::size_t i = 0; i < labels.size(); ++i) {
        EXPECT_EQ(form.labels[i].first, kResults[i].label);
        EXPECT_EQ(form.labels[i].second, labels[i]) << kResults[i].control;
    }
}

// The worked examples and the edge cases of their roundings.
const std::vector<WorkedExample> kCompleteRuns = [] {
    std::vector<WorkedExample> runs(test::kWorkedExamples.begin(), test::kWorkedExamples.end());
    WorkedExample checked = runs.front();
    checked.what = "a checked box has no effect when the duct's sides differ";
    checked.pipe = true;
    runs.push_back(checked);
    // sqrt(S / π) × 100 is exactly 3164.5 in extended arithmetic.
    runs.push_back({"the equivalent radius rounds its tie to even",
                    exampleWith({{Field::L1, "3146.009811400557"}, {Field::L2, "1"}}), false,
                    {"fd/foc = 1.05", "md/m0 = 30.78", "6.04㍑", "5565232", "27Hz", "0.32",
                     "31.64cm", "197.016g", "538Hz", "565.9Hz", "24.1Hz"},
                    std::nullopt});
    // 14000 × 7⁴ / 44.8 is exactly 750312.5: the double nearest 44.8 lies
    // below it and rounds the stiffness up; the extended 44.8 would not.
    runs.push_back({"the stiffness reads the volume back as stored",
                    exampleWith({{Field::BL1, "40"}, {Field::BL2, "40"}, {Field::BL3, "28.25"}}),
                    false,
                    {"fd/foc = 0.65", "md/m0 = 0.11", "44.8㍑", "750313", "61.4Hz", "0.74",
                     "3.57cm", "0.708g", "62.8Hz", "41Hz", "11.5Hz"},
                    std::nullopt});
    return runs;
}();

class CompleteRunTest : public testing::TestWithParam<WorkedExample> {};

TEST_P(CompleteRunTest, writesEveryLabelInOrderAndKeepsWhatItRounded) {
    const WorkedExample& run = GetParam();
    TDesign design;
    TDesignResults results;
    RecordingForm form(run.texts, run.pipe);
    calculate(design, results, form);
    expectLabels(form, run.labels);
    if (run.stored) {
        EXPECT_EQ(results.so, run.stored->so);
        EXPECT_EQ(results.sd, run.stored->sd);
        EXPECT_EQ(results.r, run.stored->r);
        EXPECT_EQ(results.Vo, run.stored->Vo);
    }
}

INSTANTIATE_TEST_SUITE_P(WorkedExamples, CompleteRunTest, testing::ValuesIn(kCompleteRuns));

TEST(CalcPipe, asksTheCheckBoxOnlyWhenTheSidesAreEqual) {
    struct Row {
        const char* l1;
        const char* l2;
        int asked;
    };
    for (Row row : {Row{"4", "10", 0}, Row{"5", "5", 1}, Row{"5", "5.0", 1}, Row{"5", "-5", 0}}) {
        TDesign design;
        TDesignResults results;
        RecordingForm form(exampleWith({{Field::L1, row.l1}, {Field::L2, row.l2}}), true);
        try {
            calculate(design, results, form);
        } catch (const Error&) {
        }
        EXPECT_EQ(form.pipeAsked, row.asked) << row.l1 << " " << row.l2;
    }
}

// A failing run: which error, which inputs it stored, which labels it wrote.
struct FailingRun {
    const char* what;
    Texts texts;
    const char* message;
    std::size_t inputsStored;  // how many of the ten in read order are new
    std::vector<std::string> labels;
};

const char* const kInvalid = "不正な浮動小数点数演算命令";
const char* const kZeroDivide = "0 による浮動小数点数除算";
const char* const kOverflow = "浮動小数点数のオーバーフロー";

const FailingRun kFailingRuns[] = {
    {"mo of 0 fails in the second ratio after the first was written",
     exampleWith({{Field::M, "0"}}), kZeroDivide, 10, {"fd/foc = 0.24"}},
    {"sides of opposite signs fail under the root of step 3", exampleWith({{Field::L1, "-4"}}),
     kInvalid, 10, {}},
    {"a text that is not a number stops the reading at its field",
     exampleWith({{Field::BL3, "abc"}}), "'abc' は浮動小数点数ではありません", 6, {}},
    {"an empty text quotes nothing", exampleWith({{Field::BL1, ""}}),
     "'' は浮動小数点数ではありません", 4, {}},
    {"a number beyond the double range overflows its store", exampleWith({{Field::M, "1e400"}}),
     kOverflow, 2, {}},
    {"an oversized duct area overflows its store",
     exampleWith({{Field::L1, "1e200"}, {Field::L2, "1e200"}}), kOverflow, 10, {}},
    {"a volume of exactly 0 divides by zero",
     exampleWith({{Field::BL1, "1"}, {Field::BL2, "1"}, {Field::BL3, "400"}}), kZeroDivide, 10,
     {}},
    {"a = 0 with a volume of 0 is 0/0",
     exampleWith({{Field::A, "0"}, {Field::BL1, "1"}, {Field::BL2, "1"}, {Field::BL3, "400"}}),
     kInvalid, 10, {}},
    {"a negative volume makes a radicand negative", exampleWith({{Field::BL1, "0"}}), kInvalid,
     10, {}},
    {"a stiffness beyond int64 is invalid in its rounding", exampleWith({{Field::A, "13000"}}),
     kInvalid, 10, {}},
    {"fo of 0 divides by zero in the effective Q", exampleWith({{Field::F, "0"}}), kZeroDivide,
     10, {}},
};

void PrintTo(const FailingRun& run, std::ostream* os) { *os << run.what; }

class FailingRunTest : public testing::TestWithParam<FailingRun> {};

TEST_P(FailingRunTest, leavesThePartialState) {
    const FailingRun& run = GetParam();
    TDesign design;
    for (const FieldFacts& input : kFields) design.*input.value = -99;
    TDesignResults results;
    RecordingForm form(run.texts);
    try {
        calculate(design, results, form);
        FAIL() << "the run did not fail";
    } catch (const Error& e) {
        EXPECT_STREQ(e.what(), run.message);
    }
    for (std::size_t i = 0; i < kFieldCount; ++i) {
        const double expected = i < run.inputsStored ? typedValue(run.texts[i]) : -99;
        EXPECT_EQ(design.*kFields[i].value, expected) << kFields[i].symbol;
    }
    expectLabels(form, run.labels);
}

INSTANTIATE_TEST_SUITE_P(FailureExamples, FailingRunTest, testing::ValuesIn(kFailingRuns));

}  // namespace
}  // namespace ventbox

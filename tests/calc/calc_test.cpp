// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "calc/calc.hpp"
#include "calc/errors.hpp"
#include "calc/recording_form.hpp"
#include "support/worked_examples.hpp"

namespace ventbox {
namespace {

using test::kExampleResults;
using test::kExampleTexts;
using Texts = std::array<std::string, kFieldCount>;

struct CompleteRun {
    const char* what;
    Texts texts;
    bool pipe;
    std::array<std::string, kResultCount> labels;  // in write order
};

const CompleteRun kCompleteRuns[] = {
    {"the window's initial texts", kExampleTexts, false, kExampleResults},
    {"a checked box has no effect when the duct's sides differ", kExampleTexts, true,
     kExampleResults},
    {"a round pipe keeps the unrounded radius",
     {"7", "35", "6.4", "0.42", "25", "50", "30", "5", "5", "10"}, true,
     {"fd/foc = 0.48", "md/m0 = 0.05", "37.304㍑", "901083", "67.5Hz", "0.81", "2.5cm", "0.314g",
      "67.9Hz", "32.8Hz", "12.4Hz"}},
    {"a square duct rounds its equivalent radius",
     {"7", "35", "6.4", "0.42", "25", "50", "30", "5", "5", "10"}, false,
     {"fd/foc = 0.54", "md/m0 = 0.06", "37.25㍑", "902389", "67.1Hz", "0.81", "2.82cm", "0.413g",
      "67.7Hz", "36.6Hz", "12.5Hz"}},
    {"the volume step rounds its tie to even",
     {"7", "35", "6.4", "0.42", "25", "50", "30", "5.5", "1", "1"}, false,
     {"fd/foc = 0.58", "md/m0 = 0", "37.494㍑", "896517", "68.9Hz", "0.83", "1.32cm", "0.018g",
      "69Hz", "40.2Hz", "12.4Hz"}},
    {"the effective Q shows the extended working precision",
     {"7", "30", "8", "0.3", "36", "44", "20", "3", "10", "10"}, false,
     {"fd/foc = 0.67", "md/m0 = 0.06", "31.38㍑", "1071192", "63.5Hz", "0.63", "3.09cm",
      "0.508g", "64.4Hz", "43.2Hz", "12.6Hz"}},
    // sqrt(S / π) × 100 is exactly 3164.5 in extended arithmetic.
    {"the equivalent radius rounds its tie to even",
     {"7", "35", "6.4", "0.42", "25", "50", "30", "3146.009811400557", "1", "10"}, false,
     {"fd/foc = 1.05", "md/m0 = 30.78", "6.04㍑", "5565232", "27Hz", "0.32", "31.64cm",
      "197.016g", "538Hz", "565.9Hz", "24.1Hz"}},
    // 14000 × 7⁴ / 44.8 is exactly 750312.5: the double nearest 44.8 lies
    // below it and rounds the stiffness up; the extended 44.8 would not.
    {"the stiffness reads the volume back as stored",
     {"7", "35", "6.4", "0.42", "40", "40", "28.25", "4", "10", "10"}, false,
     {"fd/foc = 0.65", "md/m0 = 0.11", "44.8㍑", "750313", "61.4Hz", "0.74", "3.57cm", "0.708g",
      "62.8Hz", "41Hz", "11.5Hz"}},
};

void PrintTo(const CompleteRun& run, std::ostream* os) { *os << run.what; }

class CompleteRunTest : public testing::TestWithParam<CompleteRun> {};

TEST_P(CompleteRunTest, writesEveryLabelInOrder) {
    const CompleteRun& run = GetParam();
    TDesign design;
    TDesignResults results;
    RecordingForm form(run.texts, run.pipe);
    Calc(design, results, form);
    ASSERT_EQ(form.labels.size(), kResultCount);
    for (std::size_t i = 0; i < kResultCount; ++i) {
        EXPECT_EQ(form.labels[i].first, kResults[i].label);
        EXPECT_EQ(form.labels[i].second, run.labels[i]) << kResults[i].control;
    }
}

INSTANTIATE_TEST_SUITE_P(WorkedExamples, CompleteRunTest, testing::ValuesIn(kCompleteRuns));

TEST(CalcHiddenValues, keepsDuctAreaAndStiffnessesOfTheFirstCase) {
    TDesign design;
    TDesignResults results;
    RecordingForm form(kExampleTexts);
    Calc(design, results, form);
    EXPECT_EQ(results.so, 309511);
    EXPECT_EQ(results.sd, 61295);
    EXPECT_EQ(results.r, 3.57);
    EXPECT_EQ(results.Vo, 37.1);
}

TEST(CalcHiddenValues, roundPipeStoresUnroundedRadiusAndItsArea) {
    TDesign design;
    TDesignResults results;
    RecordingForm form({"7", "35", "6.4", "0.42", "25", "50", "30", "5", "5", "10"}, true);
    Calc(design, results, form);
    EXPECT_EQ(results.so, 309511);
    EXPECT_EQ(results.sd, 14660);
    EXPECT_EQ(results.r, 2.5);
    // S = π × 2.5 × 2.5 stored as a double: Vo = round(37500 − 10 S) / 1000.
    EXPECT_EQ(results.Vo, 37.304);
}

TEST(CalcPipe, asksTheCheckBoxOnlyWhenTheSidesAreEqual) {
    struct Row {
        const char* l1;
        const char* l2;
        int asked;
    };
    for (Row row : {Row{"4", "10", 0}, Row{"5", "5", 1}, Row{"5", "5.0", 1}, Row{"5", "-5", 0}}) {
        Texts texts = kExampleTexts;
        texts[7] = row.l1;
        texts[8] = row.l2;
        TDesign design;
        TDesignResults results;
        RecordingForm form(texts, true);
        try {
            Calc(design, results, form);
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
    std::size_t labelsWritten;
};

const char* const kInvalid = "不正な浮動小数点数演算命令";
const char* const kZeroDivide = "0 による浮動小数点数除算";
const char* const kOverflow = "浮動小数点数のオーバーフロー";

const FailingRun kFailingRuns[] = {
    {"mo of 0 fails in the second ratio after the first was written",
     {"7", "35", "0", "0.42", "25", "50", "30", "4", "10", "10"}, kZeroDivide, 10, 1},
    {"sides of opposite signs fail under the root of step 3",
     {"7", "35", "6.4", "0.42", "25", "50", "30", "-4", "10", "10"}, kInvalid, 10, 0},
    {"a text that is not a number stops the reading at its field",
     {"7", "35", "6.4", "0.42", "25", "50", "abc", "4", "10", "10"},
     "'abc' は浮動小数点数ではありません", 6, 0},
    {"an empty text quotes nothing", {"7", "35", "6.4", "0.42", "", "50", "30", "4", "10", "10"},
     "'' は浮動小数点数ではありません", 4, 0},
    {"a number beyond the double range overflows its store",
     {"7", "35", "1e400", "0.42", "25", "50", "30", "4", "10", "10"}, kOverflow, 2, 0},
    {"an oversized duct area overflows its store",
     {"7", "35", "6.4", "0.42", "25", "50", "30", "1e200", "1e200", "10"}, kOverflow, 10, 0},
    {"a volume of exactly 0 divides by zero",
     {"7", "35", "6.4", "0.42", "1", "1", "400", "4", "10", "10"}, kZeroDivide, 10, 0},
    {"a = 0 with a volume of 0 is 0/0",
     {"0", "35", "6.4", "0.42", "1", "1", "400", "4", "10", "10"}, kInvalid, 10, 0},
    {"a negative volume makes a radicand negative",
     {"7", "35", "6.4", "0.42", "0", "50", "30", "4", "10", "10"}, kInvalid, 10, 0},
    {"a stiffness beyond int64 is invalid in its rounding",
     {"13000", "35", "6.4", "0.42", "25", "50", "30", "4", "10", "10"}, kInvalid, 10, 0},
    {"fo of 0 divides by zero in the effective Q",
     {"7", "0", "6.4", "0.42", "25", "50", "30", "4", "10", "10"}, kZeroDivide, 10, 0},
};

void PrintTo(const FailingRun& run, std::ostream* os) { *os << run.what; }

class FailingRunTest : public testing::TestWithParam<FailingRun> {};

TEST_P(FailingRunTest, leavesThePartialState) {
    const FailingRun& run = GetParam();
    TDesign design;
    design.a = design.fo = design.mo = design.Qo = design.BL1 = design.BL2 = design.BL3 =
        design.L1 = design.L2 = design.L3 = -99;
    TDesignResults results;
    RecordingForm form(run.texts);
    try {
        Calc(design, results, form);
        FAIL() << "the run did not fail";
    } catch (const Error& e) {
        EXPECT_STREQ(e.what(), run.message);
    }
    for (std::size_t i = 0; i < kFieldCount; ++i) {
        const bool stored = design.value(kFields[i].field) != -99;
        EXPECT_EQ(stored, i < run.inputsStored) << kFields[i].symbol;
    }
    EXPECT_EQ(form.labels.size(), run.labelsWritten);
}

INSTANTIATE_TEST_SUITE_P(FailureExamples, FailingRunTest, testing::ValuesIn(kFailingRuns));

TEST(CalcFailure, secondRatioFailureShowsTheFirstRatio) {
    TDesign design;
    TDesignResults results;
    RecordingForm form({"7", "35", "0", "0.42", "25", "50", "30", "4", "10", "10"});
    EXPECT_THROW(Calc(design, results, form), ZeroDivide);
    ASSERT_EQ(form.labels.size(), 1u);
    EXPECT_EQ(form.labels[0].second, "fd/foc = 0.24");
}

TEST(CalcFailure, negativeDuctSideIsStoredBeforeStep3Fails) {
    TDesign design;
    TDesignResults results;
    RecordingForm form({"7", "35", "6.4", "0.42", "25", "50", "30", "-4", "10", "10"});
    EXPECT_THROW(Calc(design, results, form), InvalidOperation);
    EXPECT_EQ(design.L1, -4);
    EXPECT_EQ(design.L3, 10);
}

}  // namespace
}  // namespace ventbox

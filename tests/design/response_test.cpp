// SPDX-License-Identifier: GPL-3.0-or-later
#include "design/response.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <numbers>
#include <limits>

#include "support/worked_examples.hpp"

namespace ventbox {
namespace {

using test::exampleDesign;

// The first worked example's results, as its labels show them.
TDesignResults exampleResults() {
    TDesignResults r;
    r.so = 309511;
    r.sc = 906038;
    r.fd = 45.1;
    r.foc = 65.8;
    r.Qoc = 0.79;
    return r;
}

// The fourth-order Butterworth alignment: alpha = √2, h = 1, Qt = 0.383 and
// no box losses; its level at f0 is that of 1/√2.
Response butterworth(double f0) { return Response(std::sqrt(2.0), 1, 0.383, 1e12, f0); }

// The phase of the vented box's transfer function, taken straight from the
// complex polynomial: the delay is checked against its slope.
double ventedPhase(double alpha, double h, double Qt, double Ql, double fo, double f) {
    const double rootH = std::sqrt(h);
    const std::complex<double> s(0, f / (fo * rootH));
    const double a1 = (Ql + h * Qt) / (rootH * Ql * Qt);
    const double a2 = (h + (alpha + 1 + h * h) * Ql * Qt) / (h * Ql * Qt);
    const double a3 = (h * Ql + Qt) / (rootH * Ql * Qt);
    return -std::arg(s * s * s * s + a1 * s * s * s + a2 * s * s + a3 * s + 1.0);
}

TEST(ResponseModel, agreesWithHandWorkedLevels) {
    const TDesignResults results = exampleResults();
    const Response example = responseOf(exampleDesign(), results, kDefaultQl);
    const double f3 = *ventedF3(example);
    const double rise = std::sqrt(1 + results.sc / results.so);
    // An overdamped box rises all the way up: it has no peak to show.
    const Response overdamped(std::sqrt(2.0), 1, 0.3, 1e12, 30);
    // A driver of high Q in a box tuned to its resonance peaks above 0 dB.
    const Response peaked(1, 1, 0.6, kDefaultQl, 30);
    const std::optional<Peak> peak = ventedPeak(peaked);
    // alpha = 1 and Qo = 1/2: the sealed box is a Butterworth at √2·fo.
    const Response sealedButterworth(1, 1, 0.5, kDefaultQl, 30);
    const double w = 2 * std::numbers::pi;
    const double step = 1e-6;
    const struct {
        const char* what;
        double got;
        double expected;
        double tolerance;
    } cases[] = {
        {"B4 at f0", butterworth(30).ventedDb(30), -3.0103, 0.0005},
        {"alpha 1 raises the sealed resonance by √2", sealedButterworth.closedResonance(),
         std::sqrt(2.0) * 30, 1e-12},
        {"alpha 1 raises the sealed Q by √2", sealedButterworth.closedQ(), std::sqrt(2.0) * 0.5,
         1e-12},
        // |G|² = w⁴/(1 + w⁴) for Q = 1/√2, so -3.000 dB lies at w = (10^0.3 - 1)^(-1/4).
        {"sealed Q 1/√2 has its F3 at its resonance", *closedF3(sealedButterworth),
         std::sqrt(2.0) * 30 * std::pow(std::pow(10.0, 0.3) - 1, -0.25), 0.005},
        {"the example sealed rises by √(1 + sc/so)", example.closedResonance(), 35 * rise, 1e-9},
        {"the example sealed at its resonance is its Q", example.closedDb(35 * rise),
         20 * std::log10(0.42 * rise), 1e-9},
        {"vented passband", example.ventedDb(20000), 0, 0.001},
        {"closed passband", example.closedDb(20000), 0, 0.001},
        {"vented 24 dB an octave far below F3",
         example.ventedDb(f3 / 64) - example.ventedDb(f3 / 32), -24.08, 0.05},
        {"closed 12 dB an octave far below F3",
         example.closedDb(1) - example.closedDb(2), -12.04, 0.05},
        {"B4 F3 at f0", *ventedF3(butterworth(30)), 30, 0.05},
        {"no F3 when tuned above 20 kHz", ventedF3(butterworth(40000)).value_or(-1), -1, 0},
        {"no closed F3 above 20 kHz", closedF3(butterworth(40000)).value_or(-1), -1, 0},
        {"no peak on a rising curve", ventedPeak(overdamped) ? 1.0 : 0.0, 0, 0},
        // Qt 0.383 for 0.38268 lifts B4's top by 0.004 dB: no peak to show.
        {"no peak on B4's flat top", ventedPeak(butterworth(30)) ? 1.0 : 0.0, 0, 0},
        {"a peak above the passband", peak && peak->levelDb > 0 ? 1.0 : 0.0, 1, 0},
        {"the peak's level is the curve's there", peak ? peaked.ventedDb(peak->frequency) : 0,
         peak ? peak->levelDb : 1, 1e-9},
        {"B4 delay at f0 is 3.69 periods of ω0", butterworth(30).ventedGroupDelay(30) * w * 30,
         3.6926, 0.001},
        {"delay is the phase's slope",
         butterworth(30).ventedGroupDelay(45),
         -(ventedPhase(std::sqrt(2.0), 1, 0.383, 1e12, 30, 45 + step) -
           ventedPhase(std::sqrt(2.0), 1, 0.383, 1e12, 30, 45 - step)) / (2 * step * w),
         1e-7},
        {"grid start", gridFrequency(0), 10, 0},
        {"grid end", gridFrequency(kGridPoints - 1), 1015.9367, 0.0001},
    };
    for (const auto& c : cases) EXPECT_NEAR(c.got, c.expected, c.tolerance) << c.what;
}

TEST(ResponseModel, refusesADesignWithAValueThatIsNotPositive) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const struct {
        const char* value;
        double TDesign::*input;
        double TDesignResults::*result;
        double bad;
    } cases[] = {
        {"so", nullptr, &TDesignResults::so, 0},   {"sc", nullptr, &TDesignResults::sc, -1},
        {"fd", nullptr, &TDesignResults::fd, nan}, {"fo", &TDesign::fo, nullptr, 0},
        {"Qo", &TDesign::Qo, nullptr, -0.4},
    };
    for (const auto& c : cases) {
        TDesign design = exampleDesign();
        TDesignResults results = exampleResults();
        (c.input ? design.*c.input : results.*c.result) = c.bad;
        // A later value that is not positive either does not change the message.
        if (c.input != &TDesign::Qo) design.Qo = -1;
        try {
            responseOf(design, results, kDefaultQl);
            ADD_FAILURE() << c.value;
        } catch (const NoResponse& e) {
            EXPECT_EQ(std::string(e.what()), std::string("no response: ") + c.value +
                                                 " is not positive");
        }
    }
}

}  // namespace
}  // namespace ventbox

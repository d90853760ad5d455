// SPDX-License-Identifier: GPL-3.0-or-later
#include "design/response.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <limits>
#include <numbers>
#include <optional>

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

// An alignment: compliance ratio, tuning ratio, driver Q, box losses, fo.
struct Alignment {
    const char* what;
    double alpha, h, Qt, Ql, fo;
};

// The vented box as its acoustic circuit: the driver's mass, compliance and
// losses in series, driving the box's air, its leaks and the duct's air in
// parallel. What radiates is the volume velocity the box's air takes, times
// s; the units make the driver's acoustic mass 1, so the passband is 1.
std::complex<double> circuitVented(const Alignment& a, double f) {
    const double ws = 2 * std::numbers::pi * a.fo;
    const double wb = a.h * ws;
    const double Cas = 1 / (ws * ws);
    const double Ras = ws / a.Qt;
    const double Cab = Cas / a.alpha;
    const double Map = 1 / (wb * wb * Cab);
    const double Ral = a.Ql / (wb * Cab);
    const std::complex<double> s(0, 2 * std::numbers::pi * f);
    const std::complex<double> box = 1.0 / (s * Cab + 1 / Ral + 1.0 / (s * Map));
    const std::complex<double> cone = 1.0 / (Ras + s + 1.0 / (s * Cas) + box);
    return s * (cone * box * s * Cab);
}

// The sealed box: the box's air in series with the driver, no leaks.
std::complex<double> circuitClosed(const Alignment& a, double f) {
    const double ws = 2 * std::numbers::pi * a.fo;
    const double Cas = 1 / (ws * ws);
    const double Cab = Cas / a.alpha;
    const std::complex<double> s(0, 2 * std::numbers::pi * f);
    return s / (ws / a.Qt + s + 1.0 / (s * Cas) + 1.0 / (s * Cab));
}

double circuitDb(std::complex<double> g) { return 20 * std::log10(std::abs(g)); }

// The frequency below which the level falls under -3 dB, sought from 20 kHz
// down in steps of 1/2000 octave, then halved.
template <class Level>
double circuitF3(Level level) {
    double above = 20000;
    const double step = std::exp2(-1.0 / 2000);
    while (level(above * step) > -3) above *= step;
    double below = above * step;
    for (int i = 0; i < 80; ++i) {
        const double middle = (above + below) / 2;
        (level(middle) > -3 ? above : below) = middle;
    }
    return above;
}

// The highest level between 10 Hz and the grid's end, by a scan of 2400
// steps an octave refined by thirds; nullopt when it lies at either end.
std::optional<Peak> circuitPeak(const Alignment& a) {
    auto level = [&](double f) { return circuitDb(circuitVented(a, f)); };
    const double step = std::exp2(1.0 / 2400);
    double best = 10;
    for (double f = 10; f <= gridFrequency(kGridPoints - 1); f *= step) {
        if (level(f) > level(best)) best = f;
    }
    if (best == 10 || best * step > gridFrequency(kGridPoints - 1)) return std::nullopt;
    double low = best / step, high = best * step;
    for (int i = 0; i < 200; ++i) {
        const double left = low + (high - low) / 3;
        const double right = high - (high - low) / 3;
        if (level(left) < level(right)) {
            low = left;
        } else {
            high = right;
        }
    }
    return Peak{level(low), low};
}

// The group delay as the slope of the circuit's phase.
double circuitDelay(const Alignment& a, double f) {
    const double df = f * 1e-5;
    const double turn = std::arg(circuitVented(a, f + df) / circuitVented(a, f - df));
    return -turn / (2 * std::numbers::pi * 2 * df);
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
    // The sealed example's -3.000 dB point solves a quadratic in x = (f/fc)²:
    // x² = g·((1 - x)² + x/Qtc²) with g = 10^-0.3.
    const double g = std::pow(10.0, -0.3);
    const double Qtc = 0.42 * rise;
    const double b = 2 * g - g / (Qtc * Qtc);
    const double sealedF3 =
        35 * rise * std::sqrt((-b + std::sqrt(b * b + 4 * (1 - g) * g)) / (2 * (1 - g)));
    const std::optional<Peak> examplePeak = ventedPeak(example);
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
        // The example (alpha = 2.9273, h = 45.1/35) worked through its circuit.
        {"the example's vented F3", f3, 52.87, 0.006},
        {"the example's closed F3", *closedF3(example), sealedF3, 0.006},
        {"the example's peak", examplePeak ? examplePeak->levelDb : 0, 2.3303, 0.0005},
        {"where the example peaks", examplePeak ? examplePeak->frequency : 0, 89.45, 0.006},
        {"the example's delay at fd, ms", example.ventedGroupDelay(45.1) * 1000, 6.8658, 0.0005},
        {"the example at 40 Hz", example.ventedDb(40), -8.6032, 0.0001},
        {"the example sealed at 40 Hz", example.closedDb(40), -9.2261, 0.0001},
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
        {"grid start", gridFrequency(0), 10, 0},
        {"grid end", gridFrequency(kGridPoints - 1), 1015.9367, 0.0001},
    };
    for (const auto& c : cases) EXPECT_NEAR(c.got, c.expected, c.tolerance) << c.what;
}

// Levels, delays, F3 and peaks against the circuit, over alignments tuned
// above and below the driver's resonance, from the lossiest box to none.
TEST(ResponseModel, agreesWithTheEquivalentCircuit) {
    const Alignment alignments[] = {
        {"the example", 906038.0 / 309511, 45.1 / 35, 0.42, kDefaultQl, 35},
        {"tuned well above fo", 1.5, 1.6, 0.3, kDefaultQl, 30},
        {"tuned below fo, a high Q", 0.8, 0.7, 0.5, 15, 50},
        {"the lossiest box", 3, 1.2, 0.25, kLowestQl, 25},
        {"a peaked box without losses", 0.5, 0.9, 0.9, kHighestQl, 40},
        {"an overdamped box", 8, 1.4, 0.2, kDefaultQl, 20},
    };
    for (const Alignment& a : alignments) {
        SCOPED_TRACE(a.what);
        const Response response(a.alpha, a.h, a.Qt, a.Ql, a.fo);
        for (int k = 0; k < kGridPoints; k += 4) {
            const double f = gridFrequency(k);
            EXPECT_NEAR(response.ventedDb(f), circuitDb(circuitVented(a, f)), 1e-6) << f;
            EXPECT_NEAR(response.closedDb(f), circuitDb(circuitClosed(a, f)), 1e-6) << f;
            const double delay = circuitDelay(a, f);
            EXPECT_NEAR(response.ventedGroupDelay(f), delay, 1e-5 * std::abs(delay) + 1e-9) << f;
        }
        const auto vented = [&](double f) { return circuitDb(circuitVented(a, f)); };
        const auto closed = [&](double f) { return circuitDb(circuitClosed(a, f)); };
        EXPECT_NEAR(*ventedF3(response), circuitF3(vented), 0.006);
        EXPECT_NEAR(*closedF3(response), circuitF3(closed), 0.006);
        const std::optional<Peak> expected = circuitPeak(a);
        const std::optional<Peak> peak = ventedPeak(response);
        ASSERT_EQ(peak.has_value(), expected.has_value());
        if (!peak) continue;
        EXPECT_NEAR(peak->levelDb, expected->levelDb, 0.0005);
        EXPECT_NEAR(peak->frequency, expected->frequency, 0.006);
    }
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

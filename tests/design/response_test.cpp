// SPDX-License-Identifier: GPL-3.0-or-later
#include "design/response.hpp"

#include <gtest/gtest.h>

#include <cmath>
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
Response butterworth(double f0) {
    return Response(std::sqrt(2.0), 1, 0.383, 1e12, f0, f0, 1 / std::sqrt(2.0));
}

TEST(ResponseModel, agreesWithHandWorkedLevels) {
    const Response example = responseOf(exampleDesign(), exampleResults(), kDefaultQl);
    const double f3 = *ventedF3(example);
    // An overdamped box rises all the way up: its peak is the grid's last point.
    const Response overdamped(std::sqrt(2.0), 1, 0.3, 1e12, 30, 30, 0.5);
    const struct {
        const char* what;
        double got;
        double expected;
        double tolerance;
    } cases[] = {
        {"B4 at f0", butterworth(30).ventedDb(30), -3.0103, 0.0005},
        {"B4 second-order closed box at foc", butterworth(30).closedDb(30), -3.0103, 0.0005},
        {"closed box at foc is its Q", example.closedDb(65.8), 20 * std::log10(0.79), 1e-9},
        {"vented passband", example.ventedDb(20000), 0, 0.001},
        {"closed passband", example.closedDb(20000), 0, 0.001},
        {"vented 24 dB an octave far below F3",
         example.ventedDb(f3 / 64) - example.ventedDb(f3 / 32), -24.08, 0.05},
        {"closed 12 dB an octave far below F3",
         example.closedDb(1) - example.closedDb(2), -12.04, 0.05},
        {"B4 F3 at f0", *ventedF3(butterworth(30)), 30, 0.05},
        {"B4 closed F3 at foc", *closedF3(butterworth(30)), 30, 0.05},
        {"no F3 when tuned above 20 kHz", ventedF3(butterworth(40000)).value_or(-1), -1, 0},
        {"no closed F3 above 20 kHz", closedF3(butterworth(40000)).value_or(-1), -1, 0},
        {"peak of a rising curve", ventedPeak(overdamped).frequency, 1015.9367, 0.0001},
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
        {"Qo", &TDesign::Qo, nullptr, -0.4},       {"foc", nullptr, &TDesignResults::foc, 0},
        {"Qoc", nullptr, &TDesignResults::Qoc, 0},
    };
    for (const auto& c : cases) {
        TDesign design = exampleDesign();
        TDesignResults results = exampleResults();
        (c.input ? design.*c.input : results.*c.result) = c.bad;
        // A later value that is not positive either does not change the message.
        results.Qoc = c.result == &TDesignResults::Qoc ? c.bad : -1;
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

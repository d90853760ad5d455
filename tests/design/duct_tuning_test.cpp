// SPDX-License-Identifier: GPL-3.0-or-later
#include "design/duct_tuning.hpp"

#include <gtest/gtest.h>

#include <cmath>

#include "design/box_sizes.hpp"
#include "design/driver_figures.hpp"
#include "support/worked_examples.hpp"

namespace ventbox {
namespace {

using test::exampleWith;
using test::kExampleTexts;

double fdWith(FieldTexts texts, bool pipe, long long millimetres) {
    texts[static_cast<std::size_t>(Field::L3)] = millimetreText(millimetres);
    return calculateTexts(texts, pipe).results.fd;
}

// The length found is the nearest whole millimetre by the calculation
// itself: its neighbours calculate an fd no nearer the target.
TEST(DuctTuning, findsTheLengthWhoseCalculatedFdIsNearest) {
    const FieldTexts roundPipe = exampleWith({{Field::L1, "5"}, {Field::L2, "5"}});
    const FieldTexts shallow = exampleWith({{Field::BL3, "12"}, {Field::BL1, "60"}});
    const struct {
        const char* what;
        FieldTexts texts;
        bool pipe;
        double target;
        bool longerThanDepth;
    } cases[] = {
        {"the example at 40 Hz", kExampleTexts, false, 40, false},
        {"the example at its own tuning", kExampleTexts, false, 45.1, false},
        {"the example low, deeper than the box", kExampleTexts, false, 25, true},
        {"a round pipe", roundPipe, true, 33.3, false},
        {"a shallow box", shallow, false, 30, true},
    };
    for (const auto& c : cases) {
        const DuctTuning t = tuneDuct(c.texts, c.pipe, c.target);
        const double distance = std::abs(t.calculated.results.fd - c.target);
        for (const long long neighbour : {t.millimetres - 1, t.millimetres + 1}) {
            EXPECT_GE(std::abs(fdWith(c.texts, c.pipe, neighbour) - c.target), distance)
                << c.what << " at " << neighbour << " mm";
        }
        EXPECT_LE(distance, 0.3) << c.what;
        EXPECT_EQ(t.text, millimetreText(t.millimetres)) << c.what;
        EXPECT_EQ(t.calculated.design.L3, t.millimetres / 10.0) << c.what;
        // An open pipe of the duct's effective length L3 + 4r/3 at 343 m/s.
        const double length = (t.calculated.design.L3 + 4 * t.calculated.results.r / 3) / 100;
        EXPECT_NEAR(t.pipeResonance, 343 / (2 * length), 1e-9) << c.what;
        EXPECT_EQ(t.longerThanDepth, c.longerThanDepth) << c.what;
    }
    // The design's own duct, 10 cm, gives its 45.1 Hz; of the lengths that
    // calculate the same, the one nearest before rounding is chosen.
    EXPECT_EQ(tuneDuct(kExampleTexts, false, 45.1).calculated.results.fd, 45.1);
}

TEST(DuctTuning, saysWhyNoLengthReachesATuning) {
    const struct {
        const char* what;
        FieldTexts texts;
        double target;
        const char* message;  // its start
    } cases[] = {
        {"above the shortest duct", kExampleTexts, 100,
         "fb 100.0 Hz needs a duct shorter than 1 mm"},
        {"below the longest that fits", kExampleTexts, 10, "fb 10.0 Hz is below any duct"},
        {"no target", kExampleTexts, 0, "the tuning must be a positive number"},
        {"a negative target", kExampleTexts, -40, "the tuning must be a positive number"},
        {"not a number", kExampleTexts, std::nan(""), "the tuning must be a positive number"},
        {"a box turned inside out", exampleWith({{Field::BL1, "-25"}, {Field::BL2, "-50"}}), 40,
         "no duct tunes a box"},
        {"a box smaller than any duct",
         exampleWith({{Field::BL1, "5"}, {Field::BL2, "5"}, {Field::BL3, "4"}, {Field::L3, "0.1"}}),
         40, "the box is too small"},
    };
    for (const auto& c : cases) {
        try {
            tuneDuct(c.texts, false, c.target);
            ADD_FAILURE() << c.what;
        } catch (const NoTuning& e) {
            EXPECT_EQ(std::string(e.what()).rfind(c.message, 0), 0u) << c.what << ": " << e.what();
        }
    }
    EXPECT_THROW(tuneDuct(exampleWith({{Field::A, "abc"}}), false, 40), ConversionError);
}

// The box for an alignment keeps the sides' proportions and comes near the
// alignment's volume and tuning once calculated.
TEST(BoxSizes, buildTheAlignmentInTheBoxsProportions) {
    const struct {
        double alpha, h;
    } cases[] = {{0.9113, 0.9662}, {2.8452, 1.3145}, {1.0613, 1.0}};
    const CalculatedDesign now = calculateTexts(kExampleTexts, false);
    const double Vas = driverFiguresOf(now.design, now.results).Vas;
    for (const auto& c : cases) {
        const AlignedBox box = boxForAlignment(kExampleTexts, false, c.alpha, c.h);
        const TDesign& d = box.duct.calculated.design;
        const TDesignResults& r = box.duct.calculated.results;
        // Each side rounded to a millimetre moves a ratio by its two roundings.
        EXPECT_NEAR(d.BL2 / d.BL1, 2.0, 2.0 * (0.05 / d.BL1 + 0.05 / d.BL2)) << c.alpha;
        EXPECT_NEAR(d.BL3 / d.BL1, 1.2, 1.2 * (0.05 / d.BL1 + 0.05 / d.BL3)) << c.alpha;
        EXPECT_NEAR(r.Vo, Vas / c.alpha, Vas / c.alpha * 0.005) << c.alpha;
        EXPECT_NEAR(r.fd, c.h * 35, 0.3) << c.alpha;
        for (const Field unchanged : {Field::A, Field::F, Field::M, Field::Q, Field::L1, Field::L2}) {
            EXPECT_EQ(box.texts[static_cast<std::size_t>(unchanged)],
                      kExampleTexts[static_cast<std::size_t>(unchanged)]);
        }
        EXPECT_EQ(box.texts[static_cast<std::size_t>(Field::L3)], box.duct.text);
    }
    EXPECT_THROW(boxForAlignment(exampleWith({{Field::BL1, "-25"}, {Field::BL2, "-50"}}), false, 1, 1),
                 NoTuning);
}

}  // namespace
}  // namespace ventbox

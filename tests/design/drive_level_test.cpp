// SPDX-License-Identifier: GPL-3.0-or-later
#include "design/drive_level.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "design/field_texts.hpp"
#include "support/worked_examples.hpp"

namespace ventbox {
namespace {

// The worked example: fd 45.1 Hz, r 3.57 cm, a 7 cm.
struct Example {
    CalculatedDesign calculated = calculateTexts(test::kExampleTexts, false);
    Response response = responseOf(calculated.design, calculated.results, kDefaultQl);
    DriveModel model(const Drive& drive) const {
        return DriveModel(response, calculated.design, calculated.results, kDefaultQl, drive);
    }
};

// The flow a source radiates for a peak pressure p at 1 m in half space,
// p = ρ·f·U: 90 dB SPL is 0.6325 Pa rms, 0.8944 Pa peak.
double flowFor(double levelDb, double relativeDb, double f) {
    const double peak = std::sqrt(2.0) * 20e-6 * std::pow(10.0, (levelDb + relativeDb) / 20);
    return peak / (1.2 * f);
}

TEST(DriveLevel, followsTheFlowsOfTheBoxAndItsDuct) {
    const Example e;
    const double fb = 45.1;
    const double ductArea = std::numbers::pi * 0.0357 * 0.0357;
    const double coneArea = std::numbers::pi * 0.07 * 0.07;
    const DriveModel at90 = e.model(Drive{90, 4.0});
    const DriveModel at96 = e.model(Drive{96.0206, std::nullopt});
    const double far = 100 * fb;
    const double maxLevel = at90.levelAtExcursion(40, 4.0);
    const struct {
        const char* what;
        double got, expected, relative;
    } cases[] = {
        {"at fb the duct carries the radiated flow", at90.at(fb).ductSpeed,
         flowFor(90, e.response.ventedDb(fb), fb) / ductArea, 1e-12},
        {"far above fb the cone radiates alone", at90.at(far).excursion,
         flowFor(90, e.response.ventedDb(far), far) / (2 * std::numbers::pi * far * coneArea) * 1000,
         1e-3},
        {"far above fb the duct carries little", at90.at(far).ductSpeed / at90.at(fb).ductSpeed, 0,
         1},
        {"6.02 dB more drive doubles the excursion", at96.at(30).excursion / at90.at(30).excursion,
         2, 1e-4},
        {"the highest level the cone allows moves it by Xmax",
         e.model(Drive{maxLevel - e.response.ventedDb(40), std::nullopt}).at(40).excursion, 4.0,
         1e-9},
    };
    for (const auto& c : cases) {
        if (c.expected == 0) {
            EXPECT_LT(c.got, 1e-4) << c.what;
        } else {
            EXPECT_NEAR(c.got / c.expected, 1, c.relative) << c.what;
        }
    }
    const DriveCurves curves = at90.overGrid();
    ASSERT_EQ(curves.ductSpeed.size(), static_cast<std::size_t>(kGridPoints));
    EXPECT_EQ(curves.maxLevel.size(), static_cast<std::size_t>(kGridPoints));
    EXPECT_TRUE(e.model(Drive{}).overGrid().maxLevel.empty()) << "no Xmax, no highest level";
    const CurveMaximum highest = maximumOver(curves.ductSpeed);
    for (const double speed : curves.ductSpeed) EXPECT_LE(speed, highest.value);
    EXPECT_EQ(curves.ductSpeed[48], at90.at(gridFrequency(48)).ductSpeed);
}

}  // namespace
}  // namespace ventbox

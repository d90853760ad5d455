// SPDX-License-Identifier: GPL-3.0-or-later
#include "driver_figures.hpp"

#include <numbers>

namespace ventbox {

namespace {

// sc = 14000·a⁴/Vo with Vo in litres, so 14000·a⁴/so is a volume in litres.
constexpr double kStiffnessFactor = 14000;

}  // namespace

DriverFigures driverFiguresOf(const TDesign& design, const TDesignResults& results) {
    const double a2 = design.a * design.a;
    return {std::numbers::pi * a2, kStiffnessFactor * a2 * a2 / results.so, design.fo, design.Qo};
}

}  // namespace ventbox

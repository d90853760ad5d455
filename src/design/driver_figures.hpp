// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calc/design.hpp"

namespace ventbox {

// What the driver brings to any box, from its four fields: the cone's area,
// the volume of air as stiff as its suspension, its resonance and its Q.
struct DriverFigures {
    double Sd;   // cm², π·a²
    double Vas;  // litres: the box volume whose air is as stiff as the suspension
    double fo;   // Hz
    double Qt;   // the driver's total Q, Qo
};

// Vas is alpha·Vo with the box's stiffness taken before it is rounded,
// 14000·a⁴/so, so that it does not change with the box.
DriverFigures driverFiguresOf(const TDesign& design, const TDesignResults& results);

}  // namespace ventbox

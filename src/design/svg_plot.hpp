// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "response.hpp"

namespace ventbox {

// One design's curves over the response grid, in dB, and its F3 points.
struct PlotCurve {
    std::string name;
    std::vector<double> vented;
    std::vector<double> closed;
    std::optional<double> ventedF3;
    std::optional<double> closedF3;
};

PlotCurve plotCurveOf(const std::string& name, const Response& response);

// A stand-alone SVG 1.1 picture of the curves over a log frequency axis
// from 10 Hz to 1 kHz and a level axis from -30 dB to +6 dB or the highest
// level drawn: one colour and dash per design, vented solid, closed dashed,
// both F3 points marked, and a legend. The subtitle names the box losses
// `Ql` the curves assume.
void writeResponsePlot(std::ostream& out, const std::vector<PlotCurve>& curves, double Ql);

}  // namespace ventbox

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace ventbox::cli {

// One design's curves over the plot's frequencies, in dB.
struct PlotCurve {
    std::string name;
    std::vector<double> vented;
    std::vector<double> closed;
    std::optional<double> ventedF3;
    std::optional<double> closedF3;
};

// A stand-alone SVG 1.1 picture of the curves over a log frequency axis
// from 10 Hz to 1 kHz and a level axis from -30 to +6 dB: one colour per
// design, vented solid, closed dashed, the vented F3 marked, and a legend.
// `subtitle` goes after the title (the assumptions of the model).
void writeResponsePlot(std::ostream& out, const std::vector<double>& frequencies,
                       const std::vector<PlotCurve>& curves, const std::string& subtitle);

}  // namespace ventbox::cli

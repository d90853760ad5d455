// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <ostream>
#include <vector>

#include "plot.hpp"

namespace ventbox {

// The picture as a stand-alone SVG 1.1 file in UTF-8: no scripts, no
// external references; curves and marks clipped to the plot area.
void writeSvg(std::ostream& out, const PlotDescription& plot);

// The command line's picture of the designs' levels: English, 800 pixels
// wide, as tall as its legend needs, text widths estimated.
void writeResponsePlot(std::ostream& out, const std::vector<PlotDesign>& designs, double Ql);

}  // namespace ventbox

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>

#include "response.hpp"

namespace ventbox {

// How the designs of a response plot are told apart, in the picture the
// command line writes and in the window's graph alike.

// The colour-universal palette of Okabe and Ito, in an order where
// neighbours differ in lightness as well as hue; its yellow is left out as
// too faint on white.
inline constexpr std::array<const char*, 7> kPlotColours{
    "#0072B2", "#D55E00", "#009E73", "#CC79A7", "#E69F00", "#56B4E9", "#000000",
};

// Designs beyond the palette's length take its colours again, with other
// dashes: each round of the palette has a vented and a closed pattern of
// its own (SVG dash arrays, in line widths; empty: solid), no two alike.
// Past the last round the patterns come round again.
struct PlotStrokes {
    const char* vented;
    const char* closed;
};
inline constexpr std::array<PlotStrokes, 4> kPlotStrokeRounds{{
    {"", "7 4"},
    {"14 3 3 3", "7 4 1 4"},
    {"14 3 3 3 3 3", "3 6"},
    {"22 4", "1 3"},
}};

// The axes: frequency on a log scale from the grid's start to 1 kHz; level
// from -30 dB up to +6 dB, or higher in steps of its grid to the highest
// level drawn, so that no peak is cut off.
inline constexpr double kPlotLowHz = kGridStart;
inline constexpr double kPlotHighHz = 1000;
inline constexpr int kPlotLowestDb = -30;
inline constexpr int kPlotDbGrid = 3;
inline constexpr int kPlotLowestTopDb = 6;
// Far above the area a level only needs to leave it.
inline constexpr double kPlotHighestDrawnDb = 60;

// The level axis's top for curves whose highest level is `highestDb`.
inline int plotTopDb(double highestDb) {
    const double highest =
        std::clamp(std::isfinite(highestDb) ? highestDb : kPlotLowestTopDb,
                   static_cast<double>(kPlotLowestTopDb), kPlotHighestDrawnDb);
    return static_cast<int>(std::ceil(highest / kPlotDbGrid)) * kPlotDbGrid;
}

constexpr const char* plotColourOf(std::size_t design) {
    return kPlotColours[design % kPlotColours.size()];
}

constexpr const PlotStrokes& plotStrokesOf(std::size_t design) {
    return kPlotStrokeRounds[design / kPlotColours.size() % kPlotStrokeRounds.size()];
}

}  // namespace ventbox

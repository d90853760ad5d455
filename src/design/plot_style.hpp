// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

namespace ventbox {

// How the designs of a response plot are told apart. A design keeps its
// style (its place in these tables) for as long as it is drawn, so that
// drawing another design never changes how one already drawn looks.

// The colour-universal palette of Okabe and Ito, in an order where
// neighbours differ in lightness as well as hue; its yellow is left out as
// too faint on white.
inline constexpr std::array<std::string_view, 7> kPlotColours{
    "#0072B2", "#D55E00", "#009E73", "#CC79A7", "#E69F00", "#56B4E9", "#000000",
};

// Styles beyond the palette's length take its colours again, with other
// dashes: each round of the palette has a vented and a closed pattern of
// its own (dash and gap lengths in pixels; empty: solid), no two alike.
// Past the last round the patterns come round again.
struct DashPattern {
    std::array<double, 6> lengths;
    std::size_t count;
};
struct PlotStrokeRound {
    DashPattern vented;
    DashPattern closed;
};
inline constexpr std::array<PlotStrokeRound, 4> kPlotStrokeRounds{{
    {{{}, 0}, {{7, 4}, 2}},
    {{{14, 3, 3, 3}, 4}, {{7, 4, 1, 4}, 4}},
    {{{14, 3, 3, 3, 3, 3}, 6}, {{3, 6}, 2}},
    {{{22, 4}, 2}, {{1, 3}, 2}},
}};

// The vented curve is drawn heavier than the closed one.
inline constexpr double kVentedWidth = 2.2;
inline constexpr double kClosedWidth = 1.6;

constexpr std::string_view plotColourOf(std::size_t style) {
    return kPlotColours[style % kPlotColours.size()];
}

constexpr const PlotStrokeRound& plotStrokesOf(std::size_t style) {
    return kPlotStrokeRounds[style / kPlotColours.size() % kPlotStrokeRounds.size()];
}

// The look of everything else: a white page, dark texts, light grid.
inline constexpr std::string_view kPlotBackground = "#FFFFFF";
inline constexpr std::string_view kPlotInk = "#222222";
inline constexpr std::string_view kPlotNoteInk = "#555555";
inline constexpr std::string_view kPlotFrame = "#444444";
inline constexpr std::string_view kPlotGrid = "#DDDDDD";
inline constexpr std::string_view kPlotDecadeGrid = "#999999";
inline constexpr std::string_view kPlotReference = "#333333";

// Japanese design names need a CJK face; these are the ones Debian ships,
// then the generic face.
inline constexpr std::array<std::string_view, 5> kPlotFontFamilies{
    "IPAexGothic", "IPAPGothic", "Noto Sans CJK JP", "IPAGothic", "sans-serif",
};

}  // namespace ventbox

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "plot_text.hpp"
#include "response.hpp"

namespace ventbox {

// What a response picture shows, worked out once for every front end and
// format: the window paints it, the SVG and PNG writers emit it, and none of
// them places, sizes or words anything of its own. Positions are in pixels
// from the picture's top left; curves stay in the units of their axes and
// reach pixels through pixelOf.

// The pages of the picture: what its value axis shows.
enum class PlotPage { Level, GroupDelay };
inline constexpr std::array<PlotPage, 2> kPlotPages{PlotPage::Level, PlotPage::GroupDelay};

// The frequency axis: log scale, from the response grid's start to 1 kHz.
inline constexpr double kPlotLowHz = kGridStart;
inline constexpr double kPlotHighHz = 1000;

// The language of the front end that asks: the window is Japanese, the
// command line English.
enum class PlotLanguage { English, Japanese };

// A design's curves over the response grid: levels in dB, the vented box's
// group delay in ms.
struct GridCurves {
    std::vector<double> vented;
    std::vector<double> closed;
    std::vector<double> delay;
};
GridCurves gridCurvesOf(const Response& response);

// One design as a picture draws it. `label` tells it apart from the others
// drawn with it; `style` picks its colour and dashes (plot_style.hpp) and
// stays with the design for as long as it is drawn. `grid` holds its curves
// where a caller keeps them from one picture to the next; without it they
// are worked out from `response`.
struct PlotDesign {
    std::string label;
    std::size_t style;
    Response response;
    std::optional<double> ventedF3;
    std::optional<double> closedF3;
    std::shared_ptr<const GridCurves> grid = nullptr;
};
PlotDesign plotDesignOf(std::string label, std::size_t style, const Response& response);

struct PlotRequest {
    PlotPage page = PlotPage::Level;
    PlotLanguage language = PlotLanguage::English;
    double Ql = kDefaultQl;  // the box losses the curves assume, named in the subtitle
    double width = 800;
    // The picture's height; nullopt: the plot area at its natural height and
    // everything below it. A height too small for the legend is exceeded
    // rather than cut.
    std::optional<double> height;
};

struct PlotPoint {
    double x;
    double y;
};

struct PlotRect {
    double left;
    double top;
    double width;
    double height;
    double right() const { return left + width; }
    double bottom() const { return top + height; }
};

struct PlotStroke {
    std::string_view colour;
    double width;
    std::vector<double> dashes;  // dash and gap lengths in pixels; empty: solid
};

struct PlotLine {
    PlotPoint from;
    PlotPoint to;
    PlotStroke stroke;
};

enum class TextAnchor { Start, Middle, End };

struct PlotText {
    PlotPoint at;  // the start, middle or end of its baseline
    TextAnchor anchor;
    double size;   // pixels
    bool bold;
    std::string_view colour;
    std::string text;  // drawable (plot_text.hpp)
    bool upright = false;  // turned a quarter left, reading upwards
};

struct PlotCircle {
    PlotPoint centre;
    double radius;
    std::string_view fill;
    std::string_view stroke;
    double strokeWidth;
};

struct PlotTick {
    double value;
    PlotLine mark;
    PlotText label;
};

struct PlotAxis {
    double low;
    double high;
    std::vector<PlotTick> ticks;   // labelled
    std::vector<PlotLine> grid;    // across the plot area
    PlotText title;
};

// A curve of one design, in axis units: frequency in Hz, the page's value.
struct PlotSeries {
    std::size_t design;  // index into the designs described
    bool closed;         // the closed box's curve, else the vented box's
    PlotStroke stroke;
    std::vector<PlotPoint> points;
};

// An F3 point: filled for the vented box, a ring for the closed one. Marks
// that would cover each other stand below the line, a stem leading back;
// every stem lies under every mark, so that no stem crosses a mark above
// its own.
struct PlotMark {
    std::size_t design;
    bool filled;
    PlotPoint at;  // axis units
    PlotCircle circle;
    std::optional<PlotLine> stem;
};

struct LegendEntry {
    std::size_t design;
    std::string text;  // whole, as `lines` spell it
    std::vector<PlotLine> samples;
    std::vector<PlotCircle> sampleMarks;
    std::vector<PlotText> lines;
};

struct PlotDescription {
    PlotPage page;
    double width;
    double height;
    double leastHeight;  // at this width, with the plot area at its least
    std::string_view background;
    std::string heading;             // what the picture is, for its title
    std::vector<PlotText> texts;     // title, subtitle and the legend's note
    PlotRect area;
    PlotStroke frame;
    PlotAxis frequency;              // log scale
    PlotAxis value;                  // linear
    std::vector<PlotLine> references;  // stressed lines such as 0 dB
    std::vector<PlotSeries> series;  // clipped to the area
    std::vector<PlotMark> marks;     // clipped to the area
    std::vector<LegendEntry> legend;

    // A point in axis units as pixels. Values far off the area stay a little
    // beyond it, so that a clipped curve leaves it at its own slope.
    PlotPoint pixelOf(PlotPoint value) const;
    // The frequency at a pixel column of the area.
    double frequencyAt(double x) const;
};

// Every design's curves on the page, with the marks, axes, legend and texts.
// Text widths come from `measure`, so that no text is cut or overlaps.
PlotDescription describePlot(const std::vector<const PlotDesign*>& designs,
                             const PlotRequest& request, const TextMeasure& measure);

}  // namespace ventbox

// SPDX-License-Identifier: GPL-3.0-or-later
#include "svg_plot.hpp"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>

#include "design/fixed_text.hpp"
#include "design/plot_style.hpp"
#include "design/response.hpp"
#include "files/cp932.hpp"
#include "output_text.hpp"

namespace ventbox {

namespace {

// The plot area in pixels and the ranges it shows.
constexpr double kWidth = 800;
constexpr double kLeft = 70;
constexpr double kRight = 770;
constexpr double kTop = 56;
constexpr double kPixelsPerDb = 10;
constexpr double kMinHz = kPlotLowHz;
constexpr double kDecades = 2;  // kPlotLowHz to kPlotHighHz
static_assert(kPlotHighHz == kPlotLowHz * 100);
constexpr int kMinDb = kPlotLowestDb;
constexpr int kDbGrid = kPlotDbGrid;
constexpr double kLegendLine = 22;

// Far below the area, levels only need to leave it at the right slope;
// bounding them keeps the coordinates short.
constexpr double kLowestDrawnDb = -120;

// Japanese design names need a CJK face; these are the ones Debian ships.
constexpr const char* kFonts =
    "'IPAexGothic', 'IPAPGothic', 'Noto Sans CJK JP', 'Noto Sans JP', 'IPAGothic', sans-serif";

// Grid lines fall on the octaves of 10 Hz and, stronger, on the decades; the
// labelled ticks follow the 1-2-5 series a reader expects on a log axis.
constexpr std::array<std::pair<double, const char*>, 7> kTicks{{
    {10, "10"}, {20, "20"}, {50, "50"}, {100, "100"}, {200, "200"}, {500, "500"}, {1000, "1k"},
}};

double xOf(double hz) { return kLeft + std::log10(hz / kMinHz) / kDecades * (kRight - kLeft); }

// The level axis of one plot.
struct LevelAxis {
    int maxDb;
    double bottom() const { return kTop + (maxDb - kMinDb) * kPixelsPerDb; }
    double legendTop() const { return bottom() + 78; }
    double yOf(double db) const {
        return kTop + (maxDb - std::clamp(db, kLowestDrawnDb, kPlotHighestDrawnDb)) * kPixelsPerDb;
    }
};

LevelAxis axisFor(const std::vector<PlotCurve>& curves) {
    double highest = kPlotLowestTopDb;
    for (const PlotCurve& curve : curves) {
        for (const std::vector<double>* levels : {&curve.vented, &curve.closed}) {
            for (double db : *levels) {
                if (std::isfinite(db)) highest = std::max(highest, db);
            }
        }
    }
    return {plotTopDb(highest)};
}

std::string px(double value) { return fixedText(value, 1); }

// Text for XML content and attribute values. Tab and the line ends stay;
// other control characters, which XML does not allow, become U+FFFD, so a
// stray byte in a design name cannot make the picture unreadable.
std::string xmlText(const std::string& text) {
    return escaped(text,
                   {{'&', "&amp;"}, {'<', "&lt;"}, {'>', "&gt;"}, {'"', "&quot;"},
                    {'\t', "\t"}, {'\n', "\n"}, {'\r', "\r"}},
                   kReplacementCharacter);
}

void line(std::ostream& out, double x1, double y1, double x2, double y2, const std::string& style) {
    out << "<line x1=\"" << px(x1) << "\" y1=\"" << px(y1) << "\" x2=\"" << px(x2) << "\" y2=\""
        << px(y2) << "\" " << style << "/>\n";
}

void text(std::ostream& out, double x, double y, const char* anchor, const std::string& content,
          const char* extra = "") {
    out << "<text x=\"" << px(x) << "\" y=\"" << px(y) << "\" text-anchor=\"" << anchor << "\""
        << extra << ">" << xmlText(content) << "</text>\n";
}

void writeGrid(std::ostream& out, const LevelAxis& axis) {
    const double bottom = axis.bottom();
    out << "<rect x=\"" << px(kLeft) << "\" y=\"" << px(kTop) << "\" width=\""
        << px(kRight - kLeft) << "\" height=\"" << px(bottom - kTop)
        << "\" fill=\"#FFFFFF\" stroke=\"#444444\" stroke-width=\"1\"/>\n";
    const double maxHz = kMinHz * std::pow(10.0, kDecades);
    for (double octave = kMinHz * 2; octave < maxHz; octave *= 2) {
        line(out, xOf(octave), kTop, xOf(octave), bottom, "stroke=\"#DDDDDD\" stroke-width=\"1\"");
    }
    for (double decade = kMinHz * 10; decade < maxHz; decade *= 10) {
        line(out, xOf(decade), kTop, xOf(decade), bottom, "stroke=\"#999999\" stroke-width=\"1\"");
    }
    for (int db = kMinDb + kDbGrid; db < axis.maxDb; db += kDbGrid) {
        line(out, kLeft, axis.yOf(db), kRight, axis.yOf(db),
             db == 0 ? "stroke=\"#333333\" stroke-width=\"1.6\""
                     : "stroke=\"#DDDDDD\" stroke-width=\"1\"");
    }
    out << "<g font-size=\"13\" fill=\"#222222\">\n";
    for (const auto& [hz, label] : kTicks) {
        line(out, xOf(hz), bottom, xOf(hz), bottom + 5, "stroke=\"#444444\"");
        text(out, xOf(hz), bottom + 20, "middle", label);
    }
    for (int db = axis.maxDb; db >= kMinDb; db -= 2 * kDbGrid) {
        line(out, kLeft - 5, axis.yOf(db), kLeft, axis.yOf(db), "stroke=\"#444444\"");
        text(out, kLeft - 8, axis.yOf(db) + 4.5, "end",
             (db > 0 ? "+" : db < 0 ? "−" : "") + std::to_string(std::abs(db)));
    }
    text(out, (kLeft + kRight) / 2, bottom + 42, "middle", "Frequency (Hz)");
    const double middle = (kTop + bottom) / 2;
    out << "<text x=\"22\" y=\"" << px(middle) << "\" text-anchor=\"middle\" transform=\"rotate(-90 22 "
        << px(middle) << ")\">Level (dB)</text>\n";
    out << "</g>\n";
}

std::string strokeStyle(const char* colour, double width, const char* dashes) {
    std::string style = std::string("stroke=\"") + colour + "\" stroke-width=\"" + px(width) + "\"";
    if (*dashes != '\0') style += std::string(" stroke-dasharray=\"") + dashes + "\"";
    return style + " stroke-linejoin=\"round\"";
}

std::string ventedStyle(std::size_t design) {
    return strokeStyle(plotColourOf(design), 2.2, plotStrokesOf(design).vented);
}

std::string closedStyle(std::size_t design) {
    return strokeStyle(plotColourOf(design), 1.6, plotStrokesOf(design).closed);
}

void polyline(std::ostream& out, const std::vector<double>& frequencies,
              const std::vector<double>& levels, const LevelAxis& axis, const std::string& style) {
    out << "<polyline fill=\"none\" " << style << " points=\"";
    for (std::size_t i = 0; i < frequencies.size() && i < levels.size(); ++i) {
        out << (i == 0 ? "" : " ") << px(xOf(frequencies[i])) << ',' << px(axis.yOf(levels[i]));
    }
    out << "\"/>\n";
}

// The vented F3 is a filled dot, the closed one a ring.
constexpr double kMarkRadius = 4.5;

void marker(std::ostream& out, double x, double y, const char* colour, bool filled) {
    out << "<circle cx=\"" << px(x) << "\" cy=\"" << px(y) << "\" r=\"" << px(kMarkRadius)
        << "\" fill=\"" << (filled ? colour : "#FFFFFF") << "\" stroke=\""
        << (filled ? "#FFFFFF" : colour) << "\" stroke-width=\"" << (filled ? "1.2" : "2")
        << "\"/>\n";
}

// The F3 marks on the -3 dB line. A mark that would cover one already set
// moves down below the line, a thin stem leading back to its place, so that
// designs with the same F3 each keep a visible mark.
void writeF3Marks(std::ostream& out, const std::vector<PlotCurve>& curves, const LevelAxis& axis) {
    struct Mark {
        double x;
        std::size_t design;
        bool vented;
    };
    std::vector<Mark> marks;
    for (std::size_t i = 0; i < curves.size(); ++i) {
        if (curves[i].ventedF3) marks.push_back({xOf(*curves[i].ventedF3), i, true});
        if (curves[i].closedF3) marks.push_back({xOf(*curves[i].closedF3), i, false});
    }
    const double lineY = axis.yOf(kF3Level);
    std::vector<std::pair<double, double>> placed;
    for (const Mark& mark : marks) {
        double y = lineY;
        const auto covers = [&](const std::pair<double, double>& p) {
            return std::hypot(p.first - mark.x, p.second - y) < 2 * kMarkRadius;
        };
        while (std::any_of(placed.begin(), placed.end(), covers)) y += 2 * kMarkRadius + 1;
        if (y != lineY) {
            line(out, mark.x, lineY, mark.x, y,
                 std::string("stroke=\"") + plotColourOf(mark.design) + "\" stroke-width=\"1\"");
        }
        marker(out, mark.x, y, plotColourOf(mark.design), mark.vented);
        placed.emplace_back(mark.x, y);
    }
}

std::string hz(const std::optional<double>& f) {
    return f ? fixedText(*f, 2) + " Hz" : "above 20 kHz";
}

void writeLegend(std::ostream& out, const std::vector<PlotCurve>& curves, const LevelAxis& axis) {
    const double top = axis.legendTop();
    out << "<g font-size=\"13\" fill=\"#222222\">\n";
    text(out, kLeft, top - 12, "start",
         "solid: vented box · dashed: closed box of the same volume · "
         "dot / ring: vented / closed F3 (−3 dB)",
         " fill=\"#555555\"");
    for (std::size_t i = 0; i < curves.size(); ++i) {
        const char* colour = plotColourOf(i);
        const double y = top + 10 + static_cast<double>(i) * kLegendLine;
        line(out, kLeft, y, kLeft + 34, y, ventedStyle(i));
        marker(out, kLeft + 17, y, colour, true);
        line(out, kLeft + 42, y, kLeft + 76, y, closedStyle(i));
        marker(out, kLeft + 59, y, colour, false);
        text(out, kLeft + 86, y + 4.5, "start",
             curves[i].name + " — F3 vented " + hz(curves[i].ventedF3) + ", closed " +
                 hz(curves[i].closedF3));
    }
    out << "</g>\n";
}

}  // namespace

PlotCurve plotCurveOf(const std::string& name, const Response& response) {
    return {name, overGrid(response, &Response::ventedDb), overGrid(response, &Response::closedDb),
            ventedF3(response), closedF3(response)};
}

void writeResponsePlot(std::ostream& out, const std::vector<PlotCurve>& curves, double Ql) {
    std::vector<double> frequencies(kGridPoints);
    for (int k = 0; k < kGridPoints; ++k) frequencies[k] = gridFrequency(k);
    char shortestQl[32];
    const std::string subtitle =
        "Vented: fourth-order high-pass, box losses Ql = " +
        std::string(shortestQl, std::to_chars(shortestQl, shortestQl + sizeof shortestQl, Ql).ptr) +
        ". Closed: the same driver in a sealed box of the same volume.";
    const LevelAxis axis = axisFor(curves);
    const double height =
        axis.legendTop() + 10 + static_cast<double>(curves.size()) * kLegendLine + 6;
    out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        << "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"" << px(kWidth)
        << "\" height=\"" << px(height) << "\" viewBox=\"0 0 " << px(kWidth) << ' ' << px(height)
        << "\" font-family=\"" << kFonts << "\">\n"
        << "<title>Frequency response</title>\n"
        << "<defs><clipPath id=\"plot-area\"><rect x=\"" << px(kLeft) << "\" y=\"" << px(kTop)
        << "\" width=\"" << px(kRight - kLeft) << "\" height=\"" << px(axis.bottom() - kTop)
        << "\"/></clipPath></defs>\n"
        << "<rect width=\"100%\" height=\"100%\" fill=\"#FFFFFF\"/>\n";
    text(out, kLeft, 24, "start", "Frequency response", " font-size=\"17\" font-weight=\"bold\"");
    text(out, kLeft, 44, "start", subtitle, " font-size=\"12\" fill=\"#555555\"");
    writeGrid(out, axis);
    out << "<g clip-path=\"url(#plot-area)\">\n";
    for (std::size_t i = 0; i < curves.size(); ++i) {
        polyline(out, frequencies, curves[i].closed, axis, closedStyle(i));
        polyline(out, frequencies, curves[i].vented, axis, ventedStyle(i));
    }
    writeF3Marks(out, curves, axis);
    out << "</g>\n";
    writeLegend(out, curves, axis);
    out << "</svg>\n";
}

}  // namespace ventbox

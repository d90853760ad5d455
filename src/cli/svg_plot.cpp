// SPDX-License-Identifier: GPL-3.0-or-later
#include "svg_plot.hpp"

#include <algorithm>
#include <array>
#include <cmath>

#include "fixed_text.hpp"
#include "files/cp932.hpp"
#include "output_text.hpp"

namespace ventbox::cli {

namespace {

// The plot area in pixels and the ranges it shows.
constexpr double kWidth = 800;
constexpr double kLeft = 70;
constexpr double kRight = 770;
constexpr double kTop = 56;
constexpr double kPixelsPerDb = 10;
constexpr double kMinHz = 10;
constexpr double kDecades = 2;  // 10 Hz to 1 kHz
constexpr int kMaxDb = 6;
constexpr int kMinDb = -30;
constexpr double kBottom = kTop + (kMaxDb - kMinDb) * kPixelsPerDb;
constexpr double kLegendTop = kBottom + 78;
constexpr double kLegendLine = 22;

// Far outside the area, levels only need to leave it at the right slope;
// bounding them keeps the coordinates short.
constexpr double kLowestDrawnDb = -120;
constexpr double kHighestDrawnDb = 60;

// The colour-universal palette of Okabe and Ito, in an order where
// neighbours differ in lightness as well as hue; its yellow is left out as
// too faint on white.
constexpr std::array<const char*, 7> kColours{
    "#0072B2", "#D55E00", "#009E73", "#CC79A7", "#E69F00", "#56B4E9", "#000000",
};

// Designs beyond the palette's length take its colours again.
const char* colourOf(std::size_t design) { return kColours[design % kColours.size()]; }

// Japanese design names need a CJK face; these are the ones Debian ships.
constexpr const char* kFonts =
    "'IPAexGothic', 'IPAPGothic', 'Noto Sans CJK JP', 'Noto Sans JP', 'IPAGothic', sans-serif";

// Grid lines fall on the octaves of 10 Hz and, stronger, on the decades; the
// labelled ticks follow the 1-2-5 series a reader expects on a log axis.
constexpr std::array<std::pair<double, const char*>, 7> kTicks{{
    {10, "10"}, {20, "20"}, {50, "50"}, {100, "100"}, {200, "200"}, {500, "500"}, {1000, "1k"},
}};

double xOf(double hz) { return kLeft + std::log10(hz / kMinHz) / kDecades * (kRight - kLeft); }

double yOf(double db) {
    return kTop + (kMaxDb - std::clamp(db, kLowestDrawnDb, kHighestDrawnDb)) * kPixelsPerDb;
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

void writeGrid(std::ostream& out) {
    out << "<rect x=\"" << px(kLeft) << "\" y=\"" << px(kTop) << "\" width=\""
        << px(kRight - kLeft) << "\" height=\"" << px(kBottom - kTop)
        << "\" fill=\"#FFFFFF\" stroke=\"#444444\" stroke-width=\"1\"/>\n";
    const double maxHz = kMinHz * std::pow(10.0, kDecades);
    for (double octave = kMinHz * 2; octave < maxHz; octave *= 2) {
        line(out, xOf(octave), kTop, xOf(octave), kBottom, "stroke=\"#DDDDDD\" stroke-width=\"1\"");
    }
    for (double decade = kMinHz * 10; decade < maxHz; decade *= 10) {
        line(out, xOf(decade), kTop, xOf(decade), kBottom, "stroke=\"#999999\" stroke-width=\"1\"");
    }
    for (int db = kMinDb + 3; db < kMaxDb; db += 3) {
        line(out, kLeft, yOf(db), kRight, yOf(db),
             db == 0 ? "stroke=\"#333333\" stroke-width=\"1.6\""
                     : "stroke=\"#DDDDDD\" stroke-width=\"1\"");
    }
    out << "<g font-size=\"13\" fill=\"#222222\">\n";
    for (const auto& [hz, label] : kTicks) {
        line(out, xOf(hz), kBottom, xOf(hz), kBottom + 5, "stroke=\"#444444\"");
        text(out, xOf(hz), kBottom + 20, "middle", label);
    }
    for (int db = kMinDb; db <= kMaxDb; db += 6) {
        line(out, kLeft - 5, yOf(db), kLeft, yOf(db), "stroke=\"#444444\"");
        text(out, kLeft - 8, yOf(db) + 4.5, "end",
             (db > 0 ? "+" : db < 0 ? "−" : "") + std::to_string(std::abs(db)));
    }
    text(out, (kLeft + kRight) / 2, kBottom + 42, "middle", "Frequency (Hz)");
    const double middle = (kTop + kBottom) / 2;
    out << "<text x=\"22\" y=\"" << px(middle) << "\" text-anchor=\"middle\" transform=\"rotate(-90 22 "
        << px(middle) << ")\">Level (dB)</text>\n";
    out << "</g>\n";
}

void polyline(std::ostream& out, const std::vector<double>& frequencies,
              const std::vector<double>& levels, const char* colour, const char* style) {
    out << "<polyline fill=\"none\" stroke=\"" << colour << "\" " << style << " points=\"";
    for (std::size_t i = 0; i < frequencies.size() && i < levels.size(); ++i) {
        out << (i == 0 ? "" : " ") << px(xOf(frequencies[i])) << ',' << px(yOf(levels[i]));
    }
    out << "\"/>\n";
}

constexpr const char* kVentedStyle = "stroke-width=\"2.2\" stroke-linejoin=\"round\"";
constexpr const char* kClosedStyle =
    "stroke-width=\"1.6\" stroke-dasharray=\"7 4\" stroke-linejoin=\"round\"";

void marker(std::ostream& out, double x, double y, const char* colour) {
    out << "<circle cx=\"" << px(x) << "\" cy=\"" << px(y) << "\" r=\"4.5\" fill=\"" << colour
        << "\" stroke=\"#FFFFFF\" stroke-width=\"1.2\"/>\n";
}

std::string hz(const std::optional<double>& f) {
    return f ? fixedText(*f, 2) + " Hz" : "above 20 kHz";
}

void writeLegend(std::ostream& out, const std::vector<PlotCurve>& curves) {
    out << "<g font-size=\"13\" fill=\"#222222\">\n";
    text(out, kLeft, kLegendTop - 12, "start",
         "solid: vented box · dashed: closed box of the same volume · dot: vented F3 (−3 dB)",
         " fill=\"#555555\"");
    for (std::size_t i = 0; i < curves.size(); ++i) {
        const char* colour = colourOf(i);
        const double y = kLegendTop + 10 + static_cast<double>(i) * kLegendLine;
        const std::string stroke = std::string("stroke=\"") + colour + "\" ";
        line(out, kLeft, y, kLeft + 34, y, stroke + kVentedStyle);
        marker(out, kLeft + 17, y, colour);
        line(out, kLeft + 42, y, kLeft + 76, y, stroke + kClosedStyle);
        text(out, kLeft + 86, y + 4.5, "start",
             curves[i].name + " — F3 vented " + hz(curves[i].ventedF3) + ", closed " +
                 hz(curves[i].closedF3));
    }
    out << "</g>\n";
}

}  // namespace

void writeResponsePlot(std::ostream& out, const std::vector<double>& frequencies,
                       const std::vector<PlotCurve>& curves, const std::string& subtitle) {
    const double height =
        kLegendTop + 10 + static_cast<double>(curves.size()) * kLegendLine + 6;
    out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        << "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"" << px(kWidth)
        << "\" height=\"" << px(height) << "\" viewBox=\"0 0 " << px(kWidth) << ' ' << px(height)
        << "\" font-family=\"" << kFonts << "\">\n"
        << "<title>Frequency response</title>\n"
        << "<defs><clipPath id=\"plot-area\"><rect x=\"" << px(kLeft) << "\" y=\"" << px(kTop)
        << "\" width=\"" << px(kRight - kLeft) << "\" height=\"" << px(kBottom - kTop)
        << "\"/></clipPath></defs>\n"
        << "<rect width=\"100%\" height=\"100%\" fill=\"#FFFFFF\"/>\n";
    text(out, kLeft, 24, "start", "Frequency response", " font-size=\"17\" font-weight=\"bold\"");
    text(out, kLeft, 44, "start", subtitle, " font-size=\"12\" fill=\"#555555\"");
    writeGrid(out);
    out << "<g clip-path=\"url(#plot-area)\">\n";
    for (std::size_t i = 0; i < curves.size(); ++i) {
        const char* colour = colourOf(i);
        polyline(out, frequencies, curves[i].closed, colour, kClosedStyle);
        polyline(out, frequencies, curves[i].vented, colour, kVentedStyle);
    }
    for (std::size_t i = 0; i < curves.size(); ++i) {
        if (curves[i].ventedF3) {
            marker(out, xOf(*curves[i].ventedF3), yOf(-3), colourOf(i));
        }
    }
    out << "</g>\n";
    writeLegend(out, curves);
    out << "</svg>\n";
}

}  // namespace ventbox::cli

// SPDX-License-Identifier: GPL-3.0-or-later
#include "svg_plot.hpp"

#include <string>
#include <string_view>

#include "fixed_text.hpp"
#include "plot_style.hpp"

namespace ventbox {

namespace {

std::string px(double value) { return fixedText(value, 1); }

// XML's own characters as references; the description's texts are
// drawable already, so nothing else needs escaping.
std::string xmlText(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        switch (c) {
            case '&': out += "&amp;"; break;
            case '<': out += "&lt;"; break;
            case '>': out += "&gt;"; break;
            case '"': out += "&quot;"; break;
            default: out += c;
        }
    }
    return out;
}

std::string fontFamilies() {
    std::string list;
    for (std::string_view family : kPlotFontFamilies) {
        if (!list.empty()) list += ", ";
        list += family == "sans-serif" ? std::string(family) : "'" + std::string(family) + "'";
    }
    return list;
}

void stroke(std::ostream& out, const PlotStroke& s) {
    out << " stroke=\"" << s.colour << "\" stroke-width=\"" << px(s.width) << '"';
    if (!s.dashes.empty()) {
        out << " stroke-dasharray=\"";
        for (std::size_t i = 0; i < s.dashes.size(); ++i) out << (i ? " " : "") << px(s.dashes[i]);
        out << '"';
    }
}

void line(std::ostream& out, const PlotLine& l) {
    out << "<line x1=\"" << px(l.from.x) << "\" y1=\"" << px(l.from.y) << "\" x2=\"" << px(l.to.x)
        << "\" y2=\"" << px(l.to.y) << '"';
    stroke(out, l.stroke);
    out << "/>\n";
}

void circle(std::ostream& out, const PlotCircle& c) {
    out << "<circle cx=\"" << px(c.centre.x) << "\" cy=\"" << px(c.centre.y) << "\" r=\""
        << px(c.radius) << "\" fill=\"" << c.fill << "\" stroke=\"" << c.stroke
        << "\" stroke-width=\"" << px(c.strokeWidth) << "\"/>\n";
}

void text(std::ostream& out, const PlotText& t) {
    constexpr std::string_view kAnchors[] = {"start", "middle", "end"};
    out << "<text x=\"" << px(t.at.x) << "\" y=\"" << px(t.at.y) << "\" text-anchor=\""
        << kAnchors[static_cast<int>(t.anchor)] << "\" font-size=\"" << px(t.size) << "\" fill=\""
        << t.colour << '"';
    if (t.bold) out << " font-weight=\"bold\"";
    if (t.upright) out << " transform=\"rotate(-90 " << px(t.at.x) << ' ' << px(t.at.y) << ")\"";
    out << '>' << xmlText(t.text) << "</text>\n";
}

void axis(std::ostream& out, const PlotAxis& a) {
    for (const PlotLine& l : a.grid) line(out, l);
}

void axisLabels(std::ostream& out, const PlotAxis& a) {
    for (const PlotTick& tick : a.ticks) {
        line(out, tick.mark);
        text(out, tick.label);
    }
    text(out, a.title);
}

// One text element an entry, a line a span, so that a reader takes the
// entry's whole text from the element.
void legendEntry(std::ostream& out, const LegendEntry& entry) {
    for (const PlotLine& l : entry.samples) line(out, l);
    for (const PlotCircle& c : entry.sampleMarks) circle(out, c);
    const PlotText& first = entry.lines.front();
    out << "<text x=\"" << px(first.at.x) << "\" y=\"" << px(first.at.y) << "\" font-size=\""
        << px(first.size) << "\" fill=\"" << first.colour << "\" xml:space=\"preserve\">";
    if (entry.lines.size() == 1) {
        out << xmlText(first.text);
    } else {
        for (const PlotText& l : entry.lines) {
            out << "<tspan x=\"" << px(l.at.x) << "\" y=\"" << px(l.at.y) << "\">" << xmlText(l.text)
                << "</tspan>";
        }
    }
    out << "</text>\n";
}

}  // namespace

void writeSvg(std::ostream& out, const PlotDescription& plot) {
    const PlotRect& area = plot.area;
    out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        << "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"" << px(plot.width)
        << "\" height=\"" << px(plot.height) << "\" viewBox=\"0 0 " << px(plot.width) << ' '
        << px(plot.height) << "\" font-family=\"" << fontFamilies() << "\">\n"
        << "<title>" << xmlText(plot.heading) << "</title>\n"
        << "<defs><clipPath id=\"plot-area\"><rect x=\"" << px(area.left) << "\" y=\""
        << px(area.top) << "\" width=\"" << px(area.width) << "\" height=\"" << px(area.height)
        << "\"/></clipPath></defs>\n"
        << "<rect width=\"100%\" height=\"100%\" fill=\"" << plot.background << "\"/>\n";
    for (const PlotText& t : plot.texts) text(out, t);
    out << "<rect x=\"" << px(area.left) << "\" y=\"" << px(area.top) << "\" width=\""
        << px(area.width) << "\" height=\"" << px(area.height) << "\" fill=\"" << plot.background
        << '"';
    stroke(out, plot.frame);
    out << "/>\n";
    axis(out, plot.frequency);
    axis(out, plot.value);
    for (const PlotLine& l : plot.references) line(out, l);
    axisLabels(out, plot.frequency);
    axisLabels(out, plot.value);
    out << "<g clip-path=\"url(#plot-area)\">\n";
    for (const PlotSeries& series : plot.series) {
        out << "<polyline fill=\"none\"";
        stroke(out, series.stroke);
        out << " stroke-linejoin=\"bevel\" points=\"";
        for (std::size_t i = 0; i < series.points.size(); ++i) {
            const PlotPoint p = plot.pixelOf(series.points[i]);
            out << (i ? " " : "") << px(p.x) << ',' << px(p.y);
        }
        out << "\"/>\n";
    }
    for (const PlotMark& mark : plot.marks) {
        if (mark.stem) line(out, *mark.stem);
    }
    for (const PlotMark& mark : plot.marks) circle(out, mark.circle);
    out << "</g>\n";
    for (const LegendEntry& entry : plot.legend) legendEntry(out, entry);
    out << "</svg>\n";
}

void writeResponsePlot(std::ostream& out, const std::vector<PlotDesign>& designs, double Ql) {
    std::vector<const PlotDesign*> drawn;
    drawn.reserve(designs.size());
    for (const PlotDesign& design : designs) drawn.push_back(&design);
    PlotRequest request;
    request.Ql = Ql;
    writeSvg(out, describePlot(drawn, request, EstimatedTextMeasure()));
}

}  // namespace ventbox

// SPDX-License-Identifier: GPL-3.0-or-later
#include "plot.hpp"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <functional>
#include <queue>
#include <utility>

#include "fixed_text.hpp"
#include "plot_axis.hpp"
#include "plot_style.hpp"

namespace ventbox {

namespace {

// ---- What each page shows, in each language -------------------------------

struct Wording {
    std::string_view english;
    std::string_view japanese;
    std::string_view in(PlotLanguage language) const {
        return language == PlotLanguage::Japanese ? japanese : english;
    }
};

constexpr Wording kFrequencyTitle{"Frequency (Hz)", "周波数 (Hz)"};
constexpr Wording kNoF3{"above 20 kHz", "20 kHz 以上"};

struct PageRules {
    Wording title;
    Wording valueTitle;
    Wording subtitle;  // {Ql} stands for the box losses
    Wording note;      // how to read the curves and marks
    double lowest;     // the value axis's lowest end
    int maxSteps;      // the most labelled steps on the value axis
    bool signedTicks;
    bool f3Marks;
    std::optional<double> reference;
};

constexpr PageRules kLevelPage{
    {"Frequency response", "振幅特性"},
    {"Level (dB)", "レベル (dB)"},
    {"Vented: fourth-order high-pass, box losses Ql = {Ql}. Closed: the same driver in a sealed "
     "box of the same volume.",
     "バスレフ: 4 次のハイパス、箱の損失 Ql = {Ql}。密閉: 同じスピーカーを同じ容積の密閉箱に入れたもの。"},
    {"solid: vented box · dashed: closed box of the same volume · dot / ring: vented / closed F3 "
     "(−3 dB)",
     "実線: バスレフ · 破線: 同じ容積の密閉 · ● / ○: バスレフ / 密閉の F3 (−3 dB)"},
    -30, 8, true, true, 0.0,
};

constexpr PageRules kGroupDelayPage{
    {"Group delay", "群遅延"},
    {"Group delay (ms)", "群遅延 (ms)"},
    {"Group delay of the vented box, box losses Ql = {Ql}.", "バスレフの群遅延、箱の損失 Ql = {Ql}。"},
    {"solid: vented box", "実線: バスレフ"},
    0, 8, false, false, std::nullopt,
};

const PageRules& rulesOf(PlotPage page) {
    return page == PlotPage::GroupDelay ? kGroupDelayPage : kLevelPage;
}

// Levels above this only need to leave the area: no axis grows to them.
constexpr double kHighestAxisDb = 60;
// The level axis reaches at least this, so that 0 dB has room above it.
constexpr double kLeastTopDb = 3;

struct Curve {
    bool closed;
    std::vector<double> values;  // over the response grid
};

std::vector<Curve> curvesOf(PlotPage page, const PlotDesign& design) {
    const std::shared_ptr<const GridCurves> grid =
        design.grid ? design.grid : std::make_shared<const GridCurves>(gridCurvesOf(design.response));
    if (page == PlotPage::GroupDelay) return {{false, grid->delay}};
    // The closed curve goes first, so that the vented one lies on top.
    return {{true, grid->closed}, {false, grid->vented}};
}

std::string hzText(const std::optional<double>& f, PlotLanguage language) {
    return f ? fixedText(*f, 2) + " Hz" : std::string(kNoF3.in(language));
}

// What the legend says of a design besides its label.
std::string summaryOf(PlotPage page, const PlotDesign& design, const std::vector<Curve>& curves,
                      PlotLanguage language) {
    if (page == PlotPage::GroupDelay) {
        const std::vector<double>& delays = curves.front().values;
        std::size_t longest = 0;
        for (std::size_t k = 0; k < delays.size(); ++k) {
            if (delays[k] > delays[longest]) longest = k;
        }
        const std::string ms = fixedText(delays[longest], 2) + " ms";
        const std::string hz = fixedText(gridFrequency(static_cast<int>(longest)), 2) + " Hz";
        return language == PlotLanguage::Japanese ? "最長 " + ms + " (" + hz + ")"
                                                  : "longest " + ms + " at " + hz;
    }
    const std::string vented = hzText(design.ventedF3, language);
    const std::string closed = hzText(design.closedF3, language);
    return language == PlotLanguage::Japanese ? "F3 バスレフ " + vented + "、密閉 " + closed
                                              : "F3 vented " + vented + ", closed " + closed;
}

std::string shortest(double value) {
    char text[32];
    return std::string(text, std::to_chars(text, text + sizeof text, value).ptr);
}

std::string withQl(std::string_view wording, double Ql) {
    std::string text(wording);
    const std::size_t at = text.find("{Ql}");
    if (at != std::string::npos) text.replace(at, 4, shortest(Ql));
    return text;
}

// ---- Sizes, in pixels -------------------------------------------------------

constexpr double kTitleSize = 17;
constexpr double kSubtitleSize = 12;
constexpr double kTextSize = 13;
constexpr double kSubtitleLine = 16;
constexpr double kTextLine = 17;
constexpr double kTitleBaseline = 24;
constexpr double kLeastLeft = 70;
constexpr double kRightMargin = 30;
constexpr double kValueTitleX = 22;
constexpr double kNaturalAreaHeight = 360;
constexpr double kLeastAreaHeight = 140;
constexpr double kTickLength = 5;
constexpr double kMarkRadius = 4.5;
constexpr double kMarkStep = 2 * kMarkRadius + 1;  // a stacked mark's drop below the one above
constexpr double kLegendLine = 22;
constexpr double kLegendGap = 24;                  // between legend columns
constexpr double kSampleWidth = 86;                // the line and mark samples before a text
constexpr std::size_t kMostLegendColumns = 4;
constexpr double kBottomMargin = 8;

PlotStroke solid(std::string_view colour, double width) { return {colour, width, {}}; }

PlotStroke designStroke(std::size_t style, bool closed) {
    const PlotStrokeRound& round = plotStrokesOf(style);
    const DashPattern& dashes = closed ? round.closed : round.vented;
    return {plotColourOf(style), closed ? kClosedWidth : kVentedWidth,
            std::vector<double>(dashes.lengths.begin(), dashes.lengths.begin() + dashes.count)};
}

PlotCircle markCircle(PlotPoint centre, std::size_t style, bool filled) {
    const std::string_view colour = plotColourOf(style);
    return filled ? PlotCircle{centre, kMarkRadius, colour, kPlotBackground, 1.2}
                  : PlotCircle{centre, kMarkRadius, kPlotBackground, colour, 2};
}

PlotText text(PlotPoint at, TextAnchor anchor, double size, std::string content,
              std::string_view colour = kPlotInk, bool bold = false) {
    return {at, anchor, size, bold, colour, std::move(content)};
}

// ---- Lines of text that fit a width -----------------------------------------

// Where a line may break: after a blank, and before and after a full-width
// character, as Japanese text breaks between any two of its characters.
std::vector<std::string> breakablePieces(const std::string& text) {
    std::vector<std::string> pieces;
    std::string piece;
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t start = i;
        const std::uint32_t c = nextCharacter(text, i);
        const bool wide = c >= 0x2E80;
        const bool blank = c == ' ';
        if (wide && !piece.empty() && piece.back() != ' ') {
            pieces.push_back(std::move(piece));
            piece.clear();
        }
        if (!blank && !piece.empty() && piece.back() == ' ') {
            pieces.push_back(std::move(piece));
            piece.clear();
        }
        piece.append(text, start, i - start);
        if (wide) {
            // A full-width character ends its piece unless blanks follow it.
            if (i >= text.size() || text[i] != ' ') {
                pieces.push_back(std::move(piece));
                piece.clear();
            }
        }
    }
    if (!piece.empty()) pieces.push_back(std::move(piece));
    return pieces;
}

std::string_view withoutTrailingBlanks(std::string_view line) {
    while (!line.empty() && line.back() == ' ') line.remove_suffix(1);
    return line;
}

// The text in lines no wider than `width`, broken where it may break, and
// inside a piece only where a piece alone is wider. Each line keeps the
// blanks after it, so that the lines put together are the text again.
std::vector<std::string> wrapped(const std::string& text, double width, double size, bool bold,
                                 const TextMeasure& measure) {
    const auto fits = [&](std::string_view line) {
        return measure.width(withoutTrailingBlanks(line), size, bold) <= width;
    };
    if (fits(text)) return {text};
    std::vector<std::string> lines;
    std::string line;
    for (const std::string& piece : breakablePieces(text)) {
        if (fits(line + piece)) {
            line += piece;
            continue;
        }
        if (!line.empty()) lines.push_back(std::exchange(line, {}));
        if (fits(piece)) {
            line = piece;
            continue;
        }
        for (std::size_t i = 0; i < piece.size();) {
            const std::size_t start = i;
            nextCharacter(piece, i);
            const std::string_view character(piece.data() + start, i - start);
            if (!line.empty() && !fits(line + std::string(character))) {
                lines.push_back(std::exchange(line, {}));
            }
            line += character;
        }
    }
    if (!line.empty()) lines.push_back(std::move(line));
    return lines;
}

// ---- The layout -------------------------------------------------------------

struct Scale {
    PlotRect area;
    double lowHz;
    double highHz;
    double lowValue;
    double highValue;

    double x(double hz) const {
        return area.left + std::log10(hz / lowHz) / std::log10(highHz / lowHz) * area.width;
    }
    double y(double value) const {
        const double beyond = 2 * area.height;
        if (std::isnan(value)) return area.bottom() + beyond;
        const double y = area.bottom() - (value - lowValue) / (highValue - lowValue) * area.height;
        return std::clamp(y, area.top - beyond, area.bottom() + beyond);
    }
};

// The value axis's ends: the page's lowest value, and the highest value
// drawn inside the frequency range, widened to whole 1-2-5 steps.
LinearScale valueScale(const PageRules& rules,
                       const std::vector<std::vector<Curve>>& curves) {
    double highest = rules.reference ? *rules.reference + kLeastTopDb : rules.lowest + 1;
    double lowest = rules.lowest;
    for (const std::vector<Curve>& design : curves) {
        for (const Curve& curve : design) {
            for (int k = 0; k < kGridPoints && gridFrequency(k) <= kPlotHighHz; ++k) {
                const double v = curve.values[static_cast<std::size_t>(k)];
                if (!std::isfinite(v)) continue;
                highest = std::max(highest, std::min(v, kHighestAxisDb));
                if (!rules.reference) lowest = std::min(lowest, v);
            }
        }
    }
    return niceScale(lowest, highest, rules.maxSteps);
}

// A drawn curve need not pass through every point of the grid: where the
// points lie within a small fraction of a pixel of the line between their
// neighbours (most of a passband), fewer draw the same picture. Points
// beyond the area are kept only up to the first one outside.
constexpr double kCurveTolerance = 0.25;  // pixels

std::vector<PlotPoint> visiblePoints(const std::vector<double>& values, const Scale& scale) {
    std::vector<PlotPoint> points;
    std::vector<PlotPoint> pixels;
    for (std::size_t k = 0; k < values.size(); ++k) {
        const double hz = gridFrequency(static_cast<int>(k));
        points.push_back({hz, values[k]});
        pixels.push_back({scale.x(hz), scale.y(values[k])});
    }
    const auto outside = [&](std::size_t k) {
        return pixels[k].x > scale.area.right() || pixels[k].y > scale.area.bottom() ||
               pixels[k].y < scale.area.top;
    };
    std::size_t first = 0;
    while (first + 1 < points.size() && outside(first) && outside(first + 1)) ++first;
    std::size_t last = points.size() - 1;
    while (last > first + 1 && outside(last) && outside(last - 1)) --last;
    // Douglas and Peucker's simplification, by a stack of spans.
    std::vector<bool> kept(points.size(), false);
    kept[first] = kept[last] = true;
    std::vector<std::pair<std::size_t, std::size_t>> spans{{first, last}};
    while (!spans.empty()) {
        const auto [a, b] = spans.back();
        spans.pop_back();
        const double dx = pixels[b].x - pixels[a].x;
        const double dy = pixels[b].y - pixels[a].y;
        const double length = std::hypot(dx, dy);
        double farthest = 0;
        std::size_t at = a;
        for (std::size_t k = a + 1; k < b; ++k) {
            const double ex = pixels[k].x - pixels[a].x;
            const double ey = pixels[k].y - pixels[a].y;
            const double distance =
                length > 0 ? std::abs(dx * ey - dy * ex) / length : std::hypot(ex, ey);
            if (distance > farthest) {
                farthest = distance;
                at = k;
            }
        }
        if (farthest > kCurveTolerance) {
            kept[at] = true;
            spans.push_back({a, at});
            spans.push_back({at, b});
        }
    }
    std::vector<PlotPoint> drawn;
    for (std::size_t k = first; k <= last; ++k) {
        if (kept[k]) drawn.push_back(points[k]);
    }
    return drawn;
}

// The F3 marks on the -3 dB line, each design's vented and closed. Taken
// from left to right, each mark goes to the highest place on or below the
// line where it covers no mark set before it: marks at the same place stack
// downwards. A place frees once the marks move a mark's width right of its
// last one, so the stacking takes n log n steps for n marks.
std::vector<PlotMark> stackedMarks(const std::vector<const PlotDesign*>& designs,
                                   const Scale& scale) {
    std::vector<PlotMark> marks;
    for (std::size_t i = 0; i < designs.size(); ++i) {
        for (const auto& [f3, filled] :
             {std::pair{designs[i]->ventedF3, true}, std::pair{designs[i]->closedF3, false}}) {
            if (!f3 || *f3 < scale.lowHz || *f3 > scale.highHz) continue;
            const PlotPoint at{*f3, kF3Level};
            marks.push_back({i, filled, at, markCircle({scale.x(*f3), scale.y(kF3Level)},
                                                       designs[i]->style, filled),
                             std::nullopt});
        }
    }
    std::stable_sort(marks.begin(), marks.end(), [](const PlotMark& a, const PlotMark& b) {
        return a.circle.centre.x < b.circle.centre.x;
    });
    using Place = std::pair<double, std::size_t>;  // the x of its last mark, its depth
    std::priority_queue<Place, std::vector<Place>, std::greater<>> taken;
    std::priority_queue<std::size_t, std::vector<std::size_t>, std::greater<>> free;
    std::size_t depths = 0;
    for (PlotMark& mark : marks) {
        const double x = mark.circle.centre.x;
        while (!taken.empty() && taken.top().first <= x - 2 * kMarkRadius) {
            free.push(taken.top().second);
            taken.pop();
        }
        std::size_t depth = depths;
        if (!free.empty()) {
            depth = free.top();
            free.pop();
        } else {
            ++depths;
        }
        taken.push({x, depth});
        if (depth == 0) continue;
        const PlotPoint line = mark.circle.centre;
        mark.circle.centre.y += static_cast<double>(depth) * kMarkStep;
        mark.stem = PlotLine{line, mark.circle.centre,
                             solid(plotColourOf(designs[mark.design]->style), 1)};
    }
    return marks;
}

PlotAxis frequencyAxis(const Scale& scale, PlotLanguage language) {
    PlotAxis axis{scale.lowHz, scale.highHz, {}, {}, {}};
    const double bottom = scale.area.bottom();
    for (const LogTick& tick : logTicks(scale.lowHz, scale.highHz)) {
        const double x = scale.x(tick.hz);
        const bool end = tick.hz <= scale.lowHz * 1.000001 || tick.hz >= scale.highHz * 0.999999;
        if (!end) {
            axis.grid.push_back({{x, scale.area.top}, {x, bottom},
                                 solid(tick.decade ? kPlotDecadeGrid : kPlotGrid, 1)});
        }
        if (tick.labelled) {
            axis.ticks.push_back({tick.hz, {{x, bottom}, {x, bottom + kTickLength}, solid(kPlotFrame, 1)},
                                  text({x, bottom + 20}, TextAnchor::Middle, kTextSize,
                                       frequencyLabel(tick.hz))});
        }
    }
    axis.title = text({scale.area.left + scale.area.width / 2, bottom + 42}, TextAnchor::Middle,
                      kTextSize, std::string(kFrequencyTitle.in(language)));
    return axis;
}

PlotAxis valueAxis(const Scale& scale, const LinearScale& values, const PageRules& rules,
                   PlotLanguage language) {
    PlotAxis axis{values.low, values.high, {}, {}, {}};
    const PlotRect& area = scale.area;
    for (double value : tickValues(values)) {
        const double y = scale.y(value);
        const bool end = value == values.low || value == values.high;
        if (!end && !(rules.reference && *rules.reference == value)) {
            axis.grid.push_back({{area.left, y}, {area.right(), y}, solid(kPlotGrid, 1)});
        }
        axis.ticks.push_back({value, {{area.left - kTickLength, y}, {area.left, y}, solid(kPlotFrame, 1)},
                              text({area.left - 8, y + 4.5}, TextAnchor::End, kTextSize,
                                   tickLabel(value, values.step, rules.signedTicks))});
    }
    axis.title = text({kValueTitleX, area.top + area.height / 2}, TextAnchor::Middle, kTextSize,
                      std::string(rules.valueTitle.in(language)));
    axis.title.upright = true;
    return axis;
}

// The legend's entries in columns: as many as the widest entry allows, up
// to a few; where one entry is wider than the whole legend, one column whose
// entries wrap. No text is ever shortened.
struct LegendLayout {
    std::size_t columns;
    std::vector<std::vector<std::string>> lines;  // each entry's
    double height;
};

LegendLayout legendLayout(const std::vector<std::string>& texts, double legendWidth,
                          const TextMeasure& measure) {
    double widest = 0;
    for (const std::string& t : texts) widest = std::max(widest, measure.width(t, kTextSize, false));
    const auto textWidth = [&](std::size_t columns) {
        const double c = static_cast<double>(columns);
        return (legendWidth - (c - 1) * kLegendGap) / c - kSampleWidth;
    };
    std::size_t columns = 1;
    while (columns < std::min(kMostLegendColumns, texts.size()) && widest <= textWidth(columns + 1)) {
        ++columns;
    }
    LegendLayout layout{columns, {}, 0};
    if (columns > 1 || widest <= textWidth(1)) {
        for (const std::string& t : texts) layout.lines.push_back({t});
        const std::size_t rows = (texts.size() + columns - 1) / columns;
        layout.height = static_cast<double>(rows) * kLegendLine;
        return layout;
    }
    for (const std::string& t : texts) {
        layout.lines.push_back(wrapped(t, textWidth(1), kTextSize, false, measure));
        layout.height += kLegendLine + static_cast<double>(layout.lines.back().size() - 1) * kTextLine;
    }
    return layout;
}

std::vector<LegendEntry> placeLegend(const std::vector<const PlotDesign*>& designs,
                                     std::vector<std::string> texts, const LegendLayout& layout,
                                     const PlotRect& box, PlotPage page) {
    std::vector<LegendEntry> entries;
    const std::size_t rows = layout.columns > 1
                                 ? (texts.size() + layout.columns - 1) / layout.columns
                                 : texts.size();
    const double columnWidth =
        (box.width - static_cast<double>(layout.columns - 1) * kLegendGap) /
        static_cast<double>(layout.columns);
    double y = box.top + kLegendLine / 2;
    for (std::size_t i = 0; i < designs.size(); ++i) {
        const std::size_t column = layout.columns > 1 ? i / rows : 0;
        const std::size_t row = layout.columns > 1 ? i % rows : 0;
        if (layout.columns > 1) y = box.top + kLegendLine / 2 + static_cast<double>(row) * kLegendLine;
        const double x = box.left + static_cast<double>(column) * (columnWidth + kLegendGap);
        const std::size_t style = designs[i]->style;
        LegendEntry entry{i, std::move(texts[i]), {}, {}, {}};
        entry.samples.push_back({{x, y}, {x + 34, y}, designStroke(style, false)});
        if (page == PlotPage::Level) {
            entry.sampleMarks.push_back(markCircle({x + 17, y}, style, true));
            entry.samples.push_back({{x + 42, y}, {x + 76, y}, designStroke(style, true)});
            entry.sampleMarks.push_back(markCircle({x + 59, y}, style, false));
        }
        double baseline = y + 4.5;
        for (const std::string& line : layout.lines[i]) {
            entry.lines.push_back(text({x + kSampleWidth, baseline}, TextAnchor::Start, kTextSize, line));
            baseline += kTextLine;
        }
        if (layout.columns == 1) {
            y += kLegendLine + static_cast<double>(layout.lines[i].size() - 1) * kTextLine;
        }
        entries.push_back(std::move(entry));
    }
    return entries;
}

}  // namespace

GridCurves gridCurvesOf(const Response& response) {
    GridCurves curves{overGrid(response, &Response::ventedDb), overGrid(response, &Response::closedDb),
                      overGrid(response, &Response::ventedGroupDelay)};
    for (double& delay : curves.delay) delay *= 1000;
    return curves;
}

PlotDesign plotDesignOf(std::string label, std::size_t style, const Response& response) {
    return {std::move(label), style, response, ventedF3(response), closedF3(response)};
}

PlotPoint PlotDescription::pixelOf(PlotPoint value) const {
    const Scale scale{area, frequency.low, frequency.high, this->value.low, this->value.high};
    return {scale.x(value.x), scale.y(value.y)};
}

double PlotDescription::frequencyAt(double x) const {
    return frequency.low * std::pow(frequency.high / frequency.low, (x - area.left) / area.width);
}

PlotDescription describePlot(const std::vector<const PlotDesign*>& designs,
                             const PlotRequest& request, const TextMeasure& measure) {
    const PageRules& rules = rulesOf(request.page);
    const PlotLanguage language = request.language;
    PlotDescription d;
    d.page = request.page;
    d.width = request.width;
    d.background = kPlotBackground;
    d.heading = rules.title.in(language);

    std::vector<std::vector<Curve>> curves;
    std::vector<std::string> legendTexts;
    curves.reserve(designs.size());
    legendTexts.reserve(designs.size());
    for (const PlotDesign* design : designs) {
        curves.push_back(curvesOf(request.page, *design));
        legendTexts.push_back(drawableText(design->label) + " — " +
                              summaryOf(request.page, *design, curves.back(), language));
    }
    const LinearScale values = valueScale(rules, curves);

    // Across: the value axis's labels and title, then the area.
    double widestTick = 0;
    for (double value : tickValues(values)) {
        widestTick = std::max(widestTick, measure.width(tickLabel(value, values.step, rules.signedTicks),
                                                        kTextSize, false));
    }
    const double left = std::max(kLeastLeft, 42 + widestTick);
    const double areaWidth = std::max(request.width - left - kRightMargin, 100.0);

    // Down: the title and subtitle, the area, the frequency axis, the note
    // and the legend.
    d.texts.push_back(text({left, kTitleBaseline}, TextAnchor::Start, kTitleSize, d.heading,
                           kPlotInk, true));
    double y = kTitleBaseline + 20;
    for (const std::string& line : wrapped(withQl(rules.subtitle.in(language), request.Ql),
                                           areaWidth, kSubtitleSize, false, measure)) {
        d.texts.push_back(text({left, y}, TextAnchor::Start, kSubtitleSize, line, kPlotNoteInk));
        y += kSubtitleLine;
    }
    const double areaTop = y - kSubtitleLine + 12;
    const std::vector<std::string> note =
        wrapped(std::string(rules.note.in(language)), areaWidth, kTextSize, false, measure);
    const LegendLayout legend = legendLayout(legendTexts, areaWidth, measure);
    const double noteTop = 66;  // below the area's bottom, past the frequency axis's title
    const double below = noteTop + static_cast<double>(note.size()) * kTextLine + legend.height +
                         kBottomMargin;
    double areaHeight = kNaturalAreaHeight;
    if (request.height) areaHeight = std::max(kLeastAreaHeight, *request.height - areaTop - below);
    d.area = {left, areaTop, areaWidth, areaHeight};
    d.height = std::max(request.height.value_or(0.0), areaTop + areaHeight + below);
    d.leastHeight = areaTop + kLeastAreaHeight + below;
    d.frame = solid(kPlotFrame, 1);

    const Scale scale{d.area, kPlotLowHz, kPlotHighHz, values.low, values.high};
    d.frequency = frequencyAxis(scale, language);
    d.value = valueAxis(scale, values, rules, language);
    if (rules.reference) {
        const double at = scale.y(*rules.reference);
        d.references.push_back({{d.area.left, at}, {d.area.right(), at}, solid(kPlotReference, 1.6)});
    }
    for (std::size_t i = 0; i < designs.size(); ++i) {
        for (Curve& curve : curves[i]) {
            d.series.push_back({i, curve.closed, designStroke(designs[i]->style, curve.closed),
                                visiblePoints(curve.values, scale)});
        }
    }
    if (rules.f3Marks) d.marks = stackedMarks(designs, scale);

    double noteY = d.area.bottom() + noteTop;
    for (const std::string& line : note) {
        d.texts.push_back(text({left, noteY}, TextAnchor::Start, kTextSize, line, kPlotNoteInk));
        noteY += kTextLine;
    }
    const PlotRect legendBox{left, noteY - kTextLine + 10, areaWidth, legend.height};
    d.legend = placeLegend(designs, std::move(legendTexts), legend, legendBox, request.page);
    return d;
}

}  // namespace ventbox

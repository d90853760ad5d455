// SPDX-License-Identifier: GPL-3.0-or-later
#include "design/plot.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <sstream>

#include "design/plot_axis.hpp"
#include "design/plot_style.hpp"
#include "design/svg_plot.hpp"
#include "support/svg_reader.hpp"

namespace ventbox {
namespace {

using test::SvgElement;
using test::SvgReader;

// The first worked example's alignment: sc/so = 906038/309511, fd/fo =
// 45.1/35, Qo = 0.42 at the default box losses. Worked by hand with complex
// arithmetic: F3 52.870 Hz vented, 60.509 Hz closed; the longest group
// delay of the grid 14.956 ms at 15.874 Hz.
Response example() { return Response(906038.0 / 309511, 45.1 / 35, 0.42, kDefaultQl, 35); }

PlotRequest requestFor(PlotPage page, PlotLanguage language = PlotLanguage::English) {
    PlotRequest request;
    request.page = page;
    request.language = language;
    return request;
}

PlotDescription describe(const std::vector<PlotDesign>& designs, PlotRequest request = {}) {
    std::vector<const PlotDesign*> drawn;
    for (const PlotDesign& d : designs) drawn.push_back(&d);
    return describePlot(drawn, request, EstimatedTextMeasure());
}

std::vector<std::string> tickLabels(const PlotAxis& axis) {
    std::vector<std::string> labels;
    for (const PlotTick& tick : axis.ticks) labels.push_back(tick.label.text);
    return labels;
}

std::string joined(const LegendEntry& entry) {
    std::string text;
    for (const PlotText& line : entry.lines) text += line.text;
    return text;
}

TEST(PlotAxes, fallOnStepsOfOneTwoOrFive) {
    const struct {
        double low, high;
        LinearScale expected;
    } cases[] = {
        {-30, 3, {-30, 5, 5}},     // the level axis of a curve that peaks below 3 dB
        {-30, 6.2, {-30, 10, 5}},
        {-30, 22, {-30, 30, 10}},
        {0, 14.956, {0, 16, 2}},   // the example's group delay
        {0, 0.37, {0, 0.4, 0.05}},
        {0, 17.5, {0, 20, 5}},     // never steps of 2.5
        {0, 1, {0, 1, 0.2}},
    };
    for (const auto& c : cases) {
        const LinearScale s = niceScale(c.low, c.high, 8);
        EXPECT_NEAR(s.low, c.expected.low, 1e-12) << c.low << " to " << c.high;
        EXPECT_NEAR(s.high, c.expected.high, 1e-12) << c.low << " to " << c.high;
        EXPECT_NEAR(s.step, c.expected.step, 1e-12) << c.low << " to " << c.high;
    }
    EXPECT_EQ(tickLabel(-5, 5, true), "\u22125");
    EXPECT_EQ(tickLabel(5, 5, true), "+5");
    EXPECT_EQ(tickLabel(0, 5, true), "0");
    EXPECT_EQ(tickLabel(0.15, 0.05, false), "0.15");
}

TEST(PlotDescription, showsEachPageOnOneTwoFiveAxesInTheAskersLanguage) {
    const std::vector<PlotDesign> one{plotDesignOf("FW208Kolvex", 0, example())};
    const PlotDescription level = describe(one);
    EXPECT_EQ(tickLabels(level.frequency),
              (std::vector<std::string>{"10", "20", "50", "100", "200", "500", "1k"}));
    EXPECT_EQ(tickLabels(level.value),
              (std::vector<std::string>{"\u221230", "\u221225", "\u221220", "\u221215", "\u221210",
                                        "\u22125", "0", "+5"}));
    ASSERT_EQ(level.legend.size(), 1u);
    EXPECT_EQ(level.legend[0].text, "FW208Kolvex — F3 vented 52.87 Hz, closed 60.51 Hz");
    EXPECT_EQ(level.frequency.title.text, "Frequency (Hz)");
    EXPECT_EQ(level.value.title.text, "Level (dB)");

    const PlotDescription delay = describe(one, requestFor(PlotPage::GroupDelay));
    EXPECT_EQ(tickLabels(delay.value),
              (std::vector<std::string>{"0", "2", "4", "6", "8", "10", "12", "14", "16"}));
    EXPECT_EQ(delay.legend[0].text, "FW208Kolvex — longest 14.96 ms at 15.87 Hz");
    EXPECT_TRUE(delay.marks.empty());

    PlotRequest japanese = requestFor(PlotPage::Level, PlotLanguage::Japanese);
    const PlotDescription ja = describe(one, japanese);
    EXPECT_EQ(ja.heading, "振幅特性");
    EXPECT_EQ(ja.frequency.title.text, "周波数 (Hz)");
    EXPECT_EQ(ja.value.title.text, "レベル (dB)");
    EXPECT_EQ(ja.legend[0].text, "FW208Kolvex — F3 バスレフ 52.87 Hz、密閉 60.51 Hz");
    japanese.page = PlotPage::GroupDelay;
    EXPECT_EQ(describe(one, japanese).value.title.text, "群遅延 (ms)");

    // The 0 dB line lies where the axis maps 0 dB, the vented curve's 0 dB
    // passband meets it at the right end.
    ASSERT_EQ(level.references.size(), 1u);
    EXPECT_NEAR(level.references[0].from.y, level.pixelOf({100, 0}).y, 1e-9);
    EXPECT_NEAR(level.frequencyAt(level.pixelOf({52.87, 0}).x), 52.87, 1e-9);
}

// Marks that stand on one place would hide each other: each of three
// designs of one F3 keeps both its marks in sight, the stacked ones joined
// to their place on the -3 dB line.
TEST(PlotDescription, marksOfEqualF3StandApart) {
    for (std::size_t count : {3u, 2000u}) {
        std::vector<PlotDesign> same;
        for (std::size_t i = 0; i < count; ++i) same.push_back(plotDesignOf("d", i, example()));
        const PlotDescription plot = describe(same);
        ASSERT_EQ(plot.marks.size(), 2 * count);
        std::set<std::pair<long, long>> places;
        for (const PlotMark& mark : plot.marks) {
            const PlotPoint line = plot.pixelOf(mark.at);
            EXPECT_NEAR(mark.circle.centre.x, line.x, 1e-9);
            places.insert({std::lround(mark.circle.centre.x), std::lround(mark.circle.centre.y)});
            if (mark.stem) {
                EXPECT_NEAR(mark.stem->from.y, line.y, 1e-9);
            }
            if (count > 3) continue;
            for (const PlotMark& other : plot.marks) {
                if (&other == &mark) continue;
                EXPECT_GE(std::hypot(mark.circle.centre.x - other.circle.centre.x,
                                     mark.circle.centre.y - other.circle.centre.y),
                          mark.circle.radius + other.circle.radius);
            }
        }
        EXPECT_EQ(places.size(), 2 * count) << "no two marks share a place";
    }
}

// Seven long names, Japanese and Latin, at a picture's width and at half
// of it: every name stands whole in its entry, no line is wider than the
// legend, and no entry runs into the next or off the picture.
TEST(PlotDescription, legendOfLongNamesFitsWhole) {
    std::vector<PlotDesign> designs;
    for (int i = 0; i < 7; ++i) {
        const std::string name = i % 2 ? "FW208Kolvex-cabinet-revision-" + std::to_string(i) + "-final-copy"
                                       : "小型パイプダクトの試作品その" + std::to_string(i) + "（改良型、長い名前）";
        designs.push_back(plotDesignOf(name, i, example()));
    }
    const EstimatedTextMeasure measure;
    for (double width : {800.0, 400.0}) {
        PlotRequest request;
        request.width = width;
        request.height = 300;  // less than the legend needs: the picture grows
        const PlotDescription plot = describe(designs, request);
        ASSERT_EQ(plot.legend.size(), 7u);
        double previousBottom = 0;
        for (const LegendEntry& entry : plot.legend) {
            EXPECT_EQ(joined(entry), entry.text);
            EXPECT_EQ(entry.text.rfind(designs[entry.design].label + " — ", 0), 0u) << entry.text;
            for (const PlotText& line : entry.lines) {
                EXPECT_LE(line.at.x + measure.width(line.text, line.size, false), width) << line.text;
            }
            EXPECT_GE(entry.lines.front().at.y - entry.lines.front().size, previousBottom) << entry.text;
            previousBottom = entry.lines.back().at.y;
        }
        EXPECT_LE(previousBottom, plot.height);
        EXPECT_GE(plot.height, 300);
    }
}

// A design keeps its look wherever it stands in the list.
TEST(PlotDescription, stylesStayWithTheirDesigns) {
    const std::vector<PlotDesign> designs{plotDesignOf("a", 0, example()),
                                          plotDesignOf("b", 9, example())};
    const PlotDescription plot = describe(designs);
    for (const PlotSeries& series : plot.series) {
        const std::size_t style = designs[series.design].style;
        EXPECT_EQ(series.stroke.colour, kPlotColours[style % 7]);
    }
    EXPECT_EQ(plot.legend[1].samples.front().stroke.colour, "#009E73");
}

// The picture as a viewer reads it: its texts, marks, clipping and dashes.
TEST(SvgPicture, showsWhatItsDescriptionHolds) {
    const std::vector<PlotDesign> designs{plotDesignOf("FW208Kolvex", 0, example()),
                                          plotDesignOf("Copy", 8, example())};
    const PlotDescription plot = describe(designs);
    std::ostringstream out;
    writeSvg(out, plot);
    const SvgReader svg(out.str());
    const std::vector<std::string> texts = svg.texts();
    for (const char* shown : {"Frequency response", "Frequency (Hz)", "Level (dB)", "1k", "+5",
                              "FW208Kolvex — F3 vented 52.87 Hz, closed 60.51 Hz"}) {
        EXPECT_NE(std::find(texts.begin(), texts.end(), shown), texts.end()) << shown;
    }
    const std::vector<SvgElement> rects = svg.all("rect");  // the clip path's first
    ASSERT_FALSE(rects.empty());
    EXPECT_NEAR(rects[0].number("x"), plot.area.left, 0.05);
    EXPECT_NEAR(rects[0].number("height"), plot.area.height, 0.05);
    std::size_t filled = 0, rings = 0;
    for (const SvgElement& c : svg.all("circle")) {
        if (c.clip.empty()) continue;  // the legend's samples
        EXPECT_EQ(c.clip, "url(#plot-area)");
        (c.attribute("fill") == "#FFFFFF" ? rings : filled) += 1;
    }
    EXPECT_EQ(filled, 2u);
    EXPECT_EQ(rings, 2u);
    std::vector<std::string> dashes;
    for (const SvgElement& p : svg.all("polyline")) {
        EXPECT_EQ(p.clip, "url(#plot-area)");
        dashes.push_back(p.attribute("stroke") + " " + p.attribute("stroke-width") + " " +
                         p.attribute("stroke-dasharray"));
    }
    EXPECT_EQ(dashes, (std::vector<std::string>{"#0072B2 1.6 7.0 4.0", "#0072B2 2.2 ",
                                                "#D55E00 1.6 7.0 4.0 1.0 4.0",
                                                "#D55E00 2.2 14.0 3.0 3.0 3.0"}));
}

TEST(SvgPicture, writesEveryNameAsValidText) {
    const struct {
        const char* what;
        std::string name;
        std::string shown;
    } cases[] = {
        {"a byte that is no UTF-8", "\xff.x", "\xEF\xBF\xBD.x"},
        {"a cut sequence", "a\xE3\x81", "a\xEF\xBF\xBD\xEF\xBF\xBD"},
        {"controls", "a\x01\tb\x7F", "a\xEF\xBF\xBD\xEF\xBF\xBD" "b\xEF\xBF\xBD"},
        {"a C1 control", "a\xC2\x9B", "a\xEF\xBF\xBD"},
        {"a non-character", "a\xEF\xBF\xBF", "a\xEF\xBF\xBD"},
        {"XML's own characters", "R&D <\"x\">", "R&D <\"x\">"},
        {"Japanese", "小型パイプ", "小型パイプ"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(drawableText(c.name), c.shown) << c.what;
        std::ostringstream out;
        writeResponsePlot(out, {plotDesignOf(c.name, 0, example())}, kDefaultQl);
        const SvgReader svg(out.str());
        const std::vector<std::string> texts = svg.texts();
        EXPECT_EQ(texts.back().substr(0, texts.back().find(" — ")), c.shown) << c.what;
    }
}

}  // namespace
}  // namespace ventbox

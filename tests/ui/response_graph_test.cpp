// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/response_graph.hpp"

#include <cstdlib>
#include <sstream>

#include "box_fixture.hpp"
#include "design/svg_plot.hpp"

namespace ventbox::test {
namespace {

// The first worked example, as a file saved under another name.
std::string exampleNamed(const std::string& name) {
    std::string file = kExampleFile;
    file.replace(file.find(kExampleName + "\r\n"), kExampleName.size(), name);
    return file;
}

// Counts what the graph tells its view.
struct CountingView : ResponseGraphObserver {
    void graphChanged() override { ++changes; }
    int changes = 0;
};

std::vector<std::string> labelsOf(const ResponseGraph& graph) {
    std::vector<std::string> labels;
    for (const PlotDesign& d : graph.drawn()) labels.push_back(d.label + " #" + std::to_string(d.style));
    return labels;
}

double numberAfter(const std::string& text, const std::string& before) {
    return std::strtod(text.c_str() + text.find(before) + before.size(), nullptr);
}

class GraphFollowsTheWindow : public BoxTest {
protected:
    GraphFollowsTheWindow() {
        writeBytes(dataFile("FW208Kolvex"), kExampleFile);
        graph.setObserver(&view);
    }
    ResponseGraph graph{box};
    CountingView view;
};

// The read-out against values worked by hand from the example's labels
// (so 309511, sc 906038, fd 45.1, Vo 37.1) with complex arithmetic: F3
// 52.870 Hz vented and 60.509 Hz closed, the peak 2.330 dB at 89.46 Hz;
// then a keystroke and a click in the window, with no view in between,
// give the round pipe of 5 cm: sc 901083, fd 32.8, F3 54.284 and 60.472 Hz.
TEST_F(GraphFollowsTheWindow, readsOutEachCalculationAsTheWindowDoesIt) {
    EXPECT_TRUE(graph.readout().empty()) << "nothing before the first calculation";
    start();
    const std::vector<std::string> first = graph.readout();
    ASSERT_EQ(first.size(), 8u);
    EXPECT_EQ(first[0], "F3 バスレフ: 52.87 Hz");
    EXPECT_EQ(first[1], "F3 密閉: 60.51 Hz");
    EXPECT_NEAR(numberAfter(first[2], "ピーク: "), 2.330, 0.01);
    EXPECT_NEAR(numberAfter(first[2], "@ "), 89.46, 0.05);
    EXPECT_EQ(std::vector<std::string>(first.begin() + 3, first.end()),
              (std::vector<std::string>{"fb (= fd): 45.1 Hz", "α (= sc/so): 2.927", "h (= fb/fo): 1.289",
                                        "Qt (= Qo): 0.420", "Vas (= α·Vo): 108.60 ㍑"}));
    const int before = view.changes;
    box.userEditedText(Edit::L1, "5");
    box.userEditedText(Edit::L2, "5");
    box.userSetChecked(true);
    EXPECT_EQ(view.changes, before + 3) << "each calculation is told once";
    EXPECT_EQ(graph.readout()[0], "F3 バスレフ: 54.28 Hz");
    EXPECT_EQ(graph.readout()[1], "F3 密閉: 60.47 Hz");
    EXPECT_EQ(graph.readout()[4], "α (= sc/so): 2.911");
    EXPECT_EQ(graph.readout()[5], "h (= fb/fo): 0.937");
    // The table's F3 row and the picture show the same.
    EXPECT_EQ(graph.table().back(), (std::vector<std::string>{"F3 (Hz)", "54.28", "60.47"}));
    const PlotDescription plot = graph.plot(PlotPage::Level, 800, std::nullopt, EstimatedTextMeasure());
    EXPECT_EQ(plot.legend[0].text, "FW208Kolvex — F3 バスレフ 54.28 Hz、密閉 60.47 Hz");
    EXPECT_EQ(plot.heading, "振幅特性");
}

// A failed calculation keeps the last curves and says why; the next that
// completes clears the status. Box losses outside real boxes change
// nothing; lossless ones lower the example's F3 to 49.455 Hz (by hand).
TEST_F(GraphFollowsTheWindow, keepsItsCurvesThroughFailuresAndFollowsTheBoxLosses) {
    start();
    const std::vector<std::string> good = graph.readout();
    const struct {
        const char* what;
        Edit edit;
        const char* text;
        std::string status;
    } steps[] = {
        {"a text that is no number", Edit::BL1, "25x", "計算に失敗したため、前の曲線のままです: '25x' は浮動小数点数ではありません."},
        {"the text mended", Edit::BL1, "25", ""},
        {"a driver with no damping", Edit::Q, "0", ""},
        {"calculated with it", Edit::BL1, "25.0", "前の曲線のままです: no response: Qo is not positive"},
        {"mended again", Edit::Q, "0.42", "前の曲線のままです: no response: Qo is not positive"},
        {"and calculated", Edit::BL1, "25", ""},
    };
    for (const auto& step : steps) {
        box.userEditedText(step.edit, step.text);
        EXPECT_EQ(graph.status(), step.status) << step.what;
        EXPECT_EQ(graph.readout(), good) << step.what;
    }
    for (double outside : {0.4, 1000.5, 0.0}) EXPECT_FALSE(graph.setQl(outside)) << outside;
    EXPECT_EQ(graph.readout(), good);
    EXPECT_TRUE(graph.setQl(1000));
    EXPECT_EQ(graph.readout()[0], "F3 バスレフ: 49.46 Hz");
    EXPECT_EQ(graph.readout()[1], good[1]) << "the closed box has no losses to change";
}

// The compared designs over a session: ticked, unticked, rewritten, broken
// and mended, removed. Copies are told apart by their files; each design
// keeps its style while it is ticked, and a freed style goes to the next.
TEST_F(GraphFollowsTheWindow, comparedDesignsKeepTheirLabelsAndStylesOverTime) {
    start();
    writeBytes(dataFile("Copy"), kExampleFile);
    writeBytes(dataFile("Broken"), "6,4\r\n");
    writeBytes(dataFolder() + "/notes.txt", "not a design\n");
    graph.rescan();
    ASSERT_EQ(graph.compared().size(), 3u);  // Broken, Copy, FW208Kolvex
    EXPECT_FALSE(graph.compared()[0].inputs);
    EXPECT_NE(graph.compared()[0].failure, "");
    const struct {
        const char* what;
        std::function<void()> step;
        std::vector<std::string> labels;
    } steps[] = {
        {"nothing ticked", [] {}, {"FW208Kolvex #0"}},
        {"a broken file cannot be drawn", [&] { graph.setCompared(0, true); }, {"FW208Kolvex #0"}},
        {"the copy ticked", [&] { graph.setCompared(1, true); },
         {"FW208Kolvex (画面) #0", "FW208Kolvex (Copy.dat) #2"}},
        {"the saved file ticked", [&] { graph.setCompared(2, true); },
         {"FW208Kolvex (画面) #0", "FW208Kolvex (Copy.dat) #2", "FW208Kolvex (FW208Kolvex.dat) #3"}},
        {"the copy unticked", [&] { graph.setCompared(1, false); },
         {"FW208Kolvex (画面) #0", "FW208Kolvex (FW208Kolvex.dat) #3"}},
        {"the broken file mended", [&] {
             writeBytes(dataFile("Broken"), exampleNamed("Mended"));
             graph.rescan();
         }, {"FW208Kolvex (画面) #0", "Mended #1", "FW208Kolvex (FW208Kolvex.dat) #3"}},
        {"the copy ticked again takes the first free style", [&] { graph.setCompared(1, true); },
         {"FW208Kolvex (画面) #0", "Mended #1", "FW208Kolvex (Copy.dat) #2",
          "FW208Kolvex (FW208Kolvex.dat) #3"}},
        {"the copy rewritten as another design", [&] {
             writeBytes(dataFile("Copy"), exampleNamed("Other"));
             graph.rescan();
         }, {"FW208Kolvex (画面) #0", "Mended #1", "Other #2", "FW208Kolvex (FW208Kolvex.dat) #3"}},
        {"the window's design renamed", [&] { box.userEditedText(Edit::Nam, "Mine"); },
         {"Mine #0", "Mended #1", "Other #2", "FW208Kolvex #3"}},
        {"the copy removed", [&] {
             std::filesystem::remove(dataFile("Copy"));
             graph.rescan();
         }, {"Mine #0", "Mended #1", "FW208Kolvex #3"}},
    };
    for (const auto& s : steps) {
        const int before = view.changes;
        s.step();
        EXPECT_EQ(labelsOf(graph), s.labels) << s.what;
        if (s.labels.size() > 1) {
            EXPECT_GT(view.changes, before) << s.what;
        }
        const std::vector<std::vector<std::string>> table = graph.table();
        EXPECT_EQ(table.front().size(), 1 + 2 * s.labels.size()) << s.what;
    }
    // The drawn designs are the picture's, each in its own colour.
    const PlotDescription plot = graph.plot(PlotPage::Level, 800, std::nullopt, EstimatedTextMeasure());
    ASSERT_EQ(plot.legend.size(), 3u);
    EXPECT_EQ(plot.legend[1].text, "Mended — F3 バスレフ 52.87 Hz、密閉 60.51 Hz");
    EXPECT_EQ(plot.legend[2].samples.front().stroke.colour, "#CC79A7");
}

}  // namespace
}  // namespace ventbox::test

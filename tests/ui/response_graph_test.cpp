// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/response_graph.hpp"

#include <gtest/gtest.h>

#include "design/design_run.hpp"
#include "support/temp_files.hpp"
#include "support/worked_examples.hpp"

namespace ventbox {
namespace {

using test::kExampleFile;
using test::TempDir;
using test::writeBytes;

// The worked example as the window holds it after its calculation.
DesignRun example(const TempDir& dir) {
    writeBytes(dir.file("FW208Kolvex.dat"), kExampleFile);
    return runDesignFile(dir.file("FW208Kolvex.dat"));
}

TEST(ResponseGraph, keepsItsCurvesWhereTheyCannotBeTheDesignsOwn) {
    TempDir dir;
    const DesignRun run = example(dir);
    ResponseGraph graph;
    graph.designCalculated(run.design, run.results);
    const std::vector<std::string> good = graph.readout();
    ASSERT_FALSE(good.empty());
    EXPECT_EQ(graph.status(), "");

    TDesign noQ = run.design;
    noQ.Qo = 0;
    graph.designCalculated(noQ, run.results);
    EXPECT_EQ(graph.readout(), good);
    EXPECT_EQ(graph.status(), "前の曲線のままです: no response: Qo is not positive");

    graph.calculationFailed("'abc' は浮動小数点数ではありません.");
    EXPECT_EQ(graph.readout(), good);
    EXPECT_NE(graph.status().find("'abc'"), std::string::npos);

    for (double outside : {0.4, 1000.5, 0.0}) EXPECT_FALSE(graph.setQl(outside)) << outside;
    EXPECT_EQ(graph.readout(), good);
    EXPECT_TRUE(graph.setQl(1000));
    EXPECT_NE(graph.readout(), good) << "the curves follow the box losses";
}

TEST(ResponseGraph, comparesTheDataFoldersDesignsAndTellsThemApart) {
    TempDir dir;
    const DesignRun run = example(dir);
    writeBytes(dir.file("Copy.dat"), kExampleFile);
    writeBytes(dir.file("Broken.dat"), "6,4\r\n");
    writeBytes(dir.file("notes.txt"), "not a design\n");
    ResponseGraph graph;
    graph.designCalculated(run.design, run.results);
    graph.scanDataFolder(dir.folder());
    const std::vector<ComparedDesign>& compared = graph.compared();
    ASSERT_EQ(compared.size(), 3u);
    EXPECT_FALSE(compared[0].curves) << compared[0].path;
    EXPECT_NE(compared[0].failure, "");
    graph.setCompared(1, true);
    graph.setCompared(2, true);
    graph.scanDataFolder(dir.folder());
    ASSERT_EQ(graph.drawn().size(), 3u) << "checks stay across a new scan";
    EXPECT_EQ(graph.drawn()[0]->label, "FW208Kolvex (画面)");
    EXPECT_EQ(graph.drawn()[1]->label, "FW208Kolvex (Copy.dat)");
    EXPECT_EQ(graph.drawn()[2]->label, "FW208Kolvex (FW208Kolvex.dat)");

    const auto table = graph.table();
    ASSERT_EQ(table.size(), 1u + 21 + 1);
    EXPECT_EQ(table[1][0], "10");
    EXPECT_EQ(table[21][0], "1000");
    EXPECT_EQ(table.back()[1], table.back()[3]) << "copies have one F3";
    EXPECT_NE(graph.svgPicture().find(">FW208Kolvex (Copy.dat) — F3 vented "), std::string::npos);
}

}  // namespace
}  // namespace ventbox

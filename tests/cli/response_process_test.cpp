// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "run_process.hpp"

namespace ventbox {
namespace {

using test::kExampleFile;
using test::readBytes;
using test::runCli;
using test::TempDir;
using test::writeBytes;

// The worked example twice (once under a Japanese name, read from standard
// input), a file that does not calculate and one with a zero driver Q.
class ResponseDesigns : public testing::Test {
protected:
    void SetUp() override {
        writeBytes(dir.file("a.dat"), kExampleFile);
        writeBytes(dir.file("empty.dat"), "");
        std::string noQ = kExampleFile;
        noQ.replace(noQ.find(" 4.20000000000000E-0001"), 23, " 0.00000000000000E+0000");
        writeBytes(dir.file("noq.dat"), noQ);
    }
    // Standard output of a run over the four designs, which reports the two
    // that have no response.
    std::string response(const std::vector<std::string>& options) {
        std::vector<std::string> args{"response"};
        args.insert(args.end(), options.begin(), options.end());
        for (const char* file : {"a.dat", "empty.dat", "-", "noq.dat"}) args.emplace_back(file);
        test::CliStreams streams;
        streams.input = test::exampleFileNamed("\x90\xdd\x8c\x76");
        const auto r = runCli(args, dir.folder(), streams);
        EXPECT_EQ(r.status, 1);
        EXPECT_EQ(r.err,
                  "empty.dat: 不正な浮動小数点数演算命令.\n"
                  "noq.dat: no response: Qo is not positive\n");
        return r.out;
    }

    TempDir dir;
};

// F3 and the peak of the worked example as its acoustic circuit gives them
// (tests/design/response_test.cpp works them out). The driver's figures:
// Sd = π·7², Vas = 14000·7⁴/309511 litres; the highest air speed and
// excursion at 90 dB are in the grid's ranges.
TEST_F(ResponseDesigns, summarisesEachDesignThatHasAResponse) {
    EXPECT_EQ(response({}).substr(0, response({}).find("duct_max")),
              "file   name         F3_vented_Hz  F3_closed_Hz  peak_dB  peak_Hz\n"
              "a.dat  FW208Kolvex  52.87         60.51         2.33     89.45\n"
              "-      設計         52.87         60.51         2.33     89.45\n"
              "\n"
              "At 90.0 dB SPL in the passband (1 m, half space); duct air speed limit 17.15 m/s:\n"
              "file   name         Sd_cm2  Vas_L   fo_Hz  Qt    ");
    const std::string driven = response({"--spl", "96", "--xmax", "4"});
    EXPECT_NE(driven.find("At 96.0 dB SPL in the passband (1 m, half space); duct air speed limit "
                          "17.15 m/s, Xmax 4.00 mm:\n"),
              std::string::npos);
    EXPECT_NE(driven.find("  over_Xmax_below_Hz\n"), std::string::npos);
    EXPECT_NE(driven.find("\n-      設計         153.94  108.60  35     0.42  "), std::string::npos);
}

TEST_F(ResponseDesigns, tabulatesTheLevelsOfEachDesign) {
    const std::string rows = response({"--format", "csv"});
    EXPECT_EQ(std::count(rows.begin(), rows.end(), '\n'), 162);
    // Levels of the worked example, computed apart with complex arithmetic;
    // the sealed box's from fc = fo·√(1 + sc/so) and Qtc = Qo·√(1 + sc/so).
    for (const char* row :
         {"f_Hz,FW208Kolvex vented_dB,FW208Kolvex closed_dB,設計 vented_dB,設計 closed_dB,"
          "FW208Kolvex delay_ms,FW208Kolvex duct_m/s,FW208Kolvex excursion_mm,設計 delay_ms,",
          "\n10.0000,-47.7424,-33.5960,-47.7424,-33.5960,",
          "\n40.0000,-8.6032,-9.2261,-8.6032,-9.2261,",
          "\n1015.9367,0.0282,0.0112,0.0282,0.0112,"}) {
        EXPECT_NE(rows.find(row), std::string::npos) << row;
    }
    const auto leastLosses = runCli({"response", "--format", "csv", "--ql", "1000", "a.dat"},
                                    dir.folder());
    EXPECT_EQ(leastLosses.status, 0);
    EXPECT_NE(leastLosses.out.find("\n40.0000,-7.5143,-9.2261,"), std::string::npos);
}

// Runs that would mislead a reader or lose a design.
TEST_F(ResponseDesigns, keepsDesignsApartAndRefusesWhatWouldLoseOne) {
    std::filesystem::create_directory(dir.file("sub"));
    writeBytes(dir.file("b.dat"), kExampleFile);
    writeBytes(dir.file("sub/a.dat"), kExampleFile);
    const struct {
        const char* what;
        std::vector<std::string> args;
        bool designOnInput;
        int status;
        std::string expected;  // in standard output, or at the start of standard error
    } cases[] = {
        {"copies of one design by their files' names",
         {"--format", "csv", "a.dat", "b.dat"}, false, 0,
         "f_Hz,FW208Kolvex (a.dat) vented_dB,FW208Kolvex (a.dat) closed_dB,"
         "FW208Kolvex (b.dat) vented_dB,FW208Kolvex (b.dat) closed_dB,"},
        {"copies under one base name by their paths", {"--format", "csv", "a.dat", "sub/a.dat"},
         false, 0, "f_Hz,FW208Kolvex (a.dat) vented_dB,FW208Kolvex (a.dat) closed_dB,"
                   "FW208Kolvex (sub/a.dat) vented_dB,FW208Kolvex (sub/a.dat) closed_dB,"},
        {"one file twice by its place", {"--format", "csv", "a.dat", "a.dat"}, false, 0,
         "f_Hz,FW208Kolvex (#1) vented_dB"},
        {"an output over the design on standard input",
         {"--format", "svg", "--output", "b.dat", "-"}, true, 2,
         "ventbox-cli response: the output 'b.dat' is the design file 'standard input'\n"},
        {"box losses beyond real boxes", {"--ql", "1e308", "a.dat"}, false, 2,
         "ventbox-cli response: --ql needs a number from 0.5 to 1000, not '1e308'\n"},
        {"box losses below real boxes", {"--ql", "0.4", "a.dat"}, false, 2,
         "ventbox-cli response: --ql needs a number from 0.5 to 1000, not '0.4'\n"},
        {"the lowest box losses", {"--ql", "0.5", "a.dat"}, false, 0, "a.dat  FW208Kolvex"},
    };
    for (const auto& c : cases) {
        std::vector<std::string> args{"response"};
        args.insert(args.end(), c.args.begin(), c.args.end());
        test::CliStreams streams;
        if (c.designOnInput) streams.inputPath = dir.file("b.dat");
        const auto r = runCli(args, dir.folder(), streams);
        EXPECT_EQ(r.status, c.status) << c.what;
        if (c.status == 0) {
            EXPECT_NE(r.out.find(c.expected), std::string::npos) << c.what << "\n" << r.out;
        } else {
            EXPECT_EQ(r.err.rfind(c.expected, 0), 0u) << c.what << "\n" << r.err;
        }
    }
    EXPECT_EQ(readBytes(dir.file("b.dat")), kExampleFile);
}

TEST_F(ResponseDesigns, saysSoWhenACurveHasNoPeak) {
    // A large box on a stiff, well-damped driver rises all the way to the grid's end.
    const auto saved = runCli({"calc", "4", "80", "2.2", "0.3", "60", "60", "60", "2", "4", "8",
                               "--save", "rising", "--data-dir", "."},
                              dir.folder());
    ASSERT_EQ(saved.status, 0) << saved.err;
    const auto r = runCli({"response", "rising.dat"}, dir.folder());
    EXPECT_NE(r.out.find("  none     none\n"), std::string::npos) << r.out;
}

TEST_F(ResponseDesigns, plotsTheDesignsAsAStandAloneSvg) {
    EXPECT_EQ(response({"--format", "svg", "--output", "plot.svg"}), "");
    const std::string svg = readBytes(dir.file("plot.svg"));
    EXPECT_EQ(svg.rfind("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<svg ", 0), 0u);
    EXPECT_NE(svg.find(">設計 — F3 vented 52.87 Hz, closed 60.51 Hz<"), std::string::npos);
    for (const char* absent : {"<script", "href", "<!DOCTYPE", "<image"}) {
        EXPECT_EQ(svg.find(absent), std::string::npos) << absent;
    }
    if (std::system("xmllint --version > /dev/null 2>&1") != 0) {
        GTEST_SKIP() << "xmllint is not installed (scripts/install-deps.sh installs it)";
    }
    EXPECT_EQ(std::system(("xmllint --noout --nonet " + dir.file("plot.svg")).c_str()), 0);
}

// Text a viewer would refuse stays out of the picture: XML's own characters
// and a control in a name, and a file name that is no UTF-8, which labels a
// copy of one design apart from the other. Each picture parses and draws.
TEST(ResponseSvg, keepsEveryNameReadable) {
    if (std::system("xmllint --version > /dev/null 2>&1 && rsvg-convert --version > /dev/null") != 0) {
        GTEST_SKIP() << "xmllint or rsvg-convert is missing (scripts/install-deps.sh installs them)";
    }
    const struct {
        std::string name;
        std::vector<std::string> files;
        std::string legend;  // the first entry's label
    } cases[] = {
        {"R&D <\"x\"> 'y'\x01", {"r.dat"}, "R&D <\"x\"> 'y'\xEF\xBF\xBD"},
        {"FW208Kolvex", {"\xff.dat", "b.dat"}, "FW208Kolvex (\xEF\xBF\xBD.dat)"},
    };
    for (const auto& c : cases) {
        TempDir dir;
        std::vector<std::string> args{"response", "--format", "svg", "--output", "plot.svg"};
        for (const std::string& file : c.files) {
            writeBytes(dir.file(file), test::exampleFileNamed(c.name));
            args.push_back(file);
        }
        const auto r = runCli(args, dir.folder());
        ASSERT_EQ(r.status, 0) << r.err;
        const std::string svg = dir.file("plot.svg");
        const std::string legend = "string(//*[local-name()='text'][contains(., ' — F3')])";
        const std::string command = "xmllint --nonet --xpath \"" + legend + "\" " + svg;
        FILE* parsed = ::popen(command.c_str(), "r");
        ASSERT_NE(parsed, nullptr);
        std::string text;
        char buffer[256];
        for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, parsed)) > 0;) {
            text.append(buffer, n);
        }
        EXPECT_EQ(::pclose(parsed), 0) << c.legend;
        EXPECT_EQ(text.substr(0, text.find(" —")), c.legend);
        EXPECT_EQ(std::system(("rsvg-convert " + svg + " > /dev/null").c_str()), 0) << c.legend;
    }
}

}  // namespace
}  // namespace ventbox

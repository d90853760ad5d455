// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

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

TEST_F(ResponseDesigns, summarisesEachDesignThatHasAResponse) {
    EXPECT_EQ(response({}),
              "file   name         F3_vented_Hz  F3_closed_Hz  peak_dB  peak_Hz\n"
              "a.dat  FW208Kolvex  52.87         59.67         2.33     89.45\n"
              "-      設計         52.87         59.67         2.33     89.45\n");
}

TEST_F(ResponseDesigns, tabulatesTheLevelsOfEachDesign) {
    const std::string rows = response({"--format", "csv"});
    EXPECT_EQ(std::count(rows.begin(), rows.end(), '\n'), 162);
    // Levels of the worked example, computed apart with complex arithmetic.
    for (const char* row :
         {"f_Hz,FW208Kolvex vented_dB,FW208Kolvex closed_dB,設計 vented_dB,設計 closed_dB\n",
          "\n10.0000,-47.7424,-32.6913,-47.7424,-32.6913\n",
          "\n40.0000,-8.6032,-8.6012,-8.6032,-8.6012\n",
          "\n1015.9367,0.0282,0.0072,0.0282,0.0072\n"}) {
        EXPECT_NE(rows.find(row), std::string::npos) << row;
    }
    const auto lossless = runCli({"response", "--format", "csv", "--ql", "1e9", "a.dat"},
                                 dir.folder());
    EXPECT_EQ(lossless.status, 0);
    EXPECT_NE(lossless.out.find("\n40.0000,-7.5062,-8.6012\n"), std::string::npos);
}

TEST_F(ResponseDesigns, plotsTheDesignsAsAStandAloneSvg) {
    EXPECT_EQ(response({"--format", "svg", "--output", "plot.svg"}), "");
    const std::string svg = readBytes(dir.file("plot.svg"));
    EXPECT_EQ(svg.rfind("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<svg ", 0), 0u);
    EXPECT_NE(svg.find(">設計 — F3 vented 52.87 Hz, closed 59.67 Hz<"), std::string::npos);
    for (const char* absent : {"<script", "href", "<!DOCTYPE", "<image"}) {
        EXPECT_EQ(svg.find(absent), std::string::npos) << absent;
    }
    if (std::system("xmllint --version > /dev/null 2>&1") != 0) {
        GTEST_SKIP() << "xmllint is not installed (scripts/install-deps.sh installs it)";
    }
    EXPECT_EQ(std::system(("xmllint --noout --nonet " + dir.file("plot.svg")).c_str()), 0);
}

// XML gives & < > " ' a meaning and cannot hold most control characters at
// all: a design named with them still makes a picture a parser reads back.
TEST(ResponseSvg, keepsANameWithXmlsOwnCharactersReadable) {
    if (std::system("xmllint --version > /dev/null 2>&1") != 0) {
        GTEST_SKIP() << "xmllint is not installed (scripts/install-deps.sh installs it)";
    }
    TempDir dir;
    writeBytes(dir.file("r.dat"), test::exampleFileNamed("R&D <\"x\"> 'y'\x01"));
    const auto r = runCli({"response", "--format", "svg", "--output", "-", "r.dat"}, dir.folder());
    ASSERT_EQ(r.status, 0) << r.err;
    writeBytes(dir.file("plot.svg"), r.out);
    const std::string legend = "string(//*[local-name()='text'][starts-with(., 'R&D')])";
    const std::string command = "xmllint --nonet --xpath \"" + legend + "\" " + dir.file("plot.svg");
    FILE* parsed = ::popen(command.c_str(), "r");
    ASSERT_NE(parsed, nullptr);
    std::string text;
    char buffer[256];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, parsed)) > 0;) {
        text.append(buffer, n);
    }
    EXPECT_EQ(::pclose(parsed), 0);
    EXPECT_EQ(text.substr(0, text.find(" —")), "R&D <\"x\"> 'y'\xEF\xBF\xBD");
}

}  // namespace
}  // namespace ventbox

// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "run_process.hpp"

namespace ventbox {
namespace {

using test::kExampleFile;
using test::readBytes;
using test::runCli;
using test::TempDir;
using test::writeBytes;

// The example design, and one whose slit duct no length tunes low enough.
class DesignHelp : public testing::Test {
protected:
    void SetUp() override {
        writeBytes(dir.file("a.dat"), kExampleFile);
        const auto slit = runCli({"calc", "7", "35", "6.4", "0.42", "25", "50", "30", "5.5", "1",
                                  "1", "--save", "slit", "--data-dir", "."},
                                 dir.folder());
        ASSERT_EQ(slit.status, 0) << slit.err;
    }
    TempDir dir;
};

TEST_F(DesignHelp, answersEachCommandOrSaysWhatIsWrong) {
    const struct {
        const char* what;
        std::vector<std::string> args;
        int status;
        std::vector<std::string> out;  // each in standard output
        std::string err;               // the start of standard error
    } cases[] = {
        {"the alignments a Qt of 0.42 has at Ql 7", {"align", "a.dat"}, 0,
         {"FW208Kolvex (a.dat): Sd 153.94 cm2, Vas 108.60 L, fo 35 Hz, Qt 0.42; box losses Ql 7\n",
          "\nQB3        up to 0.4048   -  ", "\nB4         0.4048         -  ",
          "\nC4         0.4048-1.2981  0.9113  0.9662  119.18  33.82  32.82  none     36.8    73.5 "
          "   44.1    3.9    33.9   ripple 0.0001 dB\n",
          "\nBL4        0.3312         -  "},
         ""},
        {"the alignments as csv",
         {"align", "--format", "csv", "a.dat"}, 0,
         {"file,name,Sd_cm2,Vas_L,fo_Hz,Qt_driver,Ql,alignment,Qt,alpha,h,Vo_L,fb_Hz,F3_Hz,",
          "\na.dat,FW208Kolvex,153.94,108.60,35,0.42,7,C4,0.4048-1.2981,0.9113,0.9662,119.18,"},
         ""},
        {"the alignments as json", {"align", "--format", "json", "a.dat", "none.dat"}, 1,
         {"[\n{\"path\":\"a.dat\",\"name\":\"FW208Kolvex\",\"driver\":{\"Sd_cm2\":153.94,",
          "{\"alignment\":\"C4\",\"Qt_lowest\":0.4048,\"Qt_highest\":1.2981,\"found\":true,",
          "\"sizes\":{\"BL1\":\"36.8\",\"BL2\":\"73.5\",\"BL3\":\"44.1\",\"L3\":\"3.9\",",
          ",\n{\"path\":\"none.dat\",\"error\":"},
         "none.dat: "},
        {"a box no duct of the opening can tune", {"align", "slit.dat"}, 0,
         {"fb 33.8 Hz needs a duct shorter than 1 mm, a negative length: 1 mm gives fd 28.8 Hz\n"},
         ""},
        {"no losses below real boxes", {"align", "--ql", "0.1", "a.dat"}, 2, {},
         "ventbox-cli align: --ql needs a number from 0.5 to 1000, not '0.1'\n"},
        // 160·√(40/(37.5 - 0.04·L3)/(L3 + 3.57)): 40.0576 Hz at 13.7 cm, 39.9443 at 13.8,
        // both a step from 40 once rounded, the second the nearer before it.
        {"the duct for 40 Hz", {"tune", "--fb", "40", "a.dat"}, 0,
         {"file   name         fb_Hz  L3_cm  fd_Hz  pipe_resonance_Hz  note\n"
          "a.dat  FW208Kolvex  40     13.8   39.9   924.0              -\n"},
         ""},
        // 24.995 Hz at 42.2 cm, deeper than the box's 30 cm.
        {"the duct as json", {"tune", "--format", "json", "--fb", "25", "a.dat"}, 0,
         {"\"L3\":\"42.2\",\"L3_mm\":422,\"fd_Hz\":25,", "\"longer_than_BL3\":true}"}, ""},
        {"a tuning out of reach", {"tune", "--fb", "100", "a.dat"}, 1, {},
         "a.dat: fb 100.0 Hz needs a duct shorter than 1 mm, a negative length: "
         "1 mm gives fd 86.3 Hz\n"},
        {"no tuning", {"tune", "a.dat"}, 2, {}, "ventbox-cli tune: --fb is needed: the tuning in Hz\n"},
        {"a tuning of 0", {"tune", "--fb", "0", "a.dat"}, 2, {},
         "ventbox-cli tune: --fb needs a frequency above 0 Hz, not '0'\n"},
        {"a negative tuning", {"tune", "--fb", "-40", "a.dat"}, 2, {},
         "ventbox-cli tune: --fb needs a frequency above 0 Hz, not '-40'\n"},
        {"a tuning that is no number", {"tune", "--fb", "nan", "a.dat"}, 2, {},
         "ventbox-cli tune: --fb needs a frequency above 0 Hz, not 'nan'\n"},
        {"a tuning in words", {"tune", "--fb", "forty", "a.dat"}, 2, {},
         "ventbox-cli tune: --fb needs a frequency above 0 Hz, not 'forty'\n"},
        {"an endless tuning", {"tune", "--fb", "inf", "a.dat"}, 2, {},
         "ventbox-cli tune: --fb needs a frequency above 0 Hz, not 'inf'\n"},
        {"the drive's columns",
         {"response", "--format", "csv", "--spl", "96", "--xmax", "4", "a.dat"}, 0,
         {"f_Hz,FW208Kolvex vented_dB,FW208Kolvex closed_dB,FW208Kolvex delay_ms,"
          "FW208Kolvex duct_m/s,FW208Kolvex excursion_mm,FW208Kolvex max_SPL_dB\n"},
         ""},
        {"an Xmax of 0", {"response", "--xmax", "0", "a.dat"}, 2, {},
         "ventbox-cli response: --xmax needs a cone travel above 0 mm, not '0'\n"},
        {"a level in words", {"response", "--spl", "loud", "a.dat"}, 2, {},
         "ventbox-cli response: --spl needs a level from 0 to 150 dB, not 'loud'\n"},
        {"a level beyond any loudspeaker", {"response", "--spl", "200", "a.dat"}, 2, {},
         "ventbox-cli response: --spl needs a level from 0 to 150 dB, not '200'\n"},
    };
    for (const auto& c : cases) {
        const auto r = runCli(c.args, dir.folder());
        EXPECT_EQ(r.status, c.status) << c.what << "\n" << r.err;
        for (const std::string& part : c.out) {
            EXPECT_NE(r.out.find(part), std::string::npos) << c.what << ": " << part << "\n" << r.out;
        }
        EXPECT_EQ(r.err.rfind(c.err, 0), 0u) << c.what << "\n" << r.err;
        if (c.err.empty()) {
            EXPECT_EQ(r.err, "") << c.what;
        }
    }
}

// The tuning's length, typed with the other fields and saved, calculates
// the fd the tuning told.
TEST_F(DesignHelp, tunesADuctThatTheSavedDesignConfirms) {
    const auto tuned = runCli({"tune", "--format", "csv", "--fb", "40", "a.dat"}, dir.folder());
    ASSERT_EQ(tuned.status, 0) << tuned.err;
    const std::string row = test::lastLine(tuned.out);
    const std::string L3 = row.substr(row.find(",40,") + 4, row.find(',', row.find(",40,") + 4) -
                                                               row.find(",40,") - 4);
    const auto saved = runCli({"calc", "--format", "kv", "7", "35", "6.4", "0.42", "25", "50", "30",
                               "4", "10", L3, "--save", "tuned", "--data-dir", "."},
                              dir.folder());
    ASSERT_EQ(saved.status, 0) << saved.err;
    const auto shown = runCli({"show", "--format", "kv", "tuned.dat"}, dir.folder());
    EXPECT_NE(shown.out.find("\nDuctFD=39.9Hz\n"), std::string::npos) << shown.out;
    EXPECT_EQ(L3, "13.8");
}

}  // namespace
}  // namespace ventbox

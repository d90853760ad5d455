// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "calc/extended.hpp"
#include "calc/number_text.hpp"
#include "files/file_number.hpp"

namespace ventbox {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

TEST(FileNumberText, writesTwentyThreeCharactersWithFifteenDigits) {
    const struct {
        double value;
        const char* line;
    } cases[] = {
        {-3.25, "-3.25000000000000E+0000"},
        {0, " 0.00000000000000E+0000"},
        {-0.0, "-0.00000000000000E+0000"},
        {0.00001, " 1.00000000000000E-0005"},
        {12.345678901234567, " 1.23456789012346E+0001"},
        // The double nearest 10^23 lies below it: the 16th digit carries out.
        {1e23, " 1.00000000000000E+0023"},
        {1e-300, " 1.00000000000000E-0300"},
        {5e-324, " 4.94065645841247E-0324"},
        {-1.7976931348623157e308, "-1.79769313486232E+0308"},
        {std::nan(""), "                    Nan"},
        {kInf, "                   +Inf"},
        {-kInf, "                   -Inf"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(fileNumberText(c.value), c.line) << c.value;
    }
}

double valueOf(const FileNumber& n) {
    unsigned faults = 0;
    Extended::ModeGuard mode;
    return Extended::toDouble(n.value, faults);
}

TEST(FileNumberParse, acceptsTheReaderGrammarAndKeepsThePartialNumberOfAMalformedOne) {
    const struct {
        const char* token;
        double value;
        bool malformed;
    } cases[] = {
        {"7", 7, false},
        {"-2.5e1", -25, false},
        {".5", 0.5, false},
        {".", 0, false},
        {"-0", -0.0, false},
        {"-.", -0.0, false},
        {"E5", 0, false},
        {"+7.", 7, false},
        {"1E+2", 100, false},
        {"25E-1", 2.5, false},
        {"0.10000", 0.1, false},
        {"4.20000000000000E-0001", 0.42, false},
        {"1E-99999999999999999999", 0, false},
        // Malformed: the mantissa digits before the offending character,
        // with no sign, point or exponent.
        {"6,4", 6, true},
        {"-", 0, true},
        {"+", 0, true},
        {"1E", 1, true},
        {"-1.5E+", 15, true},
        {"1.5e2x", 15, true},
        {"-12a3", 12, true},
        {"+Inf", 0, true},
        {"Nan", 0, true},
        {"1..2", 1, true},
        {"0x10", 0, true},
    };
    for (const auto& c : cases) {
        const FileNumber n = parseFileNumber(c.token);
        EXPECT_EQ(n.malformed, c.malformed) << c.token;
        EXPECT_FALSE(n.overflow) << c.token;
        EXPECT_EQ(valueOf(n), c.value) << c.token;
        EXPECT_EQ(std::signbit(valueOf(n)), std::signbit(c.value)) << c.token;
    }
}

TEST(FileNumberParse, scalesBeyondTheTablesToInfinityButOverflowsWithinThem) {
    const FileNumber infinite = parseFileNumber("1E5120");
    EXPECT_FALSE(infinite.overflow);
    EXPECT_TRUE(infinite.value.isInfinite());
    EXPECT_TRUE(parseFileNumber("1E99999999999999999999").value.isInfinite());

    EXPECT_TRUE(parseFileNumber("1E4999").overflow);
    // Within the extended range: only the store into a double overflows.
    const FileNumber large = parseFileNumber("1E400");
    EXPECT_FALSE(large.overflow);
    unsigned faults = 0;
    Extended::ModeGuard mode;
    Extended::toDouble(large.value, faults);
    EXPECT_NE(faults, 0u);
}

TEST(FileNumberText, readsBackAsTheValueRoundedToFifteenDigits) {
    const struct {
        double value;
        double readBack;
    } cases[] = {
        {12.345678901234567, 12.3456789012346},
        {0.1 + 0.2, 0.3},
        {1.0 / 3.0, 0.333333333333333},
        {-6.4, -6.4},
        {123456789012345, 123456789012345},
        {2.2250738585072014e-308, 2.2250738585072e-308},
    };
    for (const auto& c : cases) {
        // The reader takes the token after the leading blank.
        const std::string line = fileNumberText(c.value);
        const FileNumber n = parseFileNumber(std::string_view(line).substr(line[0] == ' '));
        EXPECT_FALSE(n.malformed);
        EXPECT_EQ(valueOf(n), c.readBack) << c.value;
    }
}

// A field text of 16 or 17 digits keeps only 15 through a save: the writer
// rounds the first 18 digits of its double by the 16th, half up.
TEST(FileNumberText, savesLongFieldTextsByTheSixteenthOfEighteenDigits) {
    const struct {
        const char* text;
        const char* line;
        const char* shown;  // the field after reading the line back
    } cases[] = {
        // An exact tie: half up, not to even.
        {"1234567890123445", " 1.23456789012345E+0015", "1.23456789012345E15"},
        // The double lies 2.3e-18 below ...365: its 18 digits end in 500.
        {"1.111653489476365", " 1.11165348947637E+0000", "1.11165348947637"},
        // The double lies 7.4e-17 above ...7149: its 18 digits end in 497.
        {"2.0311381772867149", " 2.03113817728671E+0000", "2.03113817728671"},
    };
    for (const auto& c : cases) {
        unsigned faults = 0;
        double value = 0;
        {
            Extended::ModeGuard mode;
            value = Extended::toDouble(textToNumber(c.text), faults);
        }
        const std::string line = fileNumberText(value);
        EXPECT_EQ(line, c.line) << c.text;
        EXPECT_EQ(displayText(valueOf(parseFileNumber(std::string_view(line).substr(1)))), c.shown)
            << c.text;
    }
}

}  // namespace
}  // namespace ventbox

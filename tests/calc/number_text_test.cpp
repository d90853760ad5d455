// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "calc/arithmetic.hpp"
#include "calc/errors.hpp"
#include "calc/number_text.hpp"

namespace ventbox {
namespace {

// Restores "." after each test that changes the separator.
class NumberText : public testing::Test {
protected:
    void TearDown() override { setDecimalSeparator('.'); }
};

Extended ld(long double v) {
    // Built from its double parts when exact, so the test needs no long double.
    return CheckedExtended::of(static_cast<double>(v)).value();
}

struct DisplayRow {
    Extended value;
    const char* text;
};

TEST_F(NumberText, showsValuesInGeneralFormatWithFifteenDigits) {
    unsigned f = 0;
    const Extended third = Extended::div(Extended::fromInt64(100), Extended::fromInt64(3), f);
    const DisplayRow rows[] = {
        {ld(36.7), "36.7"},
        {ld(12.57), "12.57"},
        {ld(4521), "4521"},
        {ld(100), "100"},
        {ld(0.5), "0.5"},
        {ld(0), "0"},
        {Extended::fromDouble(-0.0), "0"},
        {ld(-3.25), "-3.25"},
        {ld(0.0001), "0.0001"},
        {ld(0.00025), "0.00025"},
        {ld(0.00009), "9E-5"},
        {ld(0.00001), "1E-5"},
        {ld(1.5e-7), "1.5E-7"},
        {ld(1e20), "1E20"},
        {ld(123456789012345.0), "123456789012345"},
        {ld(1234567890123456.0), "1.23456789012346E15"},
        {ld(999999999999999.875), "1E15"},
        {ld(999999999999999.0), "999999999999999"},
        {third, "33.3333333333333"},
        {ld(0.1 + 0.2), "0.3"},
        {ld(12.345678901234567), "12.3456789012346"},
        {Extended::infinity(), "INF"},
        {Extended::infinity().negated(), "-INF"},
        {Extended::div(Extended::fromInt64(0), Extended::fromInt64(0), f), "NAN"},
        {ld(1e-300), "1E-300"},
        {ld(-2.5e300), "-2.5E300"},
        {Extended::fromParts(false, 1, -16445), "3.64519953188247E-4951"},
        {Extended::fromParts(false, 0xFFFFFFFFFFFFFFFF, 16320), "1.18973149535723E4932"},
    };
    for (const DisplayRow& row : rows) EXPECT_EQ(displayText(row.value), row.text);
}

TEST_F(NumberText, showsTheRegionalSeparator) {
    setDecimalSeparator(',');
    EXPECT_EQ(displayText(36.7), "36,7");
    EXPECT_EQ(displayText(1.5e-7), "1,5E-7");
    EXPECT_EQ(displayText(0.00025), "0,00025");
}

struct ParseRow {
    const char* text;
    double value;
};

TEST_F(NumberText, readsEveryAcceptedFormOfAFieldText) {
    const ParseRow rows[] = {
        {"  12.5  ", 12.5},       {"+7", 7},   {"7.", 7},         {".5", 0.5},
        {".", 0},                 {"1e3", 1000}, {"2E-3", 0.002}, {"1E", 1},
        {"1E+", 1},               {"1E0000005", 100000},          {"0.10000", 0.1},
        {"-3.25", -3.25},         {"12.345678901234567", 12.345678901234567},
        {"0.000000000000000000000000000000000000001", 1e-39},
        {"1e-400", 0},            {"123456789012345678901234567890", 1.2345678901234568e29},
    };
    for (const ParseRow& row : rows) {
        unsigned f = 0;
        EXPECT_EQ(Extended::toDouble(textToNumber(row.text), f), row.value) << row.text;
    }
}

TEST_F(NumberText, readsMinusZeroAsNegativeZero) {
    Extended v = textToNumber("-0");
    EXPECT_TRUE(v.isZero());
    EXPECT_TRUE(v.signBit());
    EXPECT_EQ(displayText(v), "0");
}

TEST_F(NumberText, acceptsExponentsBeyondTheDoubleRange) {
    for (const char* text : {"1E499", "1E500", "1e4931"}) {
        Extended v = textToNumber(text);
        unsigned f = 0;
        Extended::toDouble(v, f);
        EXPECT_EQ(f, kOverflow) << text;
    }
}

TEST_F(NumberText, rejectsTextsThatAreNotNumbers) {
    const char* const texts[] = {
        "",      "+",       "-",       "E5",      "\t12.5", "12.5\t", "1 2",
        "1 E5",  "1,000",   "１２",    "0x10",    "1E4999", "1E5000", "12.5.",
        "1e3e3", "--1",     "1E--2",   " ",       "abc",    "1.5 x",  "1E4933",
    };
    for (const char* text : texts) {
        try {
            textToNumber(text);
            ADD_FAILURE() << "accepted '" << text << "'";
        } catch (const ConversionError& e) {
            EXPECT_EQ(std::string(e.what()), std::string("'") + text + "' は浮動小数点数ではありません");
        }
    }
}

TEST_F(NumberText, rejectsADigitCountThatOverflowsWhileReading) {
    // 5000 digits overflow the accumulator although the exponent would scale them back.
    std::string text(5000, '9');
    text += "E-4999";
    EXPECT_THROW(textToNumber(text), ConversionError);
}

TEST_F(NumberText, readsWithTheRegionalSeparatorOnly) {
    setDecimalSeparator(',');
    unsigned f = 0;
    EXPECT_EQ(Extended::toDouble(textToNumber("1,5"), f), 1.5);
    EXPECT_THROW(textToNumber("1.5"), ConversionError);
}

TEST_F(NumberText, takesTheLocaleSeparatorOnlyWhenItIsOneAsciiCharacter) {
    EXPECT_EQ(separatorFromDecimalPoint(","), ',');
    EXPECT_EQ(separatorFromDecimalPoint("."), '.');
    EXPECT_EQ(separatorFromDecimalPoint(""), '.');
    EXPECT_EQ(separatorFromDecimalPoint("٫"), '.');
    EXPECT_EQ(separatorFromDecimalPoint(",,"), '.');
}

// Showing a value, reading the text back and showing it again changes nothing:
// the first display text already holds the value rounded to 15 digits.
TEST_F(NumberText, displayTextReadBackShowsTheSameText) {
    std::mt19937_64 random(20261208);
    std::uniform_int_distribution<int> exponent(-300, 300);
    std::uniform_real_distribution<double> mantissa(1.0, 10.0);
    for (int i = 0; i < 20000; ++i) {
        const double v = mantissa(random) * std::pow(10.0, exponent(random)) * (i % 2 ? -1 : 1);
        const std::string text = displayText(v);
        unsigned f = 0;
        const double back = Extended::toDouble(textToNumber(text), f);
        EXPECT_EQ(displayText(back), text) << v;
    }
}

TEST_F(NumberText, roundsTheSixteenthDigitOfEighteen) {
    // 0.30000000000000004440892…: the 16th digit is 0, so 0.3.
    EXPECT_EQ(displayText(0.1 + 0.2), "0.3");
    // 2/3 carries its 16th digit 6 into the 15th.
    EXPECT_EQ(displayText(2.0 / 3.0), "0.666666666666667");
    // 9.9999999999999995e-5 rounds up across the plain-notation border.
    EXPECT_EQ(displayText(9.9999999999999995e-5), "0.0001");
}

}  // namespace
}  // namespace ventbox

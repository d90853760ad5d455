// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "calc/arithmetic.hpp"
#include "calc/errors.hpp"
#include "calc/formula_constants.hpp"

namespace ventbox {
namespace {

struct RoundRow {
    CheckedExtended x;
    std::int64_t want;
};

TEST(ExtRound, roundsTiesToEvenAndNeverGivesMinusZero) {
    const CheckedExtended half = CheckedExtended::parts(1, -1);
    const RoundRow rows[] = {
        {widen(2.5), 2},
        {widen(3.5), 4},
        {widen(-2.5), -2},
        {widen(37494.5), 37494},
        {widen(0.49999999999999994), 0},
        {widen(-0.3), 0},
        {widen(-9223372036854775808.0), INT64_MIN},
        {widen(9223372036854774784.0), 9223372036854774784},
        {CheckedExtended::parts(0xFFFFFFFFFFFFFFFE, 0) * half, 0x7FFFFFFFFFFFFFFF},
    };
    for (const RoundRow& row : rows) {
        const CheckedExtended r = round(row.x);
        unsigned f = 0;
        EXPECT_EQ(Extended::roundToInt64(r.value(), f), row.want);
        EXPECT_FALSE(r.value().signBit() && r.value().isZero());
    }
}

TEST(ExtRound, rejectsIntegersOutsideInt64) {
    const CheckedExtended half = CheckedExtended::parts(1, -1);
    // 2^63 − 0.5 rounds to 2^63, beyond the range.
    const CheckedExtended justBelow = CheckedExtended::parts(0xFFFFFFFFFFFFFFFF, 0) * half;
    for (CheckedExtended x : {justBelow, widen(9223372036854775808.0), widen(-9223372036854777856.0), widen(1e300)}) {
        EXPECT_THROW(round(x), InvalidOperation);
    }
}

TEST(ExtOperations, raiseTheFaultOfEachOperation) {
    const CheckedExtended zero = widen(0), one = widen(1);
    EXPECT_THROW(zero / zero, InvalidOperation);
    EXPECT_THROW(one / zero, ZeroDivide);
    EXPECT_THROW(widen(-1) / widen(-0.0), ZeroDivide);
    EXPECT_THROW(sqrt(widen(-1e-300)), InvalidOperation);
    EXPECT_NO_THROW(sqrt(widen(-0.0)));
    EXPECT_THROW(CheckedExtended::parts(1, 16000) * CheckedExtended::parts(1, 16000), Overflow);
    EXPECT_NO_THROW(widen(1e300).store());
}

TEST(ExtOperations, overflowsOnlyWhenTheDoubleStoreCannotHoldTheValue) {
    const CheckedExtended max = widen(std::numeric_limits<double>::max());
    EXPECT_EQ((max * widen(1)).store(), std::numeric_limits<double>::max());
    // Half a unit above the largest double ties up to infinity.
    const CheckedExtended halfUlp = CheckedExtended::parts(1, 970);
    EXPECT_THROW((max + halfUlp).store(), Overflow);
    EXPECT_EQ((max + CheckedExtended::parts(1, 969)).store(), std::numeric_limits<double>::max());
    EXPECT_EQ((widen(1e-300) * widen(1e-300)).store(), 0.0);
}

TEST(ExtConstants, fourPiSquaredIsTheExtendedProductOfFourPiPi) {
    const CheckedExtended pi = CheckedExtended::parts(0xC90FDAA22168C235, -62);
    const CheckedExtended product = (widen(4) * pi) * pi;
    EXPECT_EQ(product.value().significand(), 0x9DE9E64DF22EF2D3u);
    EXPECT_EQ(product.value().signExponent(), 16383 + 5);
}

TEST(ExtConstants, theWorkingPrecisionDecidesTheEffectiveQ) {
    // 0.3 × 63.5 / 30 × 100 in extended is just below 63.5, in double exactly 63.5.
    const CheckedExtended q = ((widen(0.3) * widen(63.5)) / widen(30)) * widen(100);
    unsigned f = 0;
    EXPECT_EQ(Extended::roundToInt64(round(q).value(), f), 63);
    EXPECT_EQ(0.3 * 63.5 / 30 * 100, 63.5);
}

// The 128-bit fraction hi:lo × 2^e rounded to 64 bits, to nearest, ties to even.
CheckedExtended roundedParts(std::uint64_t hi, std::uint64_t lo, int e) {
    const bool up = (lo >> 63) != 0 && ((lo << 1) != 0 || (hi & 1) != 0);
    return CheckedExtended::parts(hi + (up ? 1 : 0), e);
}

TEST(FormulaConstants, eachIsTheExtendedValueOfItsNumber) {
    Extended::ModeGuard mode;
    using namespace formula;
    // A quotient of two exact integers is rounded once: the value nearest it.
    const struct {
        const char* number;
        CheckedExtended constant;
        CheckedExtended derived;
    } rows[] = {
        // π's first 128 bits.
        {"π", kPi, roundedParts(0xC90FDAA22168C234, 0xC4C6628B80DC1CD1, -62)},
        {"0.0012", k0_0012, CheckedExtended::of(12) / CheckedExtended::of(10000)},
        {"4/3", kFourThirds, CheckedExtended::of(4) / CheckedExtended::of(3)},
        // Computed as the formula's source wrote it, from the rounded π.
        {"4π²", kFourPiSquared, (CheckedExtended::of(4) * kPi) * kPi},
        {"0.159", k0_159, CheckedExtended::of(159) / CheckedExtended::of(1000)},
        {"1.2", k1_2, CheckedExtended::of(12) / CheckedExtended::of(10)},
        {"0.16", k0_16, CheckedExtended::of(16) / CheckedExtended::of(100)},
    };
    for (const auto& row : rows) {
        EXPECT_TRUE(row.constant.value() == row.derived.value()) << row.number;
    }
}

}  // namespace
}  // namespace ventbox

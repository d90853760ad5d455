// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "calc/arithmetic.hpp"
#include "calc/errors.hpp"

namespace ventbox {
namespace {

struct RoundRow {
    Ext x;
    std::int64_t want;
};

TEST(ExtRound, roundsTiesToEvenAndNeverGivesMinusZero) {
    const Ext half = Ext::parts(1, -1);
    const RoundRow rows[] = {
        {ext(2.5), 2},
        {ext(3.5), 4},
        {ext(-2.5), -2},
        {ext(37494.5), 37494},
        {ext(0.49999999999999994), 0},
        {ext(-0.3), 0},
        {ext(-9223372036854775808.0), INT64_MIN},
        {ext(9223372036854774784.0), 9223372036854774784},
        {Ext::parts(0xFFFFFFFFFFFFFFFE, 0) * half, 0x7FFFFFFFFFFFFFFF},
    };
    for (const RoundRow& row : rows) {
        const Ext r = round(row.x);
        unsigned f = 0;
        EXPECT_EQ(Extended::roundToInt64(r.value(), f), row.want);
        EXPECT_FALSE(r.value().signBit() && r.value().isZero());
    }
}

TEST(ExtRound, rejectsIntegersOutsideInt64) {
    const Ext half = Ext::parts(1, -1);
    // 2^63 − 0.5 rounds to 2^63, beyond the range.
    const Ext justBelow = Ext::parts(0xFFFFFFFFFFFFFFFF, 0) * half;
    for (Ext x : {justBelow, ext(9223372036854775808.0), ext(-9223372036854777856.0), ext(1e300)}) {
        EXPECT_THROW(round(x), InvalidOperation);
    }
}

TEST(ExtOperations, raiseTheFaultOfEachOperation) {
    const Ext zero = ext(0), one = ext(1);
    EXPECT_THROW(zero / zero, InvalidOperation);
    EXPECT_THROW(one / zero, ZeroDivide);
    EXPECT_THROW(ext(-1) / ext(-0.0), ZeroDivide);
    EXPECT_THROW(sqrt(ext(-1e-300)), InvalidOperation);
    EXPECT_NO_THROW(sqrt(ext(-0.0)));
    EXPECT_THROW(Ext::parts(1, 16000) * Ext::parts(1, 16000), Overflow);
    EXPECT_NO_THROW(ext(1e300).store());
}

TEST(ExtOperations, overflowsOnlyWhenTheDoubleStoreCannotHoldTheValue) {
    const Ext max = ext(std::numeric_limits<double>::max());
    EXPECT_EQ((max * ext(1)).store(), std::numeric_limits<double>::max());
    // Half a unit above the largest double ties up to infinity.
    const Ext halfUlp = Ext::parts(1, 970);
    EXPECT_THROW((max + halfUlp).store(), Overflow);
    EXPECT_EQ((max + Ext::parts(1, 969)).store(), std::numeric_limits<double>::max());
    EXPECT_EQ((ext(1e-300) * ext(1e-300)).store(), 0.0);
}

TEST(ExtConstants, fourPiSquaredIsTheExtendedProductOfFourPiPi) {
    const Ext pi = Ext::parts(0xC90FDAA22168C235, -62);
    const Ext product = (ext(4) * pi) * pi;
    EXPECT_EQ(product.value().significand(), 0x9DE9E64DF22EF2D3u);
    EXPECT_EQ(product.value().signExponent(), 16383 + 5);
}

TEST(ExtConstants, theWorkingPrecisionDecidesTheEffectiveQ) {
    // 0.3 × 63.5 / 30 × 100 in extended is just below 63.5, in double exactly 63.5.
    const Ext q = ((ext(0.3) * ext(63.5)) / ext(30)) * ext(100);
    unsigned f = 0;
    EXPECT_EQ(Extended::roundToInt64(round(q).value(), f), 63);
    EXPECT_EQ(0.3 * 63.5 / 30 * 100, 63.5);
}

}  // namespace
}  // namespace ventbox

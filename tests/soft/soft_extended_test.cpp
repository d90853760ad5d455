// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <bit>
#include <cstdint>

#include "calc/soft_extended.hpp"
#include "edge_rows.hpp"

namespace ventbox {
namespace {

using edge::Bits;
using edge::bitsOf;
using edge::hex;
using edge::make;
using S = SoftExtended;

// The constant tables of the core are built at compile time.
static_assert(S::fromParts(false, 0xC90FDAA22168C235, -62).signExponent() == 0x4000);
static_assert(S::fromParts(false, 0xAE3511626ED559F0, 15244).signExponent() == 0x3FFF + 63 + 15244);
static_assert(S::fromDouble(2.0f).significand() == 0x8000000000000000);

TEST(SoftExtendedArithmetic, givesTheUnitsBitsAndFaultsAtTheEdges) {
    for (const auto& row : edge::kArithmeticRows) {
        unsigned faults = 0;
        const S r = edge::apply(row.op, make<S>(row.a), make<S>(row.b), faults);
        EXPECT_EQ(hex(bitsOf(r)), hex(row.result)) << row.what;
        EXPECT_EQ(faults, row.faults) << row.what;
    }
}

TEST(SoftExtendedToDouble, roundsOnceAndOverflowsOnlyFromFiniteValues) {
    for (const auto& row : edge::kToDoubleRows) {
        unsigned faults = 0;
        const double d = S::toDouble(make<S>(row.a), faults);
        EXPECT_EQ(std::bit_cast<std::uint64_t>(d), row.result) << row.what;
        EXPECT_EQ(faults, row.faults) << row.what;
    }
}

TEST(SoftExtendedRoundToInt64, roundsTiesToEvenAndChecksTheRangeAfterRounding) {
    for (const auto& row : edge::kRoundRows) {
        unsigned faults = 0;
        EXPECT_EQ(S::roundToInt64(make<S>(row.a), faults), row.result) << row.what;
        EXPECT_EQ(faults, row.faults) << row.what;
    }
}

TEST(SoftExtendedComparison, ordersLikeIeeeWithZerosEqualAndNaNsUnordered) {
    for (const auto& row : edge::kCompareRows) {
        const S a = make<S>(row.a), b = make<S>(row.b);
        EXPECT_EQ(a <=> b, row.result) << row.what;
        EXPECT_EQ(a == b, row.result == 0) << row.what;
    }
}

TEST(SoftExtendedConversion, widensDoublesAndIntegersExactly) {
    for (const auto& row : edge::kFromDoubleRows) {
        EXPECT_EQ(hex(bitsOf(S::fromDouble(std::bit_cast<double>(row.d)))), hex(row.result)) << row.d;
    }
    for (const auto& row : edge::kFromInt64Rows) {
        EXPECT_EQ(hex(bitsOf(S::fromInt64(row.i))), hex(row.result)) << row.i;
    }
}

TEST(SoftExtendedConversion, roundsConstantsGivenByTheirPartsOnce) {
    struct Row {
        std::uint64_t m;
        int e;
        Bits result;
    };
    const Row rows[] = {
        {0xC90FDAA22168C235, -62, edge::kPi},
        {3, 0, edge::kThree},
        {0xFFFFFFFFFFFFFFFF, 0, {0x403E, 0xFFFFFFFFFFFFFFFF}},
        {1, -16445, edge::kMinDenormal},
        {3, -16446, {0x0000, 2}},         // 1.5 units of the last denormal bit tie to 2
        {1, -16446, edge::kZero},         // half a unit ties to zero
        {1, 16384, edge::kInfinity},      // beyond the range
    };
    for (const Row& row : rows) {
        EXPECT_EQ(hex(bitsOf(S::fromParts(false, row.m, row.e))), hex(row.result)) << row.m << " " << row.e;
    }
    EXPECT_EQ(hex(bitsOf(S::fromParts(true, 0, 5))), hex(edge::kNegativeZero));
}

TEST(SoftExtendedClassification, treatsUnsupportedEncodingsAsNaNs) {
    struct Row {
        Bits x;
        bool nan, infinite, zero, sign;
    };
    const Row rows[] = {
        {edge::kNegativeZero, false, false, true, true},
        {edge::kNegativeInfinity, false, true, false, true},
        {edge::kQuietNaN, true, false, false, false},
        {edge::kSignallingNaN, true, false, false, false},
        {edge::kUnnormal, true, false, false, false},
        {edge::kPseudoInfinity, true, false, false, false},
        {{0x3FFF, 0}, true, false, false, false},  // pseudo-zero
        {edge::kPseudoDenormal, false, false, false, false},
        {edge::kMinDenormal, false, false, false, false},
    };
    for (const Row& row : rows) {
        const S x = make<S>(row.x);
        EXPECT_EQ(x.isNaN(), row.nan) << hex(row.x);
        EXPECT_EQ(x.isInfinite(), row.infinite) << hex(row.x);
        EXPECT_EQ(x.isZero(), row.zero) << hex(row.x);
        EXPECT_EQ(x.signBit(), row.sign) << hex(row.x);
    }
}

TEST(SoftExtendedClassification, binaryExponentCountsDenormalsByValue) {
    const std::pair<Bits, int> rows[] = {
        {edge::kOne, 0},          {edge::kMaxFinite, 16383}, {edge::kMinNormal, -16382},
        {edge::kMinDenormal, -16445}, {edge::kPseudoDenormal, -16382}, {{0x8000, 0x4000000000000000}, -16383},
    };
    for (const auto& [x, e] : rows) EXPECT_EQ(make<S>(x).binaryExponent(), e) << hex(x);
}

TEST(SoftExtendedWorkingPrecision, keepsSixtyFourBitsWhereDoublesWouldTie) {
    // 0.3 × 63.5 / 30 × 100 with the double nearest to 0.3 is just below
    // 63.5 in extended precision, but exactly 63.5 in doubles.
    unsigned faults = 0;
    S x = S::mul(S::fromDouble(0.3), S::fromDouble(63.5), faults);
    x = S::div(x, S::fromDouble(30), faults);
    x = S::mul(x, S::fromDouble(100.0f), faults);
    EXPECT_EQ(S::roundToInt64(x, faults), 63);
    EXPECT_EQ(faults, 0u);
}

}  // namespace
}  // namespace ventbox

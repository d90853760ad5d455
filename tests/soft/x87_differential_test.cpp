// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "calc/soft_extended.hpp"
#include "calc/x87_extended.hpp"
#include "edge_rows.hpp"
#include "operand_generator.hpp"
#include "sweep_count.hpp"

namespace ventbox {
namespace {

using edge::Bits;
using edge::bitsOf;
using edge::hex;
using edge::make;
using edge::Operation;
using S = SoftExtended;
using X = X87Extended;

// Keeps the compiler from folding x87 operations on known operands, which
// would make its own arithmetic the oracle instead of the unit's.
X opaque(X x) {
    __asm__ volatile("" : "+m"(x));
    return x;
}

// Each sweep has its own stream of operands, all from one seed.
OperandGenerator generatorFor(std::string_view sweep) {
    const std::uint64_t seed = environmentNumber("VENTBOX_DIFFERENTIAL_SEED", 0x76656E74626F78);
    return OperandGenerator(seed ^ std::hash<std::string_view>{}(sweep));
}

// Counts the differences and keeps the first few for the failure message.
class Differences {
public:
    void add(const std::string& what) {
        if (++count_ <= 8) first_ += what + "\n";
    }
    std::uint64_t count() const { return count_; }
    const std::string& first() const { return first_; }

private:
    std::uint64_t count_ = 0;
    std::string first_;
};

std::string describe(Operation op, Bits a, Bits b) {
    static constexpr const char* kNames[] = {"add", "sub", "mul", "div", "sqrt"};
    return std::string(kNames[static_cast<int>(op)]) + "(" + hex(a) + ", " + hex(b) + ")";
}

void compareArithmetic(Operation op, Bits a, Bits b, Differences& differences) {
    unsigned softFaults = 0, x87Faults = 0;
    const Bits soft = bitsOf(edge::apply(op, make<S>(a), make<S>(b), softFaults));
    const Bits x87 = bitsOf(edge::apply(op, opaque(make<X>(a)), opaque(make<X>(b)), x87Faults));
    if (soft != x87 || softFaults != x87Faults) {
        differences.add(describe(op, a, b) + ": soft " + hex(soft) + " faults " +
                        std::to_string(softFaults) + ", x87 " + hex(x87) + " faults " +
                        std::to_string(x87Faults));
    }
}

void compareToDouble(Bits a, Differences& differences) {
    unsigned softFaults = 0, x87Faults = 0;
    const auto soft = std::bit_cast<std::uint64_t>(S::toDouble(make<S>(a), softFaults));
    const auto x87 = std::bit_cast<std::uint64_t>(X::toDouble(opaque(make<X>(a)), x87Faults));
    if (soft != x87 || softFaults != x87Faults) {
        differences.add("toDouble(" + hex(a) + "): soft " + std::to_string(soft) + " faults " +
                        std::to_string(softFaults) + ", x87 " + std::to_string(x87) + " faults " +
                        std::to_string(x87Faults));
    }
}

void compareRound(Bits a, Differences& differences) {
    unsigned softFaults = 0, x87Faults = 0;
    const std::int64_t soft = S::roundToInt64(make<S>(a), softFaults);
    const std::int64_t x87 = X::roundToInt64(opaque(make<X>(a)), x87Faults);
    if (soft != x87 || softFaults != x87Faults) {
        differences.add("roundToInt64(" + hex(a) + "): soft " + std::to_string(soft) + " faults " +
                        std::to_string(softFaults) + ", x87 " + std::to_string(x87) + " faults " +
                        std::to_string(x87Faults));
    }
}

void compareOrder(Bits a, Bits b, Differences& differences) {
    const S sa = make<S>(a), sb = make<S>(b);
    const X xa = opaque(make<X>(a)), xb = opaque(make<X>(b));
    if ((sa <=> sb) != (xa <=> xb) || (sa == sb) != (xa == xb)) {
        differences.add("compare(" + hex(a) + ", " + hex(b) + ")");
    }
}

#define EXPECT_NO_DIFFERENCES(differences) \
    EXPECT_EQ((differences).count(), 0u) << (differences).first()

TEST(SoftAgainstX87, edgeRowsHoldOnTheHardware) {
    for (const auto& row : edge::kArithmeticRows) {
        unsigned faults = 0;
        const X r = edge::apply(row.op, opaque(make<X>(row.a)), opaque(make<X>(row.b)), faults);
        EXPECT_EQ(hex(bitsOf(r)), hex(row.result)) << row.what;
        EXPECT_EQ(faults, row.faults) << row.what;
    }
    for (const auto& row : edge::kToDoubleRows) {
        unsigned faults = 0;
        const double d = X::toDouble(opaque(make<X>(row.a)), faults);
        EXPECT_EQ(std::bit_cast<std::uint64_t>(d), row.result) << row.what;
        EXPECT_EQ(faults, row.faults) << row.what;
    }
    for (const auto& row : edge::kRoundRows) {
        unsigned faults = 0;
        EXPECT_EQ(X::roundToInt64(opaque(make<X>(row.a)), faults), row.result) << row.what;
        EXPECT_EQ(faults, row.faults) << row.what;
    }
    for (const auto& row : edge::kCompareRows) {
        EXPECT_EQ(opaque(make<X>(row.a)) <=> opaque(make<X>(row.b)), row.result) << row.what;
    }
    for (const auto& row : edge::kFromDoubleRows) {
        volatile double d = std::bit_cast<double>(row.d);
        EXPECT_EQ(hex(bitsOf(X::fromDouble(d))), hex(row.result)) << row.d;
    }
    for (const auto& row : edge::kFromInt64Rows) {
        volatile std::int64_t i = row.i;
        EXPECT_EQ(hex(bitsOf(X::fromInt64(i))), hex(row.result)) << row.i;
    }
}

// A tie at every bit position: the partner's lowest set bit falls exactly
// on the half unit of the result, with odd and even last bits and both signs.
TEST(SoftAgainstX87, tiesAtEveryBitPositionOfTheSignificand) {
    X::ModeGuard mode;
    OperandGenerator g = generatorFor("ties");
    Differences differences;
    for (int position = 0; position < 64; ++position) {
        for (int variant = 0; variant < 64; ++variant) {
            const std::uint64_t high = g.next() | (std::uint64_t{1} << 63);
            const std::uint64_t tieBit = std::uint64_t{1} << position;
            const std::uint64_t m = (high & ~(tieBit - 1) & ~tieBit) | tieBit;
            const bool negative = g.coin();
            // Sums: a partner shifted so that its bit `position` is a's half unit.
            const Bits a{static_cast<std::uint16_t>(0x3FFF + g.below(4)), g.next() | (std::uint64_t{1} << 63)};
            const Bits b{static_cast<std::uint16_t>((negative ? 0x8000 : 0) | (a.signExponent - 64 + position)), m};
            compareArithmetic(Operation::Add, a, b, differences);
            compareArithmetic(Operation::Sub, a, b, differences);
            // Products whose lowest set bits add up to the half unit.
            const int other = 63 - position - static_cast<int>(g.below(2));
            const std::uint64_t otherBit = std::uint64_t{1} << (other < 0 ? 0 : other);
            const Bits c{0x3FFF, ((g.next() | (std::uint64_t{1} << 63)) & ~(otherBit - 1) & ~otherBit) | otherBit | (std::uint64_t{1} << 63)};
            compareArithmetic(Operation::Mul, {0x3FFF, m}, c, differences);
            // Denormal results: the half unit moves down the significand.
            compareArithmetic(Operation::Mul, {static_cast<std::uint16_t>(position + 1), m}, {0x3FFF - 64 + 1, high}, differences);
            // Doubles, normal and denormal: the half unit at `position`.
            const int doubleShift = position < 10 ? 0 : position - 10;
            compareToDouble({static_cast<std::uint16_t>((negative ? 0x8000 : 0) | (0x3FFF - 1022 - doubleShift)), m}, differences);
            // Integers: the half has weight 2^-1 at bit 62 − e.
            compareRound({static_cast<std::uint16_t>((negative ? 0x8000 : 0) | (0x3FFF + 62 - position)), m}, differences);
        }
    }
    EXPECT_NO_DIFFERENCES(differences);
}

void sweepArithmetic(Operation op, std::string_view name, OperandGenerator::Pair (OperandGenerator::*draw)()) {
    X::ModeGuard mode;
    OperandGenerator g = generatorFor(name);
    Differences differences;
    const std::uint64_t count = sweepCount();
    for (std::uint64_t i = 0; i < count; ++i) {
        const auto [a, b] = (g.*draw)();
        compareArithmetic(op, a, b, differences);
    }
    EXPECT_NO_DIFFERENCES(differences);
}

TEST(SoftAgainstX87, addAgreesOnRandomOperands) {
    sweepArithmetic(Operation::Add, "add", &OperandGenerator::addOperands);
}
TEST(SoftAgainstX87, subAgreesOnRandomOperands) {
    sweepArithmetic(Operation::Sub, "sub", &OperandGenerator::addOperands);
}
TEST(SoftAgainstX87, mulAgreesOnRandomOperands) {
    sweepArithmetic(Operation::Mul, "mul", &OperandGenerator::mulOperands);
}
TEST(SoftAgainstX87, divAgreesOnRandomOperands) {
    sweepArithmetic(Operation::Div, "div", &OperandGenerator::divOperands);
}

TEST(SoftAgainstX87, sqrtAgreesOnRandomOperands) {
    X::ModeGuard mode;
    OperandGenerator g = generatorFor("sqrt");
    Differences differences;
    for (std::uint64_t i = 0, n = sweepCount(); i < n; ++i) {
        compareArithmetic(Operation::Sqrt, g.sqrtOperand(), {}, differences);
    }
    EXPECT_NO_DIFFERENCES(differences);
}

TEST(SoftAgainstX87, toDoubleAgreesOnRandomOperands) {
    X::ModeGuard mode;
    OperandGenerator g = generatorFor("toDouble");
    Differences differences;
    for (std::uint64_t i = 0, n = sweepCount(); i < n; ++i) compareToDouble(g.toDoubleOperand(), differences);
    EXPECT_NO_DIFFERENCES(differences);
}

TEST(SoftAgainstX87, roundToInt64AgreesOnRandomOperands) {
    X::ModeGuard mode;
    OperandGenerator g = generatorFor("roundToInt64");
    Differences differences;
    for (std::uint64_t i = 0, n = sweepCount(); i < n; ++i) compareRound(g.roundOperand(), differences);
    EXPECT_NO_DIFFERENCES(differences);
}

TEST(SoftAgainstX87, comparisonsAgreeOnRandomOperands) {
    OperandGenerator g = generatorFor("compare");
    Differences differences;
    for (std::uint64_t i = 0, n = sweepCount(); i < n; ++i) {
        const auto [a, b] = g.compareOperands();
        compareOrder(a, b, differences);
    }
    EXPECT_NO_DIFFERENCES(differences);
}

TEST(SoftAgainstX87, conversionsFromDoubleAndInt64AgreeOnRandomOperands) {
    OperandGenerator g = generatorFor("from");
    Differences differences;
    for (std::uint64_t i = 0, n = sweepCount(); i < n; ++i) {
        volatile double d = std::bit_cast<double>(g.doubleBits());
        if (bitsOf(S::fromDouble(d)) != bitsOf(X::fromDouble(d))) {
            differences.add("fromDouble(" + std::to_string(std::bit_cast<std::uint64_t>(d)) + ")");
        }
        volatile std::int64_t k = g.int64();
        if (bitsOf(S::fromInt64(k)) != bitsOf(X::fromInt64(k))) {
            differences.add("fromInt64(" + std::to_string(k) + ")");
        }
    }
    EXPECT_NO_DIFFERENCES(differences);
}

TEST(SoftAgainstX87, classificationAgreesOnRandomOperands) {
    OperandGenerator g = generatorFor("classify");
    Differences differences;
    for (std::uint64_t i = 0, n = sweepCount() / 4; i < n; ++i) {
        const Bits a = g.anyOperand();
        const S s = make<S>(a);
        const X x = opaque(make<X>(a));
        const bool same = s.isNaN() == x.isNaN() && s.isInfinite() == x.isInfinite() &&
                          s.isZero() == x.isZero() && s.signBit() == x.signBit() &&
                          bitsOf(s.negated()) == bitsOf(x.negated()) &&
                          bitsOf(s.magnitude()) == bitsOf(x.magnitude()) &&
                          (s.isNaN() || s.isInfinite() || s.isZero() ||
                           s.binaryExponent() == x.binaryExponent());
        if (!same) differences.add("classify(" + hex(a) + ")");
    }
    EXPECT_NO_DIFFERENCES(differences);
}

}  // namespace
}  // namespace ventbox

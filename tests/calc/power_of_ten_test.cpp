// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <vector>

#include "calc/arithmetic.hpp"
#include "calc/power_of_ten.hpp"

namespace ventbox {
namespace {

// A non-negative integer of any size, enough to hold the exact powers of ten.
class BigInt {
public:
    explicit BigInt(std::uint32_t v) : words_{v} {}
    void multiplyBy(std::uint32_t factor) {
        std::uint64_t carry = 0;
        for (std::uint32_t& w : words_) {
            const std::uint64_t p = std::uint64_t{w} * factor + carry;
            w = static_cast<std::uint32_t>(p);
            carry = p >> 32;
        }
        if (carry != 0) words_.push_back(static_cast<std::uint32_t>(carry));
    }
    int bitLength() const {
        return static_cast<int>(words_.size() - 1) * 32 + (32 - __builtin_clz(words_.back()));
    }
    bool bit(int i) const {
        return i >= 0 && (words_[static_cast<std::size_t>(i / 32)] >> (i % 32)) & 1;
    }
    bool anyBitBelow(int i) const {
        for (int k = 0; k < i; ++k) {
            if (bit(k)) return true;
        }
        return false;
    }

private:
    std::vector<std::uint32_t> words_;
};

// The extended value nearest to n, ties to even, as m × 2^e.
PowerOfTen nearestExtended(const BigInt& n) {
    const int shift = n.bitLength() - 64;
    std::uint64_t m = 0;
    for (int k = 63; k >= 0; --k) m = (m << 1) | (n.bit(k + shift) ? 1 : 0);
    if (shift > 0 && n.bit(shift - 1) && (n.anyBitBelow(shift - 1) || (m & 1))) {
        if (++m == 0) return {0x8000000000000000, shift + 1};
    }
    return {m, shift};
}

void expectTable(const PowerOfTen* table, std::size_t size, int firstPower, int step) {
    for (std::size_t i = 0; i < size; ++i) {
        const int power = firstPower + static_cast<int>(i) * step;
        BigInt exact(1);
        for (int k = 0; k < power; ++k) exact.multiplyBy(10);
        const PowerOfTen want = nearestExtended(exact);
        EXPECT_EQ(table[i].m, want.m) << "10^" << power;
        EXPECT_EQ(table[i].e, want.e) << "10^" << power;
    }
}

TEST(PowerOfTenTables, holdTheExtendedValueNearestToEachPower) {
    expectTable(kSmallPowersOfTen.data(), kSmallPowersOfTen.size(), 0, 1);
    expectTable(kMediumPowersOfTen.data(), kMediumPowersOfTen.size(), 32, 32);
    expectTable(kLargePowersOfTen.data(), kLargePowersOfTen.size(), 512, 512);
}

TEST(PowerOfTenTables, buildTheirExtendedValuesBitForBit) {
    const Extended v = Extended::fromParts(false, kLargePowersOfTen[8].m, kLargePowersOfTen[8].e);
    EXPECT_EQ(v.significand(), kLargePowersOfTen[8].m);
    EXPECT_EQ(v.signExponent(), 16383 + 63 + kLargePowersOfTen[8].e);
}

struct ScaleRow {
    const char* what;
    double x;
    int p;
    double want;
    unsigned faults;
};

TEST(ScaleByPowerOfTen, multipliesOrDividesThroughTheThreeTables) {
    const ScaleRow rows[] = {
        {"nothing to do", 3.5, 0, 3.5, 0},
        {"one small factor", 7, 3, 7000, 0},
        {"a division", 7000, -3, 7, 0},
        {"small and medium factors", 1, 45, 1e45, 0},
        {"all three factors", 1, 300, 1e300, 0},
        {"all three factors dividing", 1, -300, 1e-300, 0},
        {"far below the extended range", 1, -5000, 0, 0},
        {"5120 and beyond gives zero", 1e300, -5120, 0, 0},
        {"5120 and beyond gives infinity", 1, 5120, HUGE_VAL, 0},
        {"beyond the extended range overflows", 1, 4999, HUGE_VAL, kOverflow},
    };
    for (const ScaleRow& row : rows) {
        unsigned faults = 0;
        const Extended r = scaleByPowerOfTen(Extended::fromDouble(row.x), row.p, faults);
        unsigned ignored = 0;
        EXPECT_EQ(Extended::toDouble(r, ignored), row.want) << row.what;
        EXPECT_EQ(faults, row.faults) << row.what;
    }
}

}  // namespace
}  // namespace ventbox

// SPDX-License-Identifier: GPL-3.0-or-later
#include "operand_generator.hpp"

#include <algorithm>
#include <bit>

namespace ventbox {

namespace {

constexpr int kBias = 0x3FFF;
constexpr int kMaxBiased = 0x7FFE;
constexpr std::uint64_t kTop = std::uint64_t{1} << 63;

std::uint16_t signExponent(bool negative, int biased) {
    return static_cast<std::uint16_t>((negative ? 0x8000 : 0) | biased);
}

}  // namespace

std::uint64_t OperandGenerator::next() {
    // splitmix64: fast, and every seed gives a full-period sequence.
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EB;
    return z ^ (z >> 31);
}

std::uint64_t OperandGenerator::significand() {
    std::uint64_t m = next() | kTop;
    switch (below(4)) {
    case 0: {
        // Only the top few bits in use.
        const auto unused = static_cast<int>(below(64));
        return unused == 0 ? m : (m >> unused << unused) | kTop;
    }
    case 1:
        // A run of ones at the bottom, for carries through the whole word.
        return m | ((std::uint64_t{1} << below(64)) - 1);
    default:
        return m;
    }
}

edge::Bits OperandGenerator::withExponent(int biased, std::uint64_t m, bool negative) {
    if (biased >= 1) {
        return {signExponent(negative, std::min(biased, kMaxBiased)), m};
    }
    const int shift = 1 - biased;
    return {signExponent(negative, 0), shift >= 64 ? 0 : m >> shift};
}

edge::Bits OperandGenerator::finite(int lowBiased, int highBiased) {
    const int biased = lowBiased + static_cast<int>(below(static_cast<std::uint64_t>(highBiased - lowBiased + 1)));
    return withExponent(biased, significand(), coin());
}

edge::Bits OperandGenerator::special() {
    const bool negative = coin();
    const std::uint64_t payload = next() & ((kTop >> 1) - 1);
    switch (below(9)) {
    case 0: return {signExponent(negative, 0), 0};
    case 1: return {signExponent(negative, 0x7FFF), kTop};
    case 2: return {signExponent(negative, 0x7FFF), kTop | (kTop >> 1) | payload};
    case 3: return {signExponent(negative, 0x7FFF), kTop | (payload == 0 ? 1 : payload)};
    case 4: return {signExponent(negative, 0x7FFF), payload};  // pseudo-NaN or pseudo-infinity
    case 5: return {signExponent(negative, 1 + static_cast<int>(below(kMaxBiased))), payload};  // unnormal
    case 6: return {signExponent(negative, 0), kTop | payload};  // pseudo-denormal
    case 7: return {signExponent(negative, kMaxBiased), ~std::uint64_t{0}};
    default: return {signExponent(negative, 0), next() >> below(64)};  // denormal
    }
}

edge::Bits OperandGenerator::anyBits() {
    return {static_cast<std::uint16_t>(next()), next()};
}

edge::Bits OperandGenerator::anyOperand() {
    switch (below(8)) {
    case 0: return anyBits();
    case 1: return special();
    case 2: return finite(kBias - 80, kBias + 80);
    default: return finite(0, kMaxBiased);
    }
}

edge::Bits OperandGenerator::near(edge::Bits a) {
    const int biased = std::max(a.signExponent & 0x7FFF, 1);
    std::uint64_t m = a.significand | kTop;
    switch (below(3)) {
    case 0: m += below(1024) - 512; break;
    case 1: m ^= next() >> below(64); break;
    default: break;
    }
    return withExponent(biased + static_cast<int>(below(5)) - 2, m | kTop, coin());
}

OperandGenerator::Pair OperandGenerator::scaledPair(int target, bool quotient) {
    const int biasedA = 1 + static_cast<int>(below(kMaxBiased));
    const int biasedB = quotient ? biasedA - target + kBias : target - biasedA + kBias;
    return {withExponent(biasedA, significand(), coin()),
            withExponent(std::clamp(biasedB, -70, kMaxBiased), significand(), coin())};
}

OperandGenerator::Pair OperandGenerator::binaryOperands(bool product, bool quotient) {
    switch (below(16)) {
    case 0: return coin() ? Pair{anyBits(), anyBits()} : nanPair();
    case 1: return {special(), anyOperand()};
    case 2: return {anyOperand(), special()};
    case 3:
    case 4: return {finite(0, kMaxBiased), finite(0, kMaxBiased)};
    case 5:
    case 6:
    case 7: {
        const edge::Bits a = finite(kBias - 100, kBias + 100);
        return {a, near(a)};
    }
    case 8:
    case 9:
        if (product) return scaledPair(kMaxBiased - 2 + static_cast<int>(below(5)), quotient);
        return {finite(kMaxBiased - 2, kMaxBiased), finite(kMaxBiased - 70, kMaxBiased)};
    case 10:
    case 11:
        if (product) return scaledPair(-66 + static_cast<int>(below(70)), quotient);
        return {finite(-64, 3), finite(-64, 3)};
    case 12:
    case 13: {
        // A partner whose bits end near the other's last bit: ties.
        const edge::Bits a = finite(kBias - 100, kBias + 100);
        const int shift = static_cast<int>(below(70));
        const int biasedB = product ? kBias + static_cast<int>(below(5)) - 2 : (a.signExponent & 0x7FFF) - shift;
        return {a, withExponent(biasedB, significand(), coin())};
    }
    case 14: return {special(), finite(0, kMaxBiased)};
    default: return {finite(kBias - 2, kBias + 2), finite(kBias - 2, kBias + 2)};
    }
}

OperandGenerator::Pair OperandGenerator::nanPair() {
    // Quiet or signalling, often with the same payload, so that the choice
    // between them comes down to the quiet bit or the sign.
    auto nan = [this](std::uint64_t payload) {
        const std::uint64_t quiet = coin() ? kTop >> 1 : 0;
        return edge::Bits{signExponent(coin(), 0x7FFF), kTop | quiet | payload | (quiet == 0 ? 1 : 0)};
    };
    const std::uint64_t payload = next() >> (2 + below(62));
    return {nan(payload), nan(coin() ? payload : next() >> (2 + below(62)))};
}

OperandGenerator::Pair OperandGenerator::addOperands() { return binaryOperands(false, false); }
OperandGenerator::Pair OperandGenerator::mulOperands() { return binaryOperands(true, false); }
OperandGenerator::Pair OperandGenerator::divOperands() { return binaryOperands(true, true); }

OperandGenerator::Pair OperandGenerator::compareOperands() {
    const edge::Bits a = anyOperand();
    switch (below(6)) {
    case 0: return {a, a};
    case 1: return {a, {static_cast<std::uint16_t>(a.signExponent ^ 0x8000), a.significand}};
    case 2: return {a, near(a)};
    case 3: {
        // A pseudo-denormal and the normal number of the same value.
        const std::uint64_t m = kTop | next();
        const bool negative = coin();
        return {{signExponent(negative, 0), m}, {signExponent(negative, 1), m}};
    }
    default: return {a, anyOperand()};
    }
}

edge::Bits OperandGenerator::sqrtOperand() {
    switch (below(6)) {
    case 0: {
        // Exact squares and their neighbours.
        const std::uint64_t root = (next() >> 32) | (std::uint64_t{1} << 31);
        std::uint64_t square = root * root + below(3) - 1;
        const int shift = std::countl_zero(square);
        return withExponent(static_cast<int>(below(kMaxBiased)) + 1, square << shift, false);
    }
    case 1: return special();
    case 2: return anyBits();
    default: return finite(-64, kMaxBiased);
    }
}

edge::Bits OperandGenerator::toDoubleOperand() {
    // The double range seen from the extended exponent: 2^1023 is the top
    // binade, 2^-1022 the smallest normal and 2^-1074 the last denormal bit.
    const int top = kBias + 1023, smallest = kBias - 1022, last = kBias - 1074;
    std::uint64_t m = significand();
    if (coin()) m = (m & ~std::uint64_t{0x7FF}) | (0x400 + below(3) - 1);
    switch (below(8)) {
    case 0: return special();
    case 1: return anyBits();
    case 2:
    case 3: return withExponent(top - 1 + static_cast<int>(below(3)), m, coin());
    case 4:
    case 5: return withExponent(last - 2 + static_cast<int>(below(static_cast<std::uint64_t>(smallest - last + 4))), m, coin());
    case 6: return finite(0, kMaxBiased);
    default: return finite(smallest - 100, top + 100);
    }
}

edge::Bits OperandGenerator::roundOperand() {
    switch (below(8)) {
    case 0: return special();
    case 1: return anyBits();
    case 2: {
        // Integers and halves next to ±2^63.
        const std::uint64_t m = coin() ? ~std::uint64_t{0} - below(4) : kTop + below(4);
        return withExponent(kBias + 62 + static_cast<int>(below(2)), m, coin());
    }
    default: return finite(kBias - 3, kBias + 64);
    }
}

std::uint64_t OperandGenerator::doubleBits() {
    const std::uint64_t sign = next() & kTop;
    const std::uint64_t fraction = next() & ((std::uint64_t{1} << 52) - 1);
    switch (below(5)) {
    case 0: return sign | fraction >> below(52);                     // denormal or zero
    case 1: return sign | std::uint64_t{0x7FF} << 52 | fraction >> below(53);  // NaN or infinity
    default: return next();
    }
}

std::int64_t OperandGenerator::int64() {
    switch (below(4)) {
    case 0: return static_cast<std::int64_t>(next()) >> below(64);
    case 1: {
        // Powers of two and their neighbours, wrapping around at 2^63.
        return static_cast<std::int64_t>((std::uint64_t{1} << below(64)) + below(5) - 2);
    }
    default: return static_cast<std::int64_t>(next());
    }
}

}  // namespace ventbox

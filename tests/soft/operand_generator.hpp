// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <utility>

#include "edge_rows.hpp"

namespace ventbox {

// Draws operands aimed at the places where an extended operation can go
// wrong: carries, cancellation, ties, the overflow and denormal edges,
// special values and the encodings the x87 unit rejects.
class OperandGenerator {
public:
    explicit OperandGenerator(std::uint64_t seed) : state_(seed) {}

    using Pair = std::pair<edge::Bits, edge::Bits>;
    Pair addOperands();
    Pair mulOperands();
    Pair divOperands();
    Pair compareOperands();
    edge::Bits sqrtOperand();
    edge::Bits toDoubleOperand();
    edge::Bits roundOperand();
    edge::Bits anyOperand();
    std::uint64_t doubleBits();
    std::int64_t int64();

    std::uint64_t next();
    std::uint64_t below(std::uint64_t n) { return next() % n; }
    bool coin() { return (next() & 1) != 0; }

    // A significand with its top bit set and often only a few bits in use,
    // so that results land exactly on ties.
    std::uint64_t significand();
    // A value with this biased exponent: below 1 a denormal, clamped to
    // the finite range above.
    edge::Bits withExponent(int biased, std::uint64_t m, bool negative);
    edge::Bits finite(int lowBiased, int highBiased);
    edge::Bits special();
    edge::Bits anyBits();

private:
    edge::Bits near(edge::Bits a);
    // Both operands of a product or quotient, the result's biased exponent
    // near `target`.
    Pair scaledPair(int target, bool quotient);
    Pair nanPair();
    Pair binaryOperands(bool product, bool quotient);

    std::uint64_t state_;
};

}  // namespace ventbox

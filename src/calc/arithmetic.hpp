// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

#include "extended.hpp"
#include "faults.hpp"

namespace ventbox {

// An extended value whose every operation stops with the fault it raises,
// as the calculation's arithmetic does. Expressions evaluate as written:
// parenthesised, otherwise left to right, each operation rounded once.
class CheckedExtended {
public:
    constexpr CheckedExtended() = default;
    constexpr explicit CheckedExtended(Extended v) : v_(v) {}
    // Doubles and singles widen exactly.
    static constexpr CheckedExtended of(double d) {
        return CheckedExtended(Extended::fromDouble(d));
    }
    static constexpr CheckedExtended parts(std::uint64_t m, int e) {
        return CheckedExtended(Extended::fromParts(false, m, e));
    }

    Extended value() const { return v_; }

    friend CheckedExtended operator+(CheckedExtended a, CheckedExtended b) {
        return apply(Extended::add, a, b);
    }
    friend CheckedExtended operator-(CheckedExtended a, CheckedExtended b) {
        return apply(Extended::sub, a, b);
    }
    friend CheckedExtended operator*(CheckedExtended a, CheckedExtended b) {
        return apply(Extended::mul, a, b);
    }
    friend CheckedExtended operator/(CheckedExtended a, CheckedExtended b) {
        return apply(Extended::div, a, b);
    }
    friend CheckedExtended sqrt(CheckedExtended a) {
        unsigned faults = 0;
        Extended r = Extended::sqrt(a.v_, faults);
        check(faults);
        return CheckedExtended(r);
    }
    // The nearest integer, ties to even, through int64 and back: never -0.
    friend CheckedExtended round(CheckedExtended a) {
        unsigned faults = 0;
        std::int64_t i = Extended::roundToInt64(a.v_, faults);
        check(faults);
        return CheckedExtended(Extended::fromInt64(i));
    }
    // Rounds to the double that a stored value holds.
    double store() const {
        unsigned faults = 0;
        double d = Extended::toDouble(v_, faults);
        check(faults);
        return d;
    }

private:
    static void check(unsigned faults) {
        if (faults != 0) raiseFault(faults);
    }
    template <typename Op>
    static CheckedExtended apply(Op op, CheckedExtended a, CheckedExtended b) {
        unsigned faults = 0;
        Extended r = op(a.v_, b.v_, faults);
        check(faults);
        return CheckedExtended(r);
    }

    Extended v_{};
};

// A stored double as an operand of the next step.
inline CheckedExtended widen(double d) { return CheckedExtended::of(d); }

}  // namespace ventbox

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

#include "extended.hpp"
#include "faults.hpp"

namespace ventbox {

// An extended value whose every operation stops with the fault it raises,
// as the calculation's arithmetic does. Expressions evaluate as written:
// parenthesised, otherwise left to right, each operation rounded once.
class Ext {
public:
    constexpr Ext() = default;
    constexpr explicit Ext(Extended v) : v_(v) {}
    // Doubles and singles widen exactly.
    static constexpr Ext of(double d) { return Ext(Extended::fromDouble(d)); }
    static constexpr Ext parts(std::uint64_t m, int e) {
        return Ext(Extended::fromParts(false, m, e));
    }

    Extended value() const { return v_; }

    friend Ext operator+(Ext a, Ext b) { return apply(Extended::add, a, b); }
    friend Ext operator-(Ext a, Ext b) { return apply(Extended::sub, a, b); }
    friend Ext operator*(Ext a, Ext b) { return apply(Extended::mul, a, b); }
    friend Ext operator/(Ext a, Ext b) { return apply(Extended::div, a, b); }
    friend Ext sqrt(Ext a) {
        unsigned faults = 0;
        Extended r = Extended::sqrt(a.v_, faults);
        check(faults);
        return Ext(r);
    }
    // The nearest integer, ties to even, through int64 and back: never -0.
    friend Ext round(Ext a) {
        unsigned faults = 0;
        std::int64_t i = Extended::roundToInt64(a.v_, faults);
        check(faults);
        return Ext(Extended::fromInt64(i));
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
    static Ext apply(Op op, Ext a, Ext b) {
        unsigned faults = 0;
        Extended r = op(a.v_, b.v_, faults);
        check(faults);
        return Ext(r);
    }

    Extended v_{};
};

inline Ext ext(double d) { return Ext::of(d); }

}  // namespace ventbox

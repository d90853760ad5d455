// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cfloat>
#include <cmath>
#include <compare>
#include <cstdint>
#include <cstring>

#include "faults.hpp"

namespace ventbox {

static_assert(LDBL_MANT_DIG == 64, "the hardware type needs the x87 80-bit long double");

// The x87 unit's extended format used directly. The unit runs with every
// exception masked; each operation derives its faults from IEEE 754's rules,
// so the results are exactly those of the unit with the three traps enabled.
class X87Extended {
public:
    constexpr X87Extended() = default;

    // m × 2^e, for constants given by their significand and exponent.
    static constexpr X87Extended fromParts(bool negative, std::uint64_t m, int e) {
        long double v = static_cast<long double>(m);
        long double base = e < 0 ? 0.5L : 2.0L;
        for (int n = e < 0 ? -e : e; n != 0; n >>= 1) {
            if (n & 1) v *= base;
            if (n > 1) base *= base;
        }
        return X87Extended(negative ? -v : v);
    }
    static constexpr X87Extended fromDouble(double d) { return X87Extended(d); }
    static constexpr X87Extended infinity() { return X87Extended(__builtin_infl()); }
    static constexpr X87Extended fromInt64(std::int64_t i) {
        return X87Extended(static_cast<long double>(i));
    }
    // The stored bits: sign and biased exponent, and the 64-bit significand.
    static X87Extended fromBits(std::uint16_t signExponent, std::uint64_t significand) {
        unsigned char raw[sizeof(long double)] = {};
        std::memcpy(raw, &significand, 8);
        std::memcpy(raw + 8, &signExponent, 2);
        X87Extended r;
        std::memcpy(&r.v_, raw, sizeof(long double));
        return r;
    }
    std::uint16_t signExponent() const {
        std::uint16_t se;
        std::memcpy(&se, reinterpret_cast<const unsigned char*>(&v_) + 8, 2);
        return se;
    }
    std::uint64_t significand() const {
        std::uint64_t m;
        std::memcpy(&m, &v_, 8);
        return m;
    }

    static X87Extended add(X87Extended a, X87Extended b, unsigned& faults) {
        return checked(a.v_ + b.v_, a, b, faults);
    }
    static X87Extended sub(X87Extended a, X87Extended b, unsigned& faults) {
        return checked(a.v_ - b.v_, a, b, faults);
    }
    static X87Extended mul(X87Extended a, X87Extended b, unsigned& faults) {
        return checked(a.v_ * b.v_, a, b, faults);
    }
    static X87Extended div(X87Extended a, X87Extended b, unsigned& faults) {
        if (b.v_ == 0 && std::isfinite(a.v_) && a.v_ != 0) {
            faults |= kZeroDivide;
            return X87Extended(a.v_ / b.v_);
        }
        return checked(a.v_ / b.v_, a, b, faults);
    }
    static X87Extended sqrt(X87Extended a, unsigned& faults) {
        return checked(sqrtl(a.v_), a, a, faults);
    }
    // Rounds to a double, nearest and ties to even.
    static double toDouble(X87Extended a, unsigned& faults) {
        double d = static_cast<double>(a.v_);
        if (std::isinf(d) && std::isfinite(a.v_)) faults |= kOverflow;
        return d;
    }
    // The nearest integer, ties to even; out of the int64 range is invalid.
    static std::int64_t roundToInt64(X87Extended a, unsigned& faults) {
        long double r = a.v_;
        __asm__("frndint" : "+t"(r));
        if (!(r >= -0x1p63L && r < 0x1p63L)) {
            faults |= kInvalid;
            return INT64_MIN;
        }
        return static_cast<std::int64_t>(r);
    }

    bool isNaN() const { return std::isnan(v_); }
    bool isInfinite() const { return std::isinf(v_); }
    bool isZero() const { return v_ == 0; }
    bool signBit() const { return std::signbit(v_); }
    // e with 2^e <= |x| < 2^(e+1); x finite and not zero.
    int binaryExponent() const {
        const int biased = signExponent() & 0x7FFF;
        if (biased != 0) return biased - 16383;
        return -16382 - __builtin_clzll(significand());
    }
    X87Extended negated() const { return X87Extended(-v_); }
    X87Extended magnitude() const { return X87Extended(fabsl(v_)); }

    friend bool operator==(X87Extended a, X87Extended b) { return a.v_ == b.v_; }
    friend std::partial_ordering operator<=>(X87Extended a, X87Extended b) {
        return a.v_ <=> b.v_;
    }

    // Sets the unit to extended precision, round to nearest, all exceptions
    // masked, and restores the caller's control word afterwards.
    // Loading the control word is costly, so only a different one is loaded.
    class ModeGuard {
    public:
        ModeGuard() {
            __asm__ volatile("fnstcw %0" : "=m"(saved_));
            if (saved_ != kExtendedNearest) __asm__ volatile("fldcw %0" : : "m"(kExtendedNearest));
        }
        ~ModeGuard() {
            if (saved_ != kExtendedNearest) __asm__ volatile("fldcw %0" : : "m"(saved_));
        }
        ModeGuard(const ModeGuard&) = delete;
        ModeGuard& operator=(const ModeGuard&) = delete;

    private:
        static constexpr std::uint16_t kExtendedNearest = 0x037F;
        std::uint16_t saved_ = 0;
    };

private:
    constexpr explicit X87Extended(long double v) : v_(v) {}

    // A NaN made from non-NaN operands is an invalid operation; an infinity
    // made from finite operands is an overflow.
    static X87Extended checked(long double r, X87Extended a, X87Extended b, unsigned& faults) {
        if (std::isnan(r) && !std::isnan(a.v_) && !std::isnan(b.v_)) faults |= kInvalid;
        if (std::isinf(r) && std::isfinite(a.v_) && std::isfinite(b.v_)) faults |= kOverflow;
        return X87Extended(r);
    }

    long double v_ = 0;
};

}  // namespace ventbox

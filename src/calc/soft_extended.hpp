// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <bit>
#include <compare>
#include <cstdint>
#include <optional>

#include "faults.hpp"

namespace ventbox {

// The x87 80-bit extended format computed in software, for processors whose
// long double is another format. Every operation gives the value bits and
// the faults that the x87 unit gives in extended precision, round to nearest:
// its default NaN, its choice between NaN operands, its treatment of the
// encodings it does not support, denormal results and silent underflow.
class SoftExtended {
public:
    constexpr SoftExtended() = default;

    // m × 2^e, for constants given by their significand and exponent.
    static constexpr SoftExtended fromParts(bool negative, std::uint64_t m, int e) {
        if (m == 0) return SoftExtended(negative ? kSignBit : 0, 0);
        const int shift = std::countl_zero(m);
        const Wide wide = static_cast<Wide>(m << shift) << 64;
        unsigned ignored = 0;
        return rounded(negative, e + 63 - shift, wide, ignored);
    }
    // Doubles and singles widen exactly; a signalling NaN becomes quiet.
    static constexpr SoftExtended fromDouble(double d) {
        const auto bits = std::bit_cast<std::uint64_t>(d);
        const std::uint16_t sign = (bits >> 63) != 0 ? kSignBit : 0;
        const auto exponent = static_cast<int>((bits >> 52) & 0x7FF);
        const std::uint64_t fraction = bits & ((std::uint64_t{1} << 52) - 1);
        if (exponent == 0x7FF) {
            return SoftExtended(static_cast<std::uint16_t>(sign | kMaxExponent),
                                fraction == 0 ? kIntegerBit : kQuietNaNBits | fraction << 11);
        }
        if (exponent == 0) return fromParts(sign != 0, fraction, -1074);
        return SoftExtended(static_cast<std::uint16_t>(sign | (exponent - 1023 + kBias)),
                            kIntegerBit | fraction << 11);
    }
    static constexpr SoftExtended infinity() { return SoftExtended(kMaxExponent, kIntegerBit); }
    static constexpr SoftExtended fromInt64(std::int64_t i) {
        const auto magnitude =
            i < 0 ? ~static_cast<std::uint64_t>(i) + 1 : static_cast<std::uint64_t>(i);
        return fromParts(i < 0, magnitude, 0);
    }
    // The stored bits: sign and biased exponent, and the 64-bit significand.
    static constexpr SoftExtended fromBits(std::uint16_t signExponent, std::uint64_t significand) {
        return SoftExtended(signExponent, significand);
    }
    constexpr std::uint16_t signExponent() const { return signExponent_; }
    constexpr std::uint64_t significand() const { return significand_; }

    static SoftExtended add(SoftExtended a, SoftExtended b, unsigned& faults);
    static SoftExtended sub(SoftExtended a, SoftExtended b, unsigned& faults);
    static SoftExtended mul(SoftExtended a, SoftExtended b, unsigned& faults);
    static SoftExtended div(SoftExtended a, SoftExtended b, unsigned& faults);
    static SoftExtended sqrt(SoftExtended a, unsigned& faults);
    // Rounds to a double, nearest and ties to even.
    static double toDouble(SoftExtended a, unsigned& faults);
    // The nearest integer, ties to even; out of the int64 range is invalid.
    static std::int64_t roundToInt64(SoftExtended a, unsigned& faults);

    // The unit treats the encodings it does not support as NaNs here:
    // unnormals, pseudo-NaNs and pseudo-infinities compare unordered.
    bool isNaN() const { return !isInfinite() && (exponentBits() == kMaxExponent || isUnnormal()); }
    bool isInfinite() const {
        return exponentBits() == kMaxExponent && significand_ == kIntegerBit;
    }
    bool isZero() const { return exponentBits() == 0 && significand_ == 0; }
    bool signBit() const { return (signExponent_ & kSignBit) != 0; }
    // e with 2^e <= |x| < 2^(e+1); x finite and not zero.
    int binaryExponent() const;
    SoftExtended negated() const {
        return SoftExtended(static_cast<std::uint16_t>(signExponent_ ^ kSignBit), significand_);
    }
    SoftExtended magnitude() const { return SoftExtended(exponentBits(), significand_); }

    friend bool operator==(SoftExtended a, SoftExtended b) {
        return compare(a, b) == std::partial_ordering::equivalent;
    }
    friend std::partial_ordering operator<=>(SoftExtended a, SoftExtended b) {
        return compare(a, b);
    }

    // Software arithmetic has no mode to set; the guard exists so that the
    // core is written once for both types.
    class ModeGuard {
    public:
        ModeGuard() {}
        ~ModeGuard() {}
        ModeGuard(const ModeGuard&) = delete;
        ModeGuard& operator=(const ModeGuard&) = delete;
    };

private:
    __extension__ typedef unsigned __int128 Wide;

    // A finite, non-zero value rounded to the nearest multiple of 2^lsb,
    // ties to the even multiple: the value is `multiple` × 2^lsb.
    struct Rounded {
        Wide multiple;
        int lsb;
    };
    // The one rounding step of every operation: the exact value
    // wide × 2^(exponent − 127), wide with its top bit set and any nonzero
    // bits below its last bit or-ed into bit 0, kept to at most `precision`
    // bits and to no bit below 2^minLsb.
    static constexpr Rounded roundWide(int exponent, Wide wide, int precision, int minLsb) {
        const int lsb = exponent - precision + 1 > minLsb ? exponent - precision + 1 : minLsb;
        const int kept = exponent - lsb + 1;
        Wide multiple = 0;
        Wide rest = 0;
        if (kept >= 128) {
            multiple = wide;
        } else if (kept > 0) {
            multiple = wide >> (128 - kept);
            rest = wide << kept;
        } else if (kept == 0) {
            rest = wide;
        } else {
            rest = wide != 0 ? 1 : 0;
        }
        const Wide half = Wide{1} << 127;
        if (rest > half || (rest == half && (multiple & 1) != 0)) ++multiple;
        return {multiple, lsb};
    }

    static constexpr std::uint16_t kSignBit = 0x8000;
    static constexpr std::uint16_t kMaxExponent = 0x7FFF;
    static constexpr int kBias = 16383;
    static constexpr std::uint64_t kIntegerBit = std::uint64_t{1} << 63;
    static constexpr std::uint64_t kQuietNaNBits = std::uint64_t{3} << 62;
    // 2^-16445, the weight of a denormal's last bit.
    static constexpr int kMinLsb = 1 - kBias - 63;

    constexpr SoftExtended(std::uint16_t signExponent, std::uint64_t significand)
        : signExponent_(signExponent), significand_(significand) {}

    constexpr std::uint16_t exponentBits() const { return signExponent_ & kMaxExponent; }
    constexpr bool isUnnormal() const {
        return exponentBits() != 0 && exponentBits() != kMaxExponent &&
               (significand_ & kIntegerBit) == 0;
    }

    // The extended value nearest to wide × 2^(exponent − 127); an overflow
    // gives infinity and the overflow fault, an underflow a denormal or zero.
    static constexpr SoftExtended rounded(bool negative, int exponent, Wide wide,
                                          unsigned& faults) {
        const std::uint16_t sign = negative ? kSignBit : 0;
        Rounded r = roundWide(exponent, wide, 64, kMinLsb);
        if ((r.multiple >> 64) != 0) {
            r.multiple >>= 1;
            ++r.lsb;
        }
        const auto significand = static_cast<std::uint64_t>(r.multiple);
        if ((significand & kIntegerBit) == 0) return SoftExtended(sign, significand);
        const int biased = r.lsb + 63 + kBias;
        if (biased >= kMaxExponent) {
            faults |= kOverflow;
            return SoftExtended(static_cast<std::uint16_t>(sign | kMaxExponent), kIntegerBit);
        }
        return SoftExtended(static_cast<std::uint16_t>(sign | biased), significand);
    }

    // An operand as the operations see it: its class, and for a finite
    // non-zero value m × 2^(exponent − 63) with m's top bit set.
    enum class Kind { Zero, Finite, Infinity, QuietNaN, SignallingNaN, Unsupported };
    struct Operand {
        Kind kind;
        bool negative;
        int exponent;
        std::uint64_t m;
    };
    static constexpr bool isNaNKind(Kind k) { return k == Kind::QuietNaN || k == Kind::SignallingNaN; }
    static Operand unpack(SoftExtended x);
    static constexpr SoftExtended signedZero(bool negative) {
        return SoftExtended(negative ? kSignBit : 0, 0);
    }
    static constexpr SoftExtended signedInfinity(bool negative) {
        return SoftExtended(static_cast<std::uint16_t>(negative ? kSignBit | kMaxExponent : kMaxExponent),
                            kIntegerBit);
    }
    // A finite operand in the encoding the unit gives results in.
    static SoftExtended exactly(const Operand& x);
    // The result when an operand is a NaN or an encoding the unit rejects.
    static std::optional<SoftExtended> nanResult(SoftExtended a, SoftExtended b,
                                                 const Operand& x, const Operand& y);
    static SoftExtended sum(Operand x, Operand y, unsigned& faults);
    static std::partial_ordering compare(SoftExtended a, SoftExtended b);

    std::uint16_t signExponent_ = 0;
    std::uint64_t significand_ = 0;
};

}  // namespace ventbox

// SPDX-License-Identifier: GPL-3.0-or-later
#include "soft_extended.hpp"

#include <cmath>
#include <utility>

namespace ventbox {

namespace {

__extension__ typedef unsigned __int128 Wide;

constexpr std::uint64_t kQuietBit = std::uint64_t{1} << 62;

// The unit's "real indefinite", its answer to every invalid operation.
constexpr std::uint16_t kIndefiniteSignExponent = 0xFFFF;
constexpr std::uint64_t kIndefiniteSignificand = std::uint64_t{3} << 62;

SoftExtended indefinite() {
    return SoftExtended::fromBits(kIndefiniteSignExponent, kIndefiniteSignificand);
}

int leadingZeros(Wide w) {
    const auto high = static_cast<std::uint64_t>(w >> 64);
    return high != 0 ? std::countl_zero(high) : 64 + std::countl_zero(static_cast<std::uint64_t>(w));
}

// Shifts right, or-ing every bit shifted out into bit 0 so that rounding
// still sees that the value lies above the truncated one.
Wide shiftRightJamming(Wide w, int shift) {
    if (shift == 0) return w;
    if (shift >= 128) return w != 0 ? 1 : 0;
    return (w >> shift) | ((w << (128 - shift)) != 0 ? 1 : 0);
}

// floor(sqrt(n)) for 2^126 <= n < 2^128: a double estimate, one Newton
// step, and a final correction by whole units.
std::uint64_t integerSquareRoot(Wide n) {
    const double estimate = std::sqrt(static_cast<double>(static_cast<std::uint64_t>(n >> 64))) * 0x1p32;
    Wide s = estimate >= 0x1p64 ? ~std::uint64_t{0} : static_cast<std::uint64_t>(estimate);
    s = (s + n / s) >> 1;
    const Wide largest = ~std::uint64_t{0};
    if (s > largest) s = largest;
    while (s * s > n) --s;
    while (s < largest && (s + 1) * (s + 1) <= n) ++s;
    return static_cast<std::uint64_t>(s);
}

}  // namespace

SoftExtended::Operand SoftExtended::unpack(SoftExtended x) {
    const std::uint16_t e = x.exponentBits();
    const std::uint64_t m = x.significand_;
    const bool negative = x.signBit();
    if (e == kMaxExponent) {
        if (m == kIntegerBit) return {Kind::Infinity, negative, 0, m};
        if ((m & kIntegerBit) == 0) return {Kind::Unsupported, negative, 0, m};
        return {(m & kQuietBit) != 0 ? Kind::QuietNaN : Kind::SignallingNaN, negative, 0, m};
    }
    if (e == 0) {
        // Denormals and pseudo-denormals: the exponent of biased 1 applies.
        if (m == 0) return {Kind::Zero, negative, 0, 0};
        const int shift = std::countl_zero(m);
        return {Kind::Finite, negative, 1 - kBias - shift, m << shift};
    }
    if ((m & kIntegerBit) == 0) return {Kind::Unsupported, negative, 0, m};
    return {Kind::Finite, negative, e - kBias, m};
}

SoftExtended SoftExtended::exactly(const Operand& x) {
    unsigned none = 0;
    return rounded(x.negative, x.exponent, static_cast<Wide>(x.m) << 64, none);
}

std::optional<SoftExtended> SoftExtended::nanResult(SoftExtended a, SoftExtended b,
                                                    const Operand& x, const Operand& y) {
    if (x.kind == Kind::Unsupported || y.kind == Kind::Unsupported) return indefinite();
    const bool aIsNaN = isNaNKind(x.kind);
    const bool bIsNaN = isNaNKind(y.kind);
    if (!aIsNaN && !bIsNaN) return std::nullopt;
    // Of two NaNs the unit keeps a quiet one over a signalling one, then the
    // larger significand, then the positive one.
    SoftExtended chosen = aIsNaN ? a : b;
    if (aIsNaN && bIsNaN) {
        if (x.kind != y.kind) {
            chosen = x.kind == Kind::QuietNaN ? a : b;
        } else if (x.m != y.m) {
            chosen = x.m > y.m ? a : b;
        } else {
            chosen = x.negative ? b : a;
        }
    }
    return SoftExtended(chosen.signExponent_, chosen.significand_ | kQuietBit);
}

SoftExtended SoftExtended::sum(Operand x, Operand y, unsigned& faults) {
    if (x.kind == Kind::Infinity || y.kind == Kind::Infinity) {
        if (x.kind == y.kind && x.negative != y.negative) {
            faults |= kInvalid;
            return indefinite();
        }
        return signedInfinity(x.kind == Kind::Infinity ? x.negative : y.negative);
    }
    if (x.kind == Kind::Zero && y.kind == Kind::Zero) return signedZero(x.negative && y.negative);
    if (x.kind == Kind::Zero) return exactly(y);
    if (y.kind == Kind::Zero) return exactly(x);

    if (x.exponent < y.exponent || (x.exponent == y.exponent && x.m < y.m)) std::swap(x, y);
    // One spare bit on top takes the carry of an addition.
    const Wide larger = static_cast<Wide>(x.m) << 63;
    const Wide smaller = shiftRightJamming(static_cast<Wide>(y.m) << 63, x.exponent - y.exponent);
    Wide r = x.negative == y.negative ? larger + smaller : larger - smaller;
    if (r == 0) return signedZero(false);
    const int shift = leadingZeros(r);
    return rounded(x.negative, x.exponent + 1 - shift, r << shift, faults);
}

SoftExtended SoftExtended::add(SoftExtended a, SoftExtended b, unsigned& faults) {
    const Operand x = unpack(a), y = unpack(b);
    if (auto nan = nanResult(a, b, x, y)) return *nan;
    return sum(x, y, faults);
}

SoftExtended SoftExtended::sub(SoftExtended a, SoftExtended b, unsigned& faults) {
    const Operand x = unpack(a);
    Operand y = unpack(b);
    if (auto nan = nanResult(a, b, x, y)) return *nan;
    y.negative = !y.negative;
    return sum(x, y, faults);
}

SoftExtended SoftExtended::mul(SoftExtended a, SoftExtended b, unsigned& faults) {
    const Operand x = unpack(a), y = unpack(b);
    if (auto nan = nanResult(a, b, x, y)) return *nan;
    const bool negative = x.negative != y.negative;
    if (x.kind == Kind::Infinity || y.kind == Kind::Infinity) {
        if (x.kind == Kind::Zero || y.kind == Kind::Zero) {
            faults |= kInvalid;
            return indefinite();
        }
        return signedInfinity(negative);
    }
    if (x.kind == Kind::Zero || y.kind == Kind::Zero) return signedZero(negative);
    // The product of two 64-bit significands lies in [2^126, 2^128).
    Wide product = static_cast<Wide>(x.m) * y.m;
    const int shift = leadingZeros(product);
    return rounded(negative, x.exponent + y.exponent + 1 - shift, product << shift, faults);
}

SoftExtended SoftExtended::div(SoftExtended a, SoftExtended b, unsigned& faults) {
    const Operand x = unpack(a), y = unpack(b);
    if (auto nan = nanResult(a, b, x, y)) return *nan;
    const bool negative = x.negative != y.negative;
    if (x.kind == Kind::Infinity) {
        if (y.kind == Kind::Infinity) {
            faults |= kInvalid;
            return indefinite();
        }
        return signedInfinity(negative);
    }
    if (y.kind == Kind::Infinity) return signedZero(negative);
    if (y.kind == Kind::Zero) {
        if (x.kind == Kind::Zero) {
            faults |= kInvalid;
            return indefinite();
        }
        faults |= kZeroDivide;
        return signedInfinity(negative);
    }
    if (x.kind == Kind::Zero) return signedZero(negative);

    // The quotient of the significands to 128 bits below its unit bit, in
    // two steps of 64; the last remainder only tells whether it is exact.
    const Wide first = (static_cast<Wide>(x.m) << 64) / y.m;
    const auto firstRest = static_cast<std::uint64_t>((static_cast<Wide>(x.m) << 64) % y.m);
    const Wide second = (static_cast<Wide>(firstRest) << 64) / y.m;
    const bool inexact = (static_cast<Wide>(firstRest) << 64) % y.m != 0;
    if ((first >> 64) != 0) {
        const Wide wide = (first << 63) | (second >> 1) | ((second & 1) != 0 || inexact ? 1 : 0);
        return rounded(negative, x.exponent - y.exponent, wide, faults);
    }
    const Wide wide = (first << 64) | second | (inexact ? 1 : 0);
    return rounded(negative, x.exponent - y.exponent - 1, wide, faults);
}

SoftExtended SoftExtended::sqrt(SoftExtended a, unsigned& faults) {
    const Operand x = unpack(a);
    if (auto nan = nanResult(a, a, x, x)) return *nan;
    if (x.kind == Kind::Zero) return a;
    if (x.negative) {
        faults |= kInvalid;
        return indefinite();
    }
    if (x.kind == Kind::Infinity) return a;
    // m × 2^k with an even power of two left over, so that the root of
    // m × 2^k is an integer of exactly 64 bits plus a fraction.
    const int k = (x.exponent & 1) != 0 ? 64 : 63;
    const Wide n = static_cast<Wide>(x.m) << k;
    const std::uint64_t root = integerSquareRoot(n);
    const Wide rest = n - static_cast<Wide>(root) * root;
    // The fraction exceeds one half exactly when rest > root; it is never
    // exactly one half.
    const std::uint64_t below = rest > root ? kIntegerBit | 1 : (rest != 0 ? 1 : 0);
    const Wide wide = (static_cast<Wide>(root) << 64) | below;
    return rounded(false, 63 + (x.exponent - 63 - k) / 2, wide, faults);
}

double SoftExtended::toDouble(SoftExtended a, unsigned& faults) {
    constexpr std::uint64_t kDoubleSign = std::uint64_t{1} << 63;
    constexpr std::uint64_t kDoubleExponent = std::uint64_t{0x7FF} << 52;
    constexpr std::uint64_t kDoubleFraction = (std::uint64_t{1} << 52) - 1;
    constexpr std::uint64_t kDoubleQuiet = std::uint64_t{1} << 51;
    const Operand x = unpack(a);
    const std::uint64_t sign = x.negative ? kDoubleSign : 0;
    switch (x.kind) {
    case Kind::Unsupported:
        return std::bit_cast<double>(kDoubleSign | kDoubleExponent | kDoubleQuiet);
    case Kind::QuietNaN:
    case Kind::SignallingNaN:
        return std::bit_cast<double>(sign | kDoubleExponent | kDoubleQuiet |
                                     ((x.m >> 11) & kDoubleFraction));
    case Kind::Infinity:
        return std::bit_cast<double>(sign | kDoubleExponent);
    case Kind::Zero:
        return std::bit_cast<double>(sign);
    case Kind::Finite:
        break;
    }
    // 53 significant bits, and none below 2^-1074, the last bit of a denormal.
    Rounded r = roundWide(x.exponent, static_cast<Wide>(x.m) << 64, 53, -1074);
    if ((r.multiple >> 53) != 0) {
        r.multiple >>= 1;
        ++r.lsb;
    }
    const auto m = static_cast<std::uint64_t>(r.multiple);
    if ((m >> 52) == 0) return std::bit_cast<double>(sign | m);
    const auto biased = static_cast<std::uint64_t>(r.lsb + 52 + 1023);
    if (biased >= 0x7FF) {
        faults |= kOverflow;
        return std::bit_cast<double>(sign | kDoubleExponent);
    }
    return std::bit_cast<double>(sign | biased << 52 | (m & kDoubleFraction));
}

std::int64_t SoftExtended::roundToInt64(SoftExtended a, unsigned& faults) {
    const Operand x = unpack(a);
    if (x.kind == Kind::Zero) return 0;
    if (x.kind != Kind::Finite || x.exponent >= 64) {
        faults |= kInvalid;
        return INT64_MIN;
    }
    const Rounded r = roundWide(x.exponent, static_cast<Wide>(x.m) << 64, 128, 0);
    const Wide limit = Wide{1} << 63;
    if (x.negative ? r.multiple > limit : r.multiple >= limit) {
        faults |= kInvalid;
        return INT64_MIN;
    }
    const auto magnitude = static_cast<std::uint64_t>(r.multiple);
    return static_cast<std::int64_t>(x.negative ? ~magnitude + 1 : magnitude);
}

int SoftExtended::binaryExponent() const { return unpack(*this).exponent; }

std::partial_ordering SoftExtended::compare(SoftExtended a, SoftExtended b) {
    const Operand x = unpack(a), y = unpack(b);
    auto ordered = [](Kind k) { return k == Kind::Zero || k == Kind::Finite || k == Kind::Infinity; };
    if (!ordered(x.kind) || !ordered(y.kind)) return std::partial_ordering::unordered;
    if (x.kind == Kind::Zero && y.kind == Kind::Zero) return std::partial_ordering::equivalent;
    if (x.negative != y.negative) {
        return x.negative ? std::partial_ordering::less : std::partial_ordering::greater;
    }
    // Zero, finite and infinite magnitudes in that order, finite ones by
    // exponent and then significand.
    auto rank = [](Kind k) { return k == Kind::Zero ? 0 : k == Kind::Finite ? 1 : 2; };
    std::strong_ordering magnitude = rank(x.kind) <=> rank(y.kind);
    if (magnitude == 0 && x.kind == Kind::Finite) {
        magnitude = x.exponent != y.exponent ? x.exponent <=> y.exponent : x.m <=> y.m;
    }
    if (x.negative) magnitude = 0 <=> magnitude;
    return magnitude;
}

}  // namespace ventbox

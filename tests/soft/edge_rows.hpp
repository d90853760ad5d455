// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <compare>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

#include "calc/faults.hpp"

namespace ventbox::edge {

// An extended value by its stored bits.
struct Bits {
    std::uint16_t signExponent;
    std::uint64_t significand;
    friend bool operator==(Bits, Bits) = default;
};

// Named values; the biased exponent of 1 is 0x3FFF.
constexpr Bits kZero{0x0000, 0};
constexpr Bits kNegativeZero{0x8000, 0};
constexpr Bits kOne{0x3FFF, 0x8000000000000000};
constexpr Bits kNegativeOne{0xBFFF, 0x8000000000000000};
constexpr Bits kTwo{0x4000, 0x8000000000000000};
constexpr Bits kHalf{0x3FFE, 0x8000000000000000};
constexpr Bits kThree{0x4000, 0xC000000000000000};
constexpr Bits kInfinity{0x7FFF, 0x8000000000000000};
constexpr Bits kNegativeInfinity{0xFFFF, 0x8000000000000000};
constexpr Bits kIndefinite{0xFFFF, 0xC000000000000000};
constexpr Bits kMaxFinite{0x7FFE, 0xFFFFFFFFFFFFFFFF};
constexpr Bits kMinNormal{0x0001, 0x8000000000000000};
constexpr Bits kMinDenormal{0x0000, 0x0000000000000001};
constexpr Bits kQuietNaN{0x7FFF, 0xC000000000000123};
constexpr Bits kNegativeQuietNaN{0xFFFF, 0xC000000000000123};
constexpr Bits kLargerQuietNaN{0x7FFF, 0xC000000000000456};
constexpr Bits kSignallingNaN{0x7FFF, 0x8000000000000789};
constexpr Bits kSmallerSignallingNaN{0x7FFF, 0x8000000000000012};
constexpr Bits kUnnormal{0x3FFF, 0x4000000000000000};
constexpr Bits kPseudoInfinity{0x7FFF, 0x0000000000000000};
constexpr Bits kPseudoDenormal{0x0000, 0x8000000000000001};
constexpr Bits kPi{0x4000, 0xC90FDAA22168C235};

enum class Operation { Add, Sub, Mul, Div, Sqrt };

struct ArithmeticRow {
    std::string_view what;
    Operation op;
    Bits a;
    Bits b;  // unused by Sqrt
    Bits result;
    unsigned faults;
};

// Results as the x87 unit gives them in extended precision, round to nearest.
inline constexpr ArithmeticRow kArithmeticRows[] = {
    {"tie below an even last bit stays", Operation::Add, kOne, {0x3FBF, 0x8000000000000000}, kOne, 0},
    {"tie above an odd last bit rounds up", Operation::Add, {0x3FFF, 0x8000000000000001},
     {0x3FBF, 0x8000000000000000}, {0x3FFF, 0x8000000000000002}, 0},
    {"tie of the largest significand carries into the exponent", Operation::Add,
     {0x3FFF, 0xFFFFFFFFFFFFFFFF}, {0x3FBF, 0x8000000000000000}, kTwo, 0},
    {"tie below one rounds to the even one", Operation::Sub, kOne, {0x3FBE, 0x8000000000000000}, kOne, 0},
    {"just over the tie below one rounds down", Operation::Sub, kOne,
     {0x3FBE, 0x8000000000000001}, {0x3FFE, 0xFFFFFFFFFFFFFFFF}, 0},
    {"cancellation leaves the last bit exactly", Operation::Sub, {0x3FFF, 0x8000000000000001},
     kOne, {0x3FC0, 0x8000000000000000}, 0},
    {"half a unit above the largest finite overflows", Operation::Add, kMaxFinite,
     {0x7FBE, 0x8000000000000000}, kInfinity, kOverflow},
    {"less than half a unit above the largest finite stays", Operation::Add, kMaxFinite,
     {0x7FBD, 0xFFFFFFFFFFFFFFFF}, kMaxFinite, 0},
    {"x − x is +0", Operation::Sub, kOne, kOne, kZero, 0},
    {"−0 − +0 is −0", Operation::Sub, kNegativeZero, kZero, kNegativeZero, 0},
    {"+0 + −0 is +0", Operation::Add, kZero, kNegativeZero, kZero, 0},
    {"−0 + −0 is −0", Operation::Add, kNegativeZero, kNegativeZero, kNegativeZero, 0},
    {"∞ − ∞ is invalid", Operation::Sub, kInfinity, kInfinity, kIndefinite, kInvalid},
    {"∞ + −∞ is invalid", Operation::Add, kInfinity, kNegativeInfinity, kIndefinite, kInvalid},
    {"∞ + finite is ∞ without a fault", Operation::Add, kInfinity, kMaxFinite, kInfinity, 0},
    {"0 × ∞ is invalid", Operation::Mul, kZero, kInfinity, kIndefinite, kInvalid},
    {"twice the largest finite overflows", Operation::Mul, kMaxFinite, kTwo, kInfinity, kOverflow},
    {"half the smallest normal is a denormal", Operation::Mul, kMinNormal, kHalf,
     {0x0000, 0x4000000000000000}, 0},
    {"half the smallest denormal ties to +0", Operation::Mul, kMinDenormal, kHalf, kZero, 0},
    {"minus half the smallest denormal ties to −0", Operation::Mul, kMinDenormal,
     {0xBFFE, 0x8000000000000000}, kNegativeZero, 0},
    {"three quarters of the smallest denormal round up to it", Operation::Mul, kMinDenormal,
     {0x3FFE, 0xC000000000000000}, kMinDenormal, 0},
    {"one and a half smallest denormals tie to two", Operation::Mul, {0x0000, 3}, kHalf,
     {0x0000, 2}, 0},
    {"denormal results round up into the normal range", Operation::Mul,
     {0x0000, 0x7FFFFFFFFFFFFFFF}, {0x3FFF, 0x8000000000000001}, kMinNormal, 0},
    {"4 × π, then × π, is one unit above 4π²", Operation::Mul, {0x4002, 0xC90FDAA22168C235},
     kPi, {0x4004, 0x9DE9E64DF22EF2D3}, 0},
    {"1 / 3 rounds up", Operation::Div, kOne, kThree, {0x3FFD, 0xAAAAAAAAAAAAAAAB}, 0},
    {"2 / 3 rounds up", Operation::Div, kTwo, kThree, {0x3FFE, 0xAAAAAAAAAAAAAAAB}, 0},
    {"1 / +0 divides by zero", Operation::Div, kOne, kZero, kInfinity, kZeroDivide},
    {"1 / −0 divides by zero to −∞", Operation::Div, kOne, kNegativeZero, kNegativeInfinity,
     kZeroDivide},
    {"a denormal / 0 divides by zero", Operation::Div, kMinDenormal, kZero, kInfinity, kZeroDivide},
    {"0 / 0 is invalid", Operation::Div, kZero, kZero, kIndefinite, kInvalid},
    {"∞ / ∞ is invalid", Operation::Div, kInfinity, kNegativeInfinity, kIndefinite, kInvalid},
    {"∞ / 0 is ∞ without a fault", Operation::Div, kInfinity, kNegativeZero, kNegativeInfinity, 0},
    {"finite / ∞ is a signed zero", Operation::Div, kNegativeOne, kInfinity, kNegativeZero, 0},
    {"the smallest normal / the largest finite underflows to zero", Operation::Div, kMinNormal,
     kMaxFinite, kZero, 0},
    {"the largest finite / a denormal overflows", Operation::Div, kMaxFinite, kMinDenormal,
     kInfinity, kOverflow},
    {"√−1 is invalid", Operation::Sqrt, kNegativeOne, {}, kIndefinite, kInvalid},
    {"√−∞ is invalid", Operation::Sqrt, kNegativeInfinity, {}, kIndefinite, kInvalid},
    {"√ of a negative denormal is invalid", Operation::Sqrt, {0x8000, 1}, {}, kIndefinite, kInvalid},
    {"√−0 is −0", Operation::Sqrt, kNegativeZero, {}, kNegativeZero, 0},
    {"√∞ is ∞", Operation::Sqrt, kInfinity, {}, kInfinity, 0},
    {"√2 rounds down", Operation::Sqrt, kTwo, {}, {0x3FFF, 0xB504F333F9DE6484}, 0},
    {"√ of the smallest denormal is normal", Operation::Sqrt, kMinDenormal, {},
     {0x1FE0, 0xB504F333F9DE6484}, 0},
    {"√ of the largest finite", Operation::Sqrt, kMaxFinite, {}, {0x5FFE, 0xFFFFFFFFFFFFFFFF}, 0},
    {"of two quiet NaNs the larger significand", Operation::Add, kQuietNaN, kLargerQuietNaN,
     kLargerQuietNaN, 0},
    {"of two quiet NaNs the larger significand, either order", Operation::Mul, kLargerQuietNaN,
     kQuietNaN, kLargerQuietNaN, 0},
    {"of two equal NaNs the positive one", Operation::Add, kNegativeQuietNaN, kQuietNaN, kQuietNaN, 0},
    {"a quiet NaN before a signalling one", Operation::Div, kSignallingNaN, kLargerQuietNaN,
     kLargerQuietNaN, 0},
    {"of two signalling NaNs the larger, made quiet", Operation::Sub, kSmallerSignallingNaN,
     kSignallingNaN, {0x7FFF, 0xC000000000000789}, 0},
    {"a NaN subtrahend keeps its sign", Operation::Sub, kOne, kNegativeQuietNaN,
     kNegativeQuietNaN, 0},
    {"√ of a negative NaN is that NaN", Operation::Sqrt, kNegativeQuietNaN, {},
     kNegativeQuietNaN, 0},
    {"an unnormal operand gives the default NaN", Operation::Add, kUnnormal, kOne, kIndefinite, 0},
    {"an unsupported operand wins over a NaN", Operation::Mul, kQuietNaN, kPseudoInfinity,
     kIndefinite, 0},
    {"√ of an unnormal is the default NaN", Operation::Sqrt, kUnnormal, {}, kIndefinite, 0},
    {"a pseudo-denormal result is written normal", Operation::Add, kPseudoDenormal, kZero,
     {0x0001, 0x8000000000000001}, 0},
};

struct ToDoubleRow {
    std::string_view what;
    Bits a;
    std::uint64_t result;  // the double's bits
    unsigned faults;
};

inline constexpr ToDoubleRow kToDoubleRows[] = {
    {"one", kOne, 0x3FF0000000000000, 0},
    {"tie below an even last bit stays", {0x3FFF, 0x8000000000000400}, 0x3FF0000000000000, 0},
    {"tie above an odd last bit rounds up", {0x3FFF, 0x8000000000000C00}, 0x3FF0000000000002, 0},
    {"just over the tie rounds up", {0x3FFF, 0x8000000000000401}, 0x3FF0000000000001, 0},
    {"the largest double", {0x43FE, 0xFFFFFFFFFFFFF800}, 0x7FEFFFFFFFFFFFFF, 0},
    {"just under the tie above the largest double", {0x43FE, 0xFFFFFFFFFFFFFBFF},
     0x7FEFFFFFFFFFFFFF, 0},
    {"the tie above the largest double overflows", {0x43FE, 0xFFFFFFFFFFFFFC00},
     0x7FF0000000000000, kOverflow},
    {"2^1024 overflows", {0xC3FF, 0x8000000000000000}, 0xFFF0000000000000, kOverflow},
    {"the largest extended overflows", kMaxFinite, 0x7FF0000000000000, kOverflow},
    {"∞ stays without a fault", kNegativeInfinity, 0xFFF0000000000000, 0},
    {"the smallest denormal double", {0x3BCD, 0x8000000000000000}, 0x0000000000000001, 0},
    {"half of it ties to zero", {0x3BCC, 0x8000000000000000}, 0x0000000000000000, 0},
    {"three quarters of it round up", {0x3BCC, 0xC000000000000000}, 0x0000000000000001, 0},
    {"one and a half of it tie to two", {0x3BCD, 0xC000000000000000}, 0x0000000000000002, 0},
    {"the smallest normal double", {0xBC01, 0x8000000000000000}, 0x8010000000000000, 0},
    {"a denormal rounds up to the smallest normal", {0x3C00, 0xFFFFFFFFFFFFFC00},
     0x0010000000000000, 0},
    {"an extended denormal is −0", {0x8000, 1}, 0x8000000000000000, 0},
    {"−0", kNegativeZero, 0x8000000000000000, 0},
    {"a quiet NaN keeps its sign and top payload", {0xFFFF, 0xC000000000000800},
     0xFFF8000000000001, 0},
    {"a signalling NaN is made quiet", {0x7FFF, 0x8000000000000800}, 0x7FF8000000000001, 0},
    {"an unnormal is the default NaN", kUnnormal, 0xFFF8000000000000, 0},
};

struct RoundRow {
    std::string_view what;
    Bits a;
    std::int64_t result;
    unsigned faults;
};

inline constexpr RoundRow kRoundRows[] = {
    {"2.5 ties to 2", {0x4000, 0xA000000000000000}, 2, 0},
    {"3.5 ties to 4", {0x4000, 0xE000000000000000}, 4, 0},
    {"−2.5 ties to −2", {0xC000, 0xA000000000000000}, -2, 0},
    {"−0.5 ties to 0", {0xBFFE, 0x8000000000000000}, 0, 0},
    {"0.75 rounds to 1", {0x3FFE, 0xC000000000000000}, 1, 0},
    {"a denormal is 0", kMinDenormal, 0, 0},
    {"−0 is 0", kNegativeZero, 0, 0},
    {"2^62 + 0.5 ties to 2^62", {0x403D, 0x8000000000000001}, 4611686018427387904, 0},
    {"2^62 + 1.5 ties to 2^62 + 2", {0x403D, 0x8000000000000003}, 4611686018427387906, 0},
    {"2^63 − 1 is the largest", {0x403D, 0xFFFFFFFFFFFFFFFE}, INT64_MAX, 0},
    {"2^63 − 0.5 ties to 2^63, outside the range", {0x403D, 0xFFFFFFFFFFFFFFFF}, INT64_MIN,
     kInvalid},
    {"2^63 is outside the range", {0x403E, 0x8000000000000000}, INT64_MIN, kInvalid},
    {"−2^63 is the smallest", {0xC03E, 0x8000000000000000}, INT64_MIN, 0},
    {"−2^63 + 0.5 ties to −2^63", {0xC03D, 0xFFFFFFFFFFFFFFFF}, INT64_MIN, 0},
    {"−2^63 − 1 is outside the range", {0xC03E, 0x8000000000000001}, INT64_MIN, kInvalid},
    {"the largest finite is outside the range", kMaxFinite, INT64_MIN, kInvalid},
    {"∞ is invalid", kInfinity, INT64_MIN, kInvalid},
    {"a NaN is invalid", kQuietNaN, INT64_MIN, kInvalid},
    {"an unnormal is invalid", kUnnormal, INT64_MIN, kInvalid},
};

struct CompareRow {
    std::string_view what;
    Bits a;
    Bits b;
    std::partial_ordering result;
};

inline constexpr CompareRow kCompareRows[] = {
    {"+0 equals −0", kZero, kNegativeZero, std::partial_ordering::equivalent},
    {"a NaN is unordered even to itself", kQuietNaN, kQuietNaN, std::partial_ordering::unordered},
    {"a NaN is unordered to a number", kOne, kSignallingNaN, std::partial_ordering::unordered},
    {"an unnormal is unordered", kUnnormal, kOne, std::partial_ordering::unordered},
    {"a pseudo-denormal equals its normal form", kPseudoDenormal, {0x0001, 0x8000000000000001},
     std::partial_ordering::equivalent},
    {"a denormal is above +0", kMinDenormal, kZero, std::partial_ordering::greater},
    {"a negative denormal is below −0", {0x8000, 1}, kNegativeZero, std::partial_ordering::less},
    {"−∞ is below every finite", kNegativeInfinity, {0xFFFE, 0xFFFFFFFFFFFFFFFF},
     std::partial_ordering::less},
    {"∞ is above every finite", kInfinity, kMaxFinite, std::partial_ordering::greater},
    {"−1 is below −0.5", kNegativeOne, {0xBFFE, 0x8000000000000000}, std::partial_ordering::less},
    {"the last bit orders", {0x3FFF, 0x8000000000000001}, kOne, std::partial_ordering::greater},
};

struct FromDoubleRow {
    std::uint64_t d;  // the double's bits
    Bits result;
};

inline constexpr FromDoubleRow kFromDoubleRows[] = {
    {0x3FF0000000000000, kOne},
    {0x8000000000000000, kNegativeZero},
    {0x0000000000000001, {0x3BCD, 0x8000000000000000}},
    {0x800FFFFFFFFFFFFF, {0xBC00, 0xFFFFFFFFFFFFF000}},
    {0x7FEFFFFFFFFFFFFF, {0x43FE, 0xFFFFFFFFFFFFF800}},
    {0x7FF0000000000000, kInfinity},
    {0x7FF0000000000001, {0x7FFF, 0xC000000000000800}},
    {0xFFF8000000000000, kIndefinite},
};

struct FromInt64Row {
    std::int64_t i;
    Bits result;
};

inline constexpr FromInt64Row kFromInt64Rows[] = {
    {0, kZero},
    {-1, kNegativeOne},
    {3, kThree},
    {INT64_MAX, {0x403D, 0xFFFFFFFFFFFFFFFE}},
    {INT64_MIN, {0xC03E, 0x8000000000000000}},
    {INT64_MIN + 1, {0xC03D, 0xFFFFFFFFFFFFFFFE}},
};

template <typename T>
T make(Bits b) {
    return T::fromBits(b.signExponent, b.significand);
}

template <typename T>
Bits bitsOf(T x) {
    return {x.signExponent(), x.significand()};
}

template <typename T>
T apply(Operation op, T a, T b, unsigned& faults) {
    switch (op) {
    case Operation::Add: return T::add(a, b, faults);
    case Operation::Sub: return T::sub(a, b, faults);
    case Operation::Mul: return T::mul(a, b, faults);
    case Operation::Div: return T::div(a, b, faults);
    case Operation::Sqrt: return T::sqrt(a, faults);
    }
    return a;
}

inline std::string hex(Bits b) {
    char text[32];
    std::snprintf(text, sizeof text, "%04X:%016llX", b.signExponent,
                  static_cast<unsigned long long>(b.significand));
    return text;
}

}  // namespace ventbox::edge

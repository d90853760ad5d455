// SPDX-License-Identifier: GPL-3.0-or-later
#include "power_of_ten.hpp"

namespace ventbox {

namespace {

constexpr Extended toExtended(PowerOfTen p) { return Extended::fromParts(false, p.m, p.e); }

template <std::size_t N>
constexpr std::array<Extended, N> toExtended(const std::array<PowerOfTen, N>& table) {
    std::array<Extended, N> values{};
    for (std::size_t i = 0; i < N; ++i) values[i] = toExtended(table[i]);
    return values;
}

constexpr auto kSmall = toExtended(kSmallPowersOfTen);
constexpr auto kMedium = toExtended(kMediumPowersOfTen);
constexpr auto kLarge = toExtended(kLargePowersOfTen);

constexpr int kScaleLimit = 5120;

}  // namespace

Extended smallPowerOfTen(int p) { return kSmall[static_cast<std::size_t>(p)]; }

Extended scaleByPowerOfTen(Extended x, int p, unsigned& faults) {
    if (p == 0) return x;
    const int q = p < 0 ? -p : p;
    if (q >= kScaleLimit) {
        Extended limit = p < 0 ? Extended::fromInt64(0) : Extended::infinity();
        return x.signBit() ? limit.negated() : limit;
    }
    const Extended* factors[3] = {
        q % 32 != 0 ? &kSmall[q % 32] : nullptr,
        (q / 32) % 16 != 0 ? &kMedium[(q / 32) % 16 - 1] : nullptr,
        q / 512 != 0 ? &kLarge[q / 512 - 1] : nullptr,
    };
    for (const Extended* factor : factors) {
        if (factor == nullptr) continue;
        x = p > 0 ? Extended::mul(x, *factor, faults) : Extended::div(x, *factor, faults);
    }
    return x;
}

}  // namespace ventbox

// SPDX-License-Identifier: GPL-3.0-or-later
#include "box_sizes.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>

#include "driver_figures.hpp"

namespace ventbox {

namespace {

// Scaling and tuning settle within a few rounds: the duct's volume is a
// small part of the box's.
constexpr int kRounds = 4;
// Millimetres the longest side is moved either way in the last search.
constexpr long long kSideSearch = 2;

constexpr std::array<Field, 3> kSides{Field::BL1, Field::BL2, Field::BL3};

std::string& textOf(FieldTexts& texts, Field field) {
    return texts[static_cast<std::size_t>(field)];
}

// The box's sides scaled so that the longest is `longestMm` millimetres,
// each rounded to a whole millimetre.
FieldTexts scaled(FieldTexts texts, const TDesign& now, Field longest, long long longestMm) {
    const double factor = static_cast<double>(longestMm) / (now.value(longest) * 10);
    for (const Field side : kSides) {
        textOf(texts, side) = millimetreText(std::llround(now.value(side) * 10 * factor));
    }
    return texts;
}

double squaredLogError(double got, double wanted) {
    const double e = std::log(got / wanted);
    return e * e;
}

}  // namespace

AlignedBox boxForAlignment(const FieldTexts& texts, bool pipe, double alpha, double h) {
    const CalculatedDesign now = calculateTexts(texts, pipe);
    const TDesign& d = now.design;
    if (!(d.BL1 > 0 && d.BL2 > 0 && d.BL3 > 0)) {
        throw NoTuning("the box's sides must all be positive to keep their proportions");
    }
    const DriverFigures driver = driverFiguresOf(d, now.results);
    const double wantedVo = driver.Vas / alpha;  // litres
    const double wantedFb = h * driver.fo;
    const Field longest = *std::ranges::max_element(
        kSides, [&](Field a, Field b) { return d.value(a) < d.value(b); });
    const double inner = d.BL1 * d.BL2 * d.BL3;

    // The longest side that gives the wanted Vo with a duct of `L3` cm.
    auto longestFor = [&](double L3) {
        const double S = ductOpening(d, now.results, pipe);
        const double factor = std::cbrt((wantedVo * 1000 + S * L3) / inner);
        return std::llround(d.value(longest) * 10 * factor);
    };
    auto sized = [&](long long longestMm) {
        return tuneDuct(scaled(texts, d, longest, longestMm), pipe, wantedFb);
    };

    long long side = longestFor(d.L3);
    DuctTuning duct = sized(side);
    for (int round = 0; round < kRounds; ++round) {
        const long long next = longestFor(duct.calculated.design.L3);
        if (next == side) break;
        side = next;
        duct = sized(side);
    }
    auto error = [&](const DuctTuning& t) {
        const TDesignResults& r = t.calculated.results;
        return squaredLogError(r.sc / r.so, alpha) + squaredLogError(r.fd / driver.fo, h);
    };
    long long bestSide = side;
    for (long long mm = side - kSideSearch; mm <= side + kSideSearch; ++mm) {
        if (mm == side || mm < 1) continue;
        try {
            DuctTuning t = sized(mm);
            if (error(t) < error(duct)) {
                duct = std::move(t);
                bestSide = mm;
            }
        } catch (const NoTuning&) {
            // A box a millimetre off that no duct tunes is no better one.
        }
    }
    FieldTexts result = scaled(texts, d, longest, bestSide);
    textOf(result, Field::L3) = duct.text;
    return AlignedBox{std::move(result), std::move(duct)};
}

}  // namespace ventbox

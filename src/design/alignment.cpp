// SPDX-License-Identifier: GPL-3.0-or-later
#include "alignment.hpp"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>
#include <utility>

namespace ventbox {

namespace {

struct Coefficients {
    double a1, a2, a3;
};

// Butterworth: the poles at π/8 and 3π/8 from the imaginary axis.
const double kB4a1 = std::sqrt(4 + 2 * std::numbers::sqrt2);
const double kB4a2 = 2 + std::numbers::sqrt2;

// A root search: `steps` even steps over the interval, then halving the
// first step where the sign changes. Steps where the function is undefined,
// jumps across a pole rather than through zero, or whose root `accept`
// refuses are passed over.
struct Search {
    int steps;
    int halvings;
    double jump;  // |f| above this at the found point is a pole, not a root
};
constexpr Search kTuningSearch{.steps = 400, .halvings = 80, .jump = 1e-6};
constexpr Search kQtSearch{.steps = 160, .halvings = 80, .jump = 1e-6};
// The Qt a polynomial may ask for lies in this range, sought on a log scale.
constexpr double kLeastQt = 1e-3;
constexpr double kMostQt = 100;
// The end of a family's parameter, 0 to 1, and the halvings that find where
// a family stops giving boxes.
constexpr double kFamilyEnd = 1 - 1e-9;
constexpr int kRangeHalvings = 30;

template <class F, class Accept>
std::optional<double> firstRoot(F f, double low, double high, bool logScale, const Search& search,
                                Accept accept) {
    auto at = [&](int i) {
        const double share = static_cast<double>(i) / search.steps;
        return logScale ? low * std::pow(high / low, share) : low + (high - low) * share;
    };
    double x0 = at(0);
    std::optional<double> y0 = f(x0);
    for (int i = 1; i <= search.steps; ++i) {
        const double x1 = at(i);
        const std::optional<double> y1 = f(x1);
        if (y0 && y1 && (*y0 <= 0) != (*y1 <= 0)) {
            double below = x0;
            double above = x1;
            const bool rising = *y0 <= 0;
            bool defined = true;
            for (int k = 0; k < search.halvings && defined; ++k) {
                const double middle = (below + above) / 2;
                const std::optional<double> y = f(middle);
                defined = y.has_value();
                if (defined) ((*y <= 0) == rising ? below : above) = middle;
            }
            const double root = (below + above) / 2;
            const std::optional<double> y = f(root);
            if (defined && y && std::abs(*y) < search.jump && accept(root)) return root;
        }
        x0 = x1;
        y0 = y1;
    }
    return std::nullopt;
}

// Dividing the a1 equation by the a3 one leaves h alone:
// h = (a3·Ql - a1·Qt) / (a1·Ql - a3·Qt). Nothing where that is no ratio.
std::optional<double> tuningOf(const Coefficients& c, double Qt, double Ql) {
    const double h = (c.a3 * Ql - c.a1 * Qt) / (c.a1 * Ql - c.a3 * Qt);
    if (!(h > 0) || !std::isfinite(h)) return std::nullopt;
    return h;
}

// What is left of a1 = 1/(√h·Qt) + √h/Ql once h is taken from the ratio.
std::optional<double> residue(const Coefficients& c, double Qt, double Ql) {
    const std::optional<double> h = tuningOf(c, Qt, Ql);
    if (!h) return std::nullopt;
    return c.a1 * std::sqrt(*h) - 1 / Qt - *h / Ql;
}

struct Solution {
    double Qt, alpha, h;
};

// The box a polynomial gives a driver of Qt; nothing where no box has it
// (alpha, the box's share of the stiffness, must be positive).
std::optional<Solution> boxOf(const Coefficients& c, double Qt, double Ql) {
    const std::optional<double> h = tuningOf(c, Qt, Ql);
    if (!h) return std::nullopt;
    const double alpha = *h * (c.a2 - 1 / (Ql * Qt)) - 1 - *h * *h;
    if (!(alpha > 0) || !std::isfinite(alpha)) return std::nullopt;
    return Solution{Qt, alpha, *h};
}

// The one driver a polynomial suits at these losses.
std::optional<Solution> driverOf(const Coefficients& c, double Ql) {
    const std::optional<double> Qt =
        firstRoot([&](double q) { return residue(c, q, Ql); }, kLeastQt, kMostQt, true, kQtSearch,
                  [&](double q) { return boxOf(c, q, Ql).has_value(); });
    if (!Qt) return std::nullopt;
    return boxOf(c, *Qt, Ql);
}

Coefficients butterworth() { return {kB4a1, kB4a2, kB4a1}; }

// The Bessel polynomial s⁴ + 10s³ + 45s² + 105s + 105 with s turned into
// 1/s and scaled by 105^(1/4), so that both end terms are 1.
Coefficients bessel() {
    const double c = std::pow(105.0, -0.25);
    return {105 * c * c * c, 45 * c * c, 10 * c};
}

// The families' parameter t runs from 0 (B4) towards 1; u = t/(1 - t)
// stretches it to the whole of 0 to infinity.
double stretched(double t) { return t / (1 - t); }

Coefficients quasiThirdOrder(double t) {
    const double a2 = kB4a2 + stretched(t);
    const double a1 = std::sqrt(2 * a2);
    return {a1, a2, (a2 * a2 + 2) / (2 * a1)};
}

Coefficients subBoomBox(double t) {
    const double a1 = kB4a1 + stretched(t);
    return {a1, std::sqrt(2 * a1 * a1 - 2), a1};
}

// The Chebyshev low-pass poles scaled by cosh v, -k·sin θ ± j·cos θ: each
// pair a factor m·s² + 2k·sin θ·s + 1 of the high-pass denominator with
// m = k²·sin²θ + cos²θ; s scaled by (m1·m2)^(1/4) makes the s⁴ term 1.
Coefficients chebyshev(double t) {
    const double k = 1 - t;
    const double s1 = std::sin(std::numbers::pi / 8), c1 = std::cos(std::numbers::pi / 8);
    const double s2 = c1, c2 = s1;  // 3π/8 is π/8 from the other axis
    const double m1 = k * k * s1 * s1 + c1 * c1;
    const double m2 = k * k * s2 * s2 + c2 * c2;
    const double m = m1 * m2;
    return {2 * k * (s1 * m2 + s2 * m1) / std::pow(m, 0.75),
            (m1 + m2 + 4 * k * k * s1 * s2) / std::sqrt(m), 2 * k * (s1 + s2) / std::pow(m, 0.25)};
}

double chebyshevRippleDb(double t) {
    const double k = 1 - t;
    if (k >= 1) return 0;
    const double epsilon = 1 / std::sinh(4 * std::atanh(k));
    return 10 * std::log10(1 + epsilon * epsilon);
}

using FamilyMember = Coefficients (*)(double t);

FamilyMember memberOf(AlignmentFamily family) {
    switch (family) {
        case AlignmentFamily::QB3: return quasiThirdOrder;
        case AlignmentFamily::SBB4: return subBoomBox;
        case AlignmentFamily::C4: return chebyshev;
        case AlignmentFamily::B4:
        case AlignmentFamily::BL4: break;
    }
    return nullptr;
}

// How far a family goes on giving boxes at these losses: its members are
// boxes from B4 (t = 0) up to the returned t.
std::optional<double> familyEnd(FamilyMember member, double Ql) {
    if (!driverOf(member(0), Ql)) return std::nullopt;
    if (driverOf(member(kFamilyEnd), Ql)) return kFamilyEnd;
    double good = 0;
    double bad = kFamilyEnd;
    for (int i = 0; i < kRangeHalvings; ++i) {
        const double middle = (good + bad) / 2;
        (driverOf(member(middle), Ql) ? good : bad) = middle;
    }
    return good;
}

Alignment alignmentOf(AlignmentFamily family, const DriverFigures& driver, double Ql) {
    Alignment result;
    result.family = family;
    std::optional<Solution> box;
    if (const FamilyMember member = memberOf(family)) {
        const std::optional<double> end = familyEnd(member, Ql);
        if (!end) return result;
        const double atB4 = driverOf(member(0), Ql)->Qt;
        double atEnd = driverOf(member(*end), Ql)->Qt;
        // A family that gives boxes up to the bounds of the search goes on
        // to every Qt beyond them.
        if (atEnd < 2 * kLeastQt) atEnd = 0;
        if (atEnd > kMostQt / 2) atEnd = std::numeric_limits<double>::infinity();
        result.range = QtRange{std::min(atB4, atEnd), std::max(atB4, atEnd)};
        if (!(driver.Qt >= result.range->lowest && driver.Qt <= result.range->highest)) {
            return result;
        }
        const std::optional<double> t = firstRoot(
            [&](double t) { return residue(member(t), driver.Qt, Ql); }, 0, *end, false,
            kTuningSearch, [&](double t) { return boxOf(member(t), driver.Qt, Ql).has_value(); });
        // B4's own Qt is the family's end, where the residue is zero
        // without changing sign; a root the search misses is no alignment.
        const std::optional<double> at =
            t ? t : driver.Qt == atB4 ? std::optional(0.0) : std::nullopt;
        if (!at) return result;
        box = boxOf(member(*at), driver.Qt, Ql);
        if (family == AlignmentFamily::C4) result.rippleDb = chebyshevRippleDb(*at);
    } else {
        box = driverOf(family == AlignmentFamily::B4 ? butterworth() : bessel(), Ql);
        if (!box) return result;
        result.range = QtRange{box->Qt, box->Qt};
        if (!(std::abs(driver.Qt - box->Qt) <= kSameQt)) return result;
    }
    if (!box) return result;
    result.found = true;
    result.alpha = box->alpha;
    result.h = box->h;
    result.Vo = driver.Vas / box->alpha;
    result.fb = box->h * driver.fo;
    const Response response(box->alpha, box->h, driver.Qt, Ql, driver.fo);
    result.F3 = ventedF3(response);
    result.peak = ventedPeak(response);
    return result;
}

}  // namespace

std::string_view alignmentName(AlignmentFamily family) {
    constexpr std::string_view kNames[] = {"QB3", "SBB4", "B4", "C4", "BL4"};
    return kNames[static_cast<int>(family)];
}

std::vector<Alignment> alignmentsFor(const DriverFigures& driver, double Ql) {
    const std::pair<double, const char*> needed[] = {
        {driver.Vas, "Vas"}, {driver.fo, "fo"}, {driver.Qt, "Qt"}};
    for (const auto& [value, name] : needed) {
        if (!(value > 0) || !std::isfinite(value)) {
            throw NoAlignment(std::string(name) + " is not a positive number");
        }
    }
    std::vector<Alignment> alignments;
    for (const AlignmentFamily family : kAlignmentFamilies) {
        alignments.push_back(alignmentOf(family, driver, Ql));
    }
    return alignments;
}

}  // namespace ventbox

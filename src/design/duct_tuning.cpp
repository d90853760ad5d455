// SPDX-License-Identifier: GPL-3.0-or-later
#include "duct_tuning.hpp"

#include <algorithm>
#include <cmath>
#include <optional>

#include "air.hpp"
#include "fixed_text.hpp"

namespace ventbox {

namespace {

constexpr long long kShortestDuct = 1;  // mm
// Lengths tried on each side of the continuous solution: at least a few,
// since the rounding of Vo to a whole cm³ and of fd to 0.1 Hz moves the best
// whole millimetre from it, then on while fd stays within a step of the
// best; where a long duct changes fd by little, no further than a bound.
constexpr long long kWindow = 6;
constexpr long long kFarthest = 2000;
constexpr double kFdStep = 0.1;
constexpr int kHalvings = 100;
// The calculation's duct formula, fd = 160·√(S/(Vo·(L3 + r))), and the
// effective length its duct mass is reckoned with, L3 + 4r/3.
constexpr double kDuctFactor = 160;
constexpr double kMassEndCorrection = 4.0 / 3.0;

struct Box {
    double inner;  // cm³, BL1·BL2·BL3
    double S;      // cm²
    double r;      // cm
};

// fd of a duct of `L` cm before any rounding, the box less the duct's volume.
double continuousFd(const Box& box, double L) {
    const double Vo = (box.inner - box.S * L) / 1000;
    return kDuctFactor * std::sqrt(box.S / Vo / (L + box.r));
}

struct Trial {
    long long millimetres;
    CalculatedDesign calculated;
    double unroundedFd;
};

Trial trial(FieldTexts texts, bool pipe, const Box& box, long long millimetres) {
    texts[static_cast<std::size_t>(Field::L3)] = millimetreText(millimetres);
    Trial t{millimetres, calculateTexts(texts, pipe), 0};
    t.unroundedFd = kDuctFactor * std::sqrt(box.S / t.calculated.results.Vo /
                                            (t.calculated.design.L3 + t.calculated.results.r));
    return t;
}

std::string hz(double f) { return fixedText(f, 1) + " Hz"; }

}  // namespace

DuctTuning tuneDuct(const FieldTexts& texts, bool pipe, double targetFb) {
    const CalculatedDesign current = calculateTexts(texts, pipe);
    const TDesign& d = current.design;
    const Box box{d.BL1 * d.BL2 * d.BL3, ductOpening(d, current.results, pipe), current.results.r};
    if (!(d.BL1 > 0 && d.BL2 > 0 && d.BL3 > 0 && box.S > 0 && box.r > 0)) {
        throw NoTuning("no duct tunes a box whose sizes and duct opening are not all positive");
    }
    if (!(targetFb > 0) || !std::isfinite(targetFb)) {
        throw NoTuning("the tuning must be a positive number of Hz");
    }
    // Vo·(L3 + r), under the root's divisor, is largest here: a longer duct
    // takes more of the box than it adds to its own length.
    const double turning = (box.inner / box.S - box.r) / 2;
    const long long longest = static_cast<long long>(std::floor(turning * 10));
    if (longest < kShortestDuct) {
        throw NoTuning("the box is too small for a duct of this opening");
    }
    // The continuous length for the target, then the whole millimetres near it.
    double shorter = kShortestDuct / 10.0;
    double longer = longest / 10.0;
    for (int i = 0; i < kHalvings; ++i) {
        const double middle = (shorter + longer) / 2;
        (continuousFd(box, middle) > targetFb ? shorter : longer) = middle;
    }
    const long long guess = std::llround(shorter * 10);
    std::optional<Trial> best;
    auto farther = [&](const Trial& a, const Trial& b) {
        const double da = std::abs(a.calculated.results.fd - targetFb);
        const double db = std::abs(b.calculated.results.fd - targetFb);
        if (da != db) return da > db;
        return std::abs(a.unroundedFd - targetFb) > std::abs(b.unroundedFd - targetFb);
    };
    const long long start = std::clamp(guess, kShortestDuct, longest);
    best = trial(texts, pipe, box, start);
    for (const long long direction : {-1, 1}) {
        for (long long k = 1; k <= kFarthest; ++k) {
            const long long mm = start + direction * k;
            if (mm < kShortestDuct || mm > longest) break;
            Trial t = trial(texts, pipe, box, mm);
            const double distance = std::abs(t.calculated.results.fd - targetFb);
            const double bestDistance = std::abs(best->calculated.results.fd - targetFb);
            if (farther(*best, t)) best = std::move(t);
            if (k >= kWindow && distance > bestDistance + kFdStep) break;
        }
    }
    // Half a step of the shown fd beyond the ends is still the end's tuning.
    const double halfStep = kFdStep / 2;
    if (best->millimetres == kShortestDuct && targetFb > best->calculated.results.fd + halfStep) {
        throw NoTuning("fb " + fixedText(targetFb, 1) +
                       " Hz needs a duct shorter than 1 mm, a negative length: 1 mm gives fd " +
                       hz(best->calculated.results.fd));
    }
    if (best->millimetres == longest && targetFb < best->calculated.results.fd - halfStep) {
        throw NoTuning("fb " + fixedText(targetFb, 1) +
                       " Hz is below any duct that fits the box: a longer duct takes the box's "
                       "volume, and the lowest fd is " + hz(best->calculated.results.fd) +
                       " at L3 = " + millimetreText(longest) + " cm");
    }
    const double L3 = best->calculated.design.L3;
    const double effectiveLength = (L3 + kMassEndCorrection * box.r) / 100;  // m
    return DuctTuning{targetFb,
                      best->millimetres,
                      millimetreText(best->millimetres),
                      std::move(best->calculated),
                      kSoundSpeed / (2 * effectiveLength),
                      L3 > d.BL3};
}

}  // namespace ventbox

// SPDX-License-Identifier: GPL-3.0-or-later
#include "response.hpp"

#include <cmath>
#include <numbers>
#include <utility>

namespace ventbox {

namespace {

// F3 is sought from the top of the audio band down in small steps, then the
// crossing is halved.
struct F3Search {
    int stepsPerOctave;  // fine enough that no dip of a real box slips between two steps
    double floor;        // Hz; a level still above it there counts as F3 = 0
    int bisections;      // down far below 0.01 Hz
};
constexpr F3Search kF3{.stepsPerOctave = 96, .floor = 0.001, .bisections = 60};
// A rise that shows as 0.00 dB is no peak, only the rounding of a flat top.
constexpr double kLeastPeakDb = 0.01;

double dB(double magnitude) { return 20.0 * std::log10(magnitude); }

double roundedToHundredths(double f) { return std::round(f * 100.0) / 100.0; }

template <class Level>
std::optional<double> f3Of(Level level) {
    if (!(level(kF3Ceiling) > kF3Level)) return std::nullopt;
    const double step = std::exp2(-1.0 / kF3.stepsPerOctave);
    double above = kF3Ceiling;
    double below = kF3Ceiling * step;
    while (level(below) > kF3Level) {
        above = below;
        below *= step;
        if (below < kF3.floor) return 0.0;
    }
    for (int i = 0; i < kF3.bisections; ++i) {
        const double middle = std::sqrt(above * below);
        (level(middle) > kF3Level ? above : below) = middle;
    }
    return roundedToHundredths(above);
}

}  // namespace

double gridFrequency(int k) {
    return kGridStart * std::exp2(static_cast<double>(k) / kGridPointsPerOctave);
}

Response::Response(double alpha, double h, double Qt, double Ql, double fo)
    : f0_(fo * std::sqrt(h)), fc_(fo * std::sqrt(1 + alpha)), Qtc_(Qt * std::sqrt(1 + alpha)) {
    const double rootH = std::sqrt(h);
    const double QlQt = Ql * Qt;
    a_ = {(Ql + h * Qt) / (rootH * QlQt), (h + (alpha + 1 + h * h) * QlQt) / (h * QlQt),
          (h * Ql + Qt) / (rootH * QlQt)};
    for (double a : {a_[0], a_[1], a_[2], fc_, Qtc_}) {
        if (!std::isfinite(a)) throw NoResponse("the box's coefficients are out of range");
    }
}

// |G| of s⁴ / (s⁴ + a1·s³ + a2·s² + a3·s + 1) at s = jω. Below ω = 1 the
// polynomial is taken in s, above it in 1/s, so that no power overflows.
double Response::ventedDb(double f) const {
    const auto [a1, a2, a3] = a_;
    const double w = f / f0_;
    if (w < 1) {
        const double w2 = w * w;
        return 4 * dB(w) - dB(std::hypot(1 - a2 * w2 + w2 * w2, a3 * w - a1 * w2 * w));
    }
    const double v = 1 / w;
    const double v2 = v * v;
    return -dB(std::hypot(1 - a2 * v2 + v2 * v2, a3 * v2 * v - a1 * v));
}

// |Gc| of s² / (s² + s/Qtc + 1) at s = jω/ωc, taken the same way.
double Response::closedDb(double f) const {
    const double w = f / fc_;
    if (w < 1) return 2 * dB(w) - dB(std::hypot(1 - w * w, w / Qtc_));
    const double v = 1 / w;
    return -dB(std::hypot(1 - v * v, v / Qtc_));
}

// The numerator s⁴ turns the phase by a constant, so the delay is the rate
// at which the denominator's argument turns: D(jw) = R + jI with
// R = w⁴ - a2·w² + 1 and I = a3·w - a1·w³, d(arg D)/dw = (R·I' - I·R')/|D|²,
// divided by ω0 = 2π·f0 to count in seconds.
double Response::ventedGroupDelay(double f) const {
    const auto [a1, a2, a3] = a_;
    const double w = f / f0_;
    const double w2 = w * w;
    const double R = w2 * w2 - a2 * w2 + 1;
    const double I = a3 * w - a1 * w2 * w;
    const double dR = 4 * w2 * w - 2 * a2 * w;
    const double dI = a3 - 3 * a1 * w2;
    return (R * dI - I * dR) / (R * R + I * I) / (2 * std::numbers::pi * f0_);
}

Response responseOf(const TDesign& design, const TDesignResults& results, double Ql) {
    const std::pair<double, const char*> needed[] = {
        {results.so, "so"}, {results.sc, "sc"}, {results.fd, "fd"},
        {design.fo, "fo"},  {design.Qo, "Qo"},
    };
    for (const auto& [value, name] : needed) {
        if (!(value > 0)) throw NoResponse(std::string(name) + " is not positive");
    }
    return Response(results.sc / results.so, results.fd / design.fo, design.Qo, Ql, design.fo);
}

std::optional<double> ventedF3(const Response& response) {
    return f3Of([&](double f) { return response.ventedDb(f); });
}

std::optional<double> closedF3(const Response& response) {
    return f3Of([&](double f) { return response.closedDb(f); });
}

std::vector<double> overGrid(const Response& response, ResponseCurve curve) {
    std::vector<double> values(kGridPoints);
    for (int k = 0; k < kGridPoints; ++k) values[k] = (response.*curve)(gridFrequency(k));
    return values;
}

std::optional<Peak> ventedPeak(const Response& response) {
    int best = 0;
    double bestDb = response.ventedDb(gridFrequency(0));
    for (int k = 1; k < kGridPoints; ++k) {
        const double db = response.ventedDb(gridFrequency(k));
        if (db > bestDb) {
            best = k;
            bestDb = db;
        }
    }
    if (best == 0 || best == kGridPoints - 1) return std::nullopt;
    // Golden-section search between the neighbouring grid points, in log f.
    const double ratio = (std::sqrt(5.0) - 1) / 2;
    double low = std::log(gridFrequency(best - 1));
    double high = std::log(gridFrequency(best + 1));
    auto level = [&](double logF) { return response.ventedDb(std::exp(logF)); };
    double x1 = high - ratio * (high - low);
    double x2 = low + ratio * (high - low);
    double y1 = level(x1);
    double y2 = level(x2);
    while (std::exp(high) - std::exp(low) > 1e-4) {
        if (y1 < y2) {
            low = x1;
            x1 = std::exchange(x2, low + ratio * (high - low));
            y1 = std::exchange(y2, level(x2));
        } else {
            high = x2;
            x2 = std::exchange(x1, high - ratio * (high - low));
            y2 = std::exchange(y1, level(x1));
        }
    }
    const double f = roundedToHundredths(std::exp((low + high) / 2));
    const double db = response.ventedDb(f);
    if (!(db >= kLeastPeakDb)) return std::nullopt;
    return Peak{db, f};
}

}  // namespace ventbox

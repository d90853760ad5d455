// SPDX-License-Identifier: GPL-3.0-or-later
#include "plot_axis.hpp"

#include <array>
#include <cmath>

#include "fixed_text.hpp"

namespace ventbox {

namespace {

constexpr std::array<double, 3> kSteps{1, 2, 5};
// Values within this share of a step count as on it: tick values are sums
// of steps and carry their rounding.
constexpr double kOnStep = 1e-9;

double floorTo(double value, double step) { return std::floor(value / step + kOnStep) * step; }
double ceilTo(double value, double step) { return std::ceil(value / step - kOnStep) * step; }

}  // namespace

LinearScale niceScale(double low, double high, int maxSteps) {
    if (!(std::isfinite(low) && std::isfinite(high) && high > low && maxSteps > 0)) {
        const double base = std::isfinite(low) ? low : 0;
        return {base, base + 1, 1};
    }
    for (double power = std::pow(10.0, std::floor(std::log10((high - low) / maxSteps)));;
         power *= 10) {
        for (double mantissa : kSteps) {
            const double step = mantissa * power;
            const double lowEnd = floorTo(low, step);
            const double highEnd = ceilTo(high, step);
            if (std::round((highEnd - lowEnd) / step) <= maxSteps) return {lowEnd, highEnd, step};
        }
    }
}

std::vector<double> tickValues(const LinearScale& scale) {
    std::vector<double> values;
    const long steps = std::lround((scale.high - scale.low) / scale.step);
    for (long i = 0; i <= steps; ++i) {
        values.push_back(scale.low + static_cast<double>(i) * scale.step);
    }
    return values;
}

std::string tickLabel(double value, double step, bool signed_) {
    const int decimals = step >= 1 ? 0 : static_cast<int>(std::ceil(-std::log10(step) - kOnStep));
    std::string digits = fixedText(std::abs(value), decimals);
    if (digits.find_first_not_of("0.") == std::string::npos) return digits;
    if (value < 0) return "\u2212" + digits;
    return signed_ ? "+" + digits : digits;
}

std::vector<LogTick> logTicks(double lowHz, double highHz) {
    std::vector<LogTick> ticks;
    for (double decade = std::pow(10.0, std::floor(std::log10(lowHz) + kOnStep)); decade <= highHz;
         decade *= 10) {
        for (int multiple = 1; multiple <= 9; ++multiple) {
            const double hz = decade * multiple;
            if (hz < lowHz * (1 - kOnStep) || hz > highHz * (1 + kOnStep)) continue;
            ticks.push_back({hz, multiple == 1 || multiple == 2 || multiple == 5, multiple == 1});
        }
    }
    return ticks;
}

std::string frequencyLabel(double hz) {
    if (hz >= 1000) return fixedText(hz / 1000, 0) + "k";
    return fixedText(hz, 0);
}

}  // namespace ventbox

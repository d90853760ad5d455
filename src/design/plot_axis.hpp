// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

namespace ventbox {

// A value axis whose ends and labelled ticks fall on whole steps of 1, 2 or
// 5 times a power of ten, the steps a reader counts in.
struct LinearScale {
    double low;
    double high;
    double step;
};

// The finest such step that spans `low` to `high` (widened to whole steps)
// in at most `maxSteps` steps. A span that is empty or not finite gets one
// step of 1 above `low`.
LinearScale niceScale(double low, double high, int maxSteps);

// The tick values of a scale, from its low end to its high end.
std::vector<double> tickValues(const LinearScale& scale);

// A tick's label: as many decimals as the step needs, and a true minus sign;
// with `signed_`, a plus sign above zero too (levels read as gains).
std::string tickLabel(double value, double step, bool signed_);

// A log frequency axis: the labelled ticks at 1, 2 and 5 of each decade
// between its ends, the grid at every whole multiple of each decade.
struct LogTick {
    double hz;
    bool labelled;
    bool decade;
};
std::vector<LogTick> logTicks(double lowHz, double highHz);
// "20", "500", "1k", "2k", "10k".
std::string frequencyLabel(double hz);

}  // namespace ventbox

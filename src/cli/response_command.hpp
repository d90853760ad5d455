// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace ventbox::cli {

inline constexpr const char* kResponseUsage =
    "usage: ventbox-cli response [--ql Q] [--format text|csv|svg] [--output FILE] [--] FILE...\n";

inline constexpr const char* kResponseHelp =
    "Reads design files as the window loads them (\"-\": one design from standard\n"
    "input), recalculates each and gives the frequency response of the design in its\n"
    "vented box and of the same driver in a closed box of the same volume.\n"
    "  --ql Q         box losses, a positive number (default 7)\n"
    "  --format F     text (default): F3 and peak per design; csv: the levels from\n"
    "                 10 Hz to 1 kHz, 24 an octave; svg: a plot of every design\n"
    "  --output FILE  write to FILE instead of standard output\n"
    "Exit status: 0 done, 1 a design had no response or the output failed, 2 bad usage.\n";

// `ventbox-cli response`: the frequency response of saved designs, as a
// summary table, a table of levels or a plot. Returns the exit status: 0
// done, 1 a design had no response or the output could not be written, 2
// bad usage.
int runResponseCommand(const std::vector<std::string>& args, std::ostream& out,
                       std::ostream& err);

}  // namespace ventbox::cli

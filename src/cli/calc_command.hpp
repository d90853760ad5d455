// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace ventbox::cli {

inline constexpr const char* kCalcUsage =
    "usage: ventbox-cli calc [--pipe] [--sep C] [--format text|kv|json] "
    "[--save NAME [--data-dir DIR]] [--] A FO MO QO BL1 BL2 BL3 L1 L2 L3\n";

inline constexpr const char* kCalcHelp =
    "Calculates one design from the ten field texts, exactly as the window does.\n"
    "  --pipe          the duct is a round pipe of diameter L1\n"
    "  --sep C         the decimal separator: one ASCII punctuation character but + and -\n"
    "                  (default: the locale's, \".\" when it has none of one character)\n"
    "  --format F      text (default), kv or json\n"
    "  --save NAME     after a successful calculation, save the design as NAME\n"
    "  --data-dir DIR  the data folder of --save (default ./Data)\n"
    "Exit status: 0 done, 1 the calculation, the save or the output failed, 2 bad usage.\n";

// `ventbox-cli calc`: one calculation from ten field texts. Returns the exit
// status: 0 done, 1 the calculation failed, 2 bad usage.
int runCalcCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace ventbox::cli

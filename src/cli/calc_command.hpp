// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace ventbox::cli {

inline constexpr const char* kCalcUsage =
    "usage: ventbox-cli calc [--pipe] [--sep C] [--format text|kv|json] "
    "[--save NAME [--data-dir DIR]] [--] A FO MO QO BL1 BL2 BL3 L1 L2 L3\n";

// `ventbox-cli calc`: one calculation from ten field texts. Returns the exit
// status: 0 done, 1 the calculation failed, 2 bad usage.
int runCalcCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace ventbox::cli

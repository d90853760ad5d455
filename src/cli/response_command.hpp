// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace ventbox::cli {

inline constexpr const char* kResponseUsage =
    "usage: ventbox-cli response [--ql Q] [--format text|csv|svg] [--output FILE] [--] FILE...\n";

// `ventbox-cli response`: the frequency response of saved designs, as a
// summary table, a table of levels or a plot. Returns the exit status: 0
// done, 1 a design had no response or the output could not be written, 2
// bad usage.
int runResponseCommand(const std::vector<std::string>& args, std::ostream& out,
                       std::ostream& err);

}  // namespace ventbox::cli

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace ventbox::cli {

inline constexpr const char* kShowUsage =
    "usage: ventbox-cli show [--format text|kv|json|csv] [--] FILE...\n";

// `ventbox-cli show`: reads design files and calculates each as the window
// does after a load. Returns the exit status: 0 done, 1 a file failed to
// load or to calculate, 2 bad usage.
int runShowCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace ventbox::cli

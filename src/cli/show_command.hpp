// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace ventbox::cli {

inline constexpr const char* kShowUsage =
    "usage: ventbox-cli show [--format text|kv|json|csv] [--] FILE...\n";

inline constexpr const char* kShowHelp =
    "Reads design files as the window loads them, recalculates each and prints it;\n"
    "\"-\" reads one design from standard input. With several files, text and csv\n"
    "print one table, a row per design; json prints one array, an element per file.\n"
    "  --format F  text (default), kv, json or csv\n"
    "Exit status: 0 done, 1 a file failed to load or calculate or the output failed,\n"
    "2 bad usage.\n";

// `ventbox-cli show`: reads design files and calculates each as the window
// does after a load. Returns the exit status: 0 done, 1 a file failed to
// load or to calculate, 2 bad usage.
int runShowCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace ventbox::cli

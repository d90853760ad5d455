// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

namespace ventbox {

// A design as a list of several shows it: its name and the file it came from.
struct NamedDesign {
    std::string name;
    std::string path;
};

// A label for each design that no other design in the list shares: its name
// where that is unique, else the name with the file's base name, else with
// the whole path, else with its place in the list. Copies of one design
// file hold the same name, and readers of a table key columns by label.
std::vector<std::string> distinctLabels(const std::vector<NamedDesign>& designs);

}  // namespace ventbox

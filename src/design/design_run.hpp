// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "calc/design.hpp"

namespace ventbox {

// A design file loaded and calculated as the window does after a load.
struct DesignRun {
    TDesign loaded;  // the record as the file left it
    TDesign design;  // the record as the calculation read the fields back
    TDesignResults results;
    bool pipe = false;
    std::vector<std::pair<ResultLabel, std::string>> labels;  // in the order written
};

// Reads the design file at `path` ("-" for standard input) and calculates
// it. Throws the error that stops the load or the calculation.
DesignRun runDesignFile(const std::string& path);

}  // namespace ventbox

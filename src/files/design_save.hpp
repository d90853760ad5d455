// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "calc/design.hpp"

namespace ventbox {

class SaveCalls;

// Writes the design file of `design.name` in the data folder: the ten stored
// values, the name and the pipe flag. Throws IoError; the previous file is
// left as it was on any failure.
void saveDesignFile(const std::string& dataFolder, const TDesign& design, bool pipeChecked);

// The same through the given system calls.
void saveDesignFile(const std::string& dataFolder, const TDesign& design, bool pipeChecked,
                    SaveCalls& calls);

}  // namespace ventbox

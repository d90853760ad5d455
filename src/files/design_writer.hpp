// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

#include "calc/design.hpp"

namespace ventbox {

// The design file's bytes: the ten values in file order, the name and the
// pipe flag, each line ended by CR LF, in code page 932. Throws IoError kNoMapping
// when the name holds a character code page 932 has not, unless it is the
// loaded name, whose line is written back as it was read.
std::string designFileText(const TDesign& design, bool pipeChecked);

// Throws IoError kInvalidName for a design name that cannot name its design file:
// one whose path has a ".." component, which may leave the data folder, or
// that holds a NUL, CR, LF or end-of-file mark, which would cut the path or
// read back as another name.
void checkDesignName(std::string_view name);

}  // namespace ventbox

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

#include "calc/extended.hpp"

namespace ventbox {

// A value as a design file line holds it: 23 characters, sign or blank,
// 15 significant digits with "." after the first, "E", a signed four-digit
// exponent; "Nan", "+Inf" or "-Inf" right-aligned for values not finite.
std::string fileNumberText(double value);

// A number token of a design file, at most 64 characters above 32.
struct FileNumber {
    // The number; for a malformed token, the whole number its mantissa
    // digits formed before the offending character, unsigned and unscaled.
    Extended value;
    bool malformed = false;
    bool overflow = false;  // the scaling left the extended range
};
FileNumber parseFileNumber(std::string_view token);

}  // namespace ventbox

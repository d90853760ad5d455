// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string_view>

#include "extended.hpp"

namespace ventbox {

// How the digits after the exponent mark are read.
struct ExponentRule {
    int limit;            // the exponent stops growing once it reaches this
    bool readsPastLimit;  // digits beyond the limit still belong to the number
};

// A decimal number read from the start of a text: a sign, digits with one
// separator among them, then "E" or "e", a sign and the exponent's digits.
struct DecimalScan {
    Extended value;   // signed and scaled by the separator and the exponent
    Extended digits;  // every mantissa digit as one whole number, unsigned and unscaled
    std::size_t mantissaStart = 0;  // after the sign
    std::size_t mantissaEnd = 0;    // after the digits and the separator
    std::size_t end = 0;            // the first character not read
    bool exponentMissing = false;   // the mark, and its sign, without a digit after
    unsigned faults = 0;            // what the arithmetic raised
};
DecimalScan scanDecimal(std::string_view text, char separator, ExponentRule rule);

}  // namespace ventbox

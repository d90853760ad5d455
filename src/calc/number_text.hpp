// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "extended.hpp"

namespace ventbox {

// The regional decimal separator: one single-byte character for the whole
// process, used by both conversions.
char decimalSeparator();
void setDecimalSeparator(char separator);
// The separator for a locale's decimal point text: its one character when
// it is a single ASCII character, "." otherwise.
char separatorFromDecimalPoint(std::string_view decimalPoint);

// A field text as a number; throws ConversionError for a text that is not one.
Extended textToNumber(std::string_view text);

// The double a number is stored as; nullopt when it lies beyond the double
// range.
std::optional<double> storedDouble(Extended value);

// The display text: general format with 15 significant digits.
std::string displayText(Extended value);
std::string displayText(double value);

// The magnitude's first 15 significant digits: 18 digits taken, then rounded
// by the 16th. The value is about 0.d1…d15 × 10^exponent.
struct SignificantDigits {
    std::string digits;  // exactly 15, the first not zero
    int exponent;
};
SignificantDigits significantDigits(Extended magnitude);  // finite, not zero

}  // namespace ventbox

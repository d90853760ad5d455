// SPDX-License-Identifier: GPL-3.0-or-later
#include "file_number.hpp"

#include <cstdio>

#include "calc/decimal_scan.hpp"
#include "calc/faults.hpp"
#include "calc/number_text.hpp"

namespace ventbox {

namespace {

constexpr int kFileNumberWidth = 23;

// A file's exponent takes every digit, but stops growing at 100000: any
// power beyond scales to zero or infinity just the same, and the cap keeps
// the exponent of a 64-character token in range.
constexpr ExponentRule kFileExponent{100000, true};

}  // namespace

std::string fileNumberText(double value) {
    const Extended v = Extended::fromDouble(value);
    if (v.isNaN() || v.isInfinite()) {
        const std::string word = v.isNaN() ? "Nan" : v.signBit() ? "-Inf" : "+Inf";
        return std::string(kFileNumberWidth - word.size(), ' ') + word;
    }
    std::string text(1, v.signBit() ? '-' : ' ');
    if (v.isZero()) return text + "0.00000000000000E+0000";

    const SignificantDigits sd = significantDigits(v.magnitude());
    const int exponent = sd.exponent - 1;
    text += sd.digits[0];
    text += '.';
    text.append(sd.digits, 1);
    char tail[16];
    std::snprintf(tail, sizeof tail, "E%c%04d", exponent < 0 ? '-' : '+',
                  exponent < 0 ? -exponent : exponent);
    return text + tail;
}

FileNumber parseFileNumber(std::string_view token) {
    const DecimalScan scan = scanDecimal(token, '.', kFileExponent);
    // A sign alone, a mark without its exponent and any character the
    // grammar does not know leave the mantissa's digits as they stood.
    if ((!token.empty() && scan.mantissaStart == token.size()) || scan.exponentMissing ||
        scan.end != token.size()) {
        return {scan.digits, true, false};
    }
    return {scan.value, false, (scan.faults & kOverflow) != 0};
}

}  // namespace ventbox

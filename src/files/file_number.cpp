// SPDX-License-Identifier: GPL-3.0-or-later
#include "file_number.hpp"

#include <cstdio>

#include "calc/faults.hpp"
#include "calc/number_text.hpp"
#include "calc/power_of_ten.hpp"

namespace ventbox {

namespace {

constexpr int kFileNumberWidth = 23;

// Any exponent beyond this scales to zero or infinity just the same, and
// stopping here keeps the exponent of a 64-character token in range.
constexpr int kExponentCap = 100000;

bool isDigit(char c) { return c >= '0' && c <= '9'; }

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
    Extended::ModeGuard mode;
    unsigned faults = 0;
    const Extended ten = smallPowerOfTen(1);
    FileNumber number{Extended::fromInt64(0)};
    std::size_t i = 0;
    const std::size_t n = token.size();
    auto readDigits = [&] {
        int count = 0;
        for (; i < n && isDigit(token[i]); ++i, ++count) {
            number.value = Extended::add(Extended::mul(number.value, ten, faults),
                                         Extended::fromInt64(token[i] - '0'), faults);
        }
        return count;
    };
    auto malformed = [&] {
        number.malformed = true;
        return number;
    };

    bool negative = false;
    if (i < n && (token[i] == '+' || token[i] == '-')) negative = token[i++] == '-';
    if (i == n && n > 0) return malformed();
    readDigits();
    int fractionDigits = 0;
    if (i < n && token[i] == '.') {
        ++i;
        fractionDigits = readDigits();
    }
    int exponent = 0;
    if (i < n && (token[i] == 'E' || token[i] == 'e')) {
        ++i;
        bool negativeExponent = false;
        if (i < n && (token[i] == '+' || token[i] == '-')) negativeExponent = token[i++] == '-';
        if (i == n || !isDigit(token[i])) return malformed();
        for (; i < n && isDigit(token[i]); ++i) {
            if (exponent < kExponentCap) exponent = exponent * 10 + (token[i] - '0');
        }
        if (negativeExponent) exponent = -exponent;
    }
    if (i != n) return malformed();

    number.value = scaleByPowerOfTen(number.value, exponent - fractionDigits, faults);
    if (negative) number.value = number.value.negated();
    number.overflow = (faults & kOverflow) != 0;
    return number;
}

}  // namespace ventbox

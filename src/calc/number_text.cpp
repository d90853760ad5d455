// SPDX-License-Identifier: GPL-3.0-or-later
#include "number_text.hpp"

#include <algorithm>
#include <cstdint>

#include "decimal_scan.hpp"
#include "errors.hpp"
#include "faults.hpp"
#include "power_of_ten.hpp"

namespace ventbox {

namespace {

char separator = '.';

// A field's exponent ends at its third digit once it reaches 500: any
// such power is out of range anyway, and further digits make the text no
// number at all.
constexpr ExponentRule kFieldExponent{500, false};

}  // namespace

char decimalSeparator() { return separator; }

void setDecimalSeparator(char c) { separator = c; }

char separatorFromDecimalPoint(std::string_view decimalPoint) {
    if (decimalPoint.size() == 1 && static_cast<unsigned char>(decimalPoint[0]) < 0x80 &&
        decimalPoint[0] > ' ') {
        return decimalPoint[0];
    }
    return '.';
}

Extended textToNumber(std::string_view text) {
    const std::size_t start = std::min(text.find_first_not_of(' '), text.size());
    const DecimalScan scan = scanDecimal(text.substr(start), separator, kFieldExponent);
    const std::size_t end = start + scan.end;
    if (scan.mantissaEnd == scan.mantissaStart || (scan.faults & (kInvalid | kOverflow)) != 0 ||
        std::min(text.find_first_not_of(' ', end), text.size()) != text.size()) {
        throw ConversionError(std::string(text));
    }
    return scan.value;
}

std::optional<double> storedDouble(Extended value) {
    Extended::ModeGuard mode;
    unsigned faults = 0;
    const double stored = Extended::toDouble(value, faults);
    if (faults & kOverflow) return std::nullopt;
    return stored;
}

SignificantDigits significantDigits(Extended magnitude) {
    Extended::ModeGuard mode;
    unsigned ignored = 0;
    constexpr std::int64_t k10e17 = 100'000'000'000'000'000;
    constexpr std::int64_t k10e18 = 1'000'000'000'000'000'000;
    const Extended low = Extended::fromInt64(k10e17);
    const Extended high = Extended::fromInt64(k10e18);
    // log10(2) × 2^20, rounded down, estimates the decimal exponent to within one.
    constexpr std::int64_t kLog10Of2Scaled = 315653;
    int exponent =
        static_cast<int>(((magnitude.binaryExponent() + 1) * kLog10Of2Scaled) >> 20) + 1;
    Extended scaled = scaleByPowerOfTen(magnitude, 18 - exponent, ignored);
    if (scaled >= high) {
        ++exponent;
        scaled = scaleByPowerOfTen(magnitude, 18 - exponent, ignored);
    } else if (scaled < low) {
        --exponent;
        scaled = scaleByPowerOfTen(magnitude, 18 - exponent, ignored);
    }
    std::int64_t whole = Extended::roundToInt64(scaled, ignored);
    if (whole >= k10e18) {
        whole /= 10;
        ++exponent;
    }
    char digits[18];
    for (int k = 17; k >= 0; --k) {
        digits[k] = static_cast<char>('0' + whole % 10);
        whole /= 10;
    }
    if (digits[15] >= '5') {
        int k = 14;
        while (k >= 0 && digits[k] == '9') digits[k--] = '0';
        if (k < 0) {
            digits[0] = '1';
            ++exponent;
        } else {
            ++digits[k];
        }
    }
    return {std::string(digits, 15), exponent};
}

std::string displayText(Extended value) {
    if (value.isNaN()) return "NAN";
    if (value.isInfinite()) return value.signBit() ? "-INF" : "INF";
    if (value.isZero()) return "0";

    const SignificantDigits sd = significantDigits(value.magnitude());
    const std::string& s = sd.digits;
    int length = 15;
    while (s[static_cast<std::size_t>(length - 1)] == '0') --length;
    const int d = sd.exponent;

    // At most a sign, 15 digits, 15 filling zeros or 3 leading ones, a
    // separator and an exponent of five characters.
    char text[40];
    int n = 0;
    auto put = [&](char c) { text[n++] = c; };
    if (value.signBit()) put('-');
    if (d > 15 || d < -3) {
        put(s[0]);
        if (length > 1) {
            put(separator);
            for (int k = 1; k < length; ++k) put(s[static_cast<std::size_t>(k)]);
        }
        put('E');
        int e = d - 1;
        if (e < 0) {
            put('-');
            e = -e;
        }
        char exponentDigits[8];
        int m = 0;
        do {
            exponentDigits[m++] = static_cast<char>('0' + e % 10);
            e /= 10;
        } while (e != 0);
        while (m > 0) put(exponentDigits[--m]);
    } else if (d <= 0) {
        put('0');
        put(separator);
        for (int k = 0; k < -d; ++k) put('0');
        for (int k = 0; k < length; ++k) put(s[static_cast<std::size_t>(k)]);
    } else {
        for (int k = 0; k < d; ++k) put(k < length ? s[static_cast<std::size_t>(k)] : '0');
        if (length > d) {
            put(separator);
            for (int k = d; k < length; ++k) put(s[static_cast<std::size_t>(k)]);
        }
    }
    return std::string(text, static_cast<std::size_t>(n));
}

std::string displayText(double value) { return displayText(Extended::fromDouble(value)); }

}  // namespace ventbox

#include "number_text.hpp"

#include <cstdint>

#include "errors.hpp"
#include "power_of_ten.hpp"

namespace ventbox {

namespace {

char separator = '.';

bool isDigit(char c) { return c >= '0' && c <= '9'; }

Extended digitValue(char c) { return Extended::fromInt64(c - '0'); }

constexpr int kExponentReadLimit = 500;

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
    Extended::ModeGuard mode;
    std::size_t i = 0;
    const std::size_t n = text.size();
    auto skipSpaces = [&] {
        while (i < n && text[i] == ' ') ++i;
    };
    const Extended ten = smallPowerOfTen(1);
    unsigned faults = 0;
    auto readDigits = [&](Extended& acc, int& count) {
        while (i < n && isDigit(text[i])) {
            acc = Extended::add(Extended::mul(acc, ten, faults), digitValue(text[i]), faults);
            ++count;
            ++i;
        }
    };

    skipSpaces();
    bool negative = false;
    if (i < n && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';

    const std::size_t mantissaStart = i;
    Extended acc = Extended::fromInt64(0);
    int integerDigits = 0;
    int fractionDigits = 0;
    readDigits(acc, integerDigits);
    if (i < n && text[i] == separator) {
        ++i;
        readDigits(acc, fractionDigits);
    }
    if (i == mantissaStart) throw ConversionError(std::string(text));

    int exponent = 0;
    if (i < n && (text[i] == 'E' || text[i] == 'e')) {
        ++i;
        bool negativeExponent = false;
        if (i < n && (text[i] == '+' || text[i] == '-')) negativeExponent = text[i++] == '-';
        while (i < n && isDigit(text[i]) && exponent < kExponentReadLimit) {
            exponent = exponent * 10 + (text[i++] - '0');
        }
        if (negativeExponent) exponent = -exponent;
    }
    skipSpaces();
    if (i != n) throw ConversionError(std::string(text));

    Extended value = scaleByPowerOfTen(acc, exponent - fractionDigits, faults);
    if (negative) value = value.negated();
    if (faults & (kInvalid | kOverflow)) throw ConversionError(std::string(text));
    return value;
}

SignificantDigits significantDigits(Extended magnitude) {
    Extended::ModeGuard mode;
    unsigned ignored = 0;
    const Extended low = smallPowerOfTen(17);
    const Extended high = Extended::fromInt64(1'000'000'000'000'000'000);
    // log10(2) × 2^20, rounded down, estimates the decimal exponent.
    const std::int64_t log10Of2Scaled = 315653;
    int exponent =
        static_cast<int>(((magnitude.binaryExponent() + 1) * log10Of2Scaled) >> 20) + 1;
    Extended scaled = scaleByPowerOfTen(magnitude, 18 - exponent, ignored);
    if (scaled >= high) {
        ++exponent;
        scaled = scaleByPowerOfTen(magnitude, 18 - exponent, ignored);
    } else if (scaled < low) {
        --exponent;
        scaled = scaleByPowerOfTen(magnitude, 18 - exponent, ignored);
    }
    std::int64_t whole = Extended::roundToInt64(scaled, ignored);
    if (whole >= 1'000'000'000'000'000'000) {
        whole /= 10;
        ++exponent;
    }
    std::string digits = std::to_string(whole);
    const bool roundUp = digits[15] >= '5';
    digits.resize(15);
    if (roundUp) {
        int k = 14;
        while (k >= 0 && digits[static_cast<std::size_t>(k)] == '9') {
            digits[static_cast<std::size_t>(k--)] = '0';
        }
        if (k < 0) {
            digits = "100000000000000";
            ++exponent;
        } else {
            ++digits[static_cast<std::size_t>(k)];
        }
    }
    return {digits, exponent};
}

std::string displayText(Extended value) {
    if (value.isNaN()) return "NAN";
    if (value.isInfinite()) return value.signBit() ? "-INF" : "INF";
    if (value.isZero()) return "0";

    SignificantDigits sd = significantDigits(value.magnitude());
    std::string s = sd.digits;
    while (s.back() == '0') s.pop_back();
    const int d = sd.exponent;
    const auto length = static_cast<int>(s.size());

    std::string text = value.signBit() ? "-" : "";
    if (d > 15 || d < -3) {
        text += s[0];
        if (length > 1) {
            text += separator;
            text.append(s, 1);
        }
        text += 'E';
        if (d - 1 < 0) text += '-';
        text += std::to_string(d - 1 < 0 ? 1 - d : d - 1);
    } else if (d <= 0) {
        text += '0';
        text += separator;
        text.append(static_cast<std::size_t>(-d), '0');
        text += s;
    } else {
        text.append(s, 0, static_cast<std::size_t>(std::min(d, length)));
        if (length < d) text.append(static_cast<std::size_t>(d - length), '0');
        if (length > d) {
            text += separator;
            text.append(s, static_cast<std::size_t>(d));
        }
    }
    return text;
}

std::string displayText(double value) { return displayText(Extended::fromDouble(value)); }

}  // namespace ventbox

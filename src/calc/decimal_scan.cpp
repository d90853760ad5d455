// SPDX-License-Identifier: GPL-3.0-or-later
#include "decimal_scan.hpp"

#include "power_of_ten.hpp"

namespace ventbox {

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

DecimalScan scanDecimal(std::string_view text, char separator, ExponentRule rule) {
    Extended::ModeGuard mode;
    const Extended ten = smallPowerOfTen(1);
    DecimalScan scan{Extended::fromInt64(0), Extended::fromInt64(0)};
    std::size_t i = 0;
    const std::size_t n = text.size();
    auto readDigits = [&] {
        int count = 0;
        for (; i < n && isDigit(text[i]); ++i, ++count) {
            scan.digits = Extended::add(Extended::mul(scan.digits, ten, scan.faults),
                                        Extended::fromInt64(text[i] - '0'), scan.faults);
        }
        return count;
    };
    auto readSign = [&] {
        if (i < n && (text[i] == '+' || text[i] == '-')) return text[i++] == '-';
        return false;
    };

    const bool negative = readSign();
    scan.mantissaStart = i;
    readDigits();
    int fractionDigits = 0;
    if (i < n && text[i] == separator) {
        ++i;
        fractionDigits = readDigits();
    }
    scan.mantissaEnd = i;

    int exponent = 0;
    if (i < n && (text[i] == 'E' || text[i] == 'e')) {
        ++i;
        const bool negativeExponent = readSign();
        scan.exponentMissing = i == n || !isDigit(text[i]);
        for (; i < n && isDigit(text[i]); ++i) {
            if (exponent < rule.limit) {
                exponent = exponent * 10 + (text[i] - '0');
            } else if (!rule.readsPastLimit) {
                break;
            }
        }
        if (negativeExponent) exponent = -exponent;
    }
    scan.end = i;

    scan.value = scaleByPowerOfTen(scan.digits, exponent - fractionDigits, scan.faults);
    if (negative) scan.value = scan.value.negated();
    return scan;
}

}  // namespace ventbox

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <charconv>
#include <string>

namespace ventbox {

// A number with a fixed count of decimals and "." as the decimal point,
// whatever the locale: data for other programs. A value that rounds to zero
// is written without a sign.
inline std::string fixedText(double value, int decimals) {
    char buffer[64];
    const auto end =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals).ptr;
    std::string text(buffer, end);
    if (text[0] == '-' && text.find_first_of("123456789") == std::string::npos) text.erase(0, 1);
    return text;
}

// The same without the trailing zeros of its decimals, nor a point left
// bare: 35, 0.42.
inline std::string trimmedText(double value, int decimals) {
    std::string text = fixedText(value, decimals);
    if (text.find('.') == std::string::npos) return text;
    text.erase(text.find_last_not_of('0') + 1);
    if (text.back() == '.') text.pop_back();
    return text;
}

}  // namespace ventbox

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

}  // namespace ventbox

// SPDX-License-Identifier: GPL-3.0-or-later
// Converts arbitrary bytes as a field text. A text that converts must give a
// display text that converts again.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "calc/errors.hpp"
#include "calc/number_text.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    ventbox::Extended value;
    try {
        value = ventbox::textToNumber(text);
    } catch (const ventbox::ConversionError&) {
        return 0;
    }
    const std::string shown = ventbox::displayText(value);
    try {
        ventbox::textToNumber(shown);
    } catch (const ventbox::ConversionError&) {
        std::abort();
    }
    return 0;
}

// SPDX-License-Identifier: GPL-3.0-or-later
#include "output_text.hpp"

#include <algorithm>
#include <cstdio>
#include <iterator>

#include "files/cp932.hpp"

namespace ventbox {

std::optional<std::uint32_t> decodeUtf8(std::string_view text, std::size_t& i) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned lead = byte(i);
    if (lead < 0x80) {
        ++i;
        return lead;
    }
    // Sequence length and the smallest character it may carry, so that
    // overlong forms are refused.
    struct Form {
        unsigned firstLead, lastLead;
        std::size_t length;
        std::uint32_t least;
    };
    constexpr Form kForms[] = {{0xC2, 0xDF, 2, 0x80}, {0xE0, 0xEF, 3, 0x800},
                               {0xF0, 0xF4, 4, 0x10000}};
    std::size_t length = 0;
    std::uint32_t least = 0;
    for (const Form& form : kForms) {
        if (lead >= form.firstLead && lead <= form.lastLead) {
            length = form.length;
            least = form.least;
        }
    }
    if (length == 0 || i + length > text.size()) {
        ++i;
        return std::nullopt;
    }
    std::uint32_t c = lead & (0x7Fu >> length);
    for (std::size_t k = 1; k < length; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80) {
            ++i;
            return std::nullopt;
        }
        c = (c << 6) | (byte(i + k) & 0x3F);
    }
    if (c < least || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
        ++i;
        return std::nullopt;
    }
    i += length;
    return c;
}

std::string escaped(std::string_view text, std::initializer_list<Escape> escapes,
                    std::string_view otherControls) {
    std::string s;
    for (char c : text) {
        const auto* escape = std::find_if(escapes.begin(), escapes.end(),
                                          [c](const Escape& e) { return e.byte == c; });
        if (escape != escapes.end()) {
            s += escape->replacement;
        } else if (static_cast<unsigned char>(c) < 0x20 && !otherControls.empty()) {
            s += otherControls;
        } else {
            s += c;
        }
    }
    return s;
}

std::string oneLine(std::string_view text) {
    constexpr Escape kNamed[] = {{'\t', "\\t"}, {'\r', "\\r"}, {'\n', "\\n"}, {'\\', "\\\\"}};
    const auto hex = [](std::string& s, unsigned char byte) {
        constexpr char kDigits[] = "0123456789ABCDEF";
        s += "\\x";
        s += kDigits[byte >> 4];
        s += kDigits[byte & 0xF];
    };
    std::string s;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        const auto* named = std::find_if(std::begin(kNamed), std::end(kNamed),
                                         [&](const Escape& e) { return e.byte == text[i]; });
        // U+0080 to U+009F, the C1 controls, are C2 80 to C2 9F in UTF-8.
        const bool c1 = byte == 0xC2 && i + 1 < text.size() &&
                        (static_cast<unsigned char>(text[i + 1]) & 0xE0) == 0x80;
        if (named != std::end(kNamed)) {
            s += named->replacement;
        } else if (c1) {
            hex(s, byte);
            hex(s, static_cast<unsigned char>(text[++i]));
        } else if (byte < 0x20 || byte == 0x7F) {
            hex(s, byte);
        } else {
            s += text[i];
        }
    }
    return s;
}

std::string jsonString(std::string_view text) {
    std::string s = "\"";
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t start = i;
        const std::optional<std::uint32_t> c = decodeUtf8(text, i);
        if (!c) {
            s += kReplacementCharacter;
        } else if (*c == '"' || *c == '\\') {
            s += '\\';
            s += static_cast<char>(*c);
        } else if (*c < 0x20) {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\u%04x", static_cast<unsigned>(*c));
            s += buf;
        } else {
            s.append(text.substr(start, i - start));
        }
    }
    return s + '"';
}

}  // namespace ventbox

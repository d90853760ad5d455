// SPDX-License-Identifier: GPL-3.0-or-later
#include "plot_text.hpp"

#include <algorithm>
#include <array>
#include <optional>

#include "files/cp932.hpp"
#include "output_text.hpp"

namespace ventbox {

namespace {

constexpr std::uint32_t kReplacement = 0xFFFD;

bool drawable(std::uint32_t c) {
    return c >= 0x20 && c != 0x7F && !(c >= 0x80 && c <= 0x9F) && c != 0xFFFE && c != 0xFFFF;
}

void appendUtf8(std::string& out, std::uint32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// Characters a Japanese face draws a full em wide: the CJK blocks, kana,
// Hangul, the full-width forms and the planes of rare ideographs.
bool fullWidth(std::uint32_t c) {
    constexpr std::array<std::pair<std::uint32_t, std::uint32_t>, 9> kRanges{{
        {0x1100, 0x115F}, {0x2014, 0x2014}, {0x2E80, 0xA4CF}, {0xAC00, 0xD7A3},
        {0xF900, 0xFAFF}, {0xFE30, 0xFE4F}, {0xFF00, 0xFF60}, {0xFFE0, 0xFFE6},
        {0x20000, 0x3FFFD},
    }};
    return std::any_of(kRanges.begin(), kRanges.end(),
                       [c](const auto& range) { return c >= range.first && c <= range.second; });
}

// Advances in ems, rounded up from the widest of DejaVu Sans, Liberation
// Sans and IPAexGothic for each kind of character.
double advance(std::uint32_t c) {
    if (fullWidth(c)) return 1.0;
    if (c >= 0x80) return 0.72;
    if (c == ' ') return 0.32;
    if (c >= '0' && c <= '9') return 0.64;
    for (char narrow : std::string_view("iljtfrI.,:;'!|()[]")) {
        if (c == static_cast<unsigned char>(narrow)) return 0.4;
    }
    for (char wide : std::string_view("MWmw@%")) {
        if (c == static_cast<unsigned char>(wide)) return 0.98;
    }
    if (c >= 'A' && c <= 'Z') return 0.78;
    return 0.64;
}

}  // namespace

std::uint32_t nextCharacter(std::string_view text, std::size_t& i) {
    const std::optional<std::uint32_t> c = decodeUtf8(text, i);
    return c && drawable(*c) ? *c : kReplacement;
}

std::string drawableText(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) appendUtf8(out, nextCharacter(text, i));
    return out;
}

double EstimatedTextMeasure::width(std::string_view text, double pixelSize, bool bold) const {
    double ems = 0;
    for (std::size_t i = 0; i < text.size();) ems += advance(nextCharacter(text, i));
    return ems * pixelSize * (bold ? 1.08 : 1.0);
}

}  // namespace ventbox

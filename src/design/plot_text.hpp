// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace ventbox {

// A text as a picture shows it: valid UTF-8 of characters that XML allows
// and that draw as something. A byte that starts no valid sequence, a
// control character (C0, DEL, C1) and the non-characters U+FFFE and U+FFFF
// each become U+FFFD, so that a design named by stray bytes still gives a
// picture every reader opens.
std::string drawableText(std::string_view text);

// The characters of a drawable text, one at a time: `i` advances past the
// character it returns.
std::uint32_t nextCharacter(std::string_view text, std::size_t& i);

// How wide a text is drawn, so that a layout neither cuts nor overlaps
// texts. The window measures with the fonts it paints with; a picture whose
// viewer chooses the font estimates.
class TextMeasure {
public:
    virtual ~TextMeasure() = default;
    // The advance of a drawable text at a font size in pixels.
    virtual double width(std::string_view text, double pixelSize, bool bold) const = 0;
};

// An estimate from the characters alone, on the wide side of the common
// sans-serif and Japanese faces, so that a text it fits fits in any of them.
class EstimatedTextMeasure final : public TextMeasure {
public:
    double width(std::string_view text, double pixelSize, bool bold) const override;
};

}  // namespace ventbox

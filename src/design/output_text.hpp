// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

namespace ventbox {

// The character of the UTF-8 sequence at `i`, advancing `i` past it; for a
// byte that starts no valid sequence (overlong, surrogate, cut short, beyond
// U+10FFFF) nothing, advancing `i` by that one byte.
std::optional<std::uint32_t> decodeUtf8(std::string_view text, std::size_t& i);

// A byte of a text and what stands for it in an escaped text.
struct Escape {
    char byte;
    std::string_view replacement;
};

// `text` with each byte that `escapes` names replaced; any other control
// character (below 0x20) becomes `otherControls` unless that is empty.
std::string escaped(std::string_view text, std::initializer_list<Escape> escapes,
                    std::string_view otherControls = {});

// A name or path on one line and harmless to a terminal: tab, CR, LF and the
// backslash as `\t`, `\r`, `\n` and `\\`, every other control character (C0,
// DEL and, in UTF-8, C1) as `\xHH` for each of its bytes, so that a
// line-oriented reader can take it apart again and a design file cannot
// retitle, clear or recolour the terminal it is shown on.
std::string oneLine(std::string_view text);

// A JSON string, always valid UTF-8: each byte that starts no valid
// sequence becomes U+FFFD.
std::string jsonString(std::string_view text);

}  // namespace ventbox

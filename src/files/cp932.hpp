// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace ventbox {

// Design files hold their text in code page 932 (Windows-31J); the program
// holds text in UTF-8.

// U+FFFD, what stands for a character that cannot be shown, in UTF-8.
inline constexpr std::string_view kReplacementCharacter = "\xEF\xBF\xBD";

// A byte sequence that is not code page 932 becomes U+FFFD. Throws IoError
// 1113 only when the system offers no code page 932 conversion at all.
std::string cp932ToUtf8(std::string_view bytes);

// nullopt when the text holds a character code page 932 has not, or is not
// UTF-8 at all.
std::optional<std::string> utf8ToCp932(std::string_view text);

}  // namespace ventbox

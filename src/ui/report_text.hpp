// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace ventbox {

// The text an error report shows: the message, with "." appended when its
// last character, as the Japanese ANSI code page holds it, compares above
// "." byte for byte. Every character beyond ASCII is double-byte or a
// half-width kana there, so it always gets the ".".
std::string reportText(std::string_view message);

}  // namespace ventbox

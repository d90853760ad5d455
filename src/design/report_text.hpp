// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

#include "calc/errors.hpp"

namespace ventbox {

// The text an error report shows: the message, with "." appended when its
// last character, as the Japanese ANSI code page holds it, compares above
// "." byte for byte. Every character beyond ASCII is double-byte or a
// half-width kana there, so it always gets the ".".
std::string reportText(std::string_view message);

// An error of the command line's own, in plain English, reported as its
// message stands.
class PlainError : public Error {
public:
    using Error::Error;
};

// The text that reports `error`: the message of a PlainError as it stands,
// any other as reportText gives it.
std::string reportText(const Error& error);

}  // namespace ventbox

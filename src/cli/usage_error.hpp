// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <stdexcept>

namespace ventbox::cli {

// Words a command cannot take. The dispatch prints the problem after the
// command's name, then the command's usage, and exits with status 2.
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

}  // namespace ventbox::cli

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace ventbox::cli {

// The values of the options that take a number, each checked against what
// it can mean; a value that is no such number is bad usage, named in the
// message with what the option needs.
double qlOption(const std::string& option, const std::string* value);          // box losses
double driveLevelOption(const std::string& option, const std::string* value);  // dB SPL
double xmaxOption(const std::string& option, const std::string* value);        // mm
double frequencyOption(const std::string& option, const std::string* value);   // Hz

}  // namespace ventbox::cli

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace ventbox::cli {

// The work of a command on each design file, in argument order; `first`
// tells the first file written. In JSON the output is one array with an
// element per file. A file whose work throws an Error is reported as
// "FILE: message" on standard error and, in JSON, as an element holding its
// path and error, and the others go on. Returns 1 when a file failed, else 0.
using DesignFileWork = std::function<void(const std::string& path, bool first)>;
int eachDesignFile(const std::vector<std::string_view>& files, bool json, std::ostream& out,
                   std::ostream& err, const DesignFileWork& work);

}  // namespace ventbox::cli

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace ventbox {

// Where output written to a path goes. A path that names a device or a pipe
// (/dev/null, a FIFO, a terminal) cannot be replaced by a new file: it is
// written to, as standard output is. Any other path is replaced whole, as a
// design file is saved (replaceFile).

// Whether `path` names a device or a pipe, written to rather than replaced.
bool writtenInPlace(const std::string& path);

// Opens `path` for writing when it names a device or a pipe; nullopt when
// it is to be replaced. The descriptor is -1 when the open failed, errno
// telling why.
std::optional<int> openInPlace(const std::string& path);

// Writes `bytes` to `path` by that rule. Throws IoError.
void writeOutputFile(const std::string& path, std::string_view bytes);

}  // namespace ventbox

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace ventbox {

class SaveCalls;

// Replaces the file at `path` with `bytes`, or creates it, all at once: a
// reader sees the old file or the new one, never a part, and a failure
// leaves the old file as it was. A link is followed and stays a link, except
// one another user planted in a shared folder. The new file keeps the old
// one's owner, group and permissions; a new file gets the umask's. Throws
// IoError, or NotDurable once the new file is in place.
void replaceFile(const std::string& path, std::string_view bytes, SaveCalls& calls);
void replaceFile(const std::string& path, std::string_view bytes);

}  // namespace ventbox

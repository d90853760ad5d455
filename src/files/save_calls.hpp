// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <sys/types.h>

#include <cstddef>

namespace ventbox {

// The system calls a save makes around its temporary file. A test replaces
// them to make a disk fill up, a rename fail or a file system refuse unnamed
// files mid-save, or to see which descriptors are synced.
class SaveCalls {
public:
    virtual ~SaveCalls() = default;
    // An unnamed file in the folder, open for writing (O_TMPFILE); -1 with
    // errno where the system or the file system has none.
    virtual int openUnnamed(const char* folder);
    virtual ssize_t write(int fd, const void* data, std::size_t size);
    virtual int fsync(int fd);
    virtual int rename(const char* from, const char* to);
};

}  // namespace ventbox

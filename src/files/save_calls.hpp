// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <sys/types.h>

#include <cstddef>
#include <string>

#include "calc/design.hpp"

namespace ventbox {

// The system calls a save makes once its temporary file exists. A test
// replaces them to make a disk fill up or a rename fail mid-save, or to
// see which descriptors are synced.
class SaveCalls {
public:
    virtual ~SaveCalls() = default;
    virtual ssize_t write(int fd, const void* data, std::size_t size);
    virtual int fsync(int fd);
    virtual int rename(const char* from, const char* to);
};

// saveDesignFile through the given calls.
void saveDesignFile(const std::string& dataFolder, const TDesign& design, bool pipeChecked,
                    SaveCalls& calls);

}  // namespace ventbox

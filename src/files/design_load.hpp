// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "calc/design.hpp"

namespace ventbox {

// Whether a path names an existing design file: a regular file, dated within
// the years the file-date format holds (1980 to 2107, local time).
bool designFileExists(const std::string& path);

// What a load writes into: a design's values, name and pipe flag, each
// stored and then shown as its target shows them. Showing a value or
// checking the pipe may recalculate, and may throw.
class LoadTarget {
public:
    virtual ~LoadTarget() = default;
    virtual void storeValue(Field field, double value) = 0;
    // Shows the value just stored for the field.
    virtual void showValue(Field field) = 0;
    virtual void setName(const std::string& name) = 0;
    // The name line's bytes behind the name just set. A target that saves
    // the design again keeps them, so that a name the encoding cannot give
    // back the same way is written back as it was read.
    virtual void keepNameLine(const std::string& /*bytes*/) {}
    // Shows the name just set.
    virtual void showName() = 0;
    virtual void checkPipe() = 0;
};

// Reads the design file at `path` into the target, in file order. Returns
// false, having changed nothing, when no design file exists there, also when
// what the path names by the time it is opened is no design file; true when
// every line was read, after which the caller recalculates. Throws IoError or
// Overflow, or whatever the target throws; the file is closed in every case.
bool loadDesignFile(const std::string& path, LoadTarget& target);

}  // namespace ventbox

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calc/errors.hpp"

namespace ventbox {

// A failing file step, with the code that chose its message.
class IoError : public Error {
public:
    explicit IoError(int code);
    int code() const { return code_; }

private:
    int code_;
};

// A save that put the new file in place but could not make that last
// through a power cut: the file holds the new contents now.
class NotDurable : public IoError {
public:
    using IoError::IoError;
};

}  // namespace ventbox

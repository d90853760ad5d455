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

}  // namespace ventbox

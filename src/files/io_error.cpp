// SPDX-License-Identifier: GPL-3.0-or-later
#include "io_error.hpp"

#include "error_codes.hpp"

namespace ventbox {

IoError::IoError(int code) : Error(ioErrorMessage(code)), code_(code) {}

}  // namespace ventbox

// SPDX-License-Identifier: GPL-3.0-or-later
#include "faults.hpp"

#include "errors.hpp"

namespace ventbox {

void raiseFault(unsigned faults) {
    if (faults & kInvalid) throw InvalidOperation();
    if (faults & kZeroDivide) throw ZeroDivide();
    throw Overflow();
}

}  // namespace ventbox

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace ventbox {

// The faults an extended operation can raise, at the bit positions of the x87
// status word. Underflow, denormal operands and inexact results stay silent.
enum Fault : unsigned {
    kInvalid = 0x01,
    kZeroDivide = 0x04,
    kOverflow = 0x08,
};

// Throws the error of the fault that was raised; invalid operation first.
[[noreturn]] void raiseFault(unsigned faults);

}  // namespace ventbox

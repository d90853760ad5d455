// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <string>

#include "calc/design.hpp"

namespace ventbox::test {

// The first worked example: the window's creation texts, in field order,
// and the labels a calculation writes from them, in write order.
inline const std::array<std::string, kFieldCount> kExampleTexts{
    "7", "35", "6.4", "0.42", "25", "50", "30", "4", "10", "10",
};
inline const std::array<std::string, kResultCount> kExampleResults{
    "fd/foc = 0.67", "md/m0 = 0.11", "37.1㍑",  "906038", "65.8Hz", "0.79",
    "3.57cm",        "0.708g",       "67.4Hz", "45.1Hz", "12.5Hz",
};

// The design file of the first start: the creation texts, unchecked, saved
// under "FW208Kolvex"; 270 bytes.
inline const std::string kExampleFile =
    " 7.00000000000000E+0000\r\n 6.40000000000000E+0000\r\n 4.20000000000000E-0001\r\n"
    " 3.50000000000000E+0001\r\n 2.50000000000000E+0001\r\n 5.00000000000000E+0001\r\n"
    " 3.00000000000000E+0001\r\n 4.00000000000000E+0000\r\n 1.00000000000000E+0001\r\n"
    " 1.00000000000000E+0001\r\nFW208Kolvex\r\nFALSE\r\n";

}  // namespace ventbox::test

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "arithmetic.hpp"

// The constants of the enclosure formulas.
namespace ventbox::formula {

// Extended constants, each the nearest extended value to its number as
// m × 2^e; the tests derive each again from its number.
inline const CheckedExtended kPi = CheckedExtended::parts(0xC90FDAA22168C235, -62);
inline const CheckedExtended k0_0012 = CheckedExtended::parts(0x9D495182A9930BE1, -73);
inline const CheckedExtended kFourThirds = CheckedExtended::parts(0xAAAAAAAAAAAAAAAB, -63);
// 4 × π × π in extended arithmetic: one unit above the value nearest to 4π².
inline const CheckedExtended kFourPiSquared = CheckedExtended::parts(0x9DE9E64DF22EF2D3, -58);
inline const CheckedExtended k0_159 = CheckedExtended::parts(0xA2D0E5604189374C, -66);
inline const CheckedExtended k1_2 = CheckedExtended::parts(0x999999999999999A, -63);
inline const CheckedExtended k0_16 = CheckedExtended::parts(0xA3D70A3D70A3D70A, -66);

// Single-precision constants, all exact.
inline const CheckedExtended k2 = CheckedExtended::of(2.0f);
inline const CheckedExtended k10 = CheckedExtended::of(10.0f);
inline const CheckedExtended k100 = CheckedExtended::of(100.0f);
inline const CheckedExtended k160 = CheckedExtended::of(160.0f);
inline const CheckedExtended k1000 = CheckedExtended::of(1000.0f);
inline const CheckedExtended k14000 = CheckedExtended::of(14000.0f);

}  // namespace ventbox::formula

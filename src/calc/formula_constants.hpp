// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "arithmetic.hpp"

// The constants of the enclosure formulas.
namespace ventbox::formula {

// Extended constants, each the nearest extended value to its number as
// m × 2^e; the tests derive each again from its number.
inline const Ext kPi = Ext::parts(0xC90FDAA22168C235, -62);
inline const Ext k0_0012 = Ext::parts(0x9D495182A9930BE1, -73);
inline const Ext kFourThirds = Ext::parts(0xAAAAAAAAAAAAAAAB, -63);
// 4 × π × π in extended arithmetic: one unit above the value nearest to 4π².
inline const Ext kFourPiSquared = Ext::parts(0x9DE9E64DF22EF2D3, -58);
inline const Ext k0_159 = Ext::parts(0xA2D0E5604189374C, -66);
inline const Ext k1_2 = Ext::parts(0x999999999999999A, -63);
inline const Ext k0_16 = Ext::parts(0xA3D70A3D70A3D70A, -66);

// Single-precision constants, all exact.
inline const Ext k2 = Ext::of(2.0f);
inline const Ext k10 = Ext::of(10.0f);
inline const Ext k100 = Ext::of(100.0f);
inline const Ext k160 = Ext::of(160.0f);
inline const Ext k1000 = Ext::of(1000.0f);
inline const Ext k14000 = Ext::of(14000.0f);

}  // namespace ventbox::formula

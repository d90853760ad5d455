// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The one extended type the core computes with, chosen by the build.
#if VENTBOX_SOFT_EXTENDED
#include "soft_extended.hpp"
namespace ventbox {
using Extended = SoftExtended;
}
#else
#include "x87_extended.hpp"
namespace ventbox {
using Extended = X87Extended;
}
#endif

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "duct_tuning.hpp"
#include "field_texts.hpp"

namespace ventbox {

// New box sizes for an alignment: the field texts with BL1, BL2, BL3 and L3
// changed, and what the calculation makes of them.
struct AlignedBox {
    FieldTexts texts;
    DuctTuning duct;  // its design is the whole new design, as calculated
};

// BL1, BL2 and BL3 in whole millimetres, in the proportions the fields hold
// now, and L3 in whole millimetres for the duct's opening as it is, such
// that the calculated box comes nearest the alignment: of the sizes tried,
// the one whose alpha = sc/so and h = fd/fo have the least sum of squared
// relative errors. The box is scaled to Vo = Vas/alpha with the duct's
// volume counted, the duct tuned to fb = h·fo for that box, and the two
// repeated until they agree; then the longest side is tried a few
// millimetres either way. Throws the calculation's error where the texts
// do not calculate, NoTuning where the box has a side that is not positive
// or no duct of the opening reaches the tuning.
AlignedBox boxForAlignment(const FieldTexts& texts, bool pipe, double alpha, double h);

}  // namespace ventbox

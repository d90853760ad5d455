// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "design/alignment.hpp"
#include "design/box_sizes.hpp"
#include "design/duct_tuning.hpp"
#include "speaker.hpp"

namespace ventbox {

// The texts the window's ten input fields hold now.
FieldTexts fieldTextsShown(const TBox& box);

// Writes the new sizes into the window's fields as the user types them,
// a field at a time, so that each change runs the window's own change
// rules and recalculation. The duct is written first where it gets
// shorter, last where it gets longer, so that no step on the way holds a
// duct larger than the box.
void typeAlignedBox(TBox& box, const AlignedBox& sized);

// The sizes for an alignment of the design the fields hold, typed into
// them. Throws, having changed nothing, where the fields do not calculate
// or the alignment cannot be built with the duct's opening (NoTuning).
AlignedBox applyAlignment(TBox& box, const Alignment& alignment);

// The duct length for a tuning of the design the fields hold, typed into
// EditL3. Throws, having changed nothing, as tuneDuct does.
DuctTuning applyTuning(TBox& box, double targetFb);

}  // namespace ventbox

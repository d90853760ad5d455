// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <string>

#include "calc/design.hpp"

namespace ventbox {

// The ten input fields' texts, in field order, as a user types them.
using FieldTexts = std::array<std::string, kFieldCount>;

// The texts a load shows for a design's record.
FieldTexts fieldTextsOf(const TDesign& design);

// A design calculated from field texts exactly as the window calculates
// them: each text read as typed, the results rounded as the labels show.
struct CalculatedDesign {
    TDesign design;
    TDesignResults results;
};
// Throws the error that stops the calculation.
CalculatedDesign calculateTexts(const FieldTexts& texts, bool pipe);

// A length in whole millimetres as a field of centimetres holds it, with
// the regional decimal separator: 123 mm is "12.3".
std::string millimetreText(long long millimetres);

// The duct's opening in cm², as the calculation takes it: L1·L2, or the
// round pipe's π·r² where the pipe box counts.
double ductOpening(const TDesign& design, const TDesignResults& results, bool pipe);

}  // namespace ventbox

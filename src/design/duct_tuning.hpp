// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "field_texts.hpp"
#include "report_text.hpp"

namespace ventbox {

// A tuning no duct of the design's opening reaches in its box; the message
// says why and what the duct can reach.
class NoTuning : public PlainError {
public:
    using PlainError::PlainError;
};

// The duct length that tunes a box nearest a frequency, and what it gives.
struct DuctTuning {
    double targetFb;       // Hz, asked for
    long long millimetres;  // L3
    std::string text;      // the L3 field text, in cm
    CalculatedDesign calculated;  // the design with that L3; its fd is the tuning
    double pipeResonance;  // Hz, the duct's own first resonance as an open pipe
    bool longerThanDepth;  // L3 above BL3: the duct must be bent or run across the box
};

// The L3 in whole millimetres, at least 1, whose calculated fd (the
// window's own formula, the effective volume shrinking as the duct grows)
// lies nearest `targetFb`; of lengths that calculate the same fd, the one
// whose fd before its rounding to 0.1 Hz lies nearest. Only ducts up to the
// length beyond which a longer one takes so much of the box that fd rises
// again are tried. Throws the calculation's error where the texts do not
// calculate, and NoTuning where the target lies above what 1 mm gives (the
// duct would need a negative length) or below the lowest fd any duct that
// fits gives, or where the box or opening is not positive.
DuctTuning tuneDuct(const FieldTexts& texts, bool pipe, double targetFb);

}  // namespace ventbox

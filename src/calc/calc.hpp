// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "design.hpp"

namespace ventbox {

// What a calculation reads from and writes to the window: the window, the
// command line and the tests each supply their own.
class CalcForm {
public:
    virtual ~CalcForm() = default;
    virtual std::string fieldText(Field field) const = 0;
    // Asked only when the duct's two sides are equal.
    virtual bool pipeChecked() const = 0;
    virtual void setLabel(ResultLabel label, const std::string& text) = 0;
};

// One whole recalculation. A failure stops it where it occurs and leaves the
// values stored and labels written so far.
void calculate(TDesign& design, TDesignResults& results, CalcForm& form);

}  // namespace ventbox

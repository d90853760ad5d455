// SPDX-License-Identifier: GPL-3.0-or-later
#include "design.hpp"

namespace ventbox {

double& TDesign::value(Field f) { return this->*facts(f).value; }

double TDesign::value(Field f) const { return this->*facts(f).value; }

}  // namespace ventbox

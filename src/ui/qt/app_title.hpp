// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace ventbox {

// The application title from the executable's path: the file name, cut at
// its first ".", with every character after the first in lower case.
QString applicationTitle(const QString& executablePath);

}  // namespace ventbox

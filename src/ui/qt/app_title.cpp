// SPDX-License-Identifier: GPL-3.0-or-later
#include "app_title.hpp"

namespace ventbox {

QString applicationTitle(const QString& executablePath) {
    QString name = executablePath.mid(executablePath.lastIndexOf(u'/') + 1);
    const qsizetype dot = name.indexOf(u'.');
    if (dot >= 0) name.truncate(dot);
    if (name.isEmpty()) return name;
    // The first character stays as it is, even when it takes two code units.
    const qsizetype first = name.at(0).isHighSurrogate() && name.size() > 1 ? 2 : 1;
    return name.left(first) + name.mid(first).toLower();
}

}  // namespace ventbox

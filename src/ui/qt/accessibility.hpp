// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAccessible>

class QWidget;

namespace ventbox {

// Gives a widget the role a screen reader should meet it by, where Qt's
// choice for its class misleads: a plain top-level widget reaches the bus as
// a filler, which no screen reader follows focus into, and a framed panel as
// a frame, which they take for a window. Call before the widget is shown.
void setAccessibleRole(QWidget* widget, QAccessible::Role role);

}  // namespace ventbox

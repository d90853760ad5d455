// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>

class QWidget;

namespace ventbox {

class ResponseGraph;
class TBox;

// The response graph draws with Qt Charts, which the program loads only when
// the graph is first asked for: a start without the graph loads no chart
// library. The graph's window lives in a module of its own, which offers one
// function that makes the window on the two models.
using MakeGraphWindow = QWidget* (*)(TBox& box, ResponseGraph& graph, QWidget* parent);
inline constexpr const char* kMakeGraphWindow = "ventboxMakeGraphWindow";

// Loads the graph's module and makes its window, a child window of `parent`.
// The module is found in libexec/ventbox of the nearest folder above the
// program's own that has one: the installed prefix, or the build tree.
// Throws Error when the module is missing or broken.
std::unique_ptr<QWidget> loadGraphWindow(TBox& box, ResponseGraph& graph, QWidget* parent);

}  // namespace ventbox

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>
#include <utility>

#include "application.hpp"
#include "box_window.hpp"
#include "graph_window.hpp"
#include "qt_platform.hpp"
#include "reported_work.hpp"
#include "ui/response_graph.hpp"
#include "ui/speaker.hpp"

namespace ventbox {

// The one wiring of the program: the platform, the model on it, the window
// on the model, the graph's model on the window's model, and the platform
// told which window it reports on. The platform type is a parameter so that
// a test or benchmark can answer the file dialog itself; everything else is
// wired as the program wires it.
template <typename PlatformType = QtPlatform>
struct Shell {
    template <typename... Args>
    explicit Shell(Args&&... args) : platform(std::forward<Args>(args)...) {
        platform.setWindow(&window);
        window.setOnGraphRequested([this] { reportErrors([this] { openGraph(); }); });
    }
    Shell(const Shell&) = delete;
    Shell& operator=(const Shell&) = delete;

    // Runs the start-up sequence, then shows the window, and the graph
    // beside it where asked. A failure to open the graph is reported and
    // the window stays.
    void start(bool withGraph = false) {
        startUp(box, window);
        if (withGraph) reportErrors([this] { openGraph(); });
    }

    // The graph's window is made when it is first asked for, so that a
    // start without it builds none; later requests raise the one there is.
    void openGraph() {
        if (!graphWindow) graphWindow = std::make_unique<GraphWindow>(graph, &window);
        graphWindow->show();
        graphWindow->raise();
        graphWindow->activateWindow();
    }

    PlatformType platform;
    TBox box{platform};
    BoxWindow window{box};
    ResponseGraph graph{box};
    std::unique_ptr<GraphWindow> graphWindow;
};

}  // namespace ventbox

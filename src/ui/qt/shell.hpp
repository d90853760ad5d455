// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <exception>
#include <memory>
#include <utility>

#include <QWidget>

#include "application.hpp"
#include "box_window.hpp"
#include "design/report_text.hpp"
#include "dialogs.hpp"
#include "graph_module.hpp"
#include "qt_platform.hpp"
#include "ui/response_graph.hpp"
#include "ui/speaker.hpp"

namespace ventbox {

// The one wiring of the program: the platform, the model on it, the window
// on the model, and the platform told which window it reports on. The
// platform type is a parameter so that a test or benchmark can answer the
// file dialog itself; everything else is wired as the program wires it.
template <typename PlatformType = QtPlatform>
struct Shell {
    template <typename... Args>
    explicit Shell(Args&&... args) : platform(std::forward<Args>(args)...) {
        platform.setWindow(&window);
        window.setOnGraphRequested([this] { openGraph(); });
    }
    Shell(const Shell&) = delete;
    Shell& operator=(const Shell&) = delete;

    // Runs the start-up sequence, then shows the window, and the graph
    // beside it where asked.
    void start(bool withGraph = false) {
        startUp(box, window);
        if (!withGraph) return;
        // As in the start-up sequence, a failure is reported and the window stays.
        try {
            openGraph();
        } catch (const std::exception& error) {
            showErrorReport(QString::fromStdString(reportText(error.what())));
        }
    }

    // The graph is made when it is first asked for, so that a start without
    // it builds no chart; later requests raise the one there is.
    void openGraph() {
        if (!graphWindow) graphWindow = loadGraphWindow(box, graph, &window);
        graphWindow->show();
        graphWindow->raise();
        graphWindow->activateWindow();
    }

    PlatformType platform;
    TBox box{platform};
    BoxWindow window{box};
    ResponseGraph graph;
    std::unique_ptr<QWidget> graphWindow;
};

}  // namespace ventbox

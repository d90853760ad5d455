// SPDX-License-Identifier: GPL-3.0-or-later
// The floor for the window program's start: a bare Qt Widgets program that
// opens a file dialog, timed to its first shown window as startup_bench
// times the program, and its resident memory as long after its start as
// startup_bench takes the program's.
#include <cstdio>
#include <cstdlib>

#include <QApplication>
#include <QFileDialog>
#include <QTimer>

#include "first_window.hpp"

namespace {

class ReportAndExit : public FirstWindow {
public:
    using FirstWindow::FirstWindow;

protected:
    void shown(QWidget* window) override {
        QTimer::singleShot(300, window, [this] {
            std::printf("first window after %.1f ms\n%s\n%s\n", shownAfterMs,
                        statusLine("VmRSS").c_str(), statusLine("VmHWM").c_str());
            std::fflush(stdout);
            std::_Exit(0);
        });
    }
};

}  // namespace

int main(int argc, char** argv) {
    const long long startNs = argc > 1 ? std::atoll(argv[1]) : nowNs();
    QApplication application(argc, argv);
    ReportAndExit first(startNs);
    application.installEventFilter(&first);
    QFileDialog dialog;
    return dialog.exec();
}

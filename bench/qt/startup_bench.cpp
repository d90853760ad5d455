// SPDX-License-Identifier: GPL-3.0-or-later
// Starts the program as main() does and reports how long after the process
// began its first window (the start-up file dialog) was shown, and the
// resident memory once the main window is up.
#include <cstdio>
#include <cstdlib>

#include <QTimer>
#include <QWidget>

#include "first_window.hpp"
#include "ui/qt/application.hpp"
#include "ui/qt/box_window.hpp"
#include "ui/qt/shell.hpp"
#include "ui/qt/qt_platform.hpp"

namespace {

// Closes the start-up dialog soon after it was shown.
class FirstDialog : public FirstWindow {
public:
    using FirstWindow::FirstWindow;

protected:
    void shown(QWidget* window) override { QTimer::singleShot(50, window, &QWidget::close); }
};

}  // namespace

int main(int argc, char** argv) {
    // The caller passes the moment it started the process, in nanoseconds.
    const long long startNs = argc > 1 ? std::atoll(argv[1]) : nowNs();
    ventbox::Application application(argc, argv);
    FirstDialog first(startNs);
    application.installEventFilter(&first);
    ventbox::Shell<> shell;
    shell.start();
    QTimer::singleShot(300, [&] {
        std::printf("first window after %.1f ms\n%s\n%s\n", first.shownAfterMs,
                    statusLine("VmRSS").c_str(), statusLine("VmHWM").c_str());
        std::fflush(stdout);
        std::_Exit(0);
    });
    return application.exec();
}

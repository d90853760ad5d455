// SPDX-License-Identifier: GPL-3.0-or-later
// Starts the program as main() does and reports how long after the process
// began its first window (the start-up file dialog) was shown, and the
// resident memory once the main window is up.
#include <time.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include <QTimer>
#include <QWidget>

#include "ui/qt/application.hpp"
#include "ui/qt/box_window.hpp"
#include "ui/qt/shell.hpp"
#include "ui/qt/qt_platform.hpp"

namespace {

long long nowNs() {
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    return now.tv_sec * 1'000'000'000LL + now.tv_nsec;
}

std::string statusLine(const std::string& key) {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind(key, 0) == 0) return line;
    }
    return key + " unknown";
}

// Notes the first window shown, and closes the start-up dialog soon after.
class FirstWindow : public QObject {
public:
    explicit FirstWindow(long long startNs) : startNs_(startNs) {}
    double shownAfterMs = -1;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* widget = qobject_cast<QWidget*>(watched);
        if (event->type() == QEvent::Show && widget && widget->isWindow() && shownAfterMs < 0) {
            shownAfterMs = static_cast<double>(nowNs() - startNs_) / 1e6;
            QTimer::singleShot(50, widget, &QWidget::close);
        }
        return false;
    }

private:
    long long startNs_;
};

}  // namespace

int main(int argc, char** argv) {
    // The caller passes the moment it started the process, in nanoseconds.
    const long long startNs = argc > 1 ? std::atoll(argv[1]) : nowNs();
    ventbox::Application application(argc, argv);
    FirstWindow first(startNs);
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

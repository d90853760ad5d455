// SPDX-License-Identifier: GPL-3.0-or-later
// The floor for the window program's start: a bare Qt Widgets program that
// opens a file dialog, timed to its first shown window as startup_bench
// times the program.
#include <time.h>

#include <cstdio>
#include <cstdlib>

#include <QApplication>
#include <QFileDialog>

namespace {

long long nowNs() {
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    return now.tv_sec * 1'000'000'000LL + now.tv_nsec;
}

class FirstWindow : public QObject {
public:
    explicit FirstWindow(long long startNs) : startNs_(startNs) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* widget = qobject_cast<QWidget*>(watched);
        if (event->type() == QEvent::Show && widget && widget->isWindow()) {
            std::printf("first window after %.1f ms\n", static_cast<double>(nowNs() - startNs_) / 1e6);
            std::fflush(stdout);
            std::_Exit(0);
        }
        return false;
    }

private:
    long long startNs_;
};

}  // namespace

int main(int argc, char** argv) {
    const long long startNs = argc > 1 ? std::atoll(argv[1]) : nowNs();
    QApplication application(argc, argv);
    FirstWindow first(startNs);
    application.installEventFilter(&first);
    QFileDialog dialog;
    return dialog.exec();
}

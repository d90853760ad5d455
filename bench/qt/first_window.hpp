// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <time.h>

#include <fstream>
#include <string>

#include <QEvent>
#include <QObject>
#include <QWidget>

// The wall clock in nanoseconds, as the timing script passes the moment it
// started the process.
inline long long nowNs() {
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    return now.tv_sec * 1'000'000'000LL + now.tv_nsec;
}

// A line of /proc/self/status, such as the resident memory "VmRSS".
inline std::string statusLine(const std::string& key) {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind(key, 0) == 0) return line;
    }
    return key + " unknown";
}

// Notes how long after the process started its first window was shown, and
// tells the subclass which window that was. Install on the application.
class FirstWindow : public QObject {
public:
    explicit FirstWindow(long long startNs) : startNs_(startNs) {}
    double shownAfterMs = -1;

protected:
    virtual void shown(QWidget* window) = 0;

    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* widget = qobject_cast<QWidget*>(watched);
        if (event->type() == QEvent::Show && widget && widget->isWindow() && shownAfterMs < 0) {
            shownAfterMs = static_cast<double>(nowNs() - startNs_) / 1e6;
            shown(widget);
        }
        return false;
    }

private:
    long long startNs_;
};

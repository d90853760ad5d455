// SPDX-License-Identifier: GPL-3.0-or-later
#include "program_end.hpp"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <stdexcept>
#include <string>

#include <QCoreApplication>
#include <QEvent>
#include <QSocketNotifier>
#include <QWidget>

#include "ui/speaker.hpp"

namespace ventbox {

namespace {

constexpr int kEndSignals[] = {SIGTERM, SIGHUP, SIGINT};

// A signal handler may do almost nothing: it writes one byte into this pipe,
// and the event loop does the rest.
int signalPipe[2] = {-1, -1};

extern "C" void onEndSignal(int signal) {
    const int savedErrno = errno;
    const char byte = static_cast<char>(signal);
    [[maybe_unused]] const ssize_t written = ::write(signalPipe[1], &byte, 1);
    errno = savedErrno;
}

void setEndSignalHandler(void (*handler)(int)) {
    struct sigaction action {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int signal : kEndSignals) ::sigaction(signal, &action, nullptr);
}

// Saves where no dialog can be shown: a failure goes to standard error,
// titled as a report would be. Returns whether the design was saved.
bool saveWithoutDialogs(TBox& box) {
    const std::optional<std::string> failure = box.saveBeforeEnd();
    if (!failure) return true;
    const std::string line =
        QCoreApplication::applicationName().toStdString() + ": " + *failure + "\n";
    std::fwrite(line.data(), 1, line.size(), stderr);
    std::fflush(stderr);
    return false;
}

}  // namespace

void endDesktopSession(TBox& box, DesktopSession& session) {
    const bool saved = session.allowsInteraction() ? box.userRequestedClose() : saveWithoutDialogs(box);
    if (!saved) session.cancel();
    session.release();
}

EndSignals::EndSignals(TBox& box, QWidget& window) : box_(box), window_(window) {
    if (signalPipe[0] >= 0) throw std::logic_error("the end signals are already watched");
    if (::pipe2(signalPipe, O_CLOEXEC | O_NONBLOCK) != 0) throw std::runtime_error("no pipe for the end signals");
    notifier_ = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, [this] { end(); });
    window_.installEventFilter(this);
    setEndSignalHandler(onEndSignal);
}

EndSignals::~EndSignals() {
    setEndSignalHandler(SIG_DFL);
    for (int& fd : signalPipe) {
        ::close(fd);
        fd = -1;
    }
}

bool EndSignals::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &window_ && event->type() == QEvent::Show) windowShown_ = true;
    return false;
}

// The process ends here, without unwinding the dialogs that may be open:
// their loops would go on to run the rest of the handler that opened them.
void EndSignals::end() {
    const bool saved = !windowShown_ || saveWithoutDialogs(box_);
    std::fflush(nullptr);
    std::_Exit(saved ? EXIT_SUCCESS : EXIT_FAILURE);
}

}  // namespace ventbox

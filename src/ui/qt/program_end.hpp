// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

class QSocketNotifier;
class QWidget;

namespace ventbox {

class TBox;

// The desktop session's question whether the program may end, as the
// session manager asks it.
class DesktopSession {
public:
    virtual ~DesktopSession() = default;
    // Whether dialogs may be shown now.
    virtual bool allowsInteraction() = 0;
    // Asks the session manager not to end the session.
    virtual void cancel() = 0;
    // Hands the answer back to the session manager.
    virtual void release() = 0;
};

// The end of the desktop session asks the window as a close does; where no
// dialog may be shown, the design is saved without them. A failed save
// cancels the end, so the design is not lost with the session.
void endDesktopSession(TBox& box, DesktopSession& session);

// Ends the program on SIGTERM, SIGHUP and SIGINT: the design is saved
// without the close's message dialog and the process exits 0, or 1 with the
// error on standard error when the save fails. Until the window has first
// been shown the design holds nothing the user made, and nothing is saved.
// The end comes at once, even from inside an open dialog. One per process.
class EndSignals : public QObject {
public:
    EndSignals(TBox& box, QWidget& window);
    ~EndSignals() override;
    EndSignals(const EndSignals&) = delete;
    EndSignals& operator=(const EndSignals&) = delete;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    [[noreturn]] void end();

    TBox& box_;
    QWidget& window_;
    bool windowShown_ = false;
    QSocketNotifier* notifier_ = nullptr;
};

}  // namespace ventbox

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QApplication>


namespace ventbox {

class BoxWindow;
class TBox;

// The application object: titles the program after its executable, keeps
// the decimal separator in step with the system locale, and reports every
// error that escapes the handling of an event.
class Application : public QApplication {
public:
    Application(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;

protected:
    bool event(QEvent* event) override;
};

// Takes the decimal separator from the system locale.
void readDecimalSeparator();

// Runs the start-up sequence while the window is still hidden, so that its
// dialogs come first, then shows the window in the middle of the screen.
// Closing the window, and agreeing to the end of the desktop session, end
// the application.
void startUp(TBox& box, BoxWindow& window);

}  // namespace ventbox

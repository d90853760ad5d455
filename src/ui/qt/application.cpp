// SPDX-License-Identifier: GPL-3.0-or-later
#include "application.hpp"


#include <QLibraryInfo>
#include <QLocale>
#include <QSessionManager>
#include <QTranslator>

#include "app_title.hpp"
#include "box_window.hpp"
#include "calc/number_text.hpp"
#include "dialogs.hpp"
#include "program_end.hpp"
#include "reported_work.hpp"
#include "ui/speaker.hpp"

namespace ventbox {

namespace {

// Qt's own translations for the locale, so that the platform's dialogs speak
// the user's language; none where Qt has none for it.
void installQtTranslations(const QLocale& locale) {
    auto* translator = new QTranslator(qApp);
    if (translator->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QCoreApplication::installTranslator(translator);
    } else {
        delete translator;
    }
}

class SessionManagerQuestion : public DesktopSession {
public:
    explicit SessionManagerQuestion(QSessionManager& manager) : manager_(manager) {}
    bool allowsInteraction() override { return manager_.allowsInteraction(); }
    void cancel() override { manager_.cancel(); }
    void release() override { manager_.release(); }

private:
    QSessionManager& manager_;
};

}  // namespace

Application::Application(int& argc, char** argv) : QApplication(argc, argv) {
    setApplicationName(applicationTitle(applicationFilePath()));
    installQtTranslations(QLocale::system());
    // Lets a desktop match the window to its menu entry and larger icons.
    setDesktopFileName(QStringLiteral(VENTBOX_APP_ID));
    // The dialogs of the start-up sequence close before the window opens;
    // only the window's own close ends the program.
    setQuitOnLastWindowClosed(false);
    readDecimalSeparator();
}

bool Application::notify(QObject* receiver, QEvent* event) {
    bool handled = false;
    reportErrors([&] { handled = QApplication::notify(receiver, event); });
    return handled;
}

bool Application::event(QEvent* event) {
    if (event->type() == QEvent::LocaleChange) readDecimalSeparator();
    return QApplication::event(event);
}

void readDecimalSeparator() {
    setDecimalSeparator(separatorFromDecimalPoint(QLocale::system().decimalPoint().toStdString()));
}

void startUp(TBox& box, BoxWindow& window) {
    window.setOnClosed([] { QMetaObject::invokeMethod(qApp, &QCoreApplication::quit, Qt::QueuedConnection); });
    // The process never runs on without its window.
    QObject::connect(&window, &QObject::destroyed, qApp, &QCoreApplication::quit);
    QObject::connect(qApp, &QGuiApplication::commitDataRequest, &window,
                     [&box](QSessionManager& manager) {
                         SessionManagerQuestion session(manager);
                         endDesktopSession(box, session);
                     });
    // The window opens even when the start-up sequence failed.
    reportErrors([&box] { box.windowCreated(); });
    window.centreOnScreen();
    window.show();
}

}  // namespace ventbox

#include "application.hpp"

#include <exception>

#include <QIcon>
#include <QLocale>
#include <QSessionManager>

#include "app_title.hpp"
#include "box_window.hpp"
#include "calc/number_text.hpp"
#include "calc/report_text.hpp"
#include "dialogs.hpp"
#include "ui/speaker.hpp"

namespace ventbox {

Application::Application(int& argc, char** argv) : QApplication(argc, argv) {
    setApplicationName(applicationTitle(applicationFilePath()));
    setWindowIcon(QIcon(QStringLiteral(":/ventbox.png")));
    // The dialogs of the start-up sequence close before the window opens;
    // only the window's own close ends the program.
    setQuitOnLastWindowClosed(false);
    readDecimalSeparator();
}

bool Application::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
        showErrorReport(QString::fromStdString(reportText(error.what())));
        return false;
    }
}

bool Application::event(QEvent* event) {
    if (event->type() == QEvent::LocaleChange) readDecimalSeparator();
    return QApplication::event(event);
}

void readDecimalSeparator() {
    setDecimalSeparator(separatorFromDecimalPoint(QLocale::system().decimalPoint().toStdString()));
}

void startUp(Application& application, TBox& box, BoxWindow& window) {
    window.setOnClosed([] { QMetaObject::invokeMethod(qApp, &QCoreApplication::quit, Qt::QueuedConnection); });
    QObject::connect(&application, &QGuiApplication::commitDataRequest, &window,
                     [&box](QSessionManager& session) {
                         // The design is saved even where the session allows
                         // no dialog: losing it would be worse.
                         session.allowsInteraction();
                         if (!box.userRequestedClose()) session.cancel();
                         session.release();
                     });
    // The window opens even when the start-up sequence failed.
    try {
        box.dispatch([&box] { box.FormCreate(); });
    } catch (const std::exception& error) {
        showErrorReport(QString::fromStdString(reportText(error.what())));
    }
    window.centreOnScreen();
    window.show();
}

}  // namespace ventbox

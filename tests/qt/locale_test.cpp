// SPDX-License-Identifier: GPL-3.0-or-later
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include "calc/number_text.hpp"
#include "modal_script.hpp"
#include "stub_platform.hpp"
#include "ui/qt/application.hpp"
#include "ui/qt/box_window.hpp"
#include "ui/qt/shell.hpp"

using namespace ventbox;

// Run with a German locale: its decimal separator is a comma.
class LocaleTest : public QObject {
    Q_OBJECT

private slots:
    void separatorComesFromTheSystemLocale() {
        QCOMPARE(decimalSeparator(), ',');
        setDecimalSeparator('.');
        QEvent change(QEvent::LocaleChange);
        QCoreApplication::sendEvent(qApp, &change);
        QCOMPARE(decimalSeparator(), ',');
    }

    void windowReadsAndWritesCommas() {
        ModalScript script;
        QTemporaryDir dir;
        Shell<StubPlatform> shell(dir.path().toStdString());
        BoxWindow& window = shell.window;
        // The first start calculates the creation texts, written with commas.
        shell.start();
        QCOMPARE(window.edit(Edit::M)->text(), QString("6,4"));
        QCOMPARE(window.result(ResultLabel::BoxVolium)->text(), QString::fromUtf8("37,1㍑"));
        QLineEdit* q = window.edit(Edit::Q);
        q->selectAll();
        QTest::keyClicks(q, "0,3");
        window.button(Button::Calc)->click();
        QCOMPARE(window.result(ResultLabel::EfectiveQ)->text(), QString::fromUtf8("0,56"));
        QVERIFY2(script.unexpected().isEmpty(), qPrintable(script.unexpected().join("; ")));
    }

    // The graph's module reads the data folder's designs with the program's
    // own separator: a comma here, which a copy of its own would not know.
    void graphComparesDesignsWithCommas() {
        ModalScript script;
        QTemporaryDir dir;
        QDir(dir.path()).mkdir("Data");
        Shell<StubPlatform> shell(dir.path().toStdString());
        shell.start();
        QVERIFY(QTest::qWaitForWindowExposed(&shell.window));
        shell.window.button(Button::SV)->click();
        QTest::keyClick(&shell.window, Qt::Key_G, Qt::ControlModifier);
        QVERIFY(shell.graphWindow != nullptr);
        auto* compared = shell.graphWindow->findChild<QListWidget*>();
        QCOMPARE(compared->count(), 1);
        QVERIFY2(compared->item(0)->flags() & Qt::ItemIsUserCheckable,
                 qPrintable(compared->item(0)->text()));
        QVERIFY2(script.unexpected().isEmpty(), qPrintable(script.unexpected().join("; ")));
    }
};

int main(int argc, char** argv) {
    Application application(argc, argv);
    LocaleTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "locale_test.moc"

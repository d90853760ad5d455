// SPDX-License-Identifier: GPL-3.0-or-later
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include "design/fixed_text.hpp"
#include "design/response.hpp"
#include "modal_script.hpp"
#include "stub_platform.hpp"
#include "support/temp_files.hpp"
#include "support/worked_examples.hpp"
#include "ui/qt/shell.hpp"

using namespace ventbox;

namespace {

// The window on a startup directory whose Data folder holds the first
// example, as the program starts it, with the graph asked for or not.
struct GraphSession {
    explicit GraphSession(bool withGraph) {
        QDir(dir.path()).mkdir("Data");
        test::writeBytes(dataFile("FW208Kolvex"), test::kExampleFile);
        shell.start(withGraph);
        QVERIFY(QTest::qWaitForWindowExposed(&shell.window));
    }

    std::string dataFile(const char* name) const {
        return (dir.path() + "/Data/" + name + ".dat").toStdString();
    }
    // The graph's read-out, as its window shows it.
    QString readout() const {
        for (QLabel* label : shell.graphWindow->findChildren<QLabel*>()) {
            if (label->accessibleName() == QStringLiteral("読み取り")) return label->text();
        }
        return QString();
    }
    // The vented F3 line the read-out shows for the window's design now.
    QString expectedVentedF3() const {
        const Response response = responseOf(shell.box.design(), shell.box.results(), kDefaultQl);
        return QString::fromStdString("F3 バスレフ: " + fixedText(*ventedF3(response), 2) + " Hz");
    }
    int graphWindows() const {
        int count = 0;
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (widget->windowTitle() == QString::fromUtf8("周波数特性")) ++count;
        }
        return count;
    }

    QTemporaryDir dir;
    Shell<StubPlatform> shell{dir.path().toStdString()};
};

}  // namespace

class GraphTest : public QObject {
    Q_OBJECT
private slots:
    void opensOnceWhetherAskedByKeyOrAtStart_data();
    void opensOnceWhetherAskedByKeyOrAtStart();
    void followsTheRecordAndKeepsTheLastCurvesOnFailure();
    void comparedListFollowsTheDataFolder();
    void closingTheWindowStillSavesWithTheGraphOpen();
};

void GraphTest::opensOnceWhetherAskedByKeyOrAtStart_data() {
    QTest::addColumn<bool>("atStart");
    QTest::newRow("Ctrl+G twice") << false;
    QTest::newRow("at start, then Ctrl+G") << true;
}

void GraphTest::opensOnceWhetherAskedByKeyOrAtStart() {
    QFETCH(bool, atStart);
    GraphSession session(atStart);
    QCOMPARE(session.shell.graphWindow != nullptr, atStart);
    QTest::keyClick(&session.shell.window, Qt::Key_G, Qt::ControlModifier);
    QVERIFY(session.shell.graphWindow != nullptr);
    QVERIFY(QTest::qWaitForWindowExposed(session.shell.graphWindow.get()));
    QTest::keyClick(&session.shell.window, Qt::Key_G, Qt::ControlModifier);
    QCOMPARE(session.graphWindows(), 1);
    QCOMPARE(session.readout().split('\n').front(), session.expectedVentedF3());
}

void GraphTest::followsTheRecordAndKeepsTheLastCurvesOnFailure() {
    GraphSession session(true);
    QLineEdit* width = session.shell.window.edit(Edit::BL1);
    width->selectAll();
    QTest::keyClicks(width, "40");
    QCOMPARE(session.shell.box.design().BL1, 40.0);
    const QString afterTyping = session.readout();
    QCOMPARE(afterTyping.split('\n').front(), session.expectedVentedF3());

    ModalScript script;
    ReportSeen report;
    script.expect(answerErrorReport(report));
    QTest::keyClicks(width, "x");
    QCOMPARE(report.text, QString::fromUtf8("'40x' は浮動小数点数ではありません."));
    QCOMPARE(session.readout(), afterTyping);
    bool saidSo = false;
    for (QLabel* label : session.shell.graphWindow->findChildren<QLabel*>()) {
        saidSo = saidSo || label->text().contains(QString::fromUtf8("前の曲線のまま"));
    }
    QVERIFY(saidSo);
    QCOMPARE(script.pending(), 0);
}

void GraphTest::comparedListFollowsTheDataFolder() {
    GraphSession session(true);
    auto* list = session.shell.graphWindow->findChild<QListWidget*>();
    QCOMPARE(list->count(), 1);
    test::writeBytes(session.dataFile("Copy"), test::kExampleFile);
    test::writeBytes(session.dataFile("Broken"), "not a design\r\n");
    QTRY_COMPARE(list->count(), 3);
    // Sorted by file name: Broken, Copy, FW208Kolvex; the broken one has no box to check.
    QVERIFY(list->item(0)->text().contains(QString::fromUtf8("読み込めません")));
    QVERIFY(!(list->item(0)->flags() & Qt::ItemIsUserCheckable));
    list->item(1)->setCheckState(Qt::Checked);
    QCOMPARE(session.shell.graph.drawn().size(), std::size_t{2});
    QFile::remove(QString::fromStdString(session.dataFile("Copy")));
    QTRY_COMPARE(list->count(), 2);
    QCOMPARE(session.shell.graph.drawn().size(), std::size_t{1});
}

void GraphTest::closingTheWindowStillSavesWithTheGraphOpen() {
    GraphSession session(true);
    session.shell.window.edit(Edit::BL2)->setText("40");
    ModalScript script;
    script.expect([](QWidget* dialog) { QTest::keyClick(dialog, Qt::Key_Return); });
    QTest::mouseClick(session.shell.window.button(Button::Exit), Qt::LeftButton);
    QVERIFY(!session.shell.window.isVisible());
    QVERIFY(test::readBytes(session.dataFile("FW208Kolvex")).find(" 4.00000000000000E+0001") !=
            std::string::npos);
    QCOMPARE(script.pending(), 0);
}

QTEST_MAIN(GraphTest)
#include "graph_test.moc"

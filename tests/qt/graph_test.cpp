// SPDX-License-Identifier: GPL-3.0-or-later
#include <sys/stat.h>

#include <thread>

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

#include "design/plot_style.hpp"
#include "files/cp932.hpp"
#include "modal_script.hpp"
#include "stub_platform.hpp"
#include "support/svg_reader.hpp"
#include "support/temp_files.hpp"
#include "support/worked_examples.hpp"
#include "ui/qt/plot_view.hpp"
#include "ui/qt/shell.hpp"

using namespace ventbox;

namespace {

// The first example saved under another name, in the files' code page.
std::string exampleNamed(const std::string& name) {
    std::string file = test::kExampleFile;
    file.replace(file.find(test::kExampleName + "\r\n"), test::kExampleName.size(),
                 utf8ToCp932(name).value_or(name));
    return file;
}

// The window on a startup directory whose Data folder holds the first
// example, as the program starts it, with the graph asked for or not.
struct GraphSession {
    explicit GraphSession(bool withGraph, const std::vector<std::string>& moreDesigns = {}) {
        QDir(dir.path()).mkdir("Data");
        test::writeBytes(dataFile("FW208Kolvex"), test::kExampleFile);
        for (std::size_t i = 0; i < moreDesigns.size(); ++i) {
            test::writeBytes(dataFile(("D" + std::to_string(i)).c_str()), exampleNamed(moreDesigns[i]));
        }
        shell.start(withGraph);
        QVERIFY(QTest::qWaitForWindowExposed(&shell.window));
    }

    std::string dataFile(const char* name) const {
        return (dir.path() + "/Data/" + name + ".dat").toStdString();
    }
    QString readout() const { return label(QStringLiteral("読み取り"))->text(); }
    QLabel* label(const QString& name) const {
        for (QLabel* label : shell.graphWindow->findChildren<QLabel*>()) {
            if (label->accessibleName() == name) return label;
        }
        return nullptr;
    }
    QListWidget* list() const { return shell.graphWindow->findChild<QListWidget*>(); }
    // Ticks every design of the data folder but the window's own file.
    void tickAllButTheSavedOne() {
        for (int i = 0; i < list()->count(); ++i) {
            if (!list()->item(i)->text().contains("FW208Kolvex.dat")) list()->item(i)->setCheckState(Qt::Checked);
        }
    }
    PlotView* levelView() const { return shell.graphWindow->view(PlotPage::Level); }
    // The level page as the window paints it now.
    QImage painted() const {
        // As at the next frame: the layout follows a legend that grew.
        QCoreApplication::processEvents();
        return levelView()->grab().toImage();
    }
    int graphWindows() const {
        int count = 0;
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (widget->windowTitle() == QString::fromUtf8("周波数特性")) ++count;
        }
        return count;
    }
    test::SvgReader savedSvg(std::string& holder) {
        const QString path = dir.path() + "/picture.svg";
        shell.graphWindow->savePicture(path);
        holder = test::readBytes(path.toStdString());
        return test::SvgReader(holder);
    }

    QTemporaryDir dir;
    Shell<StubPlatform> shell{dir.path().toStdString()};
};

// Whether a pixel has a colour's hue, whatever antialiasing left of it.
bool near(QColor pixel, QColor colour) {
    return std::abs(pixel.red() - colour.red()) + std::abs(pixel.green() - colour.green()) +
               std::abs(pixel.blue() - colour.blue()) < 90;
}

QColor colourOf(std::string_view name) { return QColor(QString::fromLatin1(name.data(), name.size())); }

}  // namespace

class GraphTest : public QObject {
    Q_OBJECT
private slots:
    void opensOnceWhetherAskedByKeyOrAtStart_data();
    void opensOnceWhetherAskedByKeyOrAtStart();
    void followsTheRecordAndKeepsTheLastCurvesOnFailure();
    void comparedListFollowsTheDataFolder();
    void closingTheWindowStillSavesWithTheGraphOpen();
    void marksOfEqualF3StandApartOnScreenAndInThePictures();
    void longNamesStandWholeInTheLegendAndItsPictures();
    void picturesSpeakTheWindowsLanguage();
    void saveDialogAsksAboutTheFileItWrites();
    void pictureThatCannotBeSavedIsReported();
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
    // F3 of the example, worked by hand: 52.870 Hz.
    QCOMPARE(session.readout().split('\n').front(), QString::fromUtf8("F3 バスレフ: 52.87 Hz"));
}

// Typing in the window reaches the graph's read-out, picture and table;
// a failure leaves them and says so until the next calculation completes.
void GraphTest::followsTheRecordAndKeepsTheLastCurvesOnFailure() {
    GraphSession session(true);
    QLineEdit* duct = session.shell.window.edit(Edit::L1);
    duct->selectAll();
    QTest::keyClicks(duct, "5");
    session.shell.window.edit(Edit::L2)->selectAll();
    QTest::keyClicks(session.shell.window.edit(Edit::L2), "5");
    session.shell.window.checkBox()->click();
    // The round pipe of 5 cm, worked by hand: F3 54.284 Hz.
    const QString afterTyping = session.readout();
    QCOMPARE(afterTyping.split('\n').front(), QString::fromUtf8("F3 バスレフ: 54.28 Hz"));
    QCOMPARE(QString::fromStdString(session.levelView()->description().legend[0].text),
             QString::fromUtf8("FW208Kolvex — F3 バスレフ 54.28 Hz、密閉 60.47 Hz"));

    ModalScript script;
    ReportSeen report;
    script.expect(answerErrorReport(report));
    QTest::keyClicks(duct, "x");
    QCOMPARE(report.text, QString::fromUtf8("'5x' は浮動小数点数ではありません."));
    QCOMPARE(session.readout(), afterTyping);
    QVERIFY(session.label(QStringLiteral("状態"))->text().contains(QString::fromUtf8("前の曲線のまま")));
    QTest::keyClick(duct, Qt::Key_Backspace);
    QCOMPARE(session.label(QStringLiteral("状態"))->text(), QString());
    QCOMPARE(script.pending(), 0);
}

void GraphTest::comparedListFollowsTheDataFolder() {
    GraphSession session(true);
    QListWidget* list = session.list();
    QCOMPARE(list->count(), 1);
    test::writeBytes(session.dataFile("Copy"), test::kExampleFile);
    test::writeBytes(session.dataFile("Broken"), "not a design\r\n");
    QTRY_COMPARE(list->count(), 3);
    // Sorted by file name: Broken, Copy, FW208Kolvex; the broken one has no box to check.
    QVERIFY(list->item(0)->text().contains(QString::fromUtf8("読み込めません")));
    QVERIFY(!(list->item(0)->flags() & Qt::ItemIsUserCheckable));
    list->item(1)->setCheckState(Qt::Checked);
    QCOMPARE(session.shell.graph.drawn().size(), std::size_t{2});
    QCOMPARE(session.levelView()->description().legend.size(), std::size_t{2});
    QFile::remove(QString::fromStdString(session.dataFile("Copy")));
    QTRY_COMPARE(list->count(), 2);
    QCOMPARE(session.shell.graph.drawn().size(), std::size_t{1});
    QCOMPARE(session.levelView()->description().legend.size(), std::size_t{1});
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

// Three designs of one F3: six marks, each seen on screen in its design's
// colour (a dot filled with it, a ring drawn in it around white), at the
// same places in the SVG and, twice as large, in the PNG.
void GraphTest::marksOfEqualF3StandApartOnScreenAndInThePictures() {
    GraphSession session(true, {"Copy1", "Copy2"});
    session.tickAllButTheSavedOne();
    const QImage screen = session.painted();
    const PlotDescription plot = session.levelView()->description();
    QCOMPARE(QSize(qRound(plot.width), qRound(plot.height)), screen.size());
    QCOMPARE(plot.marks.size(), std::size_t{6});
    const QString png = session.dir.path() + "/picture.png";
    session.shell.graphWindow->savePicture(png);
    const QImage saved(png);
    QCOMPARE(saved.size(), session.shell.graphWindow->pictureSize());
    for (const QImage* image : {&screen, &saved}) {
        const double scale = image == &saved ? 2.0 : 1.0;
        const PlotDescription drawn =
            image == &saved ? session.shell.graph.plot(PlotPage::Level, saved.width() / 2.0,
                                                       saved.height() / 2.0, session.levelView()->measure())
                            : plot;
        for (const PlotMark& mark : drawn.marks) {
            const QColor colour = colourOf(plotColourOf(session.shell.graph.drawn()[mark.design].style));
            const QPoint centre(qRound(mark.circle.centre.x * scale), qRound(mark.circle.centre.y * scale));
            const QPoint edge(qRound((mark.circle.centre.x + mark.circle.radius - 0.5) * scale), centre.y());
            if (mark.filled) {
                QVERIFY2(near(image->pixelColor(centre), colour), qPrintable(colour.name()));
            } else {
                QVERIFY(near(image->pixelColor(centre), Qt::white));
                QVERIFY2(near(image->pixelColor(edge), colour), qPrintable(colour.name()));
            }
        }
    }
    std::string bytes;
    const test::SvgReader svg = session.savedSvg(bytes);
    std::vector<std::pair<double, double>> circles;
    for (const test::SvgElement& c : svg.all("circle")) {
        if (!c.clip.empty()) circles.push_back({c.number("cx"), c.number("cy")});
    }
    QCOMPARE(circles.size(), std::size_t{6});
    for (std::size_t i = 0; i < circles.size(); ++i) {
        QVERIFY(std::abs(circles[i].first - plot.marks[i].circle.centre.x) < 0.06);
        QVERIFY(std::abs(circles[i].second - plot.marks[i].circle.centre.y) < 0.06);
    }
}

// Seven compared designs with long names: each legend entry holds the whole
// name on screen, in the PNG (its ink ends where the measured text ends,
// inside the picture) and in the SVG.
void GraphTest::longNamesStandWholeInTheLegendAndItsPictures() {
    std::vector<std::string> names;
    for (int i = 0; i < 7; ++i) {
        names.push_back(i % 2 ? "FW208Kolvex-long-cabinet-name-revision-" + std::to_string(i)
                              : "小型パイプダクトの試作品その" + std::to_string(i) + "（改良型）");
    }
    GraphSession session(true, names);
    session.tickAllButTheSavedOne();
    const QImage screen = session.painted();
    const PlotDescription plot = session.levelView()->description();
    QCOMPARE(plot.legend.size(), std::size_t{8});
    std::string bytes;
    const test::SvgReader svg = session.savedSvg(bytes);
    const std::vector<std::string> texts = svg.texts();
    for (std::size_t i = 1; i < plot.legend.size(); ++i) {
        const LegendEntry& entry = plot.legend[i];
        QVERIFY2(entry.text.rfind(names[i - 1] + " — ", 0) == 0, entry.text.c_str());
        QVERIFY2(std::find(texts.begin(), texts.end(), entry.text) != texts.end(), entry.text.c_str());
        for (const PlotText& line : entry.lines) {
            const double end = line.at.x + session.levelView()->measure().width(line.text, line.size, false);
            QVERIFY(end <= plot.width);
            const auto inkIn = [&](double from, double to) {
                for (int x = qRound(from); x < qRound(to) && x < screen.width(); ++x) {
                    for (int y = qRound(line.at.y - line.size); y <= qRound(line.at.y + 3); ++y) {
                        if (screen.pixelColor(x, y).lightness() < 160) return true;
                    }
                }
                return false;
            };
            QVERIFY2(inkIn(end - 8, end), line.text.c_str());
            QVERIFY2(!inkIn(end + 2, end + 14), line.text.c_str());
        }
    }
}

void GraphTest::picturesSpeakTheWindowsLanguage() {
    GraphSession session(true);
    for (PlotPage page : kPlotPages) {
        auto* tabs = session.shell.graphWindow->findChild<QTabWidget*>();
        tabs->setCurrentIndex(page == PlotPage::Level ? 0 : 1);
        std::string bytes;
        const std::vector<std::string> texts = session.savedSvg(bytes).texts();
        const std::vector<const char*> expected =
            page == PlotPage::Level ? std::vector<const char*>{"振幅特性", "周波数 (Hz)", "レベル (dB)"}
                                    : std::vector<const char*>{"群遅延", "周波数 (Hz)", "群遅延 (ms)"};
        for (const char* text : expected) {
            QVERIFY2(std::find(texts.begin(), texts.end(), text) != texts.end(), text);
        }
        QVERIFY(bytes.find("Frequency") == std::string::npos);
    }
}

// The dialog adds the type's extension before it checks the name, so the
// question names the file that would be replaced; a pipe typed as it is
// gets the picture through it and stays a pipe.
void GraphTest::saveDialogAsksAboutTheFileItWrites() {
    GraphSession session(true);
    const QString folder = session.dir.path() + "/Data/";
    test::writeBytes((folder + "report.svg").toStdString(), "old");
    const QString fifo = session.dir.path() + "/pipe";
    QVERIFY(::mkfifo(QFile::encodeName(fifo).constData(), 0600) == 0);
    std::string piped;
    std::thread reader([&] { piped = test::readBytes(QFile::encodeName(fifo).toStdString()); });
    const auto typeName = [](const QString& name) {
        return [name](QWidget* dialog) {
            dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(name);
            QMetaObject::invokeMethod(dialog, "accept", Qt::QueuedConnection);
        };
    };
    QString asked;
    const auto answer = [&asked](QMessageBox::StandardButton button) {
        return [&asked, button](QWidget* dialog) {
            auto* box = qobject_cast<QMessageBox*>(dialog);
            asked = box ? box->text() : QString();
            if (box) box->button(button)->click();
        };
    };
    ModalScript script;
    script.expect(typeName(QStringLiteral("report")));
    script.expect(answer(QMessageBox::No));
    script.expect([](QWidget* dialog) { qobject_cast<QDialog*>(dialog)->reject(); });
    script.expect(typeName(fifo));
    script.expect(answer(QMessageBox::Yes));
    script.expect([](QWidget* dialog) {
        auto* files = qobject_cast<QFileDialog*>(dialog);
        files->selectNameFilter(files->nameFilters().last());
        emit files->filterSelected(files->nameFilters().last());
        files->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(QStringLiteral("fresh"));
        QMetaObject::invokeMethod(dialog, "accept", Qt::QueuedConnection);
    });
    auto* save = session.shell.graphWindow->findChild<QPushButton*>();
    QTest::mouseClick(save, Qt::LeftButton);
    QVERIFY2(asked.contains(QStringLiteral("report.svg")), qPrintable(asked));
    QCOMPARE(test::readBytes((folder + "report.svg").toStdString()), std::string("old"));
    QTest::mouseClick(save, Qt::LeftButton);
    reader.join();
    QVERIFY2(asked.contains(QStringLiteral("pipe")), qPrintable(asked));
    QVERIFY(piped.rfind("<?xml", 0) == 0);
    struct stat st {};
    QVERIFY(::stat(QFile::encodeName(fifo).constData(), &st) == 0 && S_ISFIFO(st.st_mode));
    QVERIFY(!QFile::exists(fifo + ".svg"));
    // A new name typed without an extension gets the chosen type's.
    QTest::mouseClick(save, Qt::LeftButton);
    QVERIFY(QFile::exists(folder + "fresh.png"));
    QVERIFY(!QFile::exists(folder + "fresh"));
    QCOMPARE(QImage(folder + "fresh.png").size(), session.shell.graphWindow->pictureSize());
    QCOMPARE(script.pending(), 0);
    QVERIFY2(script.unexpected().isEmpty(), qPrintable(script.unexpected().join("; ")));
}

// The test runs on a plain QApplication, which reports nothing itself: the
// report comes from the graph's own handling of its button.
void GraphTest::pictureThatCannotBeSavedIsReported() {
    GraphSession session(true);
    ModalScript script;
    ReportSeen report;
    script.expect([&](QWidget* dialog) {
        dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))
            ->setText(session.dir.path() + "/missing/plot.svg");
        QMetaObject::invokeMethod(dialog, "accept", Qt::QueuedConnection);
    });
    script.expect(answerErrorReport(report));
    QTest::mouseClick(session.shell.graphWindow->findChild<QPushButton*>(), Qt::LeftButton);
    QCOMPARE(report.text, QString::fromUtf8("ファイル名の指定が間違っています."));
    QCOMPARE(report.icon, QMessageBox::Critical);
    QCOMPARE(script.pending(), 0);
}

QTEST_MAIN(GraphTest)
#include "graph_test.moc"

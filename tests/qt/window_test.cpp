// SPDX-License-Identifier: GPL-3.0-or-later
#include <QAccessible>
#include <QCloseEvent>
#include <QCheckBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontInfo>
#include <QLibraryInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QTemporaryDir>
#include <QTest>
#include <QWindow>

#include <signal.h>

#include <cstdio>
#include <functional>
#include <memory>
#include <stdexcept>

#include "files/design_file.hpp"
#include "modal_script.hpp"
#include "stub_platform.hpp"
#include "support/temp_files.hpp"
#include "support/worked_examples.hpp"
#include "ui/qt/app_title.hpp"
#include "ui/qt/application.hpp"
#include "ui/qt/box_window.hpp"
#include "ui/qt/dialogs.hpp"
#include "ui/qt/layout.hpp"
#include "ui/qt/program_end.hpp"
#include "ui/qt/shell.hpp"

using namespace ventbox;

namespace {

// One window on its own startup directory, with or without a Data folder.
struct Session {
    explicit Session(bool withDataFolder = true) {
        if (withDataFolder) QDir(dir.path()).mkdir("Data");
    }

    void start() {
        shell.start();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
    }

    QString dataFile(const QString& name) const { return dir.path() + "/Data/" + name + ".dat"; }
    template <typename T>
    T* find(const char* name) const { return window.findChild<T*>(QString::fromUtf8(name)); }
    QString caption(ResultLabel label) const { return window.result(label)->text(); }

    QTemporaryDir dir;
    Shell<StubPlatform> shell{dir.path().toStdString()};
    StubPlatform& platform = shell.platform;
    TBox& box = shell.box;
    BoxWindow& window = shell.window;
};

QColor colourOf(layout::Rgb rgb) { return QColor(rgb.red, rgb.green, rgb.blue); }

// Records the message dialog's text and closes it with the given key.
ModalScript::Step answerMessage(QString& text, Qt::Key key = Qt::Key_Return) {
    return [&text, key](QWidget* dialog) {
        auto* label = dialog->findChild<QLabel*>("MessageText");
        text = label ? label->text() : QStringLiteral("<no message dialog>");
        QTest::keyClick(dialog, key);
    };
}

// A close as the window manager sends it: to the platform window, bypassing
// the widget's own close.
void closeFromWindowManager(QWidget& window) {
    QCloseEvent close;
    QCoreApplication::sendEvent(window.windowHandle(), &close);
}

void verifyNoStrayDialog(const ModalScript& script) {
    QVERIFY2(script.unexpected().isEmpty(), qPrintable(script.unexpected().join("; ")));
    QCOMPARE(script.pending(), 0);
}

// Counts the times a widget is shown anew.
struct ShowCounter : QObject {
    explicit ShowCounter(QWidget* widget) { widget->installEventFilter(this); }
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Show) ++shows;
        return false;
    }
    int shows = 0;
};

class ThrowingObject : public QObject {
protected:
    bool event(QEvent* event) override {
        if (event->type() == QEvent::User) throw std::runtime_error("broken handler");
        return QObject::event(event);
    }
};

// A session manager that answers as the row says and logs every call.
struct FakeSession : DesktopSession {
    explicit FakeSession(bool interaction) : interaction(interaction) {}
    bool allowsInteraction() override { return interaction; }
    void cancel() override { asked << "cancel"; }
    void release() override { asked << "release"; }
    bool interaction;
    QStringList asked;
};

// The child process of endSignalSavesAndExits: a window on the folder with
// 26 typed into EditBL1, saying so on its output once it waits at the stage.
int runEndSignalChild(const QString& folder, const QString& stage) {
    Shell<StubPlatform> shell(folder.toStdString());
    TBox& box = shell.box;
    EndSignals endSignals(box, shell.window);
    QTimer::singleShot(0, [] { std::puts("ready"), std::fflush(stdout); });
    if (stage == "before the window") box.windowCreated();
    if (stage != "before the window") shell.start();
    box.userEditedText(Edit::BL1, "26");
    if (stage == "under a dialog") shell.platform.showMessage("open");
    return QCoreApplication::exec();
}

}  // namespace

class WindowTest : public QObject {
    Q_OBJECT

private slots:
    void titleFollowsTheExecutableName_data();
    void titleFollowsTheExecutableName();
    void controlsStandWhereTheLayoutPutsThem();
    void coloursFollowTheLayout();
    void everyControlCarriesAnAccessibleName();
    void screenReaderMeetsAWindowItCanWorkWith();
    void aScreenReaderReachesPartsOfAFieldsText();
    void tabKeyFollowsTheLayoutOrder();
    void startUpWithoutADesignFileShowsTheCreationResults();
    void startUpShowsTheFileDialogAtTheDataFolderBeforeTheWindow_data();
    void startUpShowsTheFileDialogAtTheDataFolderBeforeTheWindow();
    void typingIntoABoxFieldUpdatesEveryResult();
    void checkBoxClickRecalculatesWithAPipe();
    void loadingThroughTheDialogFillsTheWindow();
    void failingCalculationReportsOnceAndTheWindowStaysUsable();
    void resultLabelsGrowToTheRightAndResizingMovesNothing();
    void keysRunTheirButtonsHandlerUnlessADialogIsOpen_data();
    void keysRunTheirButtonsHandlerUnlessADialogIsOpen();
    void nameFieldShowsTheSavedNameAfterAFailedStartUpLoad();
    void modelTextsOfAnyLengthAreShownWhole();
    void closeSavesTheDesignAndConfirms_data();
    void closeSavesTheDesignAndConfirms();
    void failedSaveKeepsTheWindowOpenThroughASecondClose();
    void endOfTheDesktopSessionSavesLikeAClose_data();
    void endOfTheDesktopSessionSavesLikeAClose();
    void endSignalSavesAndExits_data();
    void endSignalSavesAndExits();
    void darkDesktopThemeLeavesTheWindowLight();
    void enterPressesTheFocusedButtonOnly();
    void resultsCanBeSelected();
    void platformDialogsSpeakTheLocalesLanguage();
    void messageDialogClosesOnEnterEscAndOk_data();
    void messageDialogClosesOnEnterEscAndOk();
    void messageDialogWrapsWithinHalfTheScreen();
    void answerDialogsCannotBeMinimisedAndShowTheirTitle_data();
    void answerDialogsCannotBeMinimisedAndShowTheirTitle();
    void errorReportOfAPastedNumberFitsTheScreenWithOkInReach();
    void errorEscapingAnEventIsReportedAndTheProgramGoesOn();
    void errorReportShowsMarkupAsTyped_data();
    void errorReportShowsMarkupAsTyped();
    void windowOpensInTheMiddleOfThePrimaryScreen();
};

void WindowTest::titleFollowsTheExecutableName_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("title");
    QTest::newRow("installed") << "/usr/bin/ventbox" << "ventbox";
    QTest::newRow("upper case") << "/opt/DIDADAV.EXE" << "Didadav";
    QTest::newRow("several periods") << "/opt/didadav.old.exe" << "didadav";
    QTest::newRow("period in a folder") << "/opt/v1.2/VentBox" << "Ventbox";
    QTest::newRow("no folder") << "Ventbox.sh" << "Ventbox";
    QTest::newRow("non-ASCII") << "/bin/ÄÖÜ" << "Äöü";
    QTest::newRow("first outside the BMP") << QString::fromUtf8("/bin/𝐀BC") << QString::fromUtf8("𝐀bc");
    QTest::newRow("hidden file") << "/bin/.ventbox" << "";
    QTest::newRow("empty") << "" << "";
}

void WindowTest::titleFollowsTheExecutableName() {
    QFETCH(QString, path);
    QFETCH(QString, title);
    QCOMPARE(applicationTitle(path), title);
}

// Every control stands under its panel at its place, in its font, showing
// its caption whole; the numbers are the drawing's, at 96 pixels per inch.
// Labels and results size themselves (-1). Nothing else is on the window.
void WindowTest::controlsStandWhereTheLayoutPutsThem() {
    Session session;
    session.start();
    struct Font {
        const char* face;
        const char* standIn;
        int pixelSize;
        bool bold;
    };
    const Font window{"ＭＳ Ｐゴシック", "IPAPGothic", 12, false};
    const Font value{"ＭＳ Ｐゴシック", "IPAPGothic", 15, false};
    const Font name{"ＭＳ ゴシック", "IPAGothic", 16, true};
    const Font heading{"ＭＳ 明朝", "IPAMincho", 16, true};
    const struct {
        const char* name;
        const char* parent;
        QRect place;
        const char* shown;
        const Font& font;
    } placed[] = {
        {"Panel1", "Box", {4, 0, 437, 437}, "", window},
        {"PnlC", "Box", {440, 0, 101, 437}, "", window},
        {"LblT", "Panel1", {24, 16, -1, -1}, "RIVORIZAD TYPE SPEAKER", heading},
        {"Label6", "Panel1", {76, 48, -1, -1}, "スピーカー諸元", window},
        {"Label14", "Panel1", {212, 48, -1, -1}, "計算結果", window},
        {"EditNam", "Panel1", {248, 12, 141, 24}, "16F10Kolvex", name},
        {"Label1", "Panel1", {8, 72, -1, -1}, "振動系有効半径　a", window},
        {"Label7", "Panel1", {8, 104, -1, -1}, "最低共振周波数　ｆo", window},
        {"Label2", "Panel1", {8, 140, -1, -1}, "振動系実効質量 mo　", window},
        {"Label3", "Panel1", {8, 176, -1, -1}, "共振尖鋭度　Ｑo", window},
        {"LblBoxL1", "Panel1", {8, 212, -1, -1}, "箱の横サイズ　BL1", window},
        {"Label19", "Panel1", {8, 248, -1, -1}, "箱の縦サイズ　BL2", window},
        {"Label20", "Panel1", {8, 288, -1, -1}, "箱の奥行き　BL3", window},
        {"Label18", "Panel1", {8, 328, -1, -1}, "ダクトのサイズＬ１", window},
        {"Label16", "Panel1", {8, 364, -1, -1}, "ダクトのサイズＬ２", window},
        {"Label8", "Panel1", {8, 404, -1, -1}, "ダクトの奥行きＬ３", window},
        {"EditA", "Panel1", {116, 68, 40, 23}, "7", value},
        {"EditF", "Panel1", {116, 100, 40, 23}, "35", value},
        {"EditM", "Panel1", {116, 136, 40, 23}, "6.4", value},
        {"EditQ", "Panel1", {116, 172, 40, 23}, "0.42", value},
        {"EditBL1", "Panel1", {116, 208, 40, 23}, "25", value},
        {"EditBL2", "Panel1", {116, 244, 40, 23}, "50", value},
        {"EditBL3", "Panel1", {116, 280, 40, 23}, "30", value},
        {"EditL1", "Panel1", {116, 320, 40, 23}, "4", value},
        {"EditL2", "Panel1", {116, 360, 40, 23}, "10", value},
        {"EditL3", "Panel1", {116, 396, 40, 23}, "10", value},
        {"CheckBox1", "Panel1", {188, 360, 133, 17}, "パイプ・ダクト（直径）", window},
        {"Label4", "Panel1", {156, 72, -1, -1}, "cm     キャビネットの実効内容積 Vo", window},
        {"Label10", "Panel1", {156, 108, -1, -1}, "Hz     キャビネットの共振周波数 foc", window},
        {"Label11", "Panel1", {160, 140, -1, -1}, "g      実効共振尖鋭度 Qoc", window},
        {"Label12", "Panel1", {156, 176, -1, -1}, "         バスレフ換算半径 r", window},
        {"Label15", "Panel1", {160, 212, -1, -1}, "cm     ダクト実効質量md", window},
        {"Label13", "Panel1", {160, 248, -1, -1}, "cm     バスレフ最低共振周波数 foc1", window},
        {"Label5", "Panel1", {160, 284, -1, -1}, "cm     ダクト共振周波数fd", window},
        {"Label17", "Panel1", {160, 324, -1, -1}, "cm     バスレフ再生限界  foc2", window},
        {"Label21", "Panel1", {160, 364, -1, -1}, "cm", window},
        {"Label9", "Panel1", {160, 404, -1, -1}, "cm     キャビネットのスティッフネス", window},
        {"BoxVolium", "Panel1", {360, 68, -1, -1}, "37.1㍑", value},
        {"CabinetFR", "Panel1", {360, 104, -1, -1}, "65.8Hz", value},
        {"EfectiveQ", "Panel1", {364, 140, -1, -1}, "0.79", value},
        {"KolvexRR", "Panel1", {364, 172, -1, -1}, "3.57cm", value},
        {"DuctMass", "Panel1", {364, 208, -1, -1}, "0.708g", value},
        {"KolvexFR", "Panel1", {364, 244, -1, -1}, "67.4Hz", value},
        {"DuctFD", "Panel1", {364, 280, -1, -1}, "45.1Hz", value},
        {"KolvexFD", "Panel1", {364, 320, -1, -1}, "12.5Hz", value},
        {"CabinetST", "Panel1", {356, 400, -1, -1}, "906038", value},
        {"BtnCalc", "PnlC", {10, 8, 75, 49}, "計算", window},
        {"BtnLD", "PnlC", {10, 68, 75, 25}, "読込", window},
        {"BtnSV", "PnlC", {10, 100, 75, 25}, "保存", window},
        {"Label22", "PnlC", {12, 156, -1, -1}, "バスレフ効果", window},
        {"LabelBas", "PnlC", {16, 184, -1, -1}, "fd/foc = 0.67", window},
        {"LabelEff", "PnlC", {12, 212, -1, -1}, "md/m0 = 0.11", window},
        {"BtnExit", "PnlC", {14, 332, 75, 85}, "終了", window},
    };

    QStringList misplaced;
    for (const auto& entry : placed) {
        const QString name = QString::fromUtf8(entry.name);
        auto* control = session.window.findChild<QWidget*>(name);
        if (!control) {
            misplaced << name + ": missing";
            continue;
        }
        QString shown;
        if (auto* label = qobject_cast<QLabel*>(control)) shown = label->text();
        if (auto* field = qobject_cast<QLineEdit*>(control)) shown = field->text();
        if (auto* button = qobject_cast<QAbstractButton*>(control)) shown = button->text();
        if (control->parentWidget()->objectName() != QString::fromUtf8(entry.parent)) {
            misplaced << name + ": parent";
        }
        const QRect place = entry.place;
        const bool sized = place.width() >= 0;
        const QFontMetrics metrics(control->font());
        // A label's caption is shown whole: as wide and as high as its text.
        const bool fits = sized ? control->size() == place.size()
                                : control->width() >= metrics.horizontalAdvance(shown) &&
                                      control->height() >= metrics.height();
        if (control->pos() != place.topLeft() || !fits) misplaced << name + ": place";
        if (shown != QString::fromUtf8(entry.shown)) misplaced << name + ": caption " + shown;
        // The layout's own faces win where they are installed.
        const QString family = QFontInfo(control->font()).family();
        const QFont font = control->font();
        if ((family != QString::fromUtf8(entry.font.face) && family != entry.font.standIn) ||
            font.pixelSize() != entry.font.pixelSize || font.bold() != entry.font.bold) {
            misplaced << name + ": font " + family;
        }
    }
    QVERIFY2(misplaced.isEmpty(), qPrintable(misplaced.join("; ")));
    const qsizetype controls = session.window.findChildren<QLineEdit*>().size() +
                               session.window.findChildren<QAbstractButton*>().size() +
                               session.window.findChildren<QLabel*>().size();
    QCOMPARE(controls + 2, qsizetype(std::size(placed)));
}

// The window as painted: the window's colour round the panels, each panel's
// own, labels on their panel's colour with black text, the heading red.
void WindowTest::coloursFollowTheLayout() {
    Session session;
    session.start();
    const QImage shot = session.window.grab().toImage();
    const QColor window(201, 207, 184), inputs(213, 218, 194), commands(193, 200, 176);
    const struct {
        const char* where;
        QPoint at;  // in the window
        QColor colour;
    } pixels[] = {
        {"left of the inputs", {1, 200}, window},
        {"below the panels", {270, 443}, window},
        {"inputs between headings", {34, 50}, inputs},
        {"commands between buttons", {490, 140}, commands},
    };
    for (const auto& p : pixels) QCOMPARE(QColor(shot.pixel(p.at)), p.colour);
    // A label's own corner is its background, the rest of its box its text.
    auto inside = [&](const char* name, auto&& test) {
        auto* label = session.find<QWidget>(name);
        const QRect box(label->mapTo(&session.window, QPoint(0, 0)), label->size());
        int matching = 0;
        for (int y = box.top(); y <= box.bottom(); ++y) {
            for (int x = box.left(); x <= box.right(); ++x) matching += test(QColor(shot.pixel(x, y)));
        }
        return std::make_pair(QColor(shot.pixel(box.topLeft())), matching);
    };
    auto red = [](QColor c) { return c.red() > 200 && c.green() < 80 && c.blue() < 80; };
    auto black = [](QColor c) { return c.red() < 80 && c.green() < 80 && c.blue() < 80; };
    const struct {
        const char* label;
        QColor background;
        bool redText;
    } labels[] = {
        {"LblT", inputs, true},         {"Label1", inputs, false},  {"BoxVolium", inputs, false},
        {"CabinetST", inputs, false},   {"Label22", commands, false}, {"LabelBas", commands, false},
    };
    for (const auto& l : labels) {
        const auto [corner, redPixels] = inside(l.label, red);
        const int blackPixels = inside(l.label, black).second;
        QVERIFY2(corner == l.background, l.label);
        const int textPixels = l.redText ? redPixels : blackPixels;
        QVERIFY2(textPixels > 20 && redPixels + blackPixels == textPixels, l.label);
    }
}

void WindowTest::everyControlCarriesAnAccessibleName() {
    Session session;
    session.start();
    QCOMPARE(session.window.edit(Edit::A)->accessibleName(), QString::fromUtf8("振動系有効半径　a (cm)"));
    QCOMPARE(session.window.result(ResultLabel::CabinetFR)->accessibleName(),
             QString::fromUtf8("キャビネットの共振周波数 foc (Hz): 65.8Hz"));
    QList<QWidget*> controls;
    for (auto* w : session.window.findChildren<QLineEdit*>()) controls << w;
    for (auto* w : session.window.findChildren<QAbstractButton*>()) controls << w;
    for (std::size_t i = 0; i < kResultCount; ++i) {
        controls << session.window.result(static_cast<ResultLabel>(i));
    }
    QCOMPARE(controls.size(), kEditCount + 5 + qsizetype(kResultCount));
    QSet<QString> names;
    for (QWidget* control : controls) {
        QVERIFY2(!control->accessibleName().isEmpty(), qPrintable(control->objectName()));
        names.insert(control->accessibleName());
    }
    QCOMPARE(names.size(), controls.size());
}

// What a screen reader sees and does through Qt's accessibility interfaces,
// which the desktop's accessibility bus serves as they are.
void WindowTest::screenReaderMeetsAWindowItCanWorkWith() {
    ModalScript script;
    Session session;
    session.start();
    auto iface = [](QObject* object) { return QAccessible::queryAccessibleInterface(object); };
    QCOMPARE(iface(&session.window)->role(), QAccessible::Window);

    // A reader walks a field's text run by run: the runs cover it whole,
    // so every value is read once and to its last character.
    for (int i = 0; i < kEditCount; ++i) {
        QLineEdit* field = session.window.edit(static_cast<Edit>(i));
        QAccessibleTextInterface* text = iface(field)->textInterface();
        QVERIFY(text);
        const int length = int(field->text().size());
        QCOMPARE(text->text(0, length), field->text());
        QString read;
        for (int offset = 0, start = 0, end = 0; offset < length; offset = end) {
            text->attributes(offset, &start, &end);
            QVERIFY2(start <= offset && offset < end, qPrintable(field->objectName()));
            read += text->text(offset, end);
        }
        QCOMPARE(read, field->text());
    }
    for (const char* panel : {"Panel1", "PnlC"}) {
        QCOMPARE(iface(session.find<QWidget>(panel))->role(), QAccessible::Pane);
    }
    auto* notification = session.find<QWidget>("ResultAnnouncement");
    QVERIFY(notification);
    QCOMPARE(iface(notification)->role(), QAccessible::Notification);
    ShowCounter announced(notification);

    // A field set through the accessibility interface reaches the model and
    // recalculates; the result is read with its name, and the volume and
    // lowest resonance are told once the event is done.
    QLineEdit* width = session.window.edit(Edit::BL1);
    iface(width)->editableTextInterface()->replaceText(0, int(width->text().size()), "40");
    QCOMPARE(session.box.design().BL1, 40.0);
    const QString volume = session.caption(ResultLabel::BoxVolium);
    QCOMPARE(volume, QString::fromUtf8("59.6㍑"));
    QCOMPARE(iface(session.window.result(ResultLabel::BoxVolium))->text(QAccessible::Name),
             QString::fromUtf8("キャビネットの実効内容積 Vo (㍑): 59.6㍑"));
    QCOMPARE(announced.shows, 0);
    QCoreApplication::processEvents();
    QCOMPARE(announced.shows, 1);
    const QString told = iface(notification)->text(QAccessible::Name);
    QVERIFY2(told.contains(volume) && told.contains(session.caption(ResultLabel::KolvexFR)),
             qPrintable(told));

    // With a driver field that makes every recalculation fail, each change
    // shows exactly one error report: the change reached the model once.
    iface(session.window.edit(Edit::A))->setText(QAccessible::Value, "x");
    ReportSeen byText, byToggle;
    script.expect(answerErrorReport(byText));
    script.expect(answerErrorReport(byToggle));
    iface(session.window.edit(Edit::BL2))->editableTextInterface()->insertText(0, "1");
    QCOMPARE(QString::fromStdString(session.box.text(Edit::BL2)), QString("150"));
    iface(session.window.checkBox())
        ->actionInterface()
        ->doAction(QAccessibleActionInterface::toggleAction());
    QVERIFY(session.box.checked());
    QCOMPARE(byText.text, QString::fromUtf8("'x' は浮動小数点数ではありません."));
    QCOMPARE(byToggle.text, byText.text);
    verifyNoStrayDialog(script);

    MessageDialog saved(QString::fromUtf8("データを保存しました。"));
    QCOMPARE(iface(&saved)->role(), QAccessible::AlertMessage);
}

// A screen reader reads, selects and edits parts of a field's text: each
// part is the one asked for, and an edit reaches the model as typing does.
void WindowTest::aScreenReaderReachesPartsOfAFieldsText() {
    Session session;
    session.start();
    QLineEdit* name = session.window.edit(Edit::Nam);
    QLineEdit* width = session.window.edit(Edit::BL1);
    auto text = [](QLineEdit* field) {
        return QAccessible::queryAccessibleInterface(field)->textInterface();
    };
    auto editable = [](QLineEdit* field) {
        return QAccessible::queryAccessibleInterface(field)->editableTextInterface();
    };
    auto selected = [&] {
        int start = -1, end = -1;
        text(name)->selection(0, &start, &end);
        return QString("%1 %2-%3").arg(name->selectedText()).arg(start).arg(end);
    };
    auto around = [&](int offset) {
        int start = -1, end = -1;
        const QString character = text(name)->textAtOffset(offset, QAccessible::CharBoundary, &start, &end);
        return QString("%1 %2-%3").arg(character).arg(start).arg(end);
    };
    const struct {
        const char* what;
        std::function<QString()> done;
        QString expected;
    } cases[] = {
        {"a middle part", [&] { return text(name)->text(2, 5); }, "F10"},
        {"the last characters", [&] { return text(name)->text(9, 11); }, "ex"},
        {"an empty part", [&] { return text(name)->text(4, 4); }, ""},
        {"one character", [&] { return around(4); }, "0 4-5"},
        {"a selection set", [&] { return text(name)->setSelection(0, 2, 5), selected(); }, "F10 2-5"},
        {"the selection taken", [&] { return name->setSelection(5, 3), selected(); }, "Kol 5-8"},
        {"the caret",
         [&] { return text(name)->setCursorPosition(7), QString::number(name->cursorPosition()); }, "7"},
        {"a part deleted", [&] { return editable(name)->deleteText(0, 2), name->text(); }, "F10Kolvex"},
        {"a part replaced", [&] { return editable(name)->replaceText(3, 6, "Pipe"), name->text(); },
         "F10Pipevex"},
        {"text inserted", [&] { return editable(name)->insertText(10, "5"), name->text(); }, "F10Pipevex5"},
        {"the name follows", [&] { return QString::fromStdString(session.box.design().name); },
         "F10Pipevex5"},
        {"a box field's digit replaced",
         [&] { return editable(width)->replaceText(1, 2, "0"), QString::number(session.box.design().BL1); },
         "20"},
        {"the volume follows", [&] { return session.caption(ResultLabel::BoxVolium); }, "29.6㍑"},
    };
    for (const auto& c : cases) QCOMPARE(c.done(), c.expected);

    // Each character's box stands right of the one before, and a point in
    // it is that character's offset.
    QAccessibleTextInterface* nameText = text(name);
    for (int offset = 0; offset < nameText->characterCount(); ++offset) {
        const QRect box = nameText->characterRect(offset);
        QVERIFY(box.width() > 0);
        if (offset > 0) QCOMPARE(box.left(), nameText->characterRect(offset - 1).right() + 1);
        QCOMPARE(nameText->offsetAtPoint(box.center()), offset);
    }
}

void WindowTest::tabKeyFollowsTheLayoutOrder() {
    Session session;
    session.start();
    const QStringList order{"EditA", "EditM", "EditQ", "EditBL1", "EditL1", "EditF",
                            "EditL3", "EditL2", "EditBL2", "EditBL3", "EditNam", "CheckBox1",
                            "BtnCalc", "BtnLD", "BtnSV", "BtnExit", "EditA"};
    session.window.activateWindow();
    session.window.edit(Edit::A)->setFocus();
    QStringList visited{QApplication::focusWidget()->objectName()};
    for (int i = 1; i < order.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited << QApplication::focusWidget()->objectName();
    }
    QCOMPARE(visited, order);
}

void WindowTest::startUpWithoutADesignFileShowsTheCreationResults() {
    ModalScript script;
    Session session;
    session.start();
    QCOMPARE(session.platform.dialogDirs.size(), 1u);
    QCOMPARE(QString::fromStdString(session.platform.dialogDirs.front()), session.dir.path() + "/Data");
    for (std::size_t i = 0; i < kResultCount; ++i) {
        QCOMPARE(session.caption(static_cast<ResultLabel>(i)).toStdString(), test::kExampleResults[i]);
    }
    QCOMPARE(session.window.edit(Edit::Nam)->text(), QString("16F10Kolvex"));
    QVERIFY(session.window.isVisible());
    // An outer frame of 553 × 475 centred on the screen, holding a client
    // area that leaves 4 pixels of border and a 19-pixel caption bar.
    QCOMPARE(session.window.size(), QSize(545, 448));
    const QPoint centre = session.window.screen()->availableGeometry().center();
    QCOMPARE(session.window.frameGeometry().topLeft(), centre - QPoint(276, 237));
    // The icon in every size a task bar or switcher may want.
    for (int size : {16, 32, 48, 64, 128, 256}) {
        QVERIFY(session.window.windowIcon().availableSizes().contains(QSize(size, size)));
    }
    verifyNoStrayDialog(script);
}

void WindowTest::startUpShowsTheFileDialogAtTheDataFolderBeforeTheWindow_data() {
    QTest::addColumn<bool>("withDataFolder");
    QTest::newRow("in the data folder") << true;
    QTest::newRow("in the startup directory without one") << false;
}

void WindowTest::startUpShowsTheFileDialogAtTheDataFolderBeforeTheWindow() {
    QFETCH(bool, withDataFolder);
    QTemporaryDir dir;
    if (withDataFolder) QVERIFY(QDir(dir.path()).mkdir("Data"));
    const QString previous = QDir::currentPath();
    QVERIFY(QDir::setCurrent(dir.path()));
    ModalScript script;
    Shell<> shell;
    BoxWindow& window = shell.window;
    ShowCounter announced(window.findChild<QWidget*>("ResultAnnouncement"));
    bool windowHidden = false;
    QString folder;
    QString typed = "<no name box>";
    QWidget* owner = &window;
    script.expect([&](QWidget* dialog) {
        windowHidden = !window.isVisible();
        owner = dialog->parentWidget();
        if (auto* files = qobject_cast<QFileDialog*>(dialog)) folder = files->directory().absolutePath();
        if (auto* name = dialog->findChild<QLineEdit*>("fileNameEdit")) typed = name->text();
        QTest::keyClick(dialog, Qt::Key_Escape);
    });
    shell.start();
    QDir::setCurrent(previous);
    QVERIFY(windowHidden);
    QCOMPARE(owner, nullptr);
    const QString expected = dir.path() + (withDataFolder ? "/Data" : "");
    QCOMPARE(QFileInfo(folder).canonicalFilePath(), QFileInfo(expected).canonicalFilePath());
    QCOMPARE(typed, QString());
    QVERIFY(window.isVisible());
    // The results of the start are told once the window is up.
    QCOMPARE(announced.shows, 0);
    QCoreApplication::processEvents();
    QCOMPARE(announced.shows, 1);
    verifyNoStrayDialog(script);
}

void WindowTest::typingIntoABoxFieldUpdatesEveryResult() {
    ModalScript script;
    Session session;
    session.start();
    QList<QString> before;
    for (std::size_t i = 2; i < kResultCount; ++i) {
        before << session.caption(static_cast<ResultLabel>(i));
    }
    QLineEdit* width = session.window.edit(Edit::BL1);
    width->setFocus();
    width->end(false);
    QTest::keyClick(width, Qt::Key_0);  // 25 cm becomes 250 cm
    QCOMPARE(width->text(), QString("250"));
    QCOMPARE(QString::fromStdString(session.box.text(Edit::BL1)), QString("250"));
    QCOMPARE(session.box.design().BL1, 250.0);
    for (std::size_t i = 2; i < kResultCount; ++i) {
        const auto label = static_cast<ResultLabel>(i);
        QCOMPARE(session.caption(label), QString::fromStdString(session.box.caption(label)));
    }
    QVERIFY(session.caption(ResultLabel::BoxVolium) != before[0]);
    QTest::keyClick(width, Qt::Key_Backspace);
    QCOMPARE(session.caption(ResultLabel::BoxVolium), before[0]);
    verifyNoStrayDialog(script);
}

void WindowTest::checkBoxClickRecalculatesWithAPipe() {
    ModalScript script;
    Session session;
    session.start();
    // A square duct 5 cm across, then a round pipe of diameter 5 cm.
    for (Edit side : {Edit::L1, Edit::L2}) {
        session.window.edit(side)->selectAll();
        QTest::keyClick(session.window.edit(side), Qt::Key_5);
    }
    QCOMPARE(session.caption(ResultLabel::KolvexRR), QString("2.82cm"));
    QTest::mouseClick(session.window.checkBox(), Qt::LeftButton, {}, QPoint(6, 8));
    QVERIFY(session.window.checkBox()->isChecked());
    QVERIFY(session.box.checked());
    QCOMPARE(session.caption(ResultLabel::KolvexRR), QString("2.5cm"));
    QTest::keyClick(session.window.checkBox(), Qt::Key_Space);
    QVERIFY(!session.box.checked());
    QVERIFY(!session.window.checkBox()->isChecked());
    QCOMPARE(session.caption(ResultLabel::KolvexRR), QString("2.82cm"));
    verifyNoStrayDialog(script);
}

void WindowTest::loadingThroughTheDialogFillsTheWindow() {
    ModalScript script;
    Session session;
    session.start();
    // A design kept outside the data folder.
    QTemporaryDir elsewhere;
    TDesign design;
    design.a = 8, design.fo = 40, design.mo = 7.5, design.Qo = 0.5;
    design.BL1 = 30, design.BL2 = 60, design.BL3 = 35;
    design.L1 = 5, design.L2 = 5, design.L3 = 15;
    design.name = "Loaded";
    saveDesignFile(elsewhere.path().toStdString() + "/", design, true);
    const std::string path = elsewhere.path().toStdString() + "/Loaded.dat";
    session.platform.answers.push_back(path);

    QTest::mouseClick(session.window.button(Button::LD), Qt::LeftButton);

    const QStringList expected{"8", "40", "7.5", "0.5", "30", "60", "35", "5", "5", "15", "Loaded"};
    for (int i = 0; i < kEditCount; ++i) {
        QCOMPARE(session.window.edit(static_cast<Edit>(i))->text(), expected[i]);
    }
    QVERIFY(session.window.checkBox()->isChecked());
    QCOMPARE(session.caption(ResultLabel::KolvexRR), QString("2.5cm"));
    // The next dialog offers the file chosen last.
    QTest::mouseClick(session.window.button(Button::LD), Qt::LeftButton);
    QCOMPARE(session.platform.dialogFileNames.back(), path);
    verifyNoStrayDialog(script);
}

void WindowTest::failingCalculationReportsOnceAndTheWindowStaysUsable() {
    ModalScript script;
    Session session;
    session.start();
    const QString volume = session.caption(ResultLabel::BoxVolium);
    ReportSeen seen;
    script.expect(answerErrorReport(seen));
    QLineEdit* depth = session.window.edit(Edit::BL3);
    depth->selectAll();
    QTest::keyClick(depth, Qt::Key_Backspace);

    QCOMPARE(seen.title, applicationTitle(QCoreApplication::applicationFilePath()));
    QCOMPARE(seen.text, QString::fromUtf8("'' は浮動小数点数ではありません."));
    QCOMPARE(seen.icon, QMessageBox::Critical);
    QCOMPARE(seen.buttons, 1);
    QCOMPARE(depth->text(), QString());
    QCOMPARE(session.caption(ResultLabel::BoxVolium), volume);

    QTest::keyClicks(depth, "30");
    QCOMPARE(session.caption(ResultLabel::BoxVolium), volume);
    QTest::keyClick(depth, Qt::Key_Backspace);
    QVERIFY(session.caption(ResultLabel::BoxVolium) != volume);
    verifyNoStrayDialog(script);
}

void WindowTest::resultLabelsGrowToTheRightAndResizingMovesNothing() {
    ModalScript script;
    Session session;
    session.start();
    QLabel* stiffness = session.window.result(ResultLabel::CabinetST);
    const QRect narrow = stiffness->geometry();
    QLineEdit* height = session.window.edit(Edit::BL2);
    height->selectAll();
    QTest::keyClicks(height, "1");  // a small box is a stiff one
    QVERIFY(stiffness->width() > narrow.width());
    QCOMPARE(stiffness->pos(), narrow.topLeft());
    QCOMPARE(stiffness->size(), stiffness->sizeHint());

    const QList<QWidget*> controls = session.window.findChildren<QWidget*>();
    QList<QRect> before;
    for (QWidget* control : controls) before << control->geometry();
    session.window.resize(900, 700);
    QCOMPARE(session.window.size(), QSize(900, 700));
    for (qsizetype i = 0; i < controls.size(); ++i) QCOMPARE(controls[i]->geometry(), before[i]);
    // Smaller than its layout, buttons and results would be cut off.
    session.window.resize(200, 150);
    QCOMPARE(session.window.size(), QSize(layout::kClientWidth, layout::kClientHeight));
    verifyNoStrayDialog(script);
}

void WindowTest::keysRunTheirButtonsHandlerUnlessADialogIsOpen_data() {
    QTest::addColumn<QKeySequence>("keys");
    QTest::addColumn<int>("button");  // -1: none
    QTest::addColumn<bool>("underDialog");
    QTest::newRow("F5 calculates") << QKeySequence(Qt::Key_F5) << int(Button::Calc) << false;
    QTest::newRow("Ctrl+R calculates") << QKeySequence("Ctrl+R") << int(Button::Calc) << false;
    QTest::newRow("Ctrl+O loads") << QKeySequence("Ctrl+O") << int(Button::LD) << false;
    QTest::newRow("Ctrl+S saves") << QKeySequence("Ctrl+S") << int(Button::SV) << false;
    QTest::newRow("Ctrl+Q closes") << QKeySequence("Ctrl+Q") << int(Button::Exit) << false;
    QTest::newRow("Ctrl+W closes") << QKeySequence("Ctrl+W") << int(Button::Exit) << false;
    QTest::newRow("Ctrl+S under a dialog") << QKeySequence("Ctrl+S") << -1 << true;
    QTest::newRow("F5 under a dialog") << QKeySequence(Qt::Key_F5) << -1 << true;
}

// Each key does what its button does and nothing else: a recalculation, the
// file dialog, a save, or the close with its saved message.
void WindowTest::keysRunTheirButtonsHandlerUnlessADialogIsOpen() {
    QFETCH(QKeySequence, keys);
    QFETCH(int, button);
    QFETCH(bool, underDialog);
    ModalScript script;
    Session session;
    session.start();
    session.window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&session.window));
    session.window.edit(Edit::F)->setText("50");  // counts at the next recalculation
    const QString frequency = session.caption(ResultLabel::CabinetFR);
    const std::size_t dialogs = session.platform.dialogDirs.size();
    QString message;
    if (button == int(Button::Exit)) script.expect(answerMessage(message));
    if (underDialog) {
        script.expect([&](QWidget* dialog) {
            QTest::keySequence(&session.window, keys);
            dialog->close();
        });
        session.platform.showMessage("open");
    } else {
        QTest::keySequence(session.window.edit(Edit::F), keys);
    }
    QCOMPARE(session.caption(ResultLabel::CabinetFR) != frequency, button == int(Button::Calc));
    QCOMPARE(session.platform.dialogDirs.size() - dialogs, std::size_t(button == int(Button::LD)));
    QCOMPARE(QFileInfo::exists(session.dataFile("FW208Kolvex")),
             button == int(Button::SV) || button == int(Button::Exit));
    QCOMPARE(session.window.isVisible(), button != int(Button::Exit));
    verifyNoStrayDialog(script);
}

// A load that fails before its name line leaves other values on screen than
// the design file holds; the name field then says where a close will save.
void WindowTest::nameFieldShowsTheSavedNameAfterAFailedStartUpLoad() {
    ModalScript script;
    Session session;
    const QString damaged = session.dir.path() + "/damaged.dat";
    test::writeBytes(damaged.toStdString(), test::crlfLines({"7", "6,4", "0.42", "35", "25", "50", "30", "4",
                                                             "10", "10", "Damaged", "FALSE"}));
    session.platform.answers.push_back(damaged.toStdString());
    ReportSeen seen;
    script.expect(answerErrorReport(seen));
    session.start();
    QVERIFY(!seen.text.isEmpty());
    QCOMPARE(session.window.edit(Edit::Nam)->text(), QString("FW208Kolvex"));
    QCOMPARE(QString::fromStdString(session.box.design().name), QString("FW208Kolvex"));
    verifyNoStrayDialog(script);
}

void WindowTest::modelTextsOfAnyLengthAreShownWhole() {
    Session session;
    session.start();
    const std::string name(40000, 'x');  // beyond a line edit's usual limit
    session.box.setText(Edit::Nam, name);
    QCOMPARE(session.window.edit(Edit::Nam)->text(), QString::fromStdString(name));
    QCOMPARE(session.box.design().name, name);
}

void WindowTest::closeSavesTheDesignAndConfirms_data() {
    QTest::addColumn<int>("route");
    QTest::newRow("exit button") << 0;
    QTest::newRow("title bar or Alt+F4") << 1;
}

void WindowTest::closeSavesTheDesignAndConfirms() {
    QFETCH(int, route);
    ModalScript script;
    Session session;
    session.start();
    QString message;
    script.expect(answerMessage(message));
    if (route == 0) {
        QTest::mouseClick(session.window.button(Button::Exit), Qt::LeftButton);
    } else {
        closeFromWindowManager(session.window);
    }
    QCOMPARE(message, QString::fromUtf8("データを保存しました。"));
    QVERIFY(!session.window.isVisible());
    // Saved under the start-up design name, not the name field's text.
    QCOMPARE(test::readBytes(session.dataFile("FW208Kolvex").toStdString()), test::kExampleFile);
    verifyNoStrayDialog(script);
}

// A close from the window manager while a close's dialog is open changes
// nothing: the window stays until a close has saved and been confirmed.
void WindowTest::failedSaveKeepsTheWindowOpenThroughASecondClose() {
    ModalScript script;
    Session session(false);
    session.start();
    auto closeAgainThen = [&](ModalScript::Step answer) {
        return [&session, answer](QWidget* dialog) {
            closeFromWindowManager(session.window);
            QVERIFY(session.window.windowHandle()->isVisible());
            answer(dialog);
        };
    };
    ReportSeen seen;
    script.expect(closeAgainThen(answerErrorReport(seen)));
    closeFromWindowManager(session.window);
    QCOMPARE(seen.text, QString::fromUtf8("ファイル名の指定が間違っています."));
    QVERIFY(session.window.isVisible());
    QVERIFY(session.window.windowHandle()->isVisible());

    QVERIFY(QDir(session.dir.path()).mkdir("Data"));
    QString message;
    script.expect(closeAgainThen(answerMessage(message, Qt::Key_Escape)));
    QTest::mouseClick(session.window.button(Button::Exit), Qt::LeftButton);
    QVERIFY(!session.window.isVisible());
    QVERIFY(QFileInfo::exists(session.dataFile("FW208Kolvex")));
    verifyNoStrayDialog(script);
}

void WindowTest::endOfTheDesktopSessionSavesLikeAClose_data() {
    QTest::addColumn<bool>("interaction");
    QTest::addColumn<bool>("dataFolder");
    QTest::newRow("saved and confirmed") << true << true;
    QTest::newRow("failed save reported") << true << false;
    QTest::newRow("saved without dialogs") << false << true;
    QTest::newRow("failed save without dialogs") << false << false;
}

// A failed save cancels the end; dialogs only where the session allows them.
void WindowTest::endOfTheDesktopSessionSavesLikeAClose() {
    QFETCH(bool, interaction);
    QFETCH(bool, dataFolder);
    ModalScript script;
    Session session(dataFolder);
    session.start();
    QString shown;
    if (interaction) script.expect([&](QWidget* dialog) { shown = describeDialog(dialog), dialog->close(); });
    FakeSession manager(interaction);
    endDesktopSession(session.box, manager);
    QCOMPARE(shown.startsWith("QMessageBox"), interaction && !dataFolder);
    QCOMPARE(manager.asked.contains("cancel"), !dataFolder);
    QCOMPARE(manager.asked.last(), QString("release"));
    QCOMPARE(QFileInfo::exists(session.dataFile("FW208Kolvex")), dataFolder);
    verifyNoStrayDialog(script);
}

void WindowTest::endSignalSavesAndExits_data() {
    QTest::addColumn<int>("signal");
    QTest::addColumn<QString>("stage");
    QTest::addColumn<bool>("dataFolder");
    QTest::addColumn<int>("status");
    QTest::addColumn<bool>("saved");
    QTest::newRow("SIGTERM, window idle") << SIGTERM << "idle" << true << 0 << true;
    QTest::newRow("SIGINT (Ctrl+C), window idle") << SIGINT << "idle" << true << 0 << true;
    QTest::newRow("SIGHUP (terminal closed), window idle") << SIGHUP << "idle" << true << 0 << true;
    QTest::newRow("SIGHUP, dialog open") << SIGHUP << "under a dialog" << true << 0 << true;
    QTest::newRow("SIGINT, failed save") << SIGINT << "idle" << false << 1 << false;
    QTest::newRow("SIGTERM, window not yet shown") << SIGTERM << "before the window" << true << 0 << false;
}

void WindowTest::endSignalSavesAndExits() {
    QFETCH(int, signal);
    QFETCH(QString, stage);
    QFETCH(bool, dataFolder);
    QFETCH(int, status);
    QFETCH(bool, saved);
    QTemporaryDir dir;
    if (dataFolder) QVERIFY(QDir(dir.path()).mkdir("Data"));
    QProcess child;
    child.start(QCoreApplication::applicationFilePath(), {"--end-signal-child", dir.path(), stage});
    QVERIFY(child.waitForReadyRead(30000));
    QCOMPARE(::kill(static_cast<pid_t>(child.processId()), signal), 0);
    QVERIFY(child.waitForFinished(30000));
    QCOMPARE(child.exitStatus(), QProcess::NormalExit);
    QCOMPARE(child.exitCode(), status);
    QFile file(dir.path() + "/Data/FW208Kolvex.dat");
    QCOMPARE(file.open(QIODevice::ReadOnly) && file.readAll().contains(" 2.60000000000000E+0001"), saved);
    QCOMPARE(child.readAllStandardError().contains("ファイル名の指定が間違っています."), status == 1);
}

void WindowTest::darkDesktopThemeLeavesTheWindowLight() {
    const QPalette desktop = QApplication::palette();
    QApplication::setPalette(QPalette(QColor(60, 60, 60), QColor(40, 40, 40)));  // light text on dark
    {
        Session session;
        const QPalette colours = session.find<QWidget>("Label1")->palette();
        const QColor black(Qt::black), white(Qt::white);
        const QColor face = colourOf(layout::kButtonFaceColour);
        const QColor highlight = colourOf(layout::kHighlightColour);
        QCOMPARE(QList<QColor>({colours.color(QPalette::WindowText), colours.color(QPalette::Base),
                                colours.color(QPalette::Text), colours.color(QPalette::Button),
                                colours.color(QPalette::ButtonText), colours.color(QPalette::Highlight)}),
                 QList<QColor>({black, white, black, face, black, highlight}));
        QCOMPARE(MessageDialog("x", &session.window).palette().color(QPalette::Window), QColor(40, 40, 40));
    }
    QApplication::setPalette(desktop);
}

void WindowTest::enterPressesTheFocusedButtonOnly() {
    Session session;
    session.start();
    const QString frequency = session.caption(ResultLabel::CabinetFR);
    session.window.edit(Edit::F)->selectAll();
    QTest::keyClicks(session.window.edit(Edit::F), "50");
    QTest::keyClick(session.window.edit(Edit::F), Qt::Key_Return);
    QCOMPARE(session.caption(ResultLabel::CabinetFR), frequency);
    QTest::keyClick(session.window.button(Button::Calc), Qt::Key_Enter);
    QVERIFY(session.caption(ResultLabel::CabinetFR) != frequency);
}

// Selectable by mouse and keyboard, but passed by Tab (the tab order test).
void WindowTest::resultsCanBeSelected() {
    Session session;
    session.start();
    QLabel* volume = session.window.result(ResultLabel::BoxVolium);
    QTest::mouseDClick(volume, Qt::LeftButton, {}, QPoint(4, volume->height() / 2));
    QVERIFY(volume->hasSelectedText());
    QVERIFY(session.window.result(ResultLabel::LabelBas)->textInteractionFlags() & Qt::TextSelectableByKeyboard);
}

// Run under ja_JP.UTF-8 (see CMakeLists.txt): the application object, as
// the program builds it, brings Qt's own translations for the locale.
void WindowTest::platformDialogsSpeakTheLocalesLanguage() {
    if (QLocale::system().language() != QLocale::Japanese) QSKIP("not run under a Japanese locale");
    if (!QFileInfo::exists(QLibraryInfo::path(QLibraryInfo::TranslationsPath) + "/qtbase_ja.qm")) {
        QSKIP("Qt's Japanese translations are not installed (qt6-translations-l10n)");
    }
    QCOMPARE(QFileDialog().windowTitle(), QString::fromUtf8("開く"));
}

void WindowTest::messageDialogClosesOnEnterEscAndOk_data() {
    QTest::addColumn<int>("how");
    QTest::newRow("Enter") << 0;
    QTest::newRow("Esc") << 1;
    QTest::newRow("OK clicked") << 2;
    QTest::newRow("title bar") << 3;
}

void WindowTest::messageDialogClosesOnEnterEscAndOk() {
    QFETCH(int, how);
    ModalScript script;
    QString title;
    bool fixed = false;
    bool centred = false;
    script.expect([&](QWidget* dialog) {
        title = dialog->windowTitle();
        fixed = dialog->minimumSize() == dialog->maximumSize();
        const QPoint middle = dialog->screen()->geometry().center();
        // Within the width of the frame, which is not known before showing.
        centred = (dialog->frameGeometry().center() - middle).manhattanLength() <= 8;
        auto* ok = dialog->findChild<QPushButton*>("MessageOk");
        if (how == 0) QTest::keyClick(dialog, Qt::Key_Return);
        if (how == 1) QTest::keyClick(dialog, Qt::Key_Escape);
        if (how == 2 && ok) ok->click();
        if (how == 3) dialog->close();
    });
    QtPlatform platform;
    platform.showMessage("データを保存しました。");
    QCOMPARE(title, applicationTitleNow());
    QVERIFY(fixed);
    QVERIFY(centred);
    verifyNoStrayDialog(script);
}

void WindowTest::messageDialogWrapsWithinHalfTheScreen() {
    const QString text = QString::fromUtf8("データを保存しました。").repeated(40);
    MessageDialog dialog(text);
    auto* label = dialog.findChild<QLabel*>("MessageText");
    QVERIFY(label);
    QCOMPARE(label->text(), text);
    const int half = dialog.screen()->geometry().width() / 2;
    QVERIFY(label->width() <= half);
    QVERIFY(label->width() > half * 3 / 4);
    QVERIFY(label->height() > 2 * label->fontMetrics().height());
    QCOMPARE(dialog.findChildren<QLabel*>().size(), 1);  // no icon beside the text
    QVERIFY(dialog.windowIcon().isNull());
}

void WindowTest::answerDialogsCannotBeMinimisedAndShowTheirTitle_data() {
    QTest::addColumn<bool>("errorReport");
    QTest::newRow("message dialog") << false;
    QTest::newRow("error report") << true;
}

void WindowTest::answerDialogsCannotBeMinimisedAndShowTheirTitle() {
    QFETCH(bool, errorReport);
    ModalScript script;
    Qt::WindowFlags flags;
    int width = 0, titleWidth = 0;
    script.expect([&](QWidget* dialog) {
        flags = dialog->windowFlags();
        width = dialog->width();
        QFont bold = dialog->font();
        bold.setBold(true);
        // The title with room for a window icon and a close button.
        titleWidth = QFontMetrics(bold).horizontalAdvance(dialog->windowTitle()) + 4 * QFontMetrics(bold).height();
        dialog->close();
    });
    QtPlatform platform;
    if (errorReport) platform.reportError("x"); else platform.showMessage("x");
    QVERIFY(flags & Qt::CustomizeWindowHint);
    QVERIFY(!(flags & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
    QVERIFY(flags & Qt::WindowCloseButtonHint);
    QVERIFY2(width >= titleWidth, qPrintable(QString("%1 for a title of %2").arg(width).arg(titleWidth)));
    verifyNoStrayDialog(script);
}

// Run on a screen of 1280 × 1024 with window frames (see CMakeLists.txt).
// The box stands on the screen whole, OK in reach, and shows many lines of
// the message, which scrolls.
void WindowTest::errorReportOfAPastedNumberFitsTheScreenWithOkInReach() {
    ModalScript script;
    QRect frame, screen, ok, shownPart;
    QString message;
    script.expect([&](QWidget* dialog) {
        QVERIFY(QTest::qWaitForWindowExposed(dialog));
        frame = dialog->frameGeometry();
        screen = dialog->screen()->availableGeometry();
        if (auto* button = qobject_cast<QMessageBox*>(dialog)->button(QMessageBox::Ok)) {
            ok = QRect(button->mapTo(dialog, QPoint(0, 0)), button->size());
        }
        if (auto* scroll = dialog->findChild<QScrollArea*>()) shownPart = scroll->viewport()->rect();
        if (auto* label = dialog->findChild<QLabel*>("qt_msgbox_label")) message = label->text().remove(QChar(0x200B));
        dialog->close();
    });
    const std::string digits(6000, '7');
    QtPlatform().reportError("'" + digits + "' は浮動小数点数ではありません.");
    QCOMPARE(screen.height(), 1024);
    QVERIFY2(screen.contains(frame), qPrintable(QString("%1,%2 %3×%4").arg(frame.x()).arg(frame.y()).arg(frame.width()).arg(frame.height())));
    QVERIFY(frame.width() <= screen.width() / 2);
    QVERIFY2(QRect(QPoint(0, 0), frame.size()).contains(ok), qPrintable(QString::number(ok.bottom())));
    QVERIFY2(shownPart.width() > screen.width() / 4 && shownPart.height() > screen.height() / 2,
             qPrintable(QString("%1×%2").arg(shownPart.width()).arg(shownPart.height())));
    QVERIFY(message.contains(QString::fromStdString(digits)));
    verifyNoStrayDialog(script);
}

void WindowTest::errorEscapingAnEventIsReportedAndTheProgramGoesOn() {
    ModalScript script;
    ReportSeen first, second;
    script.expect(answerErrorReport(first));
    script.expect(answerErrorReport(second));
    ThrowingObject broken;
    QEvent fault(QEvent::User);
    QCoreApplication::sendEvent(&broken, &fault);
    QCoreApplication::sendEvent(&broken, &fault);
    QCOMPARE(first.text, QString("broken handler."));
    QCOMPARE(second.text, QString("broken handler."));
    QCOMPARE(first.icon, QMessageBox::Critical);
    verifyNoStrayDialog(script);
}

// A message quotes what the user typed; markup in it is shown and read as
// typed, never drawn.
void WindowTest::errorReportShowsMarkupAsTyped_data() {
    QTest::addColumn<QString>("typed");
    QTest::newRow("bold") << "<b>25</b>";
    QTest::newRow("an entity") << "&lt;25";
    QTest::newRow("a line break") << "2<br>5";
    QTest::newRow("a picture") << "<img src=x>";
}

void WindowTest::errorReportShowsMarkupAsTyped() {
    QFETCH(QString, typed);
    ModalScript script;
    Session session;
    session.start();
    QString shown, read;
    script.expect([&](QWidget* dialog) {
        if (auto* label = dialog->findChild<QLabel*>("qt_msgbox_label")) {
            shown = label->text();
            read = QAccessible::queryAccessibleInterface(label)->text(QAccessible::Name);
        }
        dialog->close();
    });
    session.window.edit(Edit::BL1)->setText(typed);
    const QString message = "'" + typed + QString::fromUtf8("' は浮動小数点数ではありません.");
    QCOMPARE(shown, message);
    QCOMPARE(read, message);
    verifyNoStrayDialog(script);
}

// Run on two screens (see CMakeLists.txt), the primary one to the right:
// the window opens on the primary screen, its frame in the middle.
void WindowTest::windowOpensInTheMiddleOfThePrimaryScreen() {
    if (QGuiApplication::screens().size() < 2) QSKIP("not run on two screens");
    Session session;
    session.start();
    const QRect desk = QGuiApplication::primaryScreen()->availableGeometry();
    const QRect frame = session.window.frameGeometry();
    QVERIFY2(desk.contains(frame), qPrintable(QString("%1,%2").arg(frame.x()).arg(frame.y())));
    // Within what the window manager's frame may differ from the drawing's.
    const QPoint off = frame.center() - desk.center();
    QVERIFY2(std::abs(off.x()) <= 12 && std::abs(off.y()) <= 12,
             qPrintable(QString("%1,%2").arg(off.x()).arg(off.y())));
}

int main(int argc, char** argv) {
    Application application(argc, argv);
    if (argc == 4 && QByteArray(argv[1]) == "--end-signal-child") return runEndSignalChild(argv[2], argv[3]);
    WindowTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "window_test.moc"

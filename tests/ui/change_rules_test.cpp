// SPDX-License-Identifier: GPL-3.0-or-later
#include "box_fixture.hpp"

#include "calc/errors.hpp"

namespace ventbox::test {
namespace {

namespace fs = std::filesystem;

const Edit kBoxAndDuctEdits[] = {Edit::BL1, Edit::BL2, Edit::BL3, Edit::L1, Edit::L2, Edit::L3};
const Edit kDriverEdits[] = {Edit::A, Edit::F, Edit::M, Edit::Q};

class BoxOrDuctEdit : public BoxTest, public testing::WithParamInterface<Edit> {};

TEST_P(BoxOrDuctEdit, emptyingRecalculatesAndReportsTheEmptyText) {
    start();
    box.userEditedText(GetParam(), "");
    EXPECT_EQ(platform.errors(),
              std::vector<std::string>{"'' は浮動小数点数ではありません."});
    EXPECT_EQ(box.text(GetParam()), "");
    EXPECT_EQ(captions(), kExampleResults);
}

TEST_P(BoxOrDuctEdit, failsWhileADriverFieldIsNotANumber) {
    start();
    box.userEditedText(Edit::M, "6,4");
    box.userEditedText(GetParam(), "12");
    box.userSetChecked(true);
    const std::string error = "'6,4' は浮動小数点数ではありません.";
    EXPECT_EQ(platform.errors(), (std::vector<std::string>{error, error}));

    box.userEditedText(Edit::M, "6.4");
    box.userEditedText(GetParam(), "13");
    EXPECT_EQ(platform.errors().size(), 2u);
    EXPECT_NE(captions(), kExampleResults);
}

INSTANTIATE_TEST_SUITE_P(Edits, BoxOrDuctEdit, testing::ValuesIn(kBoxAndDuctEdits));

class DriverEdit : public BoxTest, public testing::WithParamInterface<Edit> {};

TEST_P(DriverEdit, countsOnlyAtTheNextRecalculation) {
    const Field field = static_cast<Field>(GetParam());
    start();
    const double before = box.design().value(field);
    box.userEditedText(GetParam(), "8");
    EXPECT_EQ(box.design().value(field), before);
    EXPECT_EQ(captions(), kExampleResults);

    // A save before the next recalculation writes the stored value.
    box.userClickedButton(Button::SV);
    EXPECT_EQ(readBytes(dataFile("FW208Kolvex")).find(" 8.00000000000000E+0000"),
              std::string::npos);

    box.userClickedButton(Button::Calc);
    EXPECT_EQ(box.design().value(field), 8);
    EXPECT_NE(captions(), kExampleResults);
    EXPECT_TRUE(platform.errors().empty());
}

INSTANTIATE_TEST_SUITE_P(Edits, DriverEdit, testing::ValuesIn(kDriverEdits));

// Changes from code, with EditA holding a text that makes every
// recalculation fail.
struct CodeChange {
    const char* what;
    bool onScreen;
    std::function<void(TBox&)> change;
    bool passesError;
    std::size_t reported;
};

const CodeChange kCodeChanges[] = {
    {"an equal text runs no handler", false, [](TBox& b) { b.setText(Edit::BL1, "25"); }, false,
     0},
    {"a changed text fails in the setter before the window is shown", false,
     [](TBox& b) { b.setText(Edit::BL1, "26"); }, true, 0},
    {"a changed text is reported once the window is shown", true,
     [](TBox& b) { b.setText(Edit::L3, "26"); }, false, 1},
    {"a driver field has no handler", true, [](TBox& b) { b.setText(Edit::Q, "1"); }, false, 0},
    {"an unchanged check box runs no handler", true, [](TBox& b) { b.setChecked(false); },
     false, 0},
    {"the check box passes its error on even on screen", true,
     [](TBox& b) { b.setChecked(true); }, true, 0},
    {"a user's text equal to the field's runs no handler", true,
     [](TBox& b) { b.userEditedText(Edit::BL1, "25"); }, false, 0},
    {"a user's check box state equal to its own runs no handler", true,
     [](TBox& b) { b.userSetChecked(false); }, false, 0},
    {"a user's changed text runs the handler once", true,
     [](TBox& b) { b.userEditedText(Edit::BL1, "26"); }, false, 1},
};

void PrintTo(const CodeChange& c, std::ostream* os) { *os << c.what; }

class CodeChangeTest : public BoxTest, public testing::WithParamInterface<CodeChange> {};

TEST_P(CodeChangeTest, runsTheHandlerOnlyOnAChange) {
    const CodeChange& c = GetParam();
    box.setText(Edit::A, "x");
    platform.onScreen = c.onScreen;
    if (c.passesError) {
        EXPECT_THROW(c.change(box), ConversionError);
    } else {
        EXPECT_NO_THROW(c.change(box));
    }
    EXPECT_EQ(platform.errors().size(), c.reported);
}

INSTANTIATE_TEST_SUITE_P(Cases, CodeChangeTest, testing::ValuesIn(kCodeChanges));

TEST_F(BoxTest, nameFieldCopiesItsWholeTextIntoTheDesignName) {
    box.setText(Edit::Nam, " a b ");
    EXPECT_EQ(box.design().name, " a b ");
    box.userEditedText(Edit::Nam, "");
    EXPECT_EQ(box.design().name, "");
}

TEST_F(BoxTest, checkBoxChangesRecalculateTheRoundPipe) {
    start();
    box.userEditedText(Edit::L1, "5");
    box.userEditedText(Edit::L2, "5");
    const Captions square = captions();
    box.userSetChecked(true);
    EXPECT_TRUE(box.checked());
    EXPECT_EQ(box.caption(ResultLabel::KolvexRR), "2.5cm");
    box.userSetChecked(false);
    EXPECT_FALSE(box.checked());
    EXPECT_EQ(captions(), square);
}

// The report appends "." after any last character above "." in byte order,
// which every character beyond ASCII is.
struct Report {
    const char* message;
    const char* shown;
};

const Report kReports[] = {
    {"ファイルが見つかりません", "ファイルが見つかりません."},
    {"データを保存しました。", "データを保存しました。."},
    {"I/O エラー (32)", "I/O エラー (32)"},
    {"ends in a digit 7", "ends in a digit 7."},
    {"ends in a period.", "ends in a period."},
    {"ends in a blank ", "ends in a blank "},
    {"ends in a bang!", "ends in a bang!"},
    {"ends in a line break\n", "ends in a line break\n"},
    {"ends in a slash/", "ends in a slash/."},
    {"", ""},
};

void PrintTo(const Report& r, std::ostream* os) {
    *os << '"';
    for (const char* c = r.message; *c != '\0'; ++c) *os << (*c == '\n' ? "\\n" : std::string(1, *c));
    *os << '"';
}

class ReportTest : public BoxTest, public testing::WithParamInterface<Report> {};

TEST_P(ReportTest, anEventsErrorIsReportedAndTheWindowGoesOn) {
    start();
    platform.dialogFailure = GetParam().message;
    box.userClickedButton(Button::LD);
    platform.dialogFailure.reset();
    box.userEditedText(Edit::BL1, "26");
    EXPECT_EQ(platform.errors(), std::vector<std::string>{GetParam().shown});
    EXPECT_EQ(box.design().BL1, 26);
}

INSTANTIATE_TEST_SUITE_P(Messages, ReportTest, testing::ValuesIn(kReports));

// The view mirrors the model through the observer alone.
class RecordingObserver : public TBoxObserver {
public:
    void textChanged(Edit edit) override { log.push_back("text " + std::to_string(int(edit))); }
    void checkedChanged() override { log.push_back("checked"); }
    void captionChanged(ResultLabel) override { ++captions; }
    std::vector<std::string> log;
    int captions = 0;
};

TEST_F(BoxTest, observerHearsEachChangedControlOfALoad) {
    RecordingObserver observer;
    box.setObserver(&observer);
    start();
    EXPECT_TRUE(observer.log.empty());
    EXPECT_EQ(observer.captions, 11);

    std::vector<std::string> lines = kQ30File;
    lines[11] = "TRUE";
    writeLines(dir.path() / "q30.dat", lines);
    platform.dialogAnswers = {(dir.path() / "q30.dat").string()};
    box.userClickedButton(Button::LD);
    EXPECT_EQ(observer.log, (std::vector<std::string>{"text 2", "text 3", "text 1", "text 4",
                                                      "text 5", "text 6", "text 7", "text 10",
                                                      "checked"}));
}

}  // namespace
}  // namespace ventbox::test

// SPDX-License-Identifier: GPL-3.0-or-later
#include "box_fixture.hpp"

#include "calc/number_text.hpp"
#include "support/worked_examples.hpp"

namespace ventbox::test {
namespace {

namespace fs = std::filesystem;


using FirstStart = BoxTest;

TEST_F(FirstStart, cancelledDialogOpensWithCreationTextsAndTheirResults) {
    start();
    EXPECT_EQ(platform.log, (std::vector<std::string>{
                                "open " + dataFolder() + " |  (window not shown)",
                            }));
    EXPECT_EQ(texts(), kExampleTexts);
    EXPECT_EQ(box.text(Edit::Nam), "16F10Kolvex");
    EXPECT_EQ(box.design().name, "FW208Kolvex");
    EXPECT_FALSE(box.checked());
    EXPECT_EQ(captions(), kExampleResults);
    EXPECT_EQ(box.startupDirectory(), dir.path().string());
}

TEST_F(FirstStart, everyCloseSavesUnderTheStartupNameThenConfirms) {
    start();
    for (int close = 0; close < 2; ++close) {
        EXPECT_TRUE(box.userRequestedClose());
        EXPECT_EQ(platform.log.back(), kSaved);
        EXPECT_EQ(readBytes(dataFile("FW208Kolvex")), kExampleFile);
    }
    EXPECT_EQ(fs::file_size(dataFile("FW208Kolvex")), 270u);
    EXPECT_FALSE(fs::exists(dataFile("16F10Kolvex")));
}

TEST_F(FirstStart, exitButtonClosesThroughTheCloseRequest) {
    start();
    box.userClickedButton(Button::Exit);
    EXPECT_EQ(platform.closeAnswers, std::vector<bool>{true});
    EXPECT_EQ(platform.log.back(), kSaved);
    EXPECT_TRUE(fs::exists(dataFile("FW208Kolvex")));
}

// The creation texts carry the regional separator, so a first start in a
// comma locale calculates them, and its file still holds ".".
struct CommaSeparator {
    CommaSeparator() { setDecimalSeparator(','); }
    ~CommaSeparator() { setDecimalSeparator('.'); }
};

class FirstStartWithCommas : private CommaSeparator, public BoxTest {};

TEST_F(FirstStartWithCommas, calculatesTheCreationTextsAndSavesTheSameFile) {
    start();
    EXPECT_TRUE(platform.errors().empty());
    EXPECT_EQ(texts(), (Texts{"7", "35", "6,4", "0,42", "25", "50", "30", "4", "10", "10"}));
    EXPECT_EQ(box.caption(ResultLabel::BoxVolium), "37,1㍑");
    EXPECT_EQ(box.caption(ResultLabel::EfectiveQ), "0,79");
    EXPECT_TRUE(box.userRequestedClose());
    EXPECT_EQ(readBytes(dataFile("FW208Kolvex")), kExampleFile);
}

// A close that arrives while a close's dialog is open is refused, so only
// the first one decides and nothing is saved twice.
TEST_F(BoxTest, missingDataFolderRefusesEveryCloseUntilItExists) {
    fs::remove(dir.path() / "Data");
    start();
    EXPECT_TRUE(platform.errors().empty());
    EXPECT_EQ(captions(), kExampleResults);

    platform.log.clear();
    platform.closeInsideDialogs = true;
    EXPECT_FALSE(box.userRequestedClose());
    box.userClickedButton(Button::Exit);
    EXPECT_EQ(platform.log, (std::vector<std::string>{
                                "error " + kPathNotFound, "close requested",
                                "close requested", "error " + kPathNotFound, "close requested",
                            }));
    EXPECT_EQ(platform.closeAnswers, (std::vector<bool>{false, false, false}));

    fs::create_directory(dir.path() / "Data");
    platform.log.clear();
    EXPECT_TRUE(box.userRequestedClose());
    EXPECT_EQ(platform.log, (std::vector<std::string>{kSaved, "close requested"}));
    EXPECT_TRUE(fs::exists(dataFile("FW208Kolvex")));
}

// Without a working directory there is no data folder: the start-up stops
// before the dialog and no later save or close may write anywhere.
class MissingStartupDirectory : public BoxTest,
                                public testing::WithParamInterface<std::optional<std::string>> {};

TEST_P(MissingStartupDirectory, failsTheStartUpAndEverySave) {
    platform.directory = GetParam();
    start();
    EXPECT_EQ(platform.log, std::vector<std::string>{"error " + kPathNotFound});
    EXPECT_EQ(captions(), kCreationCaptions);
    EXPECT_EQ(box.startupDirectory(), "");
    EXPECT_EQ(box.design().name, "");

    box.userClickedButton(Button::LD);
    box.userClickedButton(Button::SV);
    EXPECT_FALSE(box.userRequestedClose());
    EXPECT_EQ(platform.errors(), std::vector<std::string>(4, kPathNotFound));
    EXPECT_FALSE(fs::exists("/Data/FW208Kolvex.dat"));
}

INSTANTIATE_TEST_SUITE_P(Unavailable, MissingStartupDirectory,
                         testing::Values(std::nullopt, std::string()));

TEST_F(BoxTest, keepsALongStartupDirectoryWholeAndNeverRefreshesIt) {
    const fs::path deep = dir.path() / std::string(120, 'd') / std::string(120, 'e');
    fs::create_directories(deep / "Data");
    platform.directory = deep.string();
    start();
    EXPECT_EQ(box.startupDirectory(), deep.string());
    EXPECT_EQ(box.dialogInitialDir(), (deep / "Data").string());

    platform.directory = dir.path().string();
    EXPECT_TRUE(box.userRequestedClose());
    EXPECT_TRUE(fs::exists(deep / "Data" / "FW208Kolvex.dat"));
    EXPECT_FALSE(fs::exists(dataFile("FW208Kolvex")));
}

TEST_F(BoxTest, startUpLoadsTheChosenDesignAndRemembersItForTheNextDialog) {
    const fs::path chosen = dataFile("Q30");
    writeLines(chosen, kQ30File);
    platform.dialogAnswers = {chosen.string()};
    start();
    EXPECT_EQ(texts(), kQ30Texts);
    EXPECT_EQ(box.design().name, "Q30");
    EXPECT_EQ(box.text(Edit::Nam), "Q30");
    EXPECT_EQ(captions(), kQ30Results);
    EXPECT_TRUE(platform.errors().empty());

    box.userClickedButton(Button::LD);
    EXPECT_EQ(platform.log.back(), "open " + dataFolder() + " | " + chosen.string());
}

// A design whose every calculation divides by fo = 0, differing from the
// creation texts in four box and duct fields.
const std::vector<std::string> kZeroFoFile{
    "7", "8", "0.3", "0", "36", "44", "20", "3", "10", "10", "NoFo", "FALSE",
};

struct SavedDesignStart {
    const char* what;
    std::vector<std::string> file;
    std::vector<std::string> errors;
    Captions captions;
    std::string nameText;
};

// Cancelling the start-up dialog loads the design file of the design name,
// never that of EditNam's creation text; and the start-up calculates only
// after that load, so a design that fails to calculate leaves every caption.
const SavedDesignStart kSavedDesignStarts[] = {
    {"a saved design is loaded and calculated", kQ30File, {}, kQ30Results, "Q30"},
    {"a failing saved design leaves the creation captions", kZeroFoFile, {kZeroDivide},
     kCreationCaptions, "16F10Kolvex"},
};

void PrintTo(const SavedDesignStart& start, std::ostream* os) { *os << start.what; }

class SavedDesignStartTest : public BoxTest, public testing::WithParamInterface<SavedDesignStart> {};

TEST_P(SavedDesignStartTest, cancelledDialogLoadsTheDesignNamesFile) {
    const SavedDesignStart& saved = GetParam();
    writeLines(dataFile("FW208Kolvex"), saved.file);
    std::vector<std::string> decoy = kQ30File;
    decoy[0] = "8";
    decoy[10] = "Decoy";
    writeLines(dataFile("16F10Kolvex"), decoy);
    start();
    EXPECT_EQ(platform.errors(), saved.errors);
    EXPECT_EQ(captions(), saved.captions);
    EXPECT_EQ(box.text(Edit::Nam), saved.nameText);
}

INSTANTIATE_TEST_SUITE_P(Cases, SavedDesignStartTest, testing::ValuesIn(kSavedDesignStarts));

struct FailingLoad {
    const char* what;
    bool fromButton;
    std::vector<std::string> file;
    std::vector<std::string> errors;  // whatever start-up and the load report
    std::string bl2Text;
    std::string designName;
    bool checked;
};

// A start-up load stops at the first failing recalculation; a load from the
// button reports it and goes on, except after checking the pipe box.
const FailingLoad kFailingLoads[] = {
    {"an intermediate recalculation ends the start-up", false, kZeroFoFile,
     {kZeroDivide}, "50", "FW208Kolvex", false},
    {"the button's load reports each recalculation and goes on", true, kZeroFoFile,
     {kZeroDivide, kZeroDivide, kZeroDivide, kZeroDivide, kZeroDivide}, "44", "NoFo", false},
    // A round pipe of diameter 4 with a duct depth of -2.1 gives L3 + r < 0.
    {"checking the pipe box ends the start-up load", false,
     {"7", "6.4", "0.42", "35", "25", "50", "30", "4", "4", "-2.1", "Pipe", "TRUE"},
     {kInvalidOperation}, "50", "Pipe", true},
    {"checking the pipe box ends the button's load", true,
     {"7", "6.4", "0.42", "35", "25", "50", "30", "4", "4", "-2.1", "Pipe", "TRUE"},
     {kInvalidOperation}, "50", "Pipe", true},
};

void PrintTo(const FailingLoad& load, std::ostream* os) { *os << load.what; }

class FailingLoadTest : public BoxTest, public testing::WithParamInterface<FailingLoad> {};

TEST_P(FailingLoadTest, endsOrGoesOnAsTheWindowIsShownOrNot) {
    const FailingLoad& load = GetParam();
    const fs::path file = dir.path() / "failing.dat";
    writeLines(file, load.file);
    if (load.fromButton) {
        start();
        platform.dialogAnswers = {file.string()};
        box.userClickedButton(Button::LD);
    } else {
        platform.dialogAnswers = {file.string()};
        start();
    }
    EXPECT_EQ(platform.errors(), load.errors);
    EXPECT_EQ(box.text(Edit::BL1), load.file[4]);
    EXPECT_EQ(box.text(Edit::BL2), load.bl2Text);
    EXPECT_EQ(box.design().name, load.designName);
    EXPECT_EQ(box.checked(), load.checked);
}

INSTANTIATE_TEST_SUITE_P(Cases, FailingLoadTest, testing::ValuesIn(kFailingLoads));

// A load whose reading fails on a malformed number has stored part of it
// without showing it; once the error is reported the record follows the
// fields again, so a close saves what the window shows.
class FailedReading : public BoxTest, public testing::WithParamInterface<bool> {};

TEST_P(FailedReading, leavesTheRecordAsTheFieldsShowIt) {
    const fs::path bad = dir.path() / "bad.dat";
    writeLines(bad, {"7", "6,4", "0.42", "35", "25", "50", "30", "4", "10", "10", "Bad", "FALSE"});
    const bool fromButton = GetParam();
    if (fromButton) start();
    platform.dialogAnswers = {bad.string()};
    if (fromButton) box.userClickedButton(Button::LD); else start();
    EXPECT_EQ(platform.errors().size(), 1u);
    EXPECT_EQ(captions(), kExampleResults);
    EXPECT_EQ(box.text(Edit::Nam), "FW208Kolvex");
    EXPECT_TRUE(box.userRequestedClose());
    EXPECT_EQ(readBytes(dataFile("FW208Kolvex")), kExampleFile);
}

INSTANTIATE_TEST_SUITE_P(Loads, FailedReading, testing::Values(false, true),
                         [](const auto& load) { return load.param ? "fromTheButton" : "atStartUp"; });

}  // namespace
}  // namespace ventbox::test

// SPDX-License-Identifier: GPL-3.0-or-later
#include "box_fixture.hpp"

namespace ventbox::test {
namespace {

namespace fs = std::filesystem;

using LoadCommand = BoxTest;

TEST_F(LoadCommand, cancelReReadsTheCurrentDesignDiscardingEdits) {
    writeLines(dataFile("Q30"), kQ30File);
    platform.dialogAnswers = {dataFile("Q30").string()};
    start();
    ASSERT_EQ(texts(), kQ30Texts);
    box.userEditedText(Edit::A, "8");
    box.userEditedText(Edit::BL1, "40");
    box.userClickedButton(Button::LD);
    EXPECT_EQ(texts(), kQ30Texts);
    EXPECT_EQ(box.design().a, 7);
    EXPECT_EQ(captions(), kQ30Results);
    EXPECT_TRUE(platform.errors().empty());
}

// Neither a cancelled dialog without a design file nor a confirmed path with
// no design file behind it changes anything or recalculates.
class LoadOfNothing : public BoxTest, public testing::WithParamInterface<const char*> {};

TEST_P(LoadOfNothing, changesNothing) {
    start();
    box.userEditedText(Edit::A, "8");
    const std::string chosen = GetParam();
    if (!chosen.empty()) {
        fs::create_directory(dir.path() / "Data" / "Folder.dat");
        platform.dialogAnswers = {dataFolder() + chosen};
    }
    box.userClickedButton(Button::LD);
    EXPECT_EQ(box.text(Edit::A), "8");
    EXPECT_EQ(box.design().a, 7);
    EXPECT_EQ(box.design().name, "FW208Kolvex");
    EXPECT_EQ(captions(), kExampleResults);
    EXPECT_TRUE(platform.errors().empty());
    EXPECT_EQ(box.dialogFileName(), chosen.empty() ? "" : dataFolder() + chosen);
}

INSTANTIATE_TEST_SUITE_P(Paths, LoadOfNothing,
                         testing::Values("", "/Missing.dat", "/Folder.dat"));

TEST_F(LoadCommand, designFromOutsideTheFolderIsSavedIntoIt) {
    const fs::path outside = dir.path() / "elsewhere.dat";
    writeLines(outside, kQ30File);
    const std::string original = readBytes(outside);
    start();
    platform.dialogAnswers = {outside.string()};
    box.userClickedButton(Button::LD);
    box.userClickedButton(Button::SV);
    EXPECT_TRUE(platform.errors().empty());
    EXPECT_EQ(readBytes(outside), original);

    // The saved file loads back into the same design.
    box.userEditedText(Edit::BL1, "25");
    platform.dialogAnswers = {dataFile("Q30").string()};
    box.userClickedButton(Button::LD);
    EXPECT_EQ(texts(), kQ30Texts);
    EXPECT_EQ(captions(), kQ30Results);
}

// Every recalculation of a design with fo = 0 divides by zero, so each one
// run shows up as one report.
struct LoadedBl1 {
    const char* what;
    const char* bl1;
    std::size_t recalculations;
};

void PrintTo(const LoadedBl1& load, std::ostream* os) { *os << load.what; }

class RecalculationsOfALoad : public BoxTest, public testing::WithParamInterface<LoadedBl1> {};

TEST_P(RecalculationsOfALoad, runOnlyForFieldsWhoseTextChanges) {
    const LoadedBl1& load = GetParam();
    start();
    box.userEditedText(Edit::F, "0");
    const fs::path file = dir.path() / "zero.dat";
    writeLines(file, {"7", "6.4", "0.42", "0", load.bl1, "50", "30", "4", "10", "10",
                      "FW208Kolvex", "FALSE"});
    platform.dialogAnswers = {file.string()};
    box.userClickedButton(Button::LD);
    EXPECT_EQ(platform.errors(), std::vector<std::string>(load.recalculations, kZeroDivide));
}

INSTANTIATE_TEST_SUITE_P(
    Bl1Texts, RecalculationsOfALoad,
    testing::Values(LoadedBl1{"an equal text runs only the final recalculation", "25", 1},
                    LoadedBl1{"a changed text runs one more", "26", 2}));

TEST_F(LoadCommand, emptiedFieldFailsOnceThenTheLoadEndsWithItsDesign) {
    start();
    box.userEditedText(Edit::BL2, "");
    platform.dialogAnswers = {(dir.path() / "q30.dat").string()};
    writeLines(dir.path() / "q30.dat", kQ30File);
    box.userClickedButton(Button::LD);
    const std::string emptyText = "'' は浮動小数点数ではありません.";
    EXPECT_EQ(platform.errors(), (std::vector<std::string>{emptyText, emptyText}));
    EXPECT_EQ(texts(), kQ30Texts);
    EXPECT_EQ(captions(), kQ30Results);
    EXPECT_EQ(box.design().BL2, 44);
}

// A loaded name line that no typed name could give (bytes outside code page
// 932, a NUL) is written back as read, into the file of the name shown; a
// name the user types still has to be one code page 932 holds.
TEST_F(LoadCommand, nameLineNoSaveCouldEncodeIsWrittenBackByteForByte) {
    start();
    box.userEditedText(Edit::Nam, "seed");
    ASSERT_TRUE(box.userRequestedClose());
    const std::string seed = readBytes(dataFile("seed"));
    const struct {
        std::string line;
        std::string shown;
    } cases[] = {
        {"\x80" "a", "\uFFFD" "a"},
        {std::string("a\0b", 3), "a\uFFFD" "b"},
        {"\xFD\x81", "\uFFFD\uFFFD"},  // a lead byte cut by the line end
    };
    for (const auto& c : cases) {
        std::string bytes = seed;
        bytes.replace(bytes.find("seed"), 4, c.line);
        writeBytes(dataFile(c.shown), bytes);
        platform.dialogAnswers = {dataFile(c.shown).string()};
        box.userClickedButton(Button::LD);
        EXPECT_EQ(box.text(Edit::Nam), c.shown);
        EXPECT_TRUE(box.userRequestedClose());
        EXPECT_EQ(readBytes(dataFile(c.shown)), bytes) << c.shown;
    }
    EXPECT_TRUE(platform.errors().empty());
    box.userEditedText(Edit::Nam, "\uFFFD" "b");
    EXPECT_FALSE(box.userRequestedClose());
    EXPECT_EQ(platform.errors(), std::vector<std::string>{"I/O エラー (1113)"});
}

// The design name follows EditNam, whatever it holds; the design file of the
// old name is left alone.
struct NewName {
    const char* what;
    const char* name;
    const char* fileName;
};

void PrintTo(const NewName& rename, std::ostream* os) { *os << rename.what; }

class Rename : public BoxTest, public testing::WithParamInterface<NewName> {};

TEST_P(Rename, savesUnderTheFieldsWholeText) {
    const NewName& rename = GetParam();
    std::vector<std::string> lines = kQ30File;
    lines[10] = "FW208Kolvex";
    writeLines(dataFile("FW208Kolvex"), lines);
    start();
    const std::string old = readBytes(dataFile("FW208Kolvex"));
    box.userEditedText(Edit::Nam, rename.name);
    EXPECT_EQ(box.design().name, rename.name);
    EXPECT_TRUE(box.userRequestedClose());
    EXPECT_TRUE(fs::exists(dir.path() / "Data" / rename.fileName));
    EXPECT_EQ(readBytes(dataFile("FW208Kolvex")), old);
}

INSTANTIATE_TEST_SUITE_P(
    Names, Rename,
    testing::Values(NewName{"a plain name", "Renamed", "Renamed.dat"},
                    NewName{"an empty name saves as .dat alone", "", ".dat"},
                    NewName{"blanks around the name stay", " spaced ", " spaced .dat"}));

}  // namespace
}  // namespace ventbox::test

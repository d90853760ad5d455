// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "fake_platform.hpp"
#include "support/worked_examples.hpp"

namespace ventbox {

// Parameterised cases are named by the field they edit.
inline void PrintTo(Edit edit, std::ostream* os) {
    constexpr const char* kNames[] = {"EditA",  "EditF",  "EditM",  "EditQ",
                                      "EditBL1", "EditBL2", "EditBL3", "EditL1",
                                      "EditL2", "EditL3", "EditNam"};
    *os << kNames[static_cast<int>(edit)];
}

}  // namespace ventbox

namespace ventbox::test {

using Captions = std::array<std::string, kResultCount>;  // in ResultLabel order
using Texts = std::array<std::string, kFieldCount>;     // in Field order

inline const Captions kCreationCaptions{
    "Fd/Foc",   "Md/M0",    "BoxVolium", "CabinetST", "CabinetFR", "EfectiveQ",
    "KolvexRR", "DuctMass", "KolvexFR",  "DuctFD",    "KolvexFD",
};

// A design that differs from the creation texts in every box and duct field
// but the last two, with its file lines and the results it shows.
inline const Texts& kQ30Texts = kWorkedExamples.back().texts;
inline const std::vector<std::string> kQ30File{
    "7", "8", "0.3", "30", "36", "44", "20", "3", "10", "10", "Q30", "FALSE",
};
inline const Captions& kQ30Results = kWorkedExamples.back().labels;

inline const std::string kZeroDivide = "0 による浮動小数点数除算.";
inline const std::string kInvalidOperation = "不正な浮動小数点数演算命令.";
inline const std::string kPathNotFound = "ファイル名の指定が間違っています.";
inline const std::string kSaved = "message データを保存しました。";

// A box on a scripted platform whose startup directory is a fresh folder
// holding an empty data folder.
class BoxTest : public testing::Test {
protected:
    BoxTest() {
        std::filesystem::create_directory(dir.path() / "Data");
        platform.directory = dir.path().string();
        platform.box = &box;
    }

    // Creation as the shell does it, then the window is shown.
    void start() {
        box.windowCreated();
        platform.onScreen = true;
    }

    std::string dataFolder() const { return (dir.path() / "Data").string(); }

    std::filesystem::path dataFile(const std::string& name) const {
        return dir.path() / "Data" / (name + ".dat");
    }

    Texts texts() const {
        Texts shown;
        for (std::size_t i = 0; i < shown.size(); ++i) shown[i] = box.text(static_cast<Edit>(i));
        return shown;
    }

    Captions captions() const {
        Captions shown;
        for (std::size_t i = 0; i < shown.size(); ++i)
            shown[i] = box.caption(static_cast<ResultLabel>(i));
        return shown;
    }

    TempDir dir;
    FakePlatform platform;
    TBox box{platform};
};

}  // namespace ventbox::test

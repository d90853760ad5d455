// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace ventbox {

// The ten numeric inputs, in the order the calculation reads them.
enum class Field { A, F, M, Q, BL1, BL2, BL3, L1, L2, L3 };
inline constexpr std::size_t kFieldCount = 10;

// The result labels, named as the window's controls are, in the order a
// calculation writes them. The controls' names are historical: the comment
// beside each says which quantity it shows.
enum class ResultLabel {
    LabelBas,   // the ratio fd/foc1
    LabelEff,   // the ratio md/mo
    BoxVolium,  // Vo
    CabinetST,  // sc
    CabinetFR,  // foc
    EfectiveQ,  // Qoc
    KolvexRR,   // r
    DuctMass,   // md
    KolvexFR,   // foc1
    DuctFD,     // fd
    KolvexFD,   // foc2, the reproduction limit
};
inline constexpr std::size_t kResultCount = 11;

// The design inputs as last stored by a calculation or a load.
struct TDesign {
    double a = 0, fo = 0, mo = 0, Qo = 0;
    double BL1 = 0, BL2 = 0, BL3 = 0;
    double L1 = 0, L2 = 0, L3 = 0;
    std::string name;  // the design name, UTF-8

    // The name line of the design file the name was loaded from, with the
    // name it was shown as. A save writes the line back as it was read
    // while the name is still that one, so a loaded name that no save could
    // encode the same way is kept, byte for byte.
    struct NameLine {
        std::string shownAs;
        std::string bytes;
    };
    std::optional<NameLine> loadedNameLine;

    double& value(Field f);
    double value(Field f) const;
};

struct TDesignResults {
    double r = 0, Vo = 0, md = 0, so = 0, sc = 0, sd = 0;
    double foc = 0, foc1 = 0, fd = 0, foc2 = 0, Qoc = 0;
};

// Everything the window, the design file and the command line know of an
// input, in one row.
struct FieldFacts {
    Field field;
    double TDesign::*value;
    std::string_view symbol;        // the value's name
    std::string_view control;       // the edit field that holds its text
    std::string_view caption;       // the label beside that field
    std::string_view unit;          // printed beside the field; none for Qo
    std::string_view creationText;  // the field's text when the window is created
    int fileLine;                   // the design file's line that holds the value
};

inline constexpr std::array<FieldFacts, kFieldCount> kFields{{
    {Field::A, &TDesign::a, "a", "EditA", "振動系有効半径　a", "cm", "7", 1},
    {Field::F, &TDesign::fo, "fo", "EditF", "最低共振周波数　ｆo", "Hz", "35", 4},
    {Field::M, &TDesign::mo, "mo", "EditM", "振動系実効質量 mo　", "g", "6.4", 2},
    {Field::Q, &TDesign::Qo, "Qo", "EditQ", "共振尖鋭度　Ｑo", "", "0.42", 3},
    {Field::BL1, &TDesign::BL1, "BL1", "EditBL1", "箱の横サイズ　BL1", "cm", "25", 5},
    {Field::BL2, &TDesign::BL2, "BL2", "EditBL2", "箱の縦サイズ　BL2", "cm", "50", 6},
    {Field::BL3, &TDesign::BL3, "BL3", "EditBL3", "箱の奥行き　BL3", "cm", "30", 7},
    {Field::L1, &TDesign::L1, "L1", "EditL1", "ダクトのサイズＬ１", "cm", "4", 8},
    {Field::L2, &TDesign::L2, "L2", "EditL2", "ダクトのサイズＬ２", "cm", "10", 9},
    {Field::L3, &TDesign::L3, "L3", "EditL3", "ダクトの奥行きＬ３", "cm", "10", 10},
}};

// The caption the two ratio labels share.
inline constexpr std::string_view kRatioCaption = "バスレフ効果";

// Everything the window and the command line know of a result label.
struct ResultFacts {
    ResultLabel label;
    std::string_view control;          // the label's name
    std::string_view caption;          // the name part of the caption beside it
    std::string_view prefix;           // written before the number
    std::string_view suffix;           // written after the number
    std::string_view creationCaption;  // its text until a calculation writes it; none: its name
};

inline constexpr std::array<ResultFacts, kResultCount> kResults{{
    {ResultLabel::LabelBas, "LabelBas", kRatioCaption, "fd/foc = ", "", "Fd/Foc"},
    {ResultLabel::LabelEff, "LabelEff", kRatioCaption, "md/m0 = ", "", "Md/M0"},
    {ResultLabel::BoxVolium, "BoxVolium", "キャビネットの実効内容積 Vo", "", "㍑", ""},
    {ResultLabel::CabinetST, "CabinetST", "キャビネットのスティッフネス", "", "", ""},
    {ResultLabel::CabinetFR, "CabinetFR", "キャビネットの共振周波数 foc", "", "Hz", ""},
    {ResultLabel::EfectiveQ, "EfectiveQ", "実効共振尖鋭度 Qoc", "", "", ""},
    {ResultLabel::KolvexRR, "KolvexRR", "バスレフ換算半径 r", "", "cm", ""},
    {ResultLabel::DuctMass, "DuctMass", "ダクト実効質量md", "", "g", ""},
    {ResultLabel::KolvexFR, "KolvexFR", "バスレフ最低共振周波数 foc1", "", "Hz", ""},
    {ResultLabel::DuctFD, "DuctFD", "ダクト共振周波数fd", "", "Hz", ""},
    {ResultLabel::KolvexFD, "KolvexFD", "バスレフ再生限界  foc2", "", "Hz", ""},
}};

constexpr const FieldFacts& facts(Field f) { return kFields[static_cast<std::size_t>(f)]; }
constexpr const ResultFacts& facts(ResultLabel l) { return kResults[static_cast<std::size_t>(l)]; }

// A result label's text until a calculation writes it: a label without a
// caption of its own shows its name.
constexpr std::string_view creationCaptionOf(const ResultFacts& result) {
    return result.creationCaption.empty() ? result.control : result.creationCaption;
}

// The rows stand in the order of their enumerators, so that facts() finds them.
static_assert([] {
    for (std::size_t i = 0; i < kFieldCount; ++i) {
        if (kFields[i].field != static_cast<Field>(i)) return false;
    }
    for (std::size_t i = 0; i < kResultCount; ++i) {
        if (kResults[i].label != static_cast<ResultLabel>(i)) return false;
    }
    return true;
}());

// The design's other two parts: the name, whose field has no caption label
// but is read out as this, and the pipe flag, the check box's caption.
inline constexpr std::string_view kNameCaption = "設計名";
inline constexpr std::string_view kPipeCaption = "パイプ・ダクト（直径）";

// The inputs of the design file's lines 1 to 10.
inline constexpr std::array<Field, kFieldCount> kFileOrder = [] {
    std::array<Field, kFieldCount> order{};
    for (const FieldFacts& row : kFields) {
        order[static_cast<std::size_t>(row.fileLine - 1)] = row.field;
    }
    return order;
}();

}  // namespace ventbox

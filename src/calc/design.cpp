// SPDX-License-Identifier: GPL-3.0-or-later
#include "design.hpp"

namespace ventbox {

namespace {

constexpr std::array<std::string_view, 10> kValueNames{
    "a", "fo", "mo", "Qo", "BL1", "BL2", "BL3", "L1", "L2", "L3",
};

constexpr std::array<std::string_view, 11> kLabelNames{
    "LabelBas", "LabelEff", "BoxVolium", "CabinetST", "CabinetFR", "EfectiveQ",
    "KolvexRR", "DuctMass", "KolvexFR",  "DuctFD",    "KolvexFD",
};

constexpr std::array<std::string_view, 10> kFieldCaptions{
    "振動系有効半径　a", "最低共振周波数　ｆo", "振動系実効質量 mo　", "共振尖鋭度　Ｑo",
    "箱の横サイズ　BL1", "箱の縦サイズ　BL2",  "箱の奥行き　BL3",   "ダクトのサイズＬ１",
    "ダクトのサイズＬ２", "ダクトの奥行きＬ３",
};

constexpr std::array<std::string_view, 10> kFieldUnits{
    "cm", "Hz", "g", "", "cm", "cm", "cm", "cm", "cm", "cm",
};

constexpr std::array<std::string_view, 11> kLabelCaptions{
    "バスレフ効果",
    "バスレフ効果",
    "キャビネットの実効内容積 Vo",
    "キャビネットのスティッフネス",
    "キャビネットの共振周波数 foc",
    "実効共振尖鋭度 Qoc",
    "バスレフ換算半径 r",
    "ダクト実効質量md",
    "バスレフ最低共振周波数 foc1",
    "ダクト共振周波数fd",
    "バスレフ再生限界  foc2",
};

}  // namespace

double& TDesign::value(Field f) {
    double* values[] = {&a, &fo, &mo, &Qo, &BL1, &BL2, &BL3, &L1, &L2, &L3};
    return *values[static_cast<int>(f)];
}

double TDesign::value(Field f) const { return const_cast<TDesign&>(*this).value(f); }

std::string_view valueName(Field f) { return kValueNames[static_cast<std::size_t>(f)]; }

std::string_view labelName(ResultLabel l) { return kLabelNames[static_cast<std::size_t>(l)]; }

std::string_view fieldCaption(Field f) { return kFieldCaptions[static_cast<std::size_t>(f)]; }

std::string_view fieldUnit(Field f) { return kFieldUnits[static_cast<std::size_t>(f)]; }

std::string_view labelCaption(ResultLabel l) {
    return kLabelCaptions[static_cast<std::size_t>(l)];
}

}  // namespace ventbox

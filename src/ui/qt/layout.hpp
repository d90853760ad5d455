// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <string_view>

#include "calc/design.hpp"
#include "ui/speaker.hpp"

// The window as it is drawn: places, sizes, captions, fonts and colours at
// 96 pixels per inch. Every place is relative to the control's parent.
namespace ventbox::layout {

struct Rect {
    int left, top, width, height;
};

struct Rgb {
    int red, green, blue;
};

// A font by the names to try in order: the face the layout was drawn with,
// then its metric-compatible stand-in shipped by Debian.
struct FontSpec {
    std::string_view face;
    std::string_view standIn;
    int pixelSize;
    bool bold;
};

inline constexpr FontSpec kWindowFont{"ＭＳ Ｐゴシック", "IPAPGothic", 12, false};
inline constexpr FontSpec kValueFont{"ＭＳ Ｐゴシック", "IPAPGothic", 15, false};
inline constexpr FontSpec kNameFont{"ＭＳ ゴシック", "IPAGothic", 16, true};
inline constexpr FontSpec kHeadingFont{"ＭＳ 明朝", "IPAMincho", 16, true};

inline constexpr std::string_view kWindowName = "Box";
inline constexpr std::string_view kWindowCaption = "Box";
inline constexpr int kOuterWidth = 553;
inline constexpr int kOuterHeight = 475;
// The outer size less a sizing border of 4 pixels on every side and a
// caption bar of 19 pixels; the window manager adds its own frame back.
inline constexpr int kClientWidth = kOuterWidth - 2 * 4;
inline constexpr int kClientHeight = kOuterHeight - 2 * 4 - 19;
inline constexpr Rgb kWindowColour{201, 207, 184};
inline constexpr Rgb kHeadingColour{255, 0, 0};
// The light desktop colours the layout was drawn against, kept whatever the
// desktop's theme: the face of the buttons, and the selection's background
// with white text on it. Texts are black and fields white.
inline constexpr Rgb kButtonFaceColour{240, 240, 240};
inline constexpr Rgb kHighlightColour{0, 120, 215};

enum class Panel { Inputs, Commands };

struct PanelSpec {
    Panel panel;
    std::string_view name;
    Rect place;
    Rgb colour;
    std::string_view caption;  // drawn centred, beneath the panel's labels
};

inline constexpr std::array<PanelSpec, 2> kPanels{{
    {Panel::Inputs, "Panel1", {4, 0, 437, 437}, {213, 218, 194}, " cm"},
    {Panel::Commands, "PnlC", {440, 0, 101, 437}, {193, 200, 176}, ""},
}};

// Fixed labels: they size themselves to their caption from their top left.
struct LabelSpec {
    std::string_view name;
    Panel panel;
    int left, top;
    std::string_view caption;
    const FontSpec* font;
};

inline constexpr std::array<LabelSpec, 24> kLabels{{
    {"LblT", Panel::Inputs, 24, 16, "RIVORIZAD TYPE SPEAKER", &kHeadingFont},
    {"Label6", Panel::Inputs, 76, 48, "スピーカー諸元", &kWindowFont},
    {"Label14", Panel::Inputs, 212, 48, "計算結果", &kWindowFont},
    {"Label1", Panel::Inputs, 8, 72, "振動系有効半径　a", &kWindowFont},
    {"Label7", Panel::Inputs, 8, 104, "最低共振周波数　ｆo", &kWindowFont},
    {"Label2", Panel::Inputs, 8, 140, "振動系実効質量 mo　", &kWindowFont},
    {"Label3", Panel::Inputs, 8, 176, "共振尖鋭度　Ｑo", &kWindowFont},
    {"LblBoxL1", Panel::Inputs, 8, 212, "箱の横サイズ　BL1", &kWindowFont},
    {"Label19", Panel::Inputs, 8, 248, "箱の縦サイズ　BL2", &kWindowFont},
    {"Label20", Panel::Inputs, 8, 288, "箱の奥行き　BL3", &kWindowFont},
    {"Label18", Panel::Inputs, 8, 328, "ダクトのサイズＬ１", &kWindowFont},
    {"Label16", Panel::Inputs, 8, 364, "ダクトのサイズＬ２", &kWindowFont},
    {"Label8", Panel::Inputs, 8, 404, "ダクトの奥行きＬ３", &kWindowFont},
    {"Label4", Panel::Inputs, 156, 72, "cm     キャビネットの実効内容積 Vo", &kWindowFont},
    {"Label10", Panel::Inputs, 156, 108, "Hz     キャビネットの共振周波数 foc", &kWindowFont},
    {"Label11", Panel::Inputs, 160, 140, "g      実効共振尖鋭度 Qoc", &kWindowFont},
    {"Label12", Panel::Inputs, 156, 176, "         バスレフ換算半径 r", &kWindowFont},
    {"Label15", Panel::Inputs, 160, 212, "cm     ダクト実効質量md", &kWindowFont},
    {"Label13", Panel::Inputs, 160, 248, "cm     バスレフ最低共振周波数 foc1", &kWindowFont},
    {"Label5", Panel::Inputs, 160, 284, "cm     ダクト共振周波数fd", &kWindowFont},
    {"Label17", Panel::Inputs, 160, 324, "cm     バスレフ再生限界  foc2", &kWindowFont},
    {"Label21", Panel::Inputs, 160, 364, "cm", &kWindowFont},
    {"Label9", Panel::Inputs, 160, 404, "cm     キャビネットのスティッフネス", &kWindowFont},
    {"Label22", Panel::Commands, 12, 156, "バスレフ効果", &kWindowFont},
}};

// The edit fields. The accessible name joins the caption beside the field
// and its unit, so a screen reader reads what a sighted user sees.
struct EditSpec {
    Edit edit;
    std::string_view name;
    Rect place;
    const FontSpec* font;
    int tabOrder;
    std::string_view accessibleName;
};

inline constexpr std::array<EditSpec, kEditCount> kEdits{{
    {Edit::A, "EditA", {116, 68, 40, 23}, &kValueFont, 0, "振動系有効半径 a (cm)"},
    {Edit::F, "EditF", {116, 100, 40, 23}, &kValueFont, 5, "最低共振周波数 ｆo (Hz)"},
    {Edit::M, "EditM", {116, 136, 40, 23}, &kValueFont, 1, "振動系実効質量 mo (g)"},
    {Edit::Q, "EditQ", {116, 172, 40, 23}, &kValueFont, 2, "共振尖鋭度 Ｑo"},
    {Edit::BL1, "EditBL1", {116, 208, 40, 23}, &kValueFont, 3, "箱の横サイズ BL1 (cm)"},
    {Edit::BL2, "EditBL2", {116, 244, 40, 23}, &kValueFont, 8, "箱の縦サイズ BL2 (cm)"},
    {Edit::BL3, "EditBL3", {116, 280, 40, 23}, &kValueFont, 9, "箱の奥行き BL3 (cm)"},
    {Edit::L1, "EditL1", {116, 320, 40, 23}, &kValueFont, 4, "ダクトのサイズ Ｌ１ (cm)"},
    {Edit::L2, "EditL2", {116, 360, 40, 23}, &kValueFont, 7, "ダクトのサイズ Ｌ２ (cm)"},
    {Edit::L3, "EditL3", {116, 396, 40, 23}, &kValueFont, 6, "ダクトの奥行き Ｌ３ (cm)"},
    {Edit::Nam, "EditNam", {248, 12, 141, 24}, &kNameFont, 10, "設計名"},
}};
inline constexpr Panel kEditPanel = Panel::Inputs;

struct CheckBoxSpec {
    std::string_view name;
    Rect place;
    std::string_view caption;
    int tabOrder;
};

inline constexpr CheckBoxSpec kCheckBox{"CheckBox1", {188, 360, 133, 17}, "パイプ・ダクト（直径）", 11};
inline constexpr Panel kCheckBoxPanel = Panel::Inputs;

// The labels the calculation writes; they grow to the right of their place.
struct ResultSpec {
    ResultLabel label;
    Panel panel;
    int left, top;
    const FontSpec* font;
    std::string_view accessibleName;
};

inline constexpr std::array<ResultSpec, kResultCount> kResults{{
    {ResultLabel::LabelBas, Panel::Commands, 16, 184, &kWindowFont, "バスレフ効果 fd/foc1"},
    {ResultLabel::LabelEff, Panel::Commands, 12, 212, &kWindowFont, "バスレフ効果 md/mo"},
    {ResultLabel::BoxVolium, Panel::Inputs, 360, 68, &kValueFont, "キャビネットの実効内容積 Vo (㍑)"},
    {ResultLabel::CabinetST, Panel::Inputs, 356, 400, &kValueFont, "キャビネットのスティッフネス"},
    {ResultLabel::CabinetFR, Panel::Inputs, 360, 104, &kValueFont, "キャビネットの共振周波数 foc (Hz)"},
    {ResultLabel::EfectiveQ, Panel::Inputs, 364, 140, &kValueFont, "実効共振尖鋭度 Qoc"},
    {ResultLabel::KolvexRR, Panel::Inputs, 364, 172, &kValueFont, "バスレフ換算半径 r (cm)"},
    {ResultLabel::DuctMass, Panel::Inputs, 364, 208, &kValueFont, "ダクト実効質量 md (g)"},
    {ResultLabel::KolvexFR, Panel::Inputs, 364, 244, &kValueFont, "バスレフ最低共振周波数 foc1 (Hz)"},
    {ResultLabel::DuctFD, Panel::Inputs, 364, 280, &kValueFont, "ダクト共振周波数 fd (Hz)"},
    {ResultLabel::KolvexFD, Panel::Inputs, 364, 320, &kValueFont, "バスレフ再生限界 foc2 (Hz)"},
}};

struct ButtonSpec {
    Button button;
    std::string_view name;
    Rect place;
    std::string_view caption;
    int tabOrder;
};

inline constexpr std::array<ButtonSpec, 4> kButtons{{
    {Button::Calc, "BtnCalc", {10, 8, 75, 49}, "計算", 0},
    {Button::LD, "BtnLD", {10, 68, 75, 25}, "読込", 1},
    {Button::SV, "BtnSV", {10, 100, 75, 25}, "保存", 2},
    {Button::Exit, "BtnExit", {14, 332, 75, 85}, "終了", 3},
}};
inline constexpr Panel kButtonPanel = Panel::Commands;

}  // namespace ventbox::layout

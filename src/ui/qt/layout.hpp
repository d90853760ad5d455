// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <optional>
#include <string>
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
inline constexpr FontSpec kValueFont{kWindowFont.face, kWindowFont.standIn, 15, false};
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

// Where a label shows the unit of the field to its left: that field, and the
// spaces between the unit and what follows it.
struct UnitSpec {
    Field field;
    int gap;
};

// Fixed labels: they size themselves to their caption from their top left.
// A caption is the label's own text, or the unit of the field to its left,
// followed by the caption of the input or result it names, if any.
struct LabelSpec {
    std::string_view name;
    Panel panel;
    int left, top;
    std::string_view text;
    std::optional<UnitSpec> unit;
    std::optional<Field> field;
    std::optional<ResultLabel> result;
    const FontSpec* font;
};

inline constexpr std::array<LabelSpec, 24> kLabels{{
    {"LblT", Panel::Inputs, 24, 16, "RIVORIZAD TYPE SPEAKER", {}, {}, {}, &kHeadingFont},
    {"Label6", Panel::Inputs, 76, 48, "スピーカー諸元", {}, {}, {}, &kWindowFont},
    {"Label14", Panel::Inputs, 212, 48, "計算結果", {}, {}, {}, &kWindowFont},
    {"Label1", Panel::Inputs, 8, 72, "", {}, Field::A, {}, &kWindowFont},
    {"Label7", Panel::Inputs, 8, 104, "", {}, Field::F, {}, &kWindowFont},
    {"Label2", Panel::Inputs, 8, 140, "", {}, Field::M, {}, &kWindowFont},
    {"Label3", Panel::Inputs, 8, 176, "", {}, Field::Q, {}, &kWindowFont},
    {"LblBoxL1", Panel::Inputs, 8, 212, "", {}, Field::BL1, {}, &kWindowFont},
    {"Label19", Panel::Inputs, 8, 248, "", {}, Field::BL2, {}, &kWindowFont},
    {"Label20", Panel::Inputs, 8, 288, "", {}, Field::BL3, {}, &kWindowFont},
    {"Label18", Panel::Inputs, 8, 328, "", {}, Field::L1, {}, &kWindowFont},
    {"Label16", Panel::Inputs, 8, 364, "", {}, Field::L2, {}, &kWindowFont},
    {"Label8", Panel::Inputs, 8, 404, "", {}, Field::L3, {}, &kWindowFont},
    {"Label4", Panel::Inputs, 156, 72, "", UnitSpec{Field::A, 5}, {}, ResultLabel::BoxVolium, &kWindowFont},
    {"Label10", Panel::Inputs, 156, 108, "", UnitSpec{Field::F, 5}, {}, ResultLabel::CabinetFR, &kWindowFont},
    {"Label11", Panel::Inputs, 160, 140, "", UnitSpec{Field::M, 6}, {}, ResultLabel::EfectiveQ, &kWindowFont},
    {"Label12", Panel::Inputs, 156, 176, "", UnitSpec{Field::Q, 9}, {}, ResultLabel::KolvexRR, &kWindowFont},
    {"Label15", Panel::Inputs, 160, 212, "", UnitSpec{Field::BL1, 5}, {}, ResultLabel::DuctMass, &kWindowFont},
    {"Label13", Panel::Inputs, 160, 248, "", UnitSpec{Field::BL2, 5}, {}, ResultLabel::KolvexFR, &kWindowFont},
    {"Label5", Panel::Inputs, 160, 284, "", UnitSpec{Field::BL3, 5}, {}, ResultLabel::DuctFD, &kWindowFont},
    {"Label17", Panel::Inputs, 160, 324, "", UnitSpec{Field::L1, 5}, {}, ResultLabel::KolvexFD, &kWindowFont},
    {"Label21", Panel::Inputs, 160, 364, "", UnitSpec{Field::L2, 0}, {}, {}, &kWindowFont},
    {"Label9", Panel::Inputs, 160, 404, "", UnitSpec{Field::L3, 5}, {}, ResultLabel::CabinetST, &kWindowFont},
    {"Label22", Panel::Commands, 12, 156, "", {}, {}, ResultLabel::LabelBas, &kWindowFont},
}};

inline std::string captionOf(const LabelSpec& label) {
    std::string caption(label.text);
    if (label.unit) {
        caption += facts(label.unit->field).unit;
        caption.append(static_cast<std::size_t>(label.unit->gap), ' ');
    }
    if (label.field) caption += facts(*label.field).caption;
    if (label.result) caption += facts(*label.result).caption;
    return caption;
}

// What a screen reader reads for a field or a result: what a sighted user
// sees beside it, the caption and the unit.
inline std::string accessibleName(std::string_view caption, std::string_view unit) {
    std::string name(caption);
    if (!unit.empty()) {
        name += " (";
        name += unit;
        name += ')';
    }
    return name;
}

// The edit fields: one for each input, named and read out as its input is,
// then the design name's.
struct EditSpec {
    Edit edit;
    Rect place;
    const FontSpec* font;
    int tabOrder;
};

inline constexpr std::array<EditSpec, kEditCount> kEdits{{
    {Edit::A, {116, 68, 40, 23}, &kValueFont, 0},
    {Edit::F, {116, 100, 40, 23}, &kValueFont, 5},
    {Edit::M, {116, 136, 40, 23}, &kValueFont, 1},
    {Edit::Q, {116, 172, 40, 23}, &kValueFont, 2},
    {Edit::BL1, {116, 208, 40, 23}, &kValueFont, 3},
    {Edit::BL2, {116, 244, 40, 23}, &kValueFont, 8},
    {Edit::BL3, {116, 280, 40, 23}, &kValueFont, 9},
    {Edit::L1, {116, 320, 40, 23}, &kValueFont, 4},
    {Edit::L2, {116, 360, 40, 23}, &kValueFont, 7},
    {Edit::L3, {116, 396, 40, 23}, &kValueFont, 6},
    {Edit::Nam, {248, 12, 141, 24}, &kNameFont, 10},
}};
inline constexpr std::string_view kNameEditName = "EditNam";

inline std::string_view nameOf(Edit edit) {
    return edit == Edit::Nam ? kNameEditName : facts(fieldOf(edit)).control;
}

inline std::string accessibleNameOf(Edit edit) {
    if (edit == Edit::Nam) return std::string(kNameCaption);
    const FieldFacts& field = facts(fieldOf(edit));
    return accessibleName(field.caption, field.unit);
}
inline constexpr Panel kEditPanel = Panel::Inputs;

struct CheckBoxSpec {
    std::string_view name;
    Rect place;
    std::string_view caption;
    int tabOrder;
};

inline constexpr CheckBoxSpec kCheckBox{"CheckBox1", {188, 360, 133, 17}, kPipeCaption, 11};
inline constexpr Panel kCheckBoxPanel = Panel::Inputs;

// The labels the calculation writes; they grow to the right of their place.
// The two ratios share a caption, so a screen reader also hears which ratio.
struct ResultSpec {
    ResultLabel label;
    Panel panel;
    int left, top;
    const FontSpec* font;
    std::string_view ratio;
};

inline constexpr std::array<ResultSpec, kResultCount> kResultPlaces{{
    {ResultLabel::LabelBas, Panel::Commands, 16, 184, &kWindowFont, "fd/foc1"},
    {ResultLabel::LabelEff, Panel::Commands, 12, 212, &kWindowFont, "md/mo"},
    {ResultLabel::BoxVolium, Panel::Inputs, 360, 68, &kValueFont, ""},
    {ResultLabel::CabinetST, Panel::Inputs, 356, 400, &kValueFont, ""},
    {ResultLabel::CabinetFR, Panel::Inputs, 360, 104, &kValueFont, ""},
    {ResultLabel::EfectiveQ, Panel::Inputs, 364, 140, &kValueFont, ""},
    {ResultLabel::KolvexRR, Panel::Inputs, 364, 172, &kValueFont, ""},
    {ResultLabel::DuctMass, Panel::Inputs, 364, 208, &kValueFont, ""},
    {ResultLabel::KolvexFR, Panel::Inputs, 364, 244, &kValueFont, ""},
    {ResultLabel::DuctFD, Panel::Inputs, 364, 280, &kValueFont, ""},
    {ResultLabel::KolvexFD, Panel::Inputs, 364, 320, &kValueFont, ""},
}};

// The rows stand in the order of their labels, so that a label finds its own.
static_assert([] {
    for (std::size_t i = 0; i < kResultCount; ++i) {
        if (kResultPlaces[i].label != static_cast<ResultLabel>(i)) return false;
    }
    return true;
}());

inline std::string accessibleNameOf(ResultLabel label) {
    const ResultFacts& result = facts(label);
    std::string caption(result.caption);
    const std::string_view ratio = kResultPlaces[static_cast<std::size_t>(label)].ratio;
    if (!ratio.empty()) {
        caption += ' ';
        caption += ratio;
    }
    return accessibleName(caption, result.suffix);
}

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

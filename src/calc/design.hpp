// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace ventbox {

// The ten numeric input fields, in the order the calculation reads them.
enum class Field { A, F, M, Q, BL1, BL2, BL3, L1, L2, L3 };
inline constexpr std::array<Field, 10> kCalcReadOrder{
    Field::A,   Field::F,   Field::M,  Field::Q,  Field::BL1,
    Field::BL2, Field::BL3, Field::L1, Field::L2, Field::L3,
};

// The result labels, in the order a calculation writes them.
enum class ResultLabel {
    LabelBas, LabelEff, BoxVolium, CabinetST, CabinetFR, EfectiveQ,
    KolvexRR, DuctMass, KolvexFR, DuctFD, KolvexFD,
};
inline constexpr std::array<ResultLabel, 11> kLabelWriteOrder{
    ResultLabel::LabelBas,  ResultLabel::LabelEff, ResultLabel::BoxVolium,
    ResultLabel::CabinetST, ResultLabel::CabinetFR, ResultLabel::EfectiveQ,
    ResultLabel::KolvexRR,  ResultLabel::DuctMass, ResultLabel::KolvexFR,
    ResultLabel::DuctFD,    ResultLabel::KolvexFD,
};

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

// Short names of the inputs ("a", "fo", …) and of the labels ("LabelBas", …).
std::string_view valueName(Field f);
std::string_view labelName(ResultLabel l);

// The window's captions and units, for every place that shows a design.
std::string_view fieldCaption(Field f);
std::string_view fieldUnit(Field f);  // empty for Qo
std::string_view labelCaption(ResultLabel l);

}  // namespace ventbox

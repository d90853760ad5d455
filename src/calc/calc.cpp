// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc.hpp"

#include "formula_constants.hpp"
#include "number_text.hpp"

namespace ventbox {

using namespace formula;

void calculate(TDesign& d, TDesignResults& res, CalcForm& form) {
    Extended::ModeGuard mode;
    // Each field is stored as soon as it is read, so a text that fails leaves
    // the fields before it stored and those after it as the last run left them.
    for (const FieldFacts& field : kFields) {
        d.value(field.field) = CheckedExtended(textToNumber(form.fieldText(field.field))).store();
    }
    // Every step reads the stored doubles, never a wider intermediate of an
    // earlier step: the shown digits depend on that double rounding.
    const auto a = widen(d.a), fo = widen(d.fo), mo = widen(d.mo), Qo = widen(d.Qo);
    const auto BL1 = widen(d.BL1), BL2 = widen(d.BL2), BL3 = widen(d.BL3);
    const auto L1 = widen(d.L1), L2 = widen(d.L2), L3 = widen(d.L3);

    // The duct's opening in cm², and the radius of a round duct as large (0.01 cm).
    double S = (L1 * L2).store();
    res.r = (round(sqrt(widen(S) / kPi) * k100) / k100).store();
    // A round pipe of diameter L1 keeps its own, unrounded radius; the check
    // box is asked only where the two sides can be one diameter.
    if (d.L1 == d.L2 && form.pipeChecked()) {
        res.r = (L1 / k2).store();
        S = ((kPi * widen(res.r)) * widen(res.r)).store();
    }
    const auto s = widen(S), r = widen(res.r);
    // The box's inner volume less the duct's, to a whole cm³, in litres.
    res.Vo = (round(((BL1 * BL2) * BL3) - (s * L3)) / k1000).store();
    // The mass of the duct's air, its length lengthened by the end correction (g).
    res.md = (round(((k0_0012 * s) * ((kFourThirds * r) + L3)) * k1000) / k1000).store();
    // The suspension's stiffness, from the resonance and the moving mass.
    res.so = round(((kFourPiSquared * fo) * fo) * mo).store();
    const auto Vo = widen(res.Vo), md = widen(res.md), so = widen(res.so);
    // The box's air as a spring on the cone (sc) and on the duct's air (sd).
    res.sc = round(((((k14000 * a) * a) * a) * a) / Vo).store();
    res.sd = round(((((k14000 * r) * r) * r) * r) / Vo).store();
    const auto sc = widen(res.sc), sd = widen(res.sd);
    // To 0.1 Hz: the driver's resonance in the box, the vented system's lowest
    // resonance (the duct's stiffness added), the duct's resonance with the
    // box's air, and the lowest frequency the box still reproduces.
    res.foc = (round((sqrt((so + sc) / (mo + md)) * k0_159) * k10) / k10).store();
    res.foc1 = (round((sqrt(((so + sc) + sd) / (mo + md)) * k0_159) * k10) / k10).store();
    res.fd = (round((sqrt((s / Vo) / (L3 + r)) * k160) * k10) / k10).store();
    res.foc2 = (round((sqrt(so / ((k1_2 * Vo) + mo)) * k0_16) * k10) / k10).store();
    // The driver's Q rises with its resonance in the box.
    res.Qoc = (round(((Qo * widen(res.foc)) / fo) * k100) / k100).store();

    auto write = [&form](ResultLabel label, auto value) {
        const ResultFacts& row = facts(label);
        std::string text(row.prefix);
        text += displayText(value);
        text += row.suffix;
        form.setLabel(label, text);
    };
    // The ratios exist only as label texts, at full width. The first judges
    // the duct against foc1, the resonance it works with, though its text
    // says "foc"; a failure in the second leaves only the first written.
    const CheckedExtended q1 = round((widen(res.fd) / widen(res.foc1)) * k100) / k100;
    write(ResultLabel::LabelBas, q1.value());
    const CheckedExtended q2 = round((md / mo) * k100) / k100;
    write(ResultLabel::LabelEff, q2.value());

    // No result label changes before every result is known.
    write(ResultLabel::BoxVolium, res.Vo);
    write(ResultLabel::CabinetST, res.sc);
    write(ResultLabel::CabinetFR, res.foc);
    write(ResultLabel::EfectiveQ, res.Qoc);
    write(ResultLabel::KolvexRR, res.r);
    write(ResultLabel::DuctMass, res.md);
    write(ResultLabel::KolvexFR, res.foc1);
    write(ResultLabel::DuctFD, res.fd);
    write(ResultLabel::KolvexFD, res.foc2);
}

}  // namespace ventbox

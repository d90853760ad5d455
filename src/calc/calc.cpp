// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc.hpp"

#include "formula_constants.hpp"
#include "number_text.hpp"

namespace ventbox {

using namespace formula;

void Calc(TDesign& d, TDesignResults& res, CalcForm& form) {
    Extended::ModeGuard mode;
    for (const FieldFacts& field : kFields) {
        d.value(field.field) = Ext(textToNumber(form.fieldText(field.field))).store();
    }
    const Ext a = ext(d.a), fo = ext(d.fo), mo = ext(d.mo), Qo = ext(d.Qo);
    const Ext BL1 = ext(d.BL1), BL2 = ext(d.BL2), BL3 = ext(d.BL3);
    const Ext L1 = ext(d.L1), L2 = ext(d.L2), L3 = ext(d.L3);

    double S = (L1 * L2).store();
    res.r = (round(sqrt(ext(S) / kPi) * k100) / k100).store();
    if (d.L1 == d.L2 && form.pipeChecked()) {
        res.r = (L1 / k2).store();
        S = ((kPi * ext(res.r)) * ext(res.r)).store();
    }
    const Ext s = ext(S), r = ext(res.r);
    res.Vo = (round(((BL1 * BL2) * BL3) - (s * L3)) / k1000).store();
    res.md = (round(((k0_0012 * s) * ((kFourThirds * r) + L3)) * k1000) / k1000).store();
    res.so = round(((kFourPiSquared * fo) * fo) * mo).store();
    const Ext Vo = ext(res.Vo), md = ext(res.md), so = ext(res.so);
    res.sc = round(((((k14000 * a) * a) * a) * a) / Vo).store();
    res.sd = round(((((k14000 * r) * r) * r) * r) / Vo).store();
    const Ext sc = ext(res.sc), sd = ext(res.sd);
    res.foc = (round((sqrt((so + sc) / (mo + md)) * k0_159) * k10) / k10).store();
    res.foc1 = (round((sqrt(((so + sc) + sd) / (mo + md)) * k0_159) * k10) / k10).store();
    res.fd = (round((sqrt((s / Vo) / (L3 + r)) * k160) * k10) / k10).store();
    res.foc2 = (round((sqrt(so / ((k1_2 * Vo) + mo)) * k0_16) * k10) / k10).store();
    res.Qoc = (round(((Qo * ext(res.foc)) / fo) * k100) / k100).store();

    auto write = [&form](ResultLabel label, auto value) {
        const ResultFacts& row = facts(label);
        std::string text(row.prefix);
        text += displayText(value);
        text += row.suffix;
        form.setLabel(label, text);
    };
    const Ext q1 = round((ext(res.fd) / ext(res.foc1)) * k100) / k100;
    write(ResultLabel::LabelBas, q1.value());
    const Ext q2 = round((md / mo) * k100) / k100;
    write(ResultLabel::LabelEff, q2.value());

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

// SPDX-License-Identifier: GPL-3.0-or-later
#include "field_texts.hpp"

#include <numbers>

#include "calc/calc.hpp"
#include "calc/number_text.hpp"

namespace ventbox {

namespace {

// The calculation's view of texts held apart from any window.
class TextsForm : public CalcForm {
public:
    TextsForm(const FieldTexts& texts, bool pipe) : texts_(texts), pipe_(pipe) {}
    std::string fieldText(Field field) const override {
        return texts_[static_cast<std::size_t>(field)];
    }
    bool pipeChecked() const override { return pipe_; }
    void setLabel(ResultLabel /*label*/, const std::string& /*text*/) override {}

private:
    const FieldTexts& texts_;
    bool pipe_;
};

}  // namespace

FieldTexts fieldTextsOf(const TDesign& design) {
    FieldTexts texts;
    for (const FieldFacts& field : kFields) {
        texts[static_cast<std::size_t>(field.field)] = displayText(design.value(field.field));
    }
    return texts;
}

CalculatedDesign calculateTexts(const FieldTexts& texts, bool pipe) {
    CalculatedDesign calculated;
    TextsForm form(texts, pipe);
    calculate(calculated.design, calculated.results, form);
    return calculated;
}

std::string millimetreText(long long millimetres) {
    return displayText(static_cast<double>(millimetres) / 10);
}

double ductOpening(const TDesign& design, const TDesignResults& results, bool pipe) {
    if (pipe && design.L1 == design.L2) return std::numbers::pi * results.r * results.r;
    return design.L1 * design.L2;
}

}  // namespace ventbox

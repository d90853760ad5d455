// SPDX-License-Identifier: GPL-3.0-or-later
#include "design_form.hpp"

#include "calc/number_text.hpp"

namespace ventbox {

DesignForm::DesignForm() {
    for (const ResultFacts& result : kResults) {
        captions_[static_cast<std::size_t>(result.label)] = creationCaptionOf(result);
    }
}

bool DesignForm::load(const std::string& path) { return loadDesignFile(path, *this); }

void DesignForm::load(ByteSource& source) { readDesign(source, *this); }

void DesignForm::recalculate() { calculate(design_, results_, *this); }

bool DesignForm::assignText(Edit edit, const std::string& text) {
    std::string& current = texts_[static_cast<std::size_t>(edit)];
    if (current == text) return false;
    current = text;
    return true;
}

bool DesignForm::assignChecked(bool checked) {
    if (checked_ == checked) return false;
    checked_ = checked;
    return true;
}

std::string DesignForm::fieldText(Field field) const { return text(editOf(field)); }

void DesignForm::setLabel(ResultLabel label, const std::string& text) {
    std::string& current = captions_[static_cast<std::size_t>(label)];
    if (current == text) return;
    current = text;
    captionChanged(label);
}

void DesignForm::storeValue(Field field, double value) { design_.value(field) = value; }

void DesignForm::showValue(Field field) {
    writeLoadedText(editOf(field), displayText(design_.value(field)));
}

void DesignForm::setName(const std::string& name) { design_.name = name; }

void DesignForm::keepNameLine(const std::string& bytes) {
    design_.loadedNameLine = TDesign::NameLine{design_.name, bytes};
}

void DesignForm::showName() { writeLoadedText(Edit::Nam, design_.name); }

void DesignForm::checkPipe() { checkLoadedPipe(); }

}  // namespace ventbox

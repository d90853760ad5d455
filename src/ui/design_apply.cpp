// SPDX-License-Identifier: GPL-3.0-or-later
#include "design_apply.hpp"

namespace ventbox {

namespace {

constexpr Field kBoxFields[] = {Field::BL1, Field::BL2, Field::BL3};

void type(TBox& box, Field field, const FieldTexts& texts) {
    box.userEditedText(editOf(field), texts[static_cast<std::size_t>(field)]);
}

}  // namespace

FieldTexts fieldTextsShown(const TBox& box) {
    FieldTexts texts;
    for (const FieldFacts& field : kFields) {
        texts[static_cast<std::size_t>(field.field)] = box.text(editOf(field.field));
    }
    return texts;
}

void typeAlignedBox(TBox& box, const AlignedBox& sized) {
    const bool ductFirst = sized.duct.calculated.design.L3 < box.design().L3;
    if (ductFirst) type(box, Field::L3, sized.texts);
    for (const Field field : kBoxFields) type(box, field, sized.texts);
    if (!ductFirst) type(box, Field::L3, sized.texts);
}

AlignedBox applyAlignment(TBox& box, const Alignment& alignment) {
    if (!alignment.found) {
        throw NoTuning("this driver's Qt has no " + std::string(alignmentName(alignment.family)) +
                       " alignment");
    }
    AlignedBox sized =
        boxForAlignment(fieldTextsShown(box), box.checked(), alignment.alpha, alignment.h);
    typeAlignedBox(box, sized);
    return sized;
}

DuctTuning applyTuning(TBox& box, double targetFb) {
    DuctTuning tuning = tuneDuct(fieldTextsShown(box), box.checked(), targetFb);
    box.userEditedText(Edit::L3, tuning.text);
    return tuning;
}

}  // namespace ventbox

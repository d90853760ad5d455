// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <string>

#include "calc/calc.hpp"
#include "calc/design.hpp"
#include "files/design_file.hpp"
#include "files/design_reader.hpp"

namespace ventbox {

// The form's text fields: one for each input, numbered as its field, then
// the design name.
enum class Edit {
    A = static_cast<int>(Field::A),
    F = static_cast<int>(Field::F),
    M = static_cast<int>(Field::M),
    Q = static_cast<int>(Field::Q),
    BL1 = static_cast<int>(Field::BL1),
    BL2 = static_cast<int>(Field::BL2),
    BL3 = static_cast<int>(Field::BL3),
    L1 = static_cast<int>(Field::L1),
    L2 = static_cast<int>(Field::L2),
    L3 = static_cast<int>(Field::L3),
    Nam = static_cast<int>(kFieldCount),
};
inline constexpr int kEditCount = static_cast<int>(kFieldCount) + 1;

constexpr Edit editOf(Field field) { return static_cast<Edit>(field); }
constexpr Field fieldOf(Edit edit) { return static_cast<Field>(edit); }  // not Nam

// The design as the program works on it: the texts of the fields and the
// name, the pipe box, the label texts, and the record and results the last
// calculation or load stored. A load writes into it as into the window: each
// value is stored, then shown in its field as its display text, and TRUE
// checks the pipe box. A form that stands for a window runs the window's
// change rules on those writes; this one only holds them.
class DesignForm : protected CalcForm, protected LoadTarget {
public:
    DesignForm();

    const std::string& text(Edit edit) const { return texts_[static_cast<std::size_t>(edit)]; }
    bool checked() const { return checked_; }
    const std::string& caption(ResultLabel label) const {
        return captions_[static_cast<std::size_t>(label)];
    }
    const TDesign& design() const { return design_; }
    const TDesignResults& results() const { return results_; }

    // Reads the design file at `path` into the form; false, having changed
    // nothing, when no design file is there. Throws the error that stops it.
    bool load(const std::string& path);
    // Reads a design from an open source, such as standard input.
    void load(ByteSource& source);
    // One whole calculation from the fields' texts and the pipe box.
    void recalculate();

protected:
    // Each returns whether the state changed.
    bool assignText(Edit edit, const std::string& text);
    bool assignChecked(bool checked);

    // How a load changes the fields and the box; the window's form runs its
    // change rules here.
    virtual void writeLoadedText(Edit edit, const std::string& text) { assignText(edit, text); }
    virtual void checkLoadedPipe() { assignChecked(true); }
    // A label got a new text.
    virtual void captionChanged(ResultLabel /*label*/) {}

    TDesign& record() { return design_; }

private:
    // CalcForm
    std::string fieldText(Field field) const override;
    bool pipeChecked() const override { return checked_; }
    void setLabel(ResultLabel label, const std::string& text) override;
    // LoadTarget
    void storeValue(Field field, double value) override;
    void showValue(Field field) override;
    void setName(const std::string& name) override;
    void keepNameLine(const std::string& bytes) override;
    void showName() override;
    void checkPipe() override;

    TDesign design_;
    TDesignResults results_;
    std::array<std::string, kEditCount> texts_;
    bool checked_ = false;
    std::array<std::string, kResultCount> captions_;
};

}  // namespace ventbox

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <string>
#include <utility>
#include <vector>

#include "calc/calc.hpp"

namespace ventbox {

// A form of plain values for the tests and benchmarks: the field texts and
// the check box as given, every label text in the order the calculation
// writes it, and how often the calculation asked for the check box.
class RecordingForm : public CalcForm {
public:
    explicit RecordingForm(std::array<std::string, kFieldCount> texts, bool pipe = false)
        : texts(std::move(texts)), pipe(pipe) {}
    std::string fieldText(Field field) const override {
        return texts[static_cast<std::size_t>(field)];
    }
    bool pipeChecked() const override {
        ++pipeAsked;
        return pipe;
    }
    void setLabel(ResultLabel label, const std::string& text) override {
        labels.emplace_back(label, text);
    }

    std::array<std::string, kFieldCount> texts;
    bool pipe;
    mutable int pipeAsked = 0;
    std::vector<std::pair<ResultLabel, std::string>> labels;
};

}  // namespace ventbox

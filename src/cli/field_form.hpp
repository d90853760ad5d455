// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <string>
#include <utility>
#include <vector>

#include "calc/calc.hpp"

namespace ventbox::cli {

// The ten field texts and the check box as plain values, recording each
// label the calculation writes: the command line's stand-in for the window.
class FieldForm : public CalcForm {
public:
    FieldForm(std::array<std::string, kFieldCount> texts, bool pipe)
        : texts_(std::move(texts)), pipe_(pipe) {}
    std::string fieldText(Field field) const override {
        return texts_[static_cast<std::size_t>(field)];
    }
    bool pipeChecked() const override { return pipe_; }
    void setLabel(ResultLabel label, const std::string& text) override {
        labels.emplace_back(label, text);
    }

    std::vector<std::pair<ResultLabel, std::string>> labels;

private:
    std::array<std::string, kFieldCount> texts_;
    bool pipe_;
};

}  // namespace ventbox::cli

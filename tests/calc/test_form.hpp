// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <map>
#include <string>

#include "calc/calc.hpp"

namespace ventbox::test {

// A form whose field texts and check box the test sets, recording labels.
class TestForm : public CalcForm {
public:
    explicit TestForm(std::array<std::string, kFieldCount> texts, bool pipe = false)
        : texts(std::move(texts)), pipe(pipe) {}
    std::string fieldText(Field f) const override { return texts[static_cast<std::size_t>(f)]; }
    bool pipeChecked() const override {
        ++pipeAsked;
        return pipe;
    }
    void setLabel(ResultLabel l, const std::string& text) override {
        labels[l] = text;
        writeOrder.push_back(l);
    }

    std::array<std::string, kFieldCount> texts;
    bool pipe;
    mutable int pipeAsked = 0;
    std::map<ResultLabel, std::string> labels;
    std::vector<ResultLabel> writeOrder;
};

}  // namespace ventbox::test

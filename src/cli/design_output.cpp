// SPDX-License-Identifier: GPL-3.0-or-later
#include "design_output.hpp"

#include <algorithm>
#include <cctype>

#include "calc/number_text.hpp"
#include "files/design_file.hpp"
#include "design/output_text.hpp"

namespace ventbox::cli {

std::vector<std::string> tableHeader() {
    std::vector<std::string> cells{"file", "name"};
    for (const FieldFacts& field : kFields) cells.emplace_back(field.symbol);
    cells.emplace_back("pipe");
    for (const ResultFacts& result : kResults) cells.emplace_back(result.control);
    return cells;
}

std::vector<std::string> tableRow(const DesignOutput& design) {
    std::vector<std::string> cells{design.file.value_or(""), design.name.value_or("")};
    cells.insert(cells.end(), design.inputs.begin(), design.inputs.end());
    cells.emplace_back(pipeText(design.pipe.value_or(false)));
    for (const ResultFacts& result : kResults) {
        const auto written =
            std::find_if(design.labels.begin(), design.labels.end(),
                         [&result](const auto& entry) { return entry.first == result.label; });
        cells.push_back(written == design.labels.end() ? "" : written->second);
    }
    return cells;
}

DesignOutput outputOf(const TDesign& design) {
    DesignOutput out;
    for (std::size_t i = 0; i < kFieldCount; ++i) {
        out.inputs[i] = displayText(design.value(kFields[i].field));
    }
    return out;
}

void writeKv(std::ostream& out, const DesignOutput& design) {
    if (design.file) out << "file=" << oneLine(*design.file) << '\n';
    if (design.name) out << "name=" << oneLine(*design.name) << '\n';
    for (std::size_t i = 0; i < kFieldCount; ++i) {
        out << kFields[i].symbol << '=' << design.inputs[i] << '\n';
    }
    if (design.pipe) out << "pipe=" << pipeText(*design.pipe) << '\n';
    for (const auto& [label, text] : design.labels) {
        out << facts(label).control << '=' << text << '\n';
    }
}

void writeText(std::ostream& out, const DesignOutput& design) {
    if (design.name) out << kNameCaption << ": " << oneLine(*design.name) << '\n';
    for (std::size_t i = 0; i < kFieldCount; ++i) {
        out << kFields[i].caption << ": " << design.inputs[i];
        if (!kFields[i].unit.empty()) out << ' ' << kFields[i].unit;
        out << '\n';
    }
    if (design.pipe) out << kPipeCaption << ": " << (*design.pipe ? "あり" : "なし") << '\n';
    for (const auto& [label, text] : design.labels) {
        out << facts(label).caption << ": " << text << '\n';
    }
}

void writeJson(std::ostream& out, const DesignOutput& design) {
    out << '{';
    if (design.file) out << "\"path\":" << jsonString(*design.file) << ',';
    if (design.name) out << "\"name\":" << jsonString(*design.name) << ',';
    out << "\"inputs\":{";
    for (std::size_t i = 0; i < kFieldCount; ++i) {
        if (i != 0) out << ',';
        out << jsonString(kFields[i].symbol) << ':' << jsonString(design.inputs[i]);
    }
    out << '}';
    if (design.pipe) out << ",\"pipe\":" << (*design.pipe ? "true" : "false");
    out << ",\"labels\":{";
    bool first = true;
    for (const auto& [label, text] : design.labels) {
        if (!first) out << ',';
        first = false;
        out << jsonString(facts(label).control) << ':' << jsonString(text);
    }
    out << "}}";
}

void writeFieldHelp(std::ostream& out) {
    out << "The ten field texts, in this order, as typed in the window:\n";
    for (const FieldFacts& field : kFields) {
        std::string name(field.symbol);
        for (char& c : name) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        name.resize(5, ' ');
        std::string unit(field.unit.empty() ? "-" : field.unit);
        unit.resize(4, ' ');
        out << "  " << name << unit << field.caption << '\n';
    }
}

}  // namespace ventbox::cli

// SPDX-License-Identifier: GPL-3.0-or-later
#include "design_output.hpp"

#include <cctype>

#include "calc/number_text.hpp"
#include "output_text.hpp"

namespace ventbox::cli {

DesignOutput outputOf(const TDesign& design) {
    DesignOutput out;
    for (std::size_t i = 0; i < kCalcReadOrder.size(); ++i) {
        out.inputs[i] = displayText(design.value(kCalcReadOrder[i]));
    }
    return out;
}

std::optional<Format> parseFormat(const std::string& name) {
    if (name == "text") return Format::Text;
    if (name == "kv") return Format::Kv;
    if (name == "json") return Format::Json;
    if (name == "csv") return Format::Csv;
    return std::nullopt;
}

void writeKv(std::ostream& out, const DesignOutput& design) {
    if (design.file) out << "file=" << oneLine(*design.file) << '\n';
    if (design.name) out << "name=" << oneLine(*design.name) << '\n';
    for (std::size_t i = 0; i < kCalcReadOrder.size(); ++i) {
        out << valueName(kCalcReadOrder[i]) << '=' << design.inputs[i] << '\n';
    }
    if (design.pipe) out << "pipe=" << (*design.pipe ? "TRUE" : "FALSE") << '\n';
    for (const auto& [label, text] : design.labels) out << labelName(label) << '=' << text << '\n';
}

void writeText(std::ostream& out, const DesignOutput& design) {
    if (design.name) out << "設計名: " << oneLine(*design.name) << '\n';
    for (std::size_t i = 0; i < kCalcReadOrder.size(); ++i) {
        const Field f = kCalcReadOrder[i];
        out << fieldCaption(f) << ": " << design.inputs[i];
        if (!fieldUnit(f).empty()) out << ' ' << fieldUnit(f);
        out << '\n';
    }
    if (design.pipe) out << "パイプ・ダクト（直径）: " << (*design.pipe ? "あり" : "なし") << '\n';
    for (const auto& [label, text] : design.labels) {
        out << labelCaption(label) << ": " << text << '\n';
    }
}

void writeJson(std::ostream& out, const DesignOutput& design) {
    out << '{';
    if (design.file) out << "\"path\":" << jsonString(*design.file) << ',';
    if (design.name) out << "\"name\":" << jsonString(*design.name) << ',';
    out << "\"inputs\":{";
    for (std::size_t i = 0; i < kCalcReadOrder.size(); ++i) {
        if (i != 0) out << ',';
        out << jsonString(valueName(kCalcReadOrder[i])) << ':'
            << jsonString(design.inputs[i]);
    }
    out << '}';
    if (design.pipe) out << ",\"pipe\":" << (*design.pipe ? "true" : "false");
    out << ",\"labels\":{";
    bool first = true;
    for (const auto& [label, text] : design.labels) {
        if (!first) out << ',';
        first = false;
        out << jsonString(labelName(label)) << ':' << jsonString(text);
    }
    out << "}}";
}

void writeFieldHelp(std::ostream& out) {
    out << "The ten field texts, in this order, as typed in the window:\n";
    for (Field f : kCalcReadOrder) {
        std::string name(valueName(f));
        for (char& c : name) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        name.resize(5, ' ');
        std::string unit(fieldUnit(f).empty() ? "-" : fieldUnit(f));
        unit.resize(4, ' ');
        out << "  " << name << unit << fieldCaption(f) << '\n';
    }
}

}  // namespace ventbox::cli

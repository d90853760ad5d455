#include "design_output.hpp"

#include <cstdio>

#include "calc/number_text.hpp"

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
    if (design.file) out << "file=" << *design.file << '\n';
    if (design.name) out << "name=" << *design.name << '\n';
    for (std::size_t i = 0; i < kCalcReadOrder.size(); ++i) {
        out << valueName(kCalcReadOrder[i]) << '=' << design.inputs[i] << '\n';
    }
    if (design.pipe) out << "pipe=" << (*design.pipe ? "TRUE" : "FALSE") << '\n';
    for (const auto& [label, text] : design.labels) out << labelName(label) << '=' << text << '\n';
}

void writeText(std::ostream& out, const DesignOutput& design) {
    if (design.name) out << "設計名: " << *design.name << '\n';
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

std::string jsonString(const std::string& text) {
    std::string s = "\"";
    for (char c : text) {
        const auto u = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            s += '\\';
            s += c;
        } else if (u < 0x20) {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\u%04x", u);
            s += buf;
        } else {
            s += c;
        }
    }
    return s + '"';
}

void writeJson(std::ostream& out, const DesignOutput& design) {
    out << '{';
    if (design.file) out << "\"file\":" << jsonString(*design.file) << ',';
    if (design.name) out << "\"name\":" << jsonString(*design.name) << ',';
    out << "\"inputs\":{";
    for (std::size_t i = 0; i < kCalcReadOrder.size(); ++i) {
        if (i != 0) out << ',';
        out << jsonString(std::string(valueName(kCalcReadOrder[i]))) << ':'
            << jsonString(design.inputs[i]);
    }
    out << '}';
    if (design.pipe) out << ",\"pipe\":" << (*design.pipe ? "true" : "false");
    out << ",\"labels\":{";
    bool first = true;
    for (const auto& [label, text] : design.labels) {
        if (!first) out << ',';
        first = false;
        out << jsonString(std::string(labelName(label))) << ':' << jsonString(text);
    }
    out << "}}\n";
}

}  // namespace ventbox::cli

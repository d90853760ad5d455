// SPDX-License-Identifier: GPL-3.0-or-later
#include <algorithm>
#include <cstdint>

#include "design_output.hpp"
#include "files/design_file.hpp"
#include "output_text.hpp"

namespace ventbox::cli {

namespace {

// Columns a character takes on a terminal: two for the wide and full-width
// blocks (CJK, kana, Hangul, full-width forms), one for everything else.
int columnsOf(std::uint32_t c) {
    const bool wide = (c >= 0x1100 && c <= 0x115F) || (c >= 0x2E80 && c <= 0xA4CF) ||
                      (c >= 0xAC00 && c <= 0xD7A3) || (c >= 0xF900 && c <= 0xFAFF) ||
                      (c >= 0xFE30 && c <= 0xFE4F) || (c >= 0xFF00 && c <= 0xFF60) ||
                      (c >= 0xFFE0 && c <= 0xFFE6);
    return wide ? 2 : 1;
}

// The width of a UTF-8 text; each byte that starts no valid sequence counts one.
std::size_t displayWidth(std::string_view text) {
    std::size_t width = 0;
    for (std::size_t i = 0; i < text.size();) {
        const std::optional<std::uint32_t> c = decodeUtf8(text, i);
        width += c ? static_cast<std::size_t>(columnsOf(*c)) : 1;
    }
    return width;
}

std::vector<std::string> header() {
    std::vector<std::string> cells{"file", "name"};
    for (const FieldFacts& field : kFields) cells.emplace_back(field.symbol);
    cells.emplace_back("pipe");
    for (const ResultFacts& result : kResults) cells.emplace_back(result.control);
    return cells;
}

std::vector<std::string> row(const DesignOutput& design) {
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

}  // namespace

std::string csvField(const std::string& text) {
    if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '"') quoted += '"';
        quoted += c;
    }
    return quoted + '"';
}

void writeColumns(std::ostream& out, std::vector<std::vector<std::string>> rows) {
    for (auto& cells : rows) {
        for (std::string& cell : cells) cell = oneLine(cell);
    }
    std::vector<std::size_t> widths(rows.front().size(), 0);
    for (const auto& cells : rows) {
        for (std::size_t i = 0; i < cells.size(); ++i) {
            widths[i] = std::max(widths[i], displayWidth(cells[i]));
        }
    }
    std::string line;
    for (const auto& cells : rows) {
        line.clear();
        for (std::size_t i = 0; i < cells.size(); ++i) {
            if (i != 0) line += "  ";
            line += cells[i];
            if (i + 1 != cells.size()) line.append(widths[i] - displayWidth(cells[i]), ' ');
        }
        out << line << '\n';
    }
}

void writeTable(std::ostream& out, const std::vector<DesignOutput>& designs, Format format) {
    std::vector<std::vector<std::string>> rows{header()};
    for (const DesignOutput& d : designs) rows.push_back(row(d));

    if (format == Format::Csv) {
        for (const auto& cells : rows) {
            for (std::size_t i = 0; i < cells.size(); ++i) {
                if (i != 0) out << ',';
                out << csvField(cells[i]);
            }
            out << '\n';
        }
        return;
    }
    writeColumns(out, std::move(rows));
}

}  // namespace ventbox::cli

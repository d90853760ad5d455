// SPDX-License-Identifier: GPL-3.0-or-later
#include "table_output.hpp"

#include <algorithm>
#include <cstdint>

#include "design/output_text.hpp"

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

// A CSV field: quoted when it holds a comma, a quote or a line end.
void appendCsvField(std::string& line, const std::string& text) {
    if (text.find_first_of(",\"\r\n") == std::string::npos) {
        line += text;
        return;
    }
    line += '"';
    for (char c : text) {
        if (c == '"') line += '"';
        line += c;
    }
    line += '"';
}

}  // namespace

void ColumnTable::add(const std::vector<std::string>& cells) {
    widths_.resize(cells.size(), 0);
    for (std::size_t i = 0; i < cells.size(); ++i) {
        const std::string cell = oneLine(cells[i]);
        widths_[i] = std::max(widths_[i], displayWidth(cell));
        cells_ += cell;
        cells_ += '\0';
    }
}

void ColumnTable::write(std::ostream& out) const {
    std::string_view rest = cells_;
    std::string line;
    std::size_t column = 0;
    while (!rest.empty()) {
        const std::string_view cell = rest.substr(0, rest.find('\0'));
        rest.remove_prefix(cell.size() + 1);
        if (column != 0) line += "  ";
        line += cell;
        if (++column == widths_.size()) {
            out << line << '\n';
            line.clear();
            column = 0;
        } else {
            line.append(widths_[column - 1] - displayWidth(cell), ' ');
        }
    }
}

void writeColumns(std::ostream& out, const Rows& rows) {
    ColumnTable table;
    for (const auto& cells : rows) table.add(cells);
    table.write(out);
}

void writeCsvRow(std::ostream& out, const std::vector<std::string>& cells) {
    std::string line;
    for (std::size_t i = 0; i < cells.size(); ++i) {
        if (i != 0) line += ',';
        appendCsvField(line, cells[i]);
    }
    out << line << '\n';
}

}  // namespace ventbox::cli

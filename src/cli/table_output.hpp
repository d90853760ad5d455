// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace ventbox::cli {

// A table: its header row, then a row per entry, each a list of cells.
using Rows = std::vector<std::vector<std::string>>;

// Rows in columns two blanks apart, padded to the widest cell as a terminal
// shows it (CJK characters take two columns), each cell on one line (see
// oneLine). Built a row at a time: the rows are kept as their cells' text in
// one string, so a table of many rows costs little more than its text.
class ColumnTable {
public:
    // Every row has as many cells as the first.
    void add(const std::vector<std::string>& cells);
    void write(std::ostream& out) const;

private:
    std::string cells_;  // each cell ended by a NUL, which oneLine leaves in no cell
    std::vector<std::size_t> widths_;
};

// The rows as a ColumnTable writes them.
void writeColumns(std::ostream& out, const Rows& rows);

// One row as a CSV line, a cell quoted when it holds a comma, a quote or a
// line end.
void writeCsvRow(std::ostream& out, const std::vector<std::string>& cells);

}  // namespace ventbox::cli

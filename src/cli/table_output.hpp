// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace ventbox::cli {

// A table: its header row, then a row per entry, each a list of cells.
using Rows = std::vector<std::vector<std::string>>;

// The rows in columns two blanks apart, padded to the widest cell as a
// terminal shows it (CJK characters take two columns), each cell on one line.
void writeColumns(std::ostream& out, Rows rows);

// One row as a CSV line, a cell quoted when it holds a comma, a quote or a
// line end.
void writeCsvRow(std::ostream& out, const std::vector<std::string>& cells);

}  // namespace ventbox::cli

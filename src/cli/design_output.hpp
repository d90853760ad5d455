// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <optional>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "calc/design.hpp"
#include "table_output.hpp"

namespace ventbox::cli {

// What the command line prints of one design: the stored inputs as display
// texts, and each label a calculation wrote, in the order it wrote them.
struct DesignOutput {
    std::optional<std::string> file;  // the design file it was read from
    std::optional<std::string> name;
    std::array<std::string, kFieldCount> inputs;  // in the calculation's read order
    std::optional<bool> pipe;
    std::vector<std::pair<ResultLabel, std::string>> labels;
};

DesignOutput outputOf(const TDesign& design);

// Names and paths are kept on one line (see oneLine).
void writeKv(std::ostream& out, const DesignOutput& design);
void writeText(std::ostream& out, const DesignOutput& design);
// One JSON object, without a line end; the file it came from as "path".
void writeJson(std::ostream& out, const DesignOutput& design);

// The ten fields with their units and captions, for the help texts.
void writeFieldHelp(std::ostream& out);

// The comparison table of designs, a row per design: file, name, the
// inputs, the pipe flag and the labels.
std::vector<std::string> tableHeader();
std::vector<std::string> tableRow(const DesignOutput& design);

}  // namespace ventbox::cli

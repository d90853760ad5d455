// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

#include "calc/design.hpp"
// The design file comes with its save and load.
#include "design_load.hpp"
#include "design_save.hpp"

namespace ventbox {

// The design file's last line: the pipe flag.
constexpr std::string_view pipeText(bool checked) { return checked ? "TRUE" : "FALSE"; }

// A byte that ends a design file's reading wherever it stands.
inline constexpr char kEndOfFileMark = 0x1A;

// What a design file's name ends with.
inline constexpr std::string_view kDesignFileExtension = ".dat";

// The design file of a design name: data folder + name + extension, the name
// used unchanged. `dataFolder` ends with the separator ("<dir>/Data/").
std::string designFilePath(const std::string& dataFolder, const std::string& designName);

}  // namespace ventbox

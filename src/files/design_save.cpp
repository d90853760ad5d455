// SPDX-License-Identifier: GPL-3.0-or-later
#include "design_save.hpp"

#include "design_file.hpp"
#include "design_writer.hpp"
#include "file_replace.hpp"
#include "save_calls.hpp"

namespace ventbox {

void saveDesignFile(const std::string& dataFolder, const TDesign& design, bool pipeChecked,
                    SaveCalls& calls) {
    checkDesignName(design.name);
    replaceFile(designFilePath(dataFolder, design.name), designFileText(design, pipeChecked),
                calls);
}

void saveDesignFile(const std::string& dataFolder, const TDesign& design, bool pipeChecked) {
    SaveCalls calls;
    saveDesignFile(dataFolder, design, pipeChecked, calls);
}

}  // namespace ventbox

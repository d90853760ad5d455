// SPDX-License-Identifier: GPL-3.0-or-later
#include "design_file.hpp"

namespace ventbox {

std::string designFilePath(const std::string& dataFolder, const std::string& designName) {
    return dataFolder + designName + std::string(kDesignFileExtension);
}

}  // namespace ventbox

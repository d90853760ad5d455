// SPDX-License-Identifier: GPL-3.0-or-later
#include "fake_platform.hpp"


namespace ventbox::test {

void writeLines(const std::filesystem::path& file, const std::vector<std::string>& lines) {
    writeBytes(file, crlfLines(lines));
}

}  // namespace ventbox::test

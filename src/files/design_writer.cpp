// SPDX-License-Identifier: GPL-3.0-or-later
#include "design_writer.hpp"

#include <optional>

#include "cp932.hpp"
#include "design_file.hpp"
#include "error_codes.hpp"
#include "file_number.hpp"
#include "io_error.hpp"

namespace ventbox {

namespace {

constexpr std::string_view kLineEnd = "\r\n";

// Whether a path has a ".." component. The system follows a folder link
// before it applies "..", so no text check can tell where "link/.." leads.
bool climbs(std::string_view path) {
    while (true) {
        const std::size_t slash = path.find('/');
        if (path.substr(0, slash) == "..") return true;
        if (slash == std::string_view::npos) return false;
        path.remove_prefix(slash + 1);
    }
}

// The bytes of the name line: as loaded while the name is the loaded one.
std::optional<std::string> nameLine(const TDesign& design) {
    if (design.loadedNameLine && design.loadedNameLine->shownAs == design.name) {
        return design.loadedNameLine->bytes;
    }
    return utf8ToCp932(design.name);
}

}  // namespace

std::string designFileText(const TDesign& design, bool pipeChecked) {
    const std::optional<std::string> name = nameLine(design);
    if (!name) throw IoError(kNoMapping);
    std::string text;
    for (Field field : kFileOrder) {
        text += fileNumberText(design.value(field));
        text += kLineEnd;
    }
    text += *name;
    text += kLineEnd;
    text += pipeText(pipeChecked);
    text += kLineEnd;
    return text;
}

void checkDesignName(std::string_view name) {
    const char cutting[] = {'\0', '\r', '\n', kEndOfFileMark};
    if (name.find_first_of(std::string_view(cutting, sizeof cutting)) != std::string_view::npos ||
        climbs(designFilePath("", std::string(name)))) {
        throw IoError(kInvalidName);
    }
}

}  // namespace ventbox

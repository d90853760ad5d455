#include "design_writer.hpp"

#include <array>

#include "cp932.hpp"
#include "design_file.hpp"
#include "error_codes.hpp"
#include "file_number.hpp"
#include "io_error.hpp"

namespace ventbox {

namespace {

constexpr std::string_view kLineEnd = "\r\n";

// The values of lines 1 to 10, in the order the file holds them.
constexpr std::array<Field, 10> kFileOrder{
    Field::A,   Field::M,   Field::Q,  Field::F,  Field::BL1,
    Field::BL2, Field::BL3, Field::L1, Field::L2, Field::L3,
};

// Whether a path relative to the data folder stays inside it, taken by its
// text alone: each ".." must climb out of a folder the path went into.
bool staysInFolder(std::string_view path) {
    int depth = 0;
    while (true) {
        const std::size_t slash = path.find('/');
        const std::string_view part = path.substr(0, slash);
        if (part == "..") {
            if (--depth < 0) return false;
        } else if (!part.empty() && part != ".") {
            ++depth;
        }
        if (slash == std::string_view::npos) return true;
        path.remove_prefix(slash + 1);
    }
}

}  // namespace

std::string designFilePath(const std::string& dataFolder, const std::string& designName) {
    return dataFolder + designName + ".dat";
}

std::string designFileText(const TDesign& design, bool pipeChecked) {
    const std::optional<std::string> name = utf8ToCp932(design.name);
    if (!name) throw IoError(kNoMapping);
    std::string text;
    for (Field field : kFileOrder) {
        text += fileNumberText(design.value(field));
        text += kLineEnd;
    }
    text += *name;
    text += kLineEnd;
    text += pipeChecked ? "TRUE" : "FALSE";
    text += kLineEnd;
    return text;
}

void checkDesignName(std::string_view name) {
    if (name.find_first_of(std::string_view("\0\r\n\x1A", 4)) != std::string_view::npos ||
        !staysInFolder(std::string(name) + ".dat")) {
        throw IoError(kInvalidName);
    }
}

}  // namespace ventbox

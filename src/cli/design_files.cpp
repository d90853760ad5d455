// SPDX-License-Identifier: GPL-3.0-or-later
#include "design_files.hpp"

#include "calc/errors.hpp"
#include "design/output_text.hpp"
#include "design/report_text.hpp"

namespace ventbox::cli {

int eachDesignFile(const std::vector<std::string_view>& files, bool json, std::ostream& out,
                   std::ostream& err, const DesignFileWork& work) {
    if (json) out << '[';
    int status = 0;
    bool first = true;
    for (const std::string_view file : files) {
        const std::string path(file);
        if (json) out << (first ? "\n" : ",\n");
        try {
            work(path, first);
        } catch (const Error& e) {
            const std::string message = reportText(e);
            err << oneLine(path) << ": " << message << '\n';
            if (json) {
                out << "{\"path\":" << jsonString(path) << ",\"error\":" << jsonString(message)
                    << '}';
            }
            status = 1;
        }
        first = false;
    }
    if (json) out << "\n]\n";
    return status;
}

}  // namespace ventbox::cli

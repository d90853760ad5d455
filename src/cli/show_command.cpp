// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/errors.hpp"
#include "command.hpp"
#include "design/design_run.hpp"
#include "design/report_text.hpp"
#include "design_output.hpp"
#include "design/output_text.hpp"
#include "table_output.hpp"

namespace ventbox::cli {

namespace {

constexpr const char* kUsage =
    "usage: ventbox-cli show [--format text|kv|json|csv] [--] FILE...\n";

constexpr const char* kHelp =
    "Reads design files as the window loads them, recalculates each and prints it;\n"
    "\"-\" reads one design from standard input. With several files, text and csv\n"
    "print one table, a row per design; json prints one array, an element per file.\n"
    "  --format F  text (default), kv, json or csv\n"
    "Exit status: 0 done, 1 a file failed to load or calculate or the output failed,\n"
    "2 bad usage.\n";

struct ShowOptions {
    Format format = Format::Text;
    std::vector<std::string_view> files;
};

ShowOptions parse(const std::vector<std::string>& args) {
    ShowOptions options;
    options.files = operandsOf(args, Operands::DesignFiles,
                               [&](const std::string& option, const std::string* value) {
                                   if (option != "--format") return 0;
                                   options.format = formatNamed(
                                       valueOf(option, value),
                                       {Format::Text, Format::Kv, Format::Json, Format::Csv});
                                   return 2;
                               });
    return options;
}

// Loads and calculates one design file ("-": standard input); throws the
// error that stops it.
DesignOutput show(const std::string& path) {
    DesignRun run = runDesignFile(path);
    DesignOutput output = outputOf(run.loaded);
    output.name = run.loaded.name;
    output.pipe = run.pipe;
    output.labels = std::move(run.labels);
    return output;
}

int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    const ShowOptions options = parse(args);

    const bool several = options.files.size() > 1;
    const bool json = options.format == Format::Json;
    const bool csv = options.format == Format::Csv;
    // Only the aligned table needs every row before its first line; the
    // other formats go out a design at a time.
    const bool aligned = several && options.format == Format::Text;
    ColumnTable table;
    if (aligned) table.add(tableHeader());
    if (csv) writeCsvRow(out, tableHeader());
    int status = 0;
    bool first = true;
    if (json) out << '[';
    for (const std::string_view file : options.files) {
        const std::string path(file);
        if (json) out << (first ? "\n" : ",\n");
        DesignOutput design;
        try {
            design = show(path);
        } catch (const Error& e) {
            const std::string message = reportText(e);
            err << oneLine(path) << ": " << message << '\n';
            if (json) {
                out << "{\"path\":" << jsonString(path) << ",\"error\":" << jsonString(message)
                    << '}';
                first = false;
            }
            status = 1;
            continue;
        }
        if (several || csv || json) design.file = path;
        if (aligned) {
            table.add(tableRow(design));
            continue;
        }
        switch (options.format) {
            case Format::Kv:
                if (!first) out << '\n';
                writeKv(out, design);
                break;
            case Format::Json: writeJson(out, design); break;
            case Format::Csv: writeCsvRow(out, tableRow(design)); break;
            default: writeText(out, design); break;
        }
        first = false;
    }
    if (json) out << "\n]\n";
    if (aligned) table.write(out);
    return status;
}

}  // namespace

const Command kShowCommand{"show", kUsage, kHelp, true, run};

}  // namespace ventbox::cli

// SPDX-License-Identifier: GPL-3.0-or-later
#include "show_command.hpp"

#include <optional>

#include "calc/errors.hpp"
#include "design_output.hpp"
#include "design_run.hpp"
#include "output_text.hpp"
#include "usage_error.hpp"
#include "ui/report_text.hpp"

namespace ventbox::cli {

namespace {

constexpr const char* kUsage = kShowUsage;

constexpr const char* kOptionHelp =
    "Reads design files as the window loads them, recalculates each and prints it;\n"
    "\"-\" reads one design from standard input. With several files, text and csv\n"
    "print one table, a row per design; json prints one array, an element per file.\n"
    "  --format F  text (default), kv, json or csv\n"
    "Exit status: 0 done, 1 a file failed to load or calculate or the output failed,\n"
    "2 bad usage.\n";

struct ShowOptions {
    bool help = false;
    Format format = Format::Text;
    std::vector<std::string> files;
};

ShowOptions parse(const std::vector<std::string>& args) {
    ShowOptions options;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (optionsEnded || arg.empty() || arg[0] != '-' || arg == "-") {
            options.files.push_back(arg);
        } else if (arg == "--") {
            optionsEnded = true;
        } else if (arg == "--help" || arg == "-h") {
            options.help = true;
            return options;
        } else if (arg == "--format" && i + 1 < args.size()) {
            std::optional<Format> format = parseFormat(args[++i]);
            if (!format) throw UsageError("unknown format '" + oneLine(args[i]) + "'");
            options.format = *format;
        } else {
            throw UsageError("unknown option '" + oneLine(arg) + "'");
        }
    }
    if (options.files.empty()) throw UsageError("no design file given");
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

}  // namespace

int runShowCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    const ShowOptions options = parse(args);
    if (options.help) {
        out << kUsage << kOptionHelp;
        writeFieldHelp(out);
        return 0;
    }

    const bool several = options.files.size() > 1;
    const bool json = options.format == Format::Json;
    const bool table =
        options.format == Format::Csv || (several && options.format == Format::Text);
    std::vector<DesignOutput> rows;
    int status = 0;
    bool first = true;
    if (json) out << '[';
    for (const std::string& path : options.files) {
        if (json) out << (first ? "\n" : ",\n");
        DesignOutput design;
        try {
            design = show(path);
        } catch (const Error& e) {
            const std::string message = reportText(e.what());
            err << oneLine(path) << ": " << message << '\n';
            if (json) {
                out << "{\"path\":" << jsonString(path) << ",\"error\":" << jsonString(message)
                    << '}';
                first = false;
            }
            status = 1;
            continue;
        }
        if (several || table || json) design.file = path;
        if (table) {
            rows.push_back(std::move(design));
            continue;
        }
        switch (options.format) {
            case Format::Kv:
                if (!first) out << '\n';
                writeKv(out, design);
                break;
            case Format::Json: writeJson(out, design); break;
            default: writeText(out, design); break;
        }
        first = false;
    }
    if (json) out << "\n]\n";
    if (table) writeTable(out, rows, options.format);
    return status;
}

}  // namespace ventbox::cli

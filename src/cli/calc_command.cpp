#include "calc_command.hpp"

#include <algorithm>
#include <array>
#include <optional>

#include "calc/calc.hpp"
#include "calc/errors.hpp"
#include "calc/number_text.hpp"
#include "calc/report_text.hpp"
#include "design_output.hpp"
#include "field_form.hpp"
#include "files/design_file.hpp"

namespace ventbox::cli {

namespace {

constexpr const char* kUsage = kCalcUsage;

constexpr const char* kDefaultDataDir = "./Data";

// The data folder of a directory given on the command line, ending with "/".
std::string dataFolder(const std::string& dir) { return dir.back() == '/' ? dir : dir + "/"; }

struct CalcOptions {
    bool pipe = false;
    std::optional<char> separator;
    Format format = Format::Text;
    std::optional<std::string> saveName;
    std::optional<std::string> dataDir;
    std::vector<std::string> fields;
};

// Options may stand anywhere before "--"; anything that is not one is a field text.
std::optional<CalcOptions> parse(const std::vector<std::string>& args, std::ostream& err) {
    CalcOptions options;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (optionsEnded) {
            options.fields.push_back(arg);
        } else if (arg == "--") {
            optionsEnded = true;
        } else if (arg == "--pipe") {
            options.pipe = true;
        } else if (arg == "--sep" || arg == "--format" || arg == "--save" ||
                   arg == "--data-dir") {
            if (i + 1 == args.size()) {
                err << "ventbox-cli calc: " << arg << " needs a value\n" << kUsage;
                return std::nullopt;
            }
            const std::string& value = args[++i];
            if (arg == "--save") {
                options.saveName = value;
            } else if (arg == "--data-dir") {
                if (value.empty()) {
                    err << "ventbox-cli calc: --data-dir needs a folder\n" << kUsage;
                    return std::nullopt;
                }
                options.dataDir = value;
            } else if (arg == "--sep") {
                if (value.size() != 1) {
                    err << "ventbox-cli calc: --sep takes one single-byte character\n" << kUsage;
                    return std::nullopt;
                }
                options.separator = value[0];
            } else {
                std::optional<Format> format = parseFormat(value);
                if (!format || *format == Format::Csv) {
                    err << "ventbox-cli calc: unknown format '" << value << "'\n" << kUsage;
                    return std::nullopt;
                }
                options.format = *format;
            }
        } else {
            options.fields.push_back(arg);
        }
    }
    if (options.dataDir && !options.saveName) {
        err << "ventbox-cli calc: --data-dir needs --save\n" << kUsage;
        return std::nullopt;
    }
    if (options.fields.size() != 10) {
        err << "ventbox-cli calc: expected 10 field texts, got " << options.fields.size() << '\n'
            << kUsage;
        return std::nullopt;
    }
    return options;
}

}  // namespace

int runCalcCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    std::optional<CalcOptions> options = parse(args, err);
    if (!options) return 2;
    if (options->separator) setDecimalSeparator(*options->separator);

    TDesign design;
    TDesignResults results;
    std::array<std::string, 10> texts;
    std::copy(options->fields.begin(), options->fields.end(), texts.begin());
    FieldForm form(std::move(texts), options->pipe);
    std::optional<std::string> failure;
    try {
        Calc(design, results, form);
    } catch (const Error& e) {
        failure = reportText(e.what());
    }

    DesignOutput output = outputOf(design);
    output.labels = form.labels;
    switch (options->format) {
        case Format::Kv: writeKv(out, output); break;
        case Format::Json: writeJson(out, output); break;
        default: writeText(out, output); break;
    }
    out.flush();
    if (!failure && options->saveName) {
        // Saved as the window's save button does: the stored values, the
        // design name and the check box.
        design.name = *options->saveName;
        try {
            saveDesignFile(dataFolder(options->dataDir.value_or(kDefaultDataDir)), design,
                           options->pipe);
        } catch (const Error& e) {
            failure = reportText(e.what());
        }
    }
    if (failure) {
        err << *failure << '\n';
        return 1;
    }
    return 0;
}

}  // namespace ventbox::cli

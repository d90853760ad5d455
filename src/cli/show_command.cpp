#include "show_command.hpp"

#include <optional>

#include "calc/calc.hpp"
#include "calc/errors.hpp"
#include "calc/report_text.hpp"
#include "design_output.hpp"
#include "field_form.hpp"
#include "files/design_file.hpp"
#include "files/error_codes.hpp"
#include "files/io_error.hpp"

namespace ventbox::cli {

namespace {

constexpr const char* kUsage = kShowUsage;

// What a load leaves in the window: the record, the field texts and the box.
// The window's recalculations during the load are left out; the one after
// it decides the results.
class LoadedWindow : public LoadTarget {
public:
    void storeValue(Field field, double value) override { design.value(field) = value; }
    void setFieldText(Field field, const std::string& text) override {
        texts[static_cast<std::size_t>(field)] = text;
    }
    void setDesignName(const std::string& name) override { design.name = name; }
    void setNameText(const std::string&) override {}
    void checkPipe() override { pipe = true; }

    TDesign design;
    std::array<std::string, 10> texts;
    bool pipe = false;
};

struct ShowOptions {
    Format format = Format::Text;
    std::vector<std::string> files;
};

std::optional<ShowOptions> parse(const std::vector<std::string>& args, std::ostream& err) {
    ShowOptions options;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (optionsEnded || arg.empty() || arg[0] != '-' || arg == "-") {
            options.files.push_back(arg);
        } else if (arg == "--") {
            optionsEnded = true;
        } else if (arg == "--format" && i + 1 < args.size()) {
            std::optional<Format> format = parseFormat(args[++i]);
            if (!format) {
                err << "ventbox-cli show: unknown format '" << args[i] << "'\n" << kUsage;
                return std::nullopt;
            }
            options.format = *format;
        } else {
            err << "ventbox-cli show: unknown option '" << arg << "'\n" << kUsage;
            return std::nullopt;
        }
    }
    if (options.files.empty()) {
        err << "ventbox-cli show: no design file given\n" << kUsage;
        return std::nullopt;
    }
    return options;
}

// Loads and calculates one design file; throws the error that stops it.
DesignOutput show(const std::string& path) {
    LoadedWindow window;
    if (!loadDesignFile(path, window)) throw IoError(kFileNotFound);
    DesignOutput output = outputOf(window.design);
    output.name = window.design.name;
    output.pipe = window.pipe;
    TDesignResults results;
    FieldForm form(window.texts, window.pipe);
    Calc(window.design, results, form);
    output.labels = std::move(form.labels);
    return output;
}

}  // namespace

int runShowCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    std::optional<ShowOptions> options = parse(args, err);
    if (!options) return 2;

    const bool several = options->files.size() > 1;
    const bool table =
        options->format == Format::Csv || (several && options->format == Format::Text);
    std::vector<DesignOutput> rows;
    int status = 0;
    bool first = true;
    for (const std::string& path : options->files) {
        DesignOutput design;
        try {
            design = show(path);
        } catch (const Error& e) {
            err << path << ": " << reportText(e.what()) << '\n';
            status = 1;
            continue;
        }
        if (several || table) design.file = path;
        if (table) {
            rows.push_back(std::move(design));
            continue;
        }
        switch (options->format) {
            case Format::Kv:
                if (!first) out << '\n';
                writeKv(out, design);
                break;
            case Format::Json: writeJson(out, design); break;
            default: writeText(out, design); break;
        }
        first = false;
    }
    if (table) writeTable(out, rows, options->format);
    out.flush();
    return status;
}

}  // namespace ventbox::cli

#include "calc_command.hpp"

#include <array>
#include <optional>

#include "calc/calc.hpp"
#include "calc/errors.hpp"
#include "calc/number_text.hpp"
#include "calc/report_text.hpp"
#include "design_output.hpp"

namespace ventbox::cli {

namespace {

constexpr const char* kUsage =
    "usage: ventbox-cli calc [--pipe] [--sep C] [--format text|kv|json] [--] "
    "A FO MO QO BL1 BL2 BL3 L1 L2 L3\n";

// The ten field texts and the check box, as typed on the command line.
class ArgumentForm : public CalcForm {
public:
    ArgumentForm(const std::vector<std::string>& texts, bool pipe) : texts_(texts), pipe_(pipe) {}
    std::string fieldText(Field field) const override {
        return texts_[static_cast<std::size_t>(field)];
    }
    bool pipeChecked() const override { return pipe_; }
    void setLabel(ResultLabel label, const std::string& text) override {
        labels.emplace_back(label, text);
    }
    std::vector<std::pair<ResultLabel, std::string>> labels;

private:
    const std::vector<std::string>& texts_;
    bool pipe_;
};

struct CalcOptions {
    bool pipe = false;
    std::optional<char> separator;
    Format format = Format::Text;
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
        } else if (arg == "--sep" || arg == "--format") {
            if (i + 1 == args.size()) {
                err << "ventbox-cli calc: " << arg << " needs a value\n" << kUsage;
                return std::nullopt;
            }
            const std::string& value = args[++i];
            if (arg == "--sep") {
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
    ArgumentForm form(options->fields, options->pipe);
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
    if (failure) {
        err << *failure << '\n';
        return 1;
    }
    return 0;
}

}  // namespace ventbox::cli

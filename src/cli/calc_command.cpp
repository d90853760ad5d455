// SPDX-License-Identifier: GPL-3.0-or-later
#include <algorithm>
#include <array>
#include <functional>
#include <optional>

#include "calc/calc.hpp"
#include "calc/errors.hpp"
#include "calc/number_text.hpp"
#include "command.hpp"
#include "design_output.hpp"
#include "files/design_file.hpp"
#include "files/io_error.hpp"
#include "output_buffer.hpp"
#include "design/output_text.hpp"
#include "design/report_text.hpp"

namespace ventbox::cli {

namespace {

// The window's form as the command line has it: the field texts and the
// check box as typed, and every label text in the order a calculation wrote
// it, so that a run that fails shows the labels it wrote before.
class TypedForm : public CalcForm {
public:
    TypedForm(const std::array<std::string, kFieldCount>& texts, bool pipe)
        : texts_(texts), pipe_(pipe) {}
    std::string fieldText(Field field) const override {
        return texts_[static_cast<std::size_t>(field)];
    }
    bool pipeChecked() const override { return pipe_; }
    void setLabel(ResultLabel label, const std::string& text) override {
        labels.emplace_back(label, text);
    }

    std::vector<std::pair<ResultLabel, std::string>> labels;

private:
    std::array<std::string, kFieldCount> texts_;
    bool pipe_;
};

constexpr const char* kUsage =
    "usage: ventbox-cli calc [--pipe] [--sep C] [--format text|kv|json] "
    "[--save NAME [--data-dir DIR]] [--] A FO MO QO BL1 BL2 BL3 L1 L2 L3\n";

constexpr const char* kHelp =
    "Calculates one design from the ten field texts, exactly as the window does.\n"
    "  --pipe          the duct is a round pipe of diameter L1\n"
    "  --sep C         the decimal separator: one ASCII punctuation character but + and -\n"
    "                  (default: the locale's, \".\" when it has none of one character)\n"
    "  --format F      text (default), kv or json\n"
    "  --save NAME     after a successful calculation, save the design as NAME\n"
    "  --data-dir DIR  the data folder of --save (default ./Data)\n"
    "Exit status: 0 done, 1 the calculation, the save or the output failed, 2 bad usage.\n";

constexpr const char* kDefaultDataDir = "./Data";

// The data folder of a directory given on the command line, ending with "/".
std::string dataFolder(const std::string& dir) { return dir.back() == '/' ? dir : dir + "/"; }

// A decimal separator the field texts can be read with: not a digit, letter,
// blank or sign, which the number rules already give a meaning, and one
// byte of ASCII, which every output format can carry.
bool usableSeparator(const std::string& value) {
    if (value.size() != 1) return false;
    const auto c = static_cast<unsigned char>(value[0]);
    const bool punctuation = c > ' ' && c < 0x7F && !(c >= '0' && c <= '9') &&
                             !((c | 0x20) >= 'a' && (c | 0x20) <= 'z');
    return punctuation && c != '+' && c != '-';
}

struct CalcOptions {
    bool pipe = false;
    std::optional<char> separator;
    Format format = Format::Text;
    std::optional<std::string> saveName;
    std::optional<std::string> dataDir;
    std::vector<std::string_view> fields;
};

// Takes one of the calculation's options; each but --pipe needs a value.
int takeOption(CalcOptions& options, const std::string& option, const std::string* value) {
    if (option == "--pipe") {
        options.pipe = true;
        return 1;
    }
    if (option != "--sep" && option != "--format" && option != "--save" && option != "--data-dir") {
        return 0;
    }
    const std::string& text = valueOf(option, value);
    if (option == "--save") {
        options.saveName = text;
    } else if (option == "--data-dir") {
        if (text.empty()) throw UsageError("--data-dir needs a folder");
        options.dataDir = text;
    } else if (option == "--sep") {
        if (!usableSeparator(text)) {
            throw UsageError("--sep takes one ASCII punctuation character other than + and -");
        }
        options.separator = text[0];
    } else {
        options.format = formatNamed(text, {Format::Text, Format::Kv, Format::Json});
    }
    return 2;
}

CalcOptions parse(const std::vector<std::string>& args) {
    CalcOptions options;
    options.fields =
        operandsOf(args, Operands::FieldTexts, std::bind_front(takeOption, std::ref(options)));
    if (options.dataDir && !options.saveName) throw UsageError("--data-dir needs --save");
    if (options.fields.size() != kFieldCount) {
        throw UsageError("expected " + std::to_string(kFieldCount) + " field texts, got " +
                         std::to_string(options.fields.size()));
    }
    return options;
}

int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    const CalcOptions options = parse(args);
    if (options.separator) setDecimalSeparator(*options.separator);

    TDesign design;
    TDesignResults results;
    std::array<std::string, kFieldCount> texts;
    std::copy(options.fields.begin(), options.fields.end(), texts.begin());
    TypedForm form(texts, options.pipe);
    std::vector<std::string> failures;
    try {
        calculate(design, results, form);
    } catch (const Error& e) {
        failures.push_back(reportText(e));
    }

    DesignOutput output = outputOf(design);
    output.labels = form.labels;
    switch (options.format) {
        case Format::Kv: writeKv(out, output); break;
        case Format::Json:
            writeJson(out, output);
            out << '\n';
            break;
        default: writeText(out, output); break;
    }
    // The results reach their reader before the design is saved: a script
    // that lost them should not find a saved file it never saw.
    try {
        out.flush();
    } catch (const OutputError& e) {
        failures.push_back(failureLine(e));
    }
    const std::string folder = dataFolder(options.dataDir.value_or(kDefaultDataDir));
    bool saved = false;
    if (failures.empty() && options.saveName) {
        // Saved as the window's save button does: the stored values, the
        // design name and the check box.
        design.name = *options.saveName;
        try {
            saveDesignFile(folder, design, options.pipe);
        } catch (const NotDurable& e) {
            failures.push_back(reportText(e.what()));
            saved = true;
        } catch (const Error& e) {
            failures.push_back(reportText(e));
        }
    }
    // A message quotes a field text as typed: escaped as names are.
    for (const std::string& failure : failures) err << oneLine(failure) << '\n';
    if (failures.empty()) return 0;
    if (options.saveName) {
        err << (saved ? kNotDurable : "not saved: ")
            << oneLine(designFilePath(folder, *options.saveName)) << '\n';
    }
    return 1;
}

}  // namespace

const Command kCalcCommand{"calc", kUsage, kHelp, true, run};

}  // namespace ventbox::cli

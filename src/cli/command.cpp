// SPDX-License-Identifier: GPL-3.0-or-later
#include "command.hpp"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string_view>
#include <utility>

#include "design/output_text.hpp"

namespace ventbox::cli {

namespace {

// Each format by the word that names it on the command line.
constexpr std::pair<std::string_view, Format> kFormatNames[] = {
    {"text", Format::Text}, {"kv", Format::Kv},   {"json", Format::Json},
    {"csv", Format::Csv},   {"svg", Format::Svg},
};

}  // namespace

Format formatNamed(const std::string& name, std::initializer_list<Format> offered) {
    for (const auto& [formatName, format] : kFormatNames) {
        if (formatName == name && std::ranges::find(offered, format) != offered.end()) {
            return format;
        }
    }
    throw UsageError("unknown format '" + oneLine(name) + "'");
}

std::optional<double> finiteNumber(const std::string& text) {
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

const std::string& valueOf(const std::string& option, const std::string* value) {
    if (value == nullptr) throw UsageError(option + " needs a value");
    return *value;
}

std::vector<std::string_view> operandsOf(const std::vector<std::string>& args, Operands operands,
                                    const OptionTaker& take) {
    const std::string optionStart = operands == Operands::FieldTexts ? "--" : "-";
    std::vector<std::string_view> found;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (optionsEnded) {
            found.push_back(arg);
        } else if (arg == "--") {
            optionsEnded = true;
        } else if (arg == "--help" || arg == "-h") {
            throw HelpRequest{};
        } else if (arg.rfind(optionStart, 0) != 0 || arg == "-") {
            found.push_back(arg);
        } else {
            const int used = take(arg, i + 1 < args.size() ? &args[i + 1] : nullptr);
            if (used == 0) throw UsageError("unknown option '" + oneLine(arg) + "'");
            i += static_cast<std::size_t>(used - 1);
        }
    }
    if (operands == Operands::DesignFiles && found.empty()) {
        throw UsageError("no design file given");
    }
    return found;
}

}  // namespace ventbox::cli

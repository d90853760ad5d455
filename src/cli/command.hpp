// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <initializer_list>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "design/report_text.hpp"

namespace ventbox::cli {

// The line before the path of a file that a save put in place, but that
// the system did not confirm would outlast a power cut.
inline constexpr std::string_view kNotDurable = "saved, but not confirmed durable: ";

// Words a command cannot take. The dispatch prints the problem after the
// command's name, then the command's usage, and exits with status 2.
class UsageError : public PlainError {
public:
    using PlainError::PlainError;
};

// The words ask for the command's help instead of a run. The dispatch prints
// the help and exits with status 0.
struct HelpRequest {};

// What the commands write, by the name --format takes.
enum class Format { Text, Kv, Json, Csv, Svg };

// The format `name` names among those a command writes; throws UsageError
// for any other name.
Format formatNamed(const std::string& name, std::initializer_list<Format> offered);

// What a command takes besides its options. Field texts may be negative
// numbers ("-5"), so among them only words beginning with "--" are options.
// Among design files every word beginning with "-" is one, but "-" alone,
// which names standard input; at least one file must be named.
enum class Operands { FieldTexts, DesignFiles };

// Takes one option and, if it needs one, the word after it as its value
// (nullptr at the end); returns how many words it used: 1 alone, 2 with its
// value, 0 for no such option.
using OptionTaker = std::function<int(const std::string& option, const std::string* value)>;

// The word after an option that needs a value; throws UsageError when the
// option is the last word.
const std::string& valueOf(const std::string& option, const std::string* value);

// The number a whole word writes in the C locale's form ("7", "0.5",
// "1e3"); nothing for any other word, an infinity or not a number.
std::optional<double> finiteNumber(const std::string& text);

// The operands among a command's words, in order, as views into `args`
// (a list of many thousand files is not copied), each option passed to
// `take`. Options may stand anywhere before "--"; "--help" or "-h" there
// throws HelpRequest.
std::vector<std::string_view> operandsOf(const std::vector<std::string>& args, Operands operands,
                                    const OptionTaker& take);

// A command of ventbox-cli, as the dispatch offers it.
struct Command {
    std::string_view name;
    std::string_view usage;  // one line, ending with a line end
    std::string_view help;   // what the command's help tells after its usage
    bool listsFields;        // the help ends with the ten fields
    // Returns the exit status: 0 done, 1 failed. Throws UsageError and
    // HelpRequest for the dispatch to answer.
    int (*run)(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
};

// One calculation from ten field texts.
extern const Command kCalcCommand;
// Reads design files and calculates each as the window does after a load.
extern const Command kShowCommand;
// The frequency response of saved designs, as a summary table, a table of
// levels or a plot.
extern const Command kResponseCommand;
// The classic alignments for each design's driver, with box sizes for each.
extern const Command kAlignCommand;
// The duct length that tunes each design's box to a frequency.
extern const Command kTuneCommand;

}  // namespace ventbox::cli

// SPDX-License-Identifier: GPL-3.0-or-later
#include <unistd.h>

#include <clocale>
#include <exception>
#include <iostream>
#include <string>
#include <string_view>
#include <vector>

#include "calc/number_text.hpp"
#include "command.hpp"
#include "design_output.hpp"
#include "output_buffer.hpp"
#include "design/output_text.hpp"

namespace {

using ventbox::cli::Command;

const Command* const kCommands[] = {
    &ventbox::cli::kCalcCommand,
    &ventbox::cli::kShowCommand,
    &ventbox::cli::kResponseCommand,
    &ventbox::cli::kAlignCommand,
    &ventbox::cli::kTuneCommand,
};

void writeUsage(std::ostream& out) {
    for (const Command* command : kCommands) out << command->usage;
    out << "usage: ventbox-cli --help | --version\n";
}

void writeHelp(std::ostream& out) {
    writeUsage(out);
    out << "'ventbox-cli COMMAND --help' describes a command's options.\n";
    ventbox::cli::writeFieldHelp(out);
}

// The decimal separator of the locale the environment names (LC_ALL,
// LC_NUMERIC, LANG); the C library's own formatting stays in the C locale.
char separatorFromEnvironment() {
    char separator = '.';
    if (std::setlocale(LC_NUMERIC, "") != nullptr) {
        separator = ventbox::separatorFromDecimalPoint(std::localeconv()->decimal_point);
    }
    std::setlocale(LC_NUMERIC, "C");
    return separator;
}

int run(std::vector<std::string> args, std::ostream& out, std::ostream& err) {
    if (args.empty()) {
        writeUsage(err);
        return 2;
    }
    const std::string word = args.front();
    if (word == "--help" || word == "-h" || word == "help") {
        writeHelp(out);
        return 0;
    }
    if (word == "--version") {
        out << "ventbox-cli " << VENTBOX_VERSION << '\n';
        return 0;
    }
    ventbox::setDecimalSeparator(separatorFromEnvironment());
    args.erase(args.begin());
    for (const Command* command : kCommands) {
        if (command->name != word) continue;
        try {
            return command->run(args, out, err);
        } catch (const ventbox::cli::HelpRequest&) {
            out << command->usage << command->help;
            if (command->listsFields) ventbox::cli::writeFieldHelp(out);
            return 0;
        } catch (const ventbox::cli::UsageError& problem) {
            err << "ventbox-cli " << command->name << ": " << problem.what() << '\n'
                << command->usage;
            return 2;
        }
    }
    err << "ventbox-cli: unknown command '" << ventbox::oneLine(word) << "'\n";
    writeUsage(err);
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    ventbox::cli::FileOutputBuffer buffer(STDOUT_FILENO);
    std::ostream out(&buffer);
    out.exceptions(std::ios::badbit);
    try {
        const int status = run(std::vector<std::string>(argv + 1, argv + argc), out, std::cerr);
        // A command that reported a failed write itself leaves the stream bad.
        if (!out.bad()) out.flush();
        return status;
    } catch (const std::exception& e) {
        std::cerr << ventbox::cli::failureLine(e) << '\n';
        return 1;
    }
}

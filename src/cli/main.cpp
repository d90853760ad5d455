#include <clocale>
#include <iostream>
#include <string>
#include <vector>

#include "calc/number_text.hpp"
#include "calc_command.hpp"
#include "show_command.hpp"

namespace {

void printUsage() { std::cerr << ventbox::cli::kCalcUsage << ventbox::cli::kShowUsage; }

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

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty()) {
        printUsage();
        return 2;
    }
    ventbox::setDecimalSeparator(separatorFromEnvironment());
    const std::string command = args.front();
    args.erase(args.begin());
    if (command == "calc") return ventbox::cli::runCalcCommand(args, std::cout, std::cerr);
    if (command == "show") return ventbox::cli::runShowCommand(args, std::cout, std::cerr);
    std::cerr << "ventbox-cli: unknown command '" << command << "'\n";
    printUsage();
    return 2;
}

// SPDX-License-Identifier: GPL-3.0-or-later
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <functional>
#include <optional>
#include <sstream>

#include "calc/errors.hpp"
#include "design/design_labels.hpp"
#include "design/design_run.hpp"
#include "design/report_text.hpp"
#include "design/response.hpp"
#include "command.hpp"
#include "output_buffer.hpp"
#include "design/fixed_text.hpp"
#include "files/file_replace.hpp"
#include "files/output_file.hpp"
#include "files/io_error.hpp"
#include "design/output_text.hpp"
#include "design/svg_plot.hpp"
#include "table_output.hpp"

namespace ventbox::cli {

namespace {

constexpr const char* kUsage =
    "usage: ventbox-cli response [--ql Q] [--format text|csv|svg] [--output FILE] [--] FILE...\n";

constexpr const char* kHelp =
    "Reads design files as the window loads them (\"-\": one design from standard\n"
    "input), recalculates each and gives the frequency response of the design in its\n"
    "vented box and of the same driver in a closed box of the same volume.\n"
    "  --ql Q         box losses, from 0.5 to 1000 (default 7)\n"
    "  --format F     text (default): F3 (the -3.000 dB point) and peak per design;\n"
    "                 csv: the levels from 10 Hz to 1015.9 Hz, 24 an octave;\n"
    "                 svg: a plot of every design\n"
    "  --output FILE  write to FILE instead of standard output (\"-\": standard output);\n"
    "                 FILE is replaced whole or, on failure, left as it was\n"
    "Exit status: 0 done, 1 a design had no response or the output failed, 2 bad usage.\n";

struct ResponseOptions {
    double Ql = kDefaultQl;
    Format format = Format::Text;
    std::optional<std::string> output;
    std::vector<std::string_view> files;
};

// One design that has a response; `label` tells it apart from the others.
struct DesignResponse {
    std::string file;
    std::string name;
    Response response;
    std::string label;
};

std::optional<double> qlNumber(const std::string& text) {
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    if (!(value >= kLowestQl && value <= kHighestQl)) return std::nullopt;
    return value;
}

// Takes one of the response's options; each needs a value.
int takeOption(ResponseOptions& options, const std::string& option, const std::string* value) {
    if (option == "--ql") {
        const std::string& text = valueOf(option, value);
        const std::optional<double> Ql = qlNumber(text);
        if (!Ql) {
            throw UsageError("--ql needs a number from 0.5 to 1000, not '" + oneLine(text) + "'");
        }
        options.Ql = *Ql;
    } else if (option == "--format") {
        options.format =
            formatNamed(valueOf(option, value), {Format::Text, Format::Csv, Format::Svg});
    } else if (option == "--output") {
        // "-" is standard output, as it is standard input among the designs.
        const std::string& file = valueOf(option, value);
        options.output = file == "-" ? std::nullopt : std::optional(file);
    } else {
        return 0;
    }
    return 2;
}

ResponseOptions parse(const std::vector<std::string>& args) {
    ResponseOptions options;
    options.files =
        operandsOf(args, Operands::DesignFiles, std::bind_front(takeOption, std::ref(options)));
    // Writing the plot over a design file would lose the design, also where
    // the design comes in on standard input.
    if (!options.output) return options;
    struct stat target {};
    if (::stat(options.output->c_str(), &target) != 0) return options;
    for (const std::string_view file : options.files) {
        struct stat design {};
        const bool read = file == "-" ? ::fstat(STDIN_FILENO, &design) == 0
                                      : ::stat(std::string(file).c_str(), &design) == 0;
        if (read && design.st_dev == target.st_dev && design.st_ino == target.st_ino) {
            throw UsageError("the output '" + oneLine(*options.output) + "' is the design file '" +
                             oneLine(file == "-" ? std::string_view("standard input") : file) + "'");
        }
    }
    return options;
}

void writeLevels(std::ostream& out, const std::vector<DesignResponse>& designs) {
    std::vector<std::string> row{"f_Hz"};
    for (const DesignResponse& d : designs) {
        row.push_back(d.label + " vented_dB");
        row.push_back(d.label + " closed_dB");
    }
    writeCsvRow(out, row);
    for (int k = 0; k < kGridPoints; ++k) {
        const double f = gridFrequency(k);
        row.assign(1, fixedText(f, 4));
        for (const DesignResponse& d : designs) {
            row.push_back(fixedText(d.response.ventedDb(f), 4));
            row.push_back(fixedText(d.response.closedDb(f), 4));
        }
        writeCsvRow(out, row);
    }
}

std::string f3Text(const std::optional<double>& f3) { return f3 ? fixedText(*f3, 2) : "-"; }

Rows summaryRows(const std::vector<DesignResponse>& designs) {
    Rows rows{{"file", "name", "F3_vented_Hz", "F3_closed_Hz", "peak_dB", "peak_Hz"}};
    for (const DesignResponse& d : designs) {
        const std::optional<Peak> peak = ventedPeak(d.response);
        rows.push_back({d.file, d.name, f3Text(ventedF3(d.response)),
                        f3Text(closedF3(d.response)),
                        peak ? fixedText(peak->levelDb, 2) : "none",
                        peak ? fixedText(peak->frequency, 2) : "none"});
    }
    return rows;
}

void writePlot(std::ostream& out, const std::vector<DesignResponse>& designs, double Ql) {
    std::vector<PlotDesign> drawn;
    drawn.reserve(designs.size());
    for (const DesignResponse& d : designs) {
        drawn.push_back(plotDesignOf(d.label, drawn.size(), d.response));
    }
    writeResponsePlot(out, drawn, Ql);
}

void write(std::ostream& out, const ResponseOptions& options,
           const std::vector<DesignResponse>& designs) {
    switch (options.format) {
        case Format::Csv: writeLevels(out, designs); break;
        case Format::Svg: writePlot(out, designs, options.Ql); break;
        default: writeColumns(out, summaryRows(designs)); break;
    }
}

// The output file, replaced as a design file is saved, so that a failed
// write leaves the previous one whole. Returns the exit status.
int writeFile(const std::string& path, const ResponseOptions& options,
              const std::vector<DesignResponse>& designs, std::ostream& err) {
    if (const std::optional<int> inPlace = openInPlace(path)) {
        const int fd = *inPlace;
        if (fd < 0) throw OutputError(errno);
        FileOutputBuffer buffer(fd);
        std::ostream out(&buffer);
        out.exceptions(std::ios::badbit);
        try {
            write(out, options, designs);
            out.flush();
        } catch (...) {
            ::close(fd);
            throw;
        }
        if (::close(fd) != 0 && errno != EINTR) throw OutputError(errno);
        return 0;
    }
    std::ostringstream text;
    write(text, options, designs);
    try {
        replaceFile(path, text.str());
        return 0;
    } catch (const NotDurable& e) {
        err << oneLine(path) << ": " << reportText(e.what()) << '\n'
            << kNotDurable << oneLine(path) << '\n';
    } catch (const IoError& e) {
        err << oneLine(path) << ": " << reportText(e.what()) << '\n';
    }
    return 1;
}

int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    const ResponseOptions options = parse(args);

    std::vector<DesignResponse> designs;
    int status = 0;
    for (const std::string_view file : options.files) {
        const std::string path(file);
        try {
            DesignRun run = runDesignFile(path);
            designs.push_back(
                {path, run.design.name, responseOf(run.design, run.results, options.Ql), {}});
        } catch (const Error& e) {
            err << oneLine(path) << ": " << reportText(e) << '\n';
            status = 1;
        }
    }

    std::vector<NamedDesign> named;
    for (const DesignResponse& d : designs) named.push_back({d.name, d.file});
    const std::vector<std::string> labels = distinctLabels(named);
    for (std::size_t i = 0; i < designs.size(); ++i) designs[i].label = labels[i];

    if (options.output) {
        status = std::max(status, writeFile(*options.output, options, designs, err));
    } else {
        write(out, options, designs);
    }
    return status;
}

}  // namespace

const Command kResponseCommand{"response", kUsage, kHelp, false, run};

}  // namespace ventbox::cli

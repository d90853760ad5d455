// SPDX-License-Identifier: GPL-3.0-or-later
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <functional>
#include <optional>
#include <sstream>

#include "calc/errors.hpp"
#include "design/design_labels.hpp"
#include "design/design_run.hpp"
#include "design/report_text.hpp"
#include "design/drive_level.hpp"
#include "design/driver_figures.hpp"
#include "design/response.hpp"
#include "number_options.hpp"
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
    "usage: ventbox-cli response [--ql Q] [--spl DB] [--xmax MM] [--format text|csv|svg]\n"
    "                            [--output FILE] [--] FILE...\n";

constexpr const char* kHelp =
    "Reads design files as the window loads them (\"-\": one design from standard\n"
    "input), recalculates each and gives the frequency response of the design in its\n"
    "vented box and of the same driver in a closed box of the same volume.\n"
    "  --ql Q         box losses, from 0.5 to 1000 (default 7)\n"
    "  --spl DB       the level the input plays in the passband, dB SPL at 1 m in\n"
    "                 half space, from 0 to 150 (default 90): the drive at which the\n"
    "                 duct's air speed and the cone's excursion are given\n"
    "  --xmax MM      the cone's travel limit, one way: csv adds the highest level\n"
    "                 the cone allows at each frequency, text where it is exceeded\n"
    "  --format F     text (default): F3 (the -3.000 dB point) and peak per design,\n"
    "                 then the driver's figures and the highest air speed and\n"
    "                 excursion at the drive; csv: from 10 Hz to 1015.9 Hz, 24 an\n"
    "                 octave, the levels of every design, then each design's group\n"
    "                 delay, duct air speed, excursion and (--xmax) highest level;\n"
    "                 svg: a plot of every design\n"
    "  --output FILE  write to FILE instead of standard output (\"-\": standard output);\n"
    "                 FILE is replaced whole or, on failure, left as it was\n"
    "Exit status: 0 done, 1 a design had no response or the output failed, 2 bad usage.\n";

struct ResponseOptions {
    double Ql = kDefaultQl;
    Drive drive;
    Format format = Format::Text;
    std::optional<std::string> output;
    std::vector<std::string_view> files;
};

// One design that has a response; `label` tells it apart from the others.
struct DesignResponse {
    std::string file;
    std::string name;
    Response response;
    DriverFigures driver;
    DriveModel drive;
    std::string label;
};

// Takes one of the response's options; each needs a value.
int takeOption(ResponseOptions& options, const std::string& option, const std::string* value) {
    if (option == "--ql") {
        options.Ql = qlOption(option, value);
    } else if (option == "--spl") {
        options.drive.levelDb = driveLevelOption(option, value);
    } else if (option == "--xmax") {
        options.drive.xmaxMm = xmaxOption(option, value);
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

// The levels of every design first, as ever, then what each design's air
// and cone do, so that a reader of the first columns reads them unchanged.
void writeLevels(std::ostream& out, const std::vector<DesignResponse>& designs,
                 const Drive& drive) {
    std::vector<std::string> row{"f_Hz"};
    for (const DesignResponse& d : designs) {
        row.push_back(d.label + " vented_dB");
        row.push_back(d.label + " closed_dB");
    }
    for (const DesignResponse& d : designs) {
        row.push_back(d.label + " delay_ms");
        row.push_back(d.label + " duct_m/s");
        row.push_back(d.label + " excursion_mm");
        if (drive.xmaxMm) row.push_back(d.label + " max_SPL_dB");
    }
    writeCsvRow(out, row);
    for (int k = 0; k < kGridPoints; ++k) {
        const double f = gridFrequency(k);
        row.assign(1, fixedText(f, 4));
        for (const DesignResponse& d : designs) {
            row.push_back(fixedText(d.response.ventedDb(f), 4));
            row.push_back(fixedText(d.response.closedDb(f), 4));
        }
        for (const DesignResponse& d : designs) {
            const DrivePoint point = d.drive.at(f);
            row.push_back(fixedText(d.response.ventedGroupDelay(f) * 1000, 4));
            row.push_back(fixedText(point.ductSpeed, 4));
            row.push_back(fixedText(point.excursion, 4));
            if (drive.xmaxMm) {
                row.push_back(fixedText(d.drive.levelAtExcursion(f, *drive.xmaxMm), 4));
            }
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

// Where the drive asks more of the cone than Xmax: the highest grid
// frequency at or below which the excursion exceeds it.
std::string beyondXmax(const DriveCurves& curves, double xmaxMm) {
    for (int k = kGridPoints - 1; k >= 0; --k) {
        if (curves.excursion[k] > xmaxMm) return fixedText(gridFrequency(k), 2);
    }
    return "-";
}

Rows driveRows(const std::vector<DesignResponse>& designs, const Drive& drive) {
    Rows rows{{"file", "name", "Sd_cm2", "Vas_L", "fo_Hz", "Qt", "duct_max_m/s", "duct_max_Hz",
               "excursion_max_mm", "excursion_max_Hz"}};
    if (drive.xmaxMm) rows[0].push_back("over_Xmax_below_Hz");
    for (const DesignResponse& d : designs) {
        const DriveCurves curves = d.drive.overGrid();
        const CurveMaximum duct = maximumOver(curves.ductSpeed);
        const CurveMaximum cone = maximumOver(curves.excursion);
        rows.push_back({d.file, d.name, fixedText(d.driver.Sd, 2), fixedText(d.driver.Vas, 2),
                        trimmedText(d.driver.fo, 4), trimmedText(d.driver.Qt, 4),
                        fixedText(duct.value, 2), fixedText(duct.frequency, 2),
                        fixedText(cone.value, 2), fixedText(cone.frequency, 2)});
        if (drive.xmaxMm) rows.back().push_back(beyondXmax(curves, *drive.xmaxMm));
    }
    return rows;
}

void writeSummary(std::ostream& out, const std::vector<DesignResponse>& designs,
                  const Drive& drive) {
    writeColumns(out, summaryRows(designs));
    out << "\nAt " << fixedText(drive.levelDb, 1)
        << " dB SPL in the passband (1 m, half space); duct air speed limit "
        << fixedText(kDuctSpeedLimit, 2) << " m/s";
    if (drive.xmaxMm) out << ", Xmax " << fixedText(*drive.xmaxMm, 2) << " mm";
    out << ":\n";
    writeColumns(out, driveRows(designs, drive));
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
        case Format::Csv: writeLevels(out, designs, options.drive); break;
        case Format::Svg: writePlot(out, designs, options.Ql); break;
        default: writeSummary(out, designs, options.drive); break;
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
            const Response response = responseOf(run.design, run.results, options.Ql);
            designs.push_back({path, run.design.name, response,
                               driverFiguresOf(run.design, run.results),
                               DriveModel(response, run.design, run.results, options.Ql,
                                          options.drive),
                               {}});
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

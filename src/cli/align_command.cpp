// SPDX-License-Identifier: GPL-3.0-or-later
#include <cmath>
#include <functional>
#include <optional>

#include "command.hpp"
#include "design_files.hpp"
#include "design/alignment.hpp"
#include "design/box_sizes.hpp"
#include "design/design_run.hpp"
#include "design/fixed_text.hpp"
#include "design/output_text.hpp"
#include "number_options.hpp"
#include "table_output.hpp"

namespace ventbox::cli {

namespace {

constexpr const char* kUsage =
    "usage: ventbox-cli align [--ql Q] [--format text|csv|json] [--] FILE...\n";

constexpr const char* kHelp =
    "Reads design files as the window loads them (\"-\": one design from standard\n"
    "input) and gives, for each design's driver in a box of losses Ql, the classic\n"
    "vented alignments QB3, SBB4, B4, C4 and BL4: the Qt each needs, and for those\n"
    "the driver's Qt has, alpha, h, the volume Vo = Vas/alpha, the tuning fb = h*fo,\n"
    "F3 and the peak, with box sizes BL1, BL2, BL3 in the design's proportions and\n"
    "the duct length L3 for its duct's opening, as field texts, and the fd they\n"
    "calculate.\n"
    "  --ql Q      box losses, from 0.5 to 1000 (default 7)\n"
    "  --format F  text (default), csv or json\n"
    "Exit status: 0 done, 1 a file failed, 2 bad usage.\n";

struct AlignOptions {
    double Ql = kDefaultQl;
    Format format = Format::Text;
    std::vector<std::string_view> files;
};

int takeOption(AlignOptions& options, const std::string& option, const std::string* value) {
    if (option == "--ql") {
        options.Ql = qlOption(option, value);
    } else if (option == "--format") {
        options.format =
            formatNamed(valueOf(option, value), {Format::Text, Format::Csv, Format::Json});
    } else {
        return 0;
    }
    return 2;
}

// One alignment with the box that builds it, or why none can.
struct Row {
    Alignment alignment;
    std::optional<AlignedBox> box;
    std::string unbuildable;  // NoTuning's message
};

struct Aligned {
    std::string path;
    std::string name;
    DriverFigures driver;
    std::vector<Row> rows;
};

Aligned align(const std::string& path, double Ql) {
    const DesignRun run = runDesignFile(path);
    Aligned aligned{path, run.loaded.name, driverFiguresOf(run.design, run.results), {}};
    for (const Alignment& alignment : alignmentsFor(aligned.driver, Ql)) {
        Row row{alignment, std::nullopt, {}};
        if (alignment.found) {
            try {
                row.box = boxForAlignment(fieldTextsOf(run.loaded), run.pipe, alignment.alpha,
                                          alignment.h);
            } catch (const NoTuning& e) {
                row.unbuildable = e.what();
            }
        }
        aligned.rows.push_back(std::move(row));
    }
    return aligned;
}

std::string qtText(double Qt) { return trimmedText(Qt, 4); }

std::string rangeText(const std::optional<QtRange>& range) {
    if (!range) return "none";
    if (range->lowest == range->highest) return qtText(range->lowest);
    if (range->lowest == 0) return "up to " + qtText(range->highest);
    if (std::isinf(range->highest)) return "from " + qtText(range->lowest);
    return qtText(range->lowest) + "-" + qtText(range->highest);
}

std::string orDash(const std::optional<double>& value, int decimals) {
    return value ? fixedText(*value, decimals) : "-";
}

std::string noteOf(const Row& row, const Aligned& design, double Ql) {
    const Alignment& a = row.alignment;
    if (!a.range) return "no box of this kind at Ql " + trimmedText(Ql, 4);
    if (!a.found) return "not for Qt " + qtText(design.driver.Qt);
    if (!row.box) return row.unbuildable;
    std::string note;
    if (a.family == AlignmentFamily::C4) note = "ripple " + fixedText(a.rippleDb, 4) + " dB";
    if (row.box->duct.longerThanDepth) {
        note += std::string(note.empty() ? "" : "; ") + "L3 longer than BL3";
    }
    return note.empty() ? "-" : note;
}

const std::vector<std::string> kColumns{
    "alignment", "Qt",     "alpha",  "h",      "Vo_L",   "fb_Hz", "F3_Hz", "peak_dB",
    "BL1_cm",    "BL2_cm", "BL3_cm", "L3_cm",  "fd_Hz",  "note"};

std::vector<std::string> cellsOf(const Row& row, const Aligned& design, double Ql) {
    const Alignment& a = row.alignment;
    std::vector<std::string> cells{std::string(alignmentName(a.family)), rangeText(a.range)};
    if (a.found) {
        for (const std::string& cell :
             {fixedText(a.alpha, 4), fixedText(a.h, 4), fixedText(a.Vo, 2), fixedText(a.fb, 2),
              orDash(a.F3, 2), a.peak ? fixedText(a.peak->levelDb, 2) : "none"}) {
            cells.push_back(cell);
        }
    } else {
        cells.insert(cells.end(), 6, "-");
    }
    if (row.box) {
        for (const Field field : {Field::BL1, Field::BL2, Field::BL3, Field::L3}) {
            cells.push_back(row.box->texts[static_cast<std::size_t>(field)]);
        }
        cells.push_back(trimmedText(row.box->duct.calculated.results.fd, 1));
    } else {
        cells.insert(cells.end(), 5, "-");
    }
    cells.push_back(noteOf(row, design, Ql));
    return cells;
}

std::string driverLine(const Aligned& d, double Ql) {
    return "Sd " + fixedText(d.driver.Sd, 2) + " cm2, Vas " + fixedText(d.driver.Vas, 2) +
           " L, fo " + trimmedText(d.driver.fo, 4) + " Hz, Qt " + qtText(d.driver.Qt) +
           "; box losses Ql " + trimmedText(Ql, 4);
}

void writeText(std::ostream& out, const Aligned& d, double Ql, bool first) {
    if (!first) out << '\n';
    out << oneLine(d.name) << " (" << oneLine(d.path) << "): " << driverLine(d, Ql) << '\n';
    ColumnTable table;
    table.add(kColumns);
    for (const Row& row : d.rows) table.add(cellsOf(row, d, Ql));
    table.write(out);
}

std::vector<std::string> csvHeader() {
    std::vector<std::string> header{"file", "name", "Sd_cm2", "Vas_L", "fo_Hz", "Qt_driver", "Ql"};
    header.insert(header.end(), kColumns.begin(), kColumns.end());
    return header;
}

void writeCsv(std::ostream& out, const Aligned& d, double Ql) {
    for (const Row& row : d.rows) {
        std::vector<std::string> cells{d.path,
                                       d.name,
                                       fixedText(d.driver.Sd, 2),
                                       fixedText(d.driver.Vas, 2),
                                       trimmedText(d.driver.fo, 4),
                                       qtText(d.driver.Qt),
                                       trimmedText(Ql, 4)};
        const std::vector<std::string> rest = cellsOf(row, d, Ql);
        cells.insert(cells.end(), rest.begin(), rest.end());
        writeCsvRow(out, cells);
    }
}

std::string jsonNumber(double value, int decimals) {
    return std::isfinite(value) ? trimmedText(value, decimals) : "null";
}

void writeJson(std::ostream& out, const Aligned& d, double Ql) {
    out << "{\"path\":" << jsonString(d.path) << ",\"name\":" << jsonString(d.name)
        << ",\"driver\":{\"Sd_cm2\":" << fixedText(d.driver.Sd, 2)
        << ",\"Vas_L\":" << fixedText(d.driver.Vas, 2)
        << ",\"fo_Hz\":" << jsonNumber(d.driver.fo, 4)
        << ",\"Qt\":" << jsonNumber(d.driver.Qt, 4) << "},\"Ql\":" << jsonNumber(Ql, 4)
        << ",\"alignments\":[";
    bool first = true;
    for (const Row& row : d.rows) {
        const Alignment& a = row.alignment;
        out << (first ? "" : ",") << "{\"alignment\":" << jsonString(alignmentName(a.family));
        first = false;
        if (a.range) {
            out << ",\"Qt_lowest\":" << jsonNumber(a.range->lowest, 4)
                << ",\"Qt_highest\":" << jsonNumber(a.range->highest, 4);
        }
        out << ",\"found\":" << (a.found ? "true" : "false");
        if (a.found) {
            out << ",\"alpha\":" << jsonNumber(a.alpha, 4) << ",\"h\":" << jsonNumber(a.h, 4)
                << ",\"Vo_L\":" << jsonNumber(a.Vo, 2) << ",\"fb_Hz\":" << jsonNumber(a.fb, 2)
                << ",\"F3_Hz\":" << (a.F3 ? jsonNumber(*a.F3, 2) : "null")
                << ",\"peak_dB\":" << (a.peak ? jsonNumber(a.peak->levelDb, 2) : "null");
            if (a.family == AlignmentFamily::C4) {
                out << ",\"ripple_dB\":" << jsonNumber(a.rippleDb, 4);
            }
        }
        if (row.box) {
            out << ",\"sizes\":{";
            const char* separator = "";
            for (const Field field : {Field::BL1, Field::BL2, Field::BL3, Field::L3}) {
                out << separator << '"' << facts(field).symbol << "\":"
                    << jsonString(row.box->texts[static_cast<std::size_t>(field)]);
                separator = ",";
            }
            const TDesignResults& r = row.box->duct.calculated.results;
            out << ",\"Vo_L\":" << jsonNumber(r.Vo, 3) << ",\"fd_Hz\":" << jsonNumber(r.fd, 1)
                << ",\"L3_longer_than_BL3\":" << (row.box->duct.longerThanDepth ? "true" : "false")
                << '}';
        }
        const std::string note = noteOf(row, d, Ql);
        if (note != "-") out << ",\"note\":" << jsonString(note);
        out << '}';
    }
    out << "]}";
}

int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    AlignOptions options;
    options.files =
        operandsOf(args, Operands::DesignFiles, std::bind_front(takeOption, std::ref(options)));
    if (options.format == Format::Csv) writeCsvRow(out, csvHeader());
    return eachDesignFile(options.files, options.format == Format::Json, out, err,
                          [&](const std::string& path, bool first) {
                              const Aligned aligned = align(path, options.Ql);
                              switch (options.format) {
                                  case Format::Json: writeJson(out, aligned, options.Ql); break;
                                  case Format::Csv: writeCsv(out, aligned, options.Ql); break;
                                  default: writeText(out, aligned, options.Ql, first); break;
                              }
                          });
}

}  // namespace

const Command kAlignCommand{"align", kUsage, kHelp, false, run};

}  // namespace ventbox::cli

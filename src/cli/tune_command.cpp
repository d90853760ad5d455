// SPDX-License-Identifier: GPL-3.0-or-later
#include <functional>
#include <optional>

#include "command.hpp"
#include "design_files.hpp"
#include "design/design_run.hpp"
#include "design/duct_tuning.hpp"
#include "design/fixed_text.hpp"
#include "design/output_text.hpp"
#include "number_options.hpp"
#include "table_output.hpp"

namespace ventbox::cli {

namespace {

constexpr const char* kUsage =
    "usage: ventbox-cli tune --fb HZ [--format text|csv|json] [--] FILE...\n";

constexpr const char* kHelp =
    "Reads design files as the window loads them (\"-\": one design from standard\n"
    "input) and gives the duct length L3, in whole millimetres, whose calculated fd\n"
    "lies nearest the tuning asked for, with the duct's opening and the box as they\n"
    "are: the fd it gives, the duct's own pipe resonance, and whether the duct is\n"
    "longer than the box is deep.\n"
    "  --fb HZ     the tuning, a frequency above 0 Hz (needed)\n"
    "  --format F  text (default), csv or json\n"
    "Exit status: 0 done, 1 a file failed or no duct length reaches the tuning,\n"
    "2 bad usage.\n";

struct TuneOptions {
    std::optional<double> fb;
    Format format = Format::Text;
    std::vector<std::string_view> files;
};

int takeOption(TuneOptions& options, const std::string& option, const std::string* value) {
    if (option == "--fb") {
        options.fb = frequencyOption(option, value);
    } else if (option == "--format") {
        options.format =
            formatNamed(valueOf(option, value), {Format::Text, Format::Csv, Format::Json});
    } else {
        return 0;
    }
    return 2;
}

TuneOptions parse(const std::vector<std::string>& args) {
    TuneOptions options;
    options.files =
        operandsOf(args, Operands::DesignFiles, std::bind_front(takeOption, std::ref(options)));
    if (!options.fb) throw UsageError("--fb is needed: the tuning in Hz");
    return options;
}

struct Tuned {
    std::string path;
    std::string name;
    DuctTuning tuning;
};

const std::vector<std::string> kHeader{"file",  "name",  "fb_Hz",           "L3_cm",
                                       "fd_Hz", "pipe_resonance_Hz", "note"};

std::vector<std::string> rowOf(const Tuned& t) {
    const DuctTuning& d = t.tuning;
    return {t.path,
            t.name,
            trimmedText(d.targetFb, 4),
            d.text,
            trimmedText(d.calculated.results.fd, 1),
            fixedText(d.pipeResonance, 1),
            d.longerThanDepth ? "longer than BL3" : "-"};
}

void writeJson(std::ostream& out, const Tuned& t) {
    const DuctTuning& d = t.tuning;
    out << "{\"path\":" << jsonString(t.path) << ",\"name\":" << jsonString(t.name)
        << ",\"fb_Hz\":" << trimmedText(d.targetFb, 4) << ",\"L3\":" << jsonString(d.text)
        << ",\"L3_mm\":" << d.millimetres
        << ",\"fd_Hz\":" << trimmedText(d.calculated.results.fd, 1)
        << ",\"pipe_resonance_Hz\":" << fixedText(d.pipeResonance, 1)
        << ",\"longer_than_BL3\":" << (d.longerThanDepth ? "true" : "false") << '}';
}

int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    const TuneOptions options = parse(args);
    ColumnTable table;
    if (options.format == Format::Text) table.add(kHeader);
    if (options.format == Format::Csv) writeCsvRow(out, kHeader);
    const int status = eachDesignFile(
        options.files, options.format == Format::Json, out, err,
        [&](const std::string& path, bool /*first*/) {
            const DesignRun run = runDesignFile(path);
            const Tuned tuned{path, run.loaded.name,
                              tuneDuct(fieldTextsOf(run.loaded), run.pipe, *options.fb)};
            switch (options.format) {
                case Format::Json: writeJson(out, tuned); break;
                case Format::Csv: writeCsvRow(out, rowOf(tuned)); break;
                default: table.add(rowOf(tuned)); break;
            }
        });
    if (options.format == Format::Text) table.write(out);
    return status;
}

}  // namespace

const Command kTuneCommand{"tune", kUsage, kHelp, false, run};

}  // namespace ventbox::cli

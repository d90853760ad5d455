// SPDX-License-Identifier: GPL-3.0-or-later
#include "design_run.hpp"

#include <unistd.h>

#include <array>

#include "calc/calc.hpp"
#include "calc/number_text.hpp"
#include "calc/recording_form.hpp"
#include "files/design_file.hpp"
#include "files/design_reader.hpp"
#include "files/error_codes.hpp"
#include "files/io_error.hpp"

namespace ventbox::cli {

namespace {

// What a load leaves of a design: the record, the field texts and the pipe
// flag. The window's recalculations during the load are left out; the one
// after it decides the results.
class LoadedDesign : public LoadTarget {
public:
    void storeValue(Field field, double value) override { design.value(field) = value; }
    void showValue(Field field) override {
        texts[static_cast<std::size_t>(field)] = displayText(design.value(field));
    }
    void setName(const std::string& name) override { design.name = name; }
    void showName() override {}
    void checkPipe() override { pipe = true; }

    TDesign design;
    std::array<std::string, kFieldCount> texts;
    bool pipe = false;
};

}  // namespace

DesignRun runDesignFile(const std::string& path) {
    LoadedDesign loaded;
    if (path == "-") {
        DescriptorSource standardInput(STDIN_FILENO);
        readDesign(standardInput, loaded);
    } else if (!loadDesignFile(path, loaded)) {
        throw IoError(kFileNotFound);
    }
    DesignRun run;
    run.loaded = loaded.design;
    run.pipe = loaded.pipe;
    run.design = loaded.design;
    RecordingForm form(loaded.texts, loaded.pipe);
    calculate(run.design, run.results, form);
    run.labels = std::move(form.labels);
    return run;
}

}  // namespace ventbox::cli

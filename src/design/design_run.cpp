// SPDX-License-Identifier: GPL-3.0-or-later
#include "design_run.hpp"

#include <unistd.h>

#include "design_form.hpp"
#include "files/design_reader.hpp"
#include "files/error_codes.hpp"
#include "files/io_error.hpp"

namespace ventbox {

DesignRun runDesignFile(const std::string& path) {
    DesignForm form;
    if (path == "-") {
        DescriptorSource standardInput(STDIN_FILENO);
        form.load(standardInput);
    } else if (!form.load(path)) {
        throw IoError(kFileNotFound);
    }
    DesignRun run;
    run.loaded = form.design();
    run.pipe = form.checked();
    form.recalculate();
    run.design = form.design();
    run.results = form.results();
    // A calculation that returns has written every label, in their order.
    for (const ResultFacts& result : kResults) {
        run.labels.emplace_back(result.label, form.caption(result.label));
    }
    return run;
}

}  // namespace ventbox

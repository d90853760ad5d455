// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <exception>
#include <utility>

#include <QString>

#include "calc/errors.hpp"
#include "design/report_text.hpp"
#include "dialogs.hpp"

namespace ventbox {

// Runs work that a user's action started and shows an error that ends it in
// the top-level error report, right where the work started: no exception
// leaves a slot or an event handler, and the program goes on.
template <typename Work>
void reportErrors(Work&& work) {
    try {
        std::forward<Work>(work)();
    } catch (const Error& error) {
        showErrorReport(QString::fromStdString(reportText(error)));
    } catch (const std::exception& error) {
        showErrorReport(QString::fromStdString(reportText(error.what())));
    }
}

}  // namespace ventbox

// SPDX-License-Identifier: GPL-3.0-or-later
#include "number_options.hpp"

#include <limits>
#include <optional>

#include "command.hpp"
#include "design/output_text.hpp"
#include "design/response.hpp"

namespace ventbox::cli {

namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();

// A level beyond these is no level a loudspeaker plays at.
constexpr double kLowestDriveDb = 0;
constexpr double kHighestDriveDb = 150;

// The number of `value` when it lies in the range (the lower end itself
// only when `lowIncluded`), else bad usage: "OPTION needs NEEDS, not 'TEXT'".
double numberIn(const std::string& option, const std::string* value, double low, bool lowIncluded,
                double high, const std::string& needs) {
    const std::string& text = valueOf(option, value);
    const std::optional<double> number = finiteNumber(text);
    if (!number || !(lowIncluded ? *number >= low : *number > low) || !(*number <= high)) {
        throw UsageError(option + " needs " + needs + ", not '" + oneLine(text) + "'");
    }
    return *number;
}

}  // namespace

double qlOption(const std::string& option, const std::string* value) {
    return numberIn(option, value, kLowestQl, true, kHighestQl, "a number from 0.5 to 1000");
}

double driveLevelOption(const std::string& option, const std::string* value) {
    return numberIn(option, value, kLowestDriveDb, true, kHighestDriveDb,
                    "a level from 0 to 150 dB");
}

double xmaxOption(const std::string& option, const std::string* value) {
    return numberIn(option, value, 0, false, kInfinity, "a cone travel above 0 mm");
}

double frequencyOption(const std::string& option, const std::string* value) {
    return numberIn(option, value, 0, false, kInfinity, "a frequency above 0 Hz");
}

}  // namespace ventbox::cli

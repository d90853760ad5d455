#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace ventbox::cli {

// `ventbox-cli calc`: one calculation from ten field texts. Returns the exit
// status: 0 done, 1 the calculation failed, 2 bad usage.
int runCalcCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace ventbox::cli

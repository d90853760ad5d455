// SPDX-License-Identifier: GPL-3.0-or-later
#include "report_text.hpp"

namespace ventbox {

std::string reportText(std::string_view message) {
    std::string text(message);
    if (!text.empty() && static_cast<unsigned char>(text.back()) > '.') text += '.';
    return text;
}

std::string reportText(const Error& error) {
    if (dynamic_cast<const PlainError*>(&error) != nullptr) return error.what();
    return reportText(error.what());
}

}  // namespace ventbox

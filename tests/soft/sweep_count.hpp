// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <cstdlib>

namespace ventbox {

inline std::uint64_t environmentNumber(const char* name, std::uint64_t fallback) {
    const char* text = std::getenv(name);
    return text != nullptr && *text != '\0' ? std::strtoull(text, nullptr, 0) : fallback;
}

// Random operands per operation: the build's default, or the environment's
// for a longer run by hand.
inline std::uint64_t sweepCount() {
    return environmentNumber("VENTBOX_DIFFERENTIAL_COUNT", VENTBOX_DIFFERENTIAL_COUNT);
}

}  // namespace ventbox

// SPDX-License-Identifier: GPL-3.0-or-later
#include "design_labels.hpp"

#include <algorithm>
#include <cstddef>
#include <filesystem>
#include <functional>

namespace ventbox {

namespace {

// Labels that stand more than once among `labels`, marked by place.
std::vector<bool> repeated(const std::vector<std::string>& labels) {
    std::vector<bool> marks(labels.size());
    for (std::size_t i = 0; i < labels.size(); ++i) {
        marks[i] = std::count(labels.begin(), labels.end(), labels[i]) > 1;
    }
    return marks;
}

}  // namespace

std::vector<std::string> distinctLabels(const std::vector<NamedDesign>& designs) {
    std::vector<std::string> labels;
    for (const NamedDesign& design : designs) labels.push_back(design.name);
    // Each way of telling designs apart, tried on those still alike.
    const std::function<std::string(std::size_t)> qualifiers[] = {
        [&](std::size_t i) { return std::filesystem::path(designs[i].path).filename().string(); },
        [&](std::size_t i) { return designs[i].path; },
        [&](std::size_t i) { return "#" + std::to_string(i + 1); },
    };
    for (const auto& qualifier : qualifiers) {
        const std::vector<bool> alike = repeated(labels);
        for (std::size_t i = 0; i < labels.size(); ++i) {
            if (alike[i]) labels[i] = designs[i].name + " (" + qualifier(i) + ")";
        }
    }
    return labels;
}

}  // namespace ventbox

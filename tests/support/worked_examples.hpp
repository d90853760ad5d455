// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <charconv>
#include <optional>
#include <ostream>
#include <string>
#include <utility>

#include "calc/design.hpp"

namespace ventbox::test {

// What a calculation keeps beside its labels: the stiffnesses and the
// radius and volume it rounded.
struct StoredResults {
    double so, sd, r, Vo;
};

// A design worked by hand: its field texts in field order, the check box,
// and the labels a calculation writes from them, in write order.
struct WorkedExample {
    const char* what;
    std::array<std::string, kFieldCount> texts;
    bool pipe;
    std::array<std::string, kResultCount> labels;
    std::optional<StoredResults> stored;
};

// Parameterised cases are named by what they show.
inline void PrintTo(const WorkedExample& example, std::ostream* os) { *os << example.what; }

inline const std::array<WorkedExample, 5> kWorkedExamples{{
    {"the window's initial texts",
     {"7", "35", "6.4", "0.42", "25", "50", "30", "4", "10", "10"}, false,
     {"fd/foc = 0.67", "md/m0 = 0.11", "37.1㍑", "906038", "65.8Hz", "0.79", "3.57cm", "0.708g",
      "67.4Hz", "45.1Hz", "12.5Hz"},
     StoredResults{309511, 61295, 3.57, 37.1}},
    // S = π × 2.5 × 2.5 stored as a double: Vo = round(37500 − 10 S) / 1000.
    {"a round pipe keeps the unrounded radius",
     {"7", "35", "6.4", "0.42", "25", "50", "30", "5", "5", "10"}, true,
     {"fd/foc = 0.48", "md/m0 = 0.05", "37.304㍑", "901083", "67.5Hz", "0.81", "2.5cm", "0.314g",
      "67.9Hz", "32.8Hz", "12.4Hz"},
     StoredResults{309511, 14660, 2.5, 37.304}},
    {"a square duct rounds its equivalent radius",
     {"7", "35", "6.4", "0.42", "25", "50", "30", "5", "5", "10"}, false,
     {"fd/foc = 0.54", "md/m0 = 0.06", "37.25㍑", "902389", "67.1Hz", "0.81", "2.82cm", "0.413g",
      "67.7Hz", "36.6Hz", "12.5Hz"},
     std::nullopt},
    {"the volume step rounds its tie to even",
     {"7", "35", "6.4", "0.42", "25", "50", "30", "5.5", "1", "1"}, false,
     {"fd/foc = 0.58", "md/m0 = 0", "37.494㍑", "896517", "68.9Hz", "0.83", "1.32cm", "0.018g",
      "69Hz", "40.2Hz", "12.4Hz"},
     std::nullopt},
    // Another driver in a wider, shallower box.
    {"the effective Q shows the extended working precision",
     {"7", "30", "8", "0.3", "36", "44", "20", "3", "10", "10"}, false,
     {"fd/foc = 0.67", "md/m0 = 0.06", "31.38㍑", "1071192", "63.5Hz", "0.63", "3.09cm",
      "0.508g", "64.4Hz", "43.2Hz", "12.6Hz"},
     std::nullopt},
}};

// The first example: the window's creation texts and what they show.
inline const std::array<std::string, kFieldCount>& kExampleTexts = kWorkedExamples[0].texts;
inline const std::array<std::string, kResultCount>& kExampleResults = kWorkedExamples[0].labels;

using FieldTexts = std::array<std::string, kFieldCount>;

// The first example's texts with some fields typed otherwise.
inline FieldTexts exampleWith(std::initializer_list<std::pair<Field, const char*>> changes) {
    FieldTexts texts = kExampleTexts;
    for (const auto& [field, text] : changes) texts[static_cast<std::size_t>(field)] = text;
    return texts;
}

// The design file of the first start: the creation texts, unchecked, saved
// under this name; 270 bytes.
inline const std::string kExampleName = "FW208Kolvex";
inline const std::string kExampleFile =
    " 7.00000000000000E+0000\r\n 6.40000000000000E+0000\r\n 4.20000000000000E-0001\r\n"
    " 3.50000000000000E+0001\r\n 2.50000000000000E+0001\r\n 5.00000000000000E+0001\r\n"
    " 3.00000000000000E+0001\r\n 4.00000000000000E+0000\r\n 1.00000000000000E+0001\r\n"
    " 1.00000000000000E+0001\r\n" + kExampleName + "\r\nFALSE\r\n";

// The double nearest a plain decimal text, as a calculation stores it.
inline double typedValue(const std::string& text) {
    double value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

// The first example as a calculation stores it, under a name of the test's.
inline TDesign exampleDesign(const std::string& name = kExampleName) {
    TDesign design;
    for (std::size_t i = 0; i < kFieldCount; ++i) {
        design.*kFields[i].value = typedValue(kExampleTexts[i]);
    }
    design.name = name;
    return design;
}

}  // namespace ventbox::test

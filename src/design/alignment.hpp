// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "driver_figures.hpp"
#include "response.hpp"

namespace ventbox {

// The classic vented alignments: boxes whose response is a chosen
// fourth-order high-pass s⁴/(s⁴ + a1·s³ + a2·s² + a3·s + 1), the model of
// response.hpp, whose coefficients follow from alpha, h, Qt and Ql:
//   a1 = 1/(√h·Qt) + √h/Ql,  a3 = √h/Qt + 1/(√h·Ql),
//   a2 = 1/(Ql·Qt) + (alpha + 1 + h²)/h.
// Three coefficients, three unknowns: a polynomial fixes alpha, h and the
// Qt a driver must have. B4 and BL4 are single polynomials, so each exists
// at one Qt for a given Ql; QB3, SBB4 and C4 are one-parameter families
// that leave B4 in either direction and so span a range of Qt.
//   B4   Butterworth (Thiele 1971): a1 = a3 = √(4 + 2√2), a2 = 2 + √2.
//   BL4  Bessel, the flattest group delay (Small 1973): the Bessel polynomial
//        s⁴ + 10s³ + 45s² + 105s + 105 turned high-pass and scaled to a unit
//        constant term.
//   QB3  quasi-third-order Butterworth (Thiele 1971): |D(jω)|² = ω⁸ + B²ω² + 1,
//        so a1² = 2·a2 and a2² + 2 = 2·a1·a3; B from 0 (B4) up, Qt below B4's.
//   SBB4 (Bullock 1981, whose tables keep fb = fs): a1 = a3, which gives h = 1
//        at any Ql, and |D(jω)|² = ω⁸ + B²ω⁶ + B²ω² + 1, the ω⁴ term gone as
//        QB3's ω⁴ and ω⁶ terms are; B from 0 (B4) up, Qt below B4's.
//   C4   Chebyshev (Thiele 1971, Small 1973): the poles of the equiripple
//        low-pass, -k·sin θ ± j·cos θ with θ = π/8, 3π/8 and k = tanh(v),
//        turned high-pass and scaled to a unit constant term; the ripple is
//        10·log10(1 + ε²) with ε = 1/sinh(4·atanh k). k from 1 (B4) down,
//        Qt above B4's up to where alpha reaches 0 (an endless box).
// Where a family spans the driver's Qt, its parameter (and so C4's ripple)
// is the one whose Qt is the driver's; a single polynomial counts only
// where its Qt agrees with the driver's to kSameQt.
enum class AlignmentFamily { QB3, SBB4, B4, C4, BL4 };
inline constexpr std::array<AlignmentFamily, 5> kAlignmentFamilies{
    AlignmentFamily::QB3, AlignmentFamily::SBB4, AlignmentFamily::B4, AlignmentFamily::C4,
    AlignmentFamily::BL4};
std::string_view alignmentName(AlignmentFamily family);

// Qt is given to three decimals at the most.
inline constexpr double kSameQt = 0.0005;

// A driver no alignment can be worked out for; the message says why.
class NoAlignment : public PlainError {
public:
    explicit NoAlignment(const std::string& why) : PlainError("no alignment: " + why) {}
};

// The Qt a family covers at some box losses: lowest = highest for a single
// polynomial; a family that leaves B4 for lower Qt reaches down to 0.
struct QtRange {
    double lowest;
    double highest;
};

// One alignment as it applies to one driver at some box losses.
struct Alignment {
    AlignmentFamily family;
    std::optional<QtRange> range;  // none: no box of this family at these losses
    bool found = false;            // the driver's Qt has one; the rest only then
    double rippleDb = 0;           // C4's
    double alpha = 0;
    double h = 0;
    double Vo = 0;  // litres, Vas/alpha
    double fb = 0;  // Hz, h·fo
    std::optional<double> F3;
    std::optional<Peak> peak;
};

// Every family, in the order of kAlignmentFamilies, for the driver in a box
// of losses Ql. F3 and the peak are those of the driver's own Qt. Throws
// NoAlignment naming the first of Vas, fo and Qt that is not a positive
// number.
std::vector<Alignment> alignmentsFor(const DriverFigures& driver, double Ql);

}  // namespace ventbox

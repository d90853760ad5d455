// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "calc/design.hpp"
#include "report_text.hpp"

namespace ventbox {

// A design the response model cannot describe; the message says why.
class NoResponse : public PlainError {
public:
    explicit NoResponse(const std::string& why) : PlainError("no response: " + why) {}
};

// Box losses assumed when none are given: a typical well-built vented box.
inline constexpr double kDefaultQl = 7.0;
// Box losses of real boxes lie well inside this range; beyond it the model's
// coefficients say nothing of a box.
inline constexpr double kLowestQl = 0.5;
inline constexpr double kHighestQl = 1000;

// The frequencies of a response table: 10 Hz · 2^(k/24), k = 0 … 160, six
// and two-thirds octaves from 10 Hz to 1015.9 Hz, 24 points an octave.
inline constexpr double kGridStart = 10.0;
inline constexpr int kGridPointsPerOctave = 24;
inline constexpr int kGridPoints = 161;
double gridFrequency(int k);

// F3 is the frequency above which the level stays above -3 dB up to the top
// of the audio band.
inline constexpr double kF3Level = -3.0;
inline constexpr double kF3Ceiling = 20000.0;

// The small-signal response of one design in its vented box, as a fourth-
// order high-pass of the driver, the box compliance, the duct tuning and the
// box losses, and of the same driver in a sealed box of the same volume, as
// a second-order high-pass. Levels in dB relative to the passband.
class Response {
public:
    // From the alignment: compliance ratio alpha, tuning ratio h, total Q of
    // the driver Qt, box losses Ql, driver resonance fo. Throws NoResponse
    // when the coefficients come out too large for a double.
    Response(double alpha, double h, double Qt, double Ql, double fo);

    double ventedDb(double f) const;
    double closedDb(double f) const;
    // The vented box's group delay in seconds, -dφ/dω of its transfer function.
    double ventedGroupDelay(double f) const;

    // The sealed box: the box's stiffness adds to the suspension's while the
    // moving mass stays the driver's alone, so resonance and Q both rise by
    // √(1 + alpha). Unlike foc and Qoc, no duct air is in the moving mass.
    double closedResonance() const { return fc_; }
    double closedQ() const { return Qtc_; }

private:
    double f0_;                  // the vented box's reference frequency fo·√h
    std::array<double, 3> a_{};  // a1, a2, a3 of the denominator
    double fc_;
    double Qtc_;
};

// The response of a calculated design: alpha = sc/so, h = fd/fo, Qt = Qo.
// Throws NoResponse naming the first of so, sc, fd, fo, Qo that is not
// positive (or not a number).
Response responseOf(const TDesign& design, const TDesignResults& results, double Ql);

// The -3.000 dB frequency, rounded to 0.01 Hz: the one above which the level
// stays above -3 dB up to 20 kHz. nullopt when 20 kHz itself is not above.
std::optional<double> ventedF3(const Response& response);
std::optional<double> closedF3(const Response& response);

// The highest vented level inside the grid and where it lies, the frequency
// to about 0.01 Hz; nullopt when the level is highest at either end of the
// grid, where the curve only rises or falls and has no peak to show, or
// when it rises less than 0.01 dB above the passband.
struct Peak {
    double levelDb;
    double frequency;
};
std::optional<Peak> ventedPeak(const Response& response);

// One quantity of a response at each frequency of the grid, in grid order.
using ResponseCurve = double (Response::*)(double) const;
std::vector<double> overGrid(const Response& response, ResponseCurve curve);

}  // namespace ventbox

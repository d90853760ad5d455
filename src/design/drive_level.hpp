// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <vector>

#include "air.hpp"
#include "calc/design.hpp"
#include "response.hpp"

namespace ventbox {

// Air in a duct faster than 5 % of the speed of sound is commonly heard
// as chuffing.
inline constexpr double kDuctSpeedLimit = 0.05 * kSoundSpeed;  // m/s
inline constexpr double kDefaultDriveDb = 90.0;  // dB SPL at 1 m

// The drive: the level the input plays in the passband, dB SPL at 1 m in
// half space, and the cone's travel limit, if one is given.
struct Drive {
    double levelDb = kDefaultDriveDb;
    std::optional<double> xmaxMm;
};

// What the box's air and cone do at a drive, over the response grid. The
// radiated flow U0 gives the pressure ρ·f·U0 at 1 m in half space, so
// U0 = p·|G|/(ρ·f) with p the passband's peak pressure. The duct carries
// U0·(fb/f)², the cone U0·|1 + (ωb/s)² + ωb/(Ql·s)| at s = jω; the duct's
// air speed is its flow over π·r², the cone's excursion its flow over ω·Sd.
struct DriveCurves {
    std::vector<double> ductSpeed;  // m/s, peak
    std::vector<double> excursion;  // mm, peak, one way
    std::vector<double> maxLevel;   // dB SPL at 1 m where the cone travels Xmax; empty without one
};

// The quantities above at one frequency.
struct DrivePoint {
    double ductSpeed;
    double excursion;
};

class DriveModel {
public:
    // The response and the design it is of, with its box losses.
    DriveModel(const Response& response, const TDesign& design, const TDesignResults& results,
               double Ql, const Drive& drive);
    DrivePoint at(double f) const;
    // SPL at 1 m the box plays at f when the cone travels `xmaxMm`.
    double levelAtExcursion(double f, double xmaxMm) const;
    DriveCurves overGrid() const;

private:
    double radiatedFlow(double f) const;  // m³/s, peak

    Response response_;
    double fb_;
    double Ql_;
    double ductArea_;  // m²
    double coneArea_;  // m²
    Drive drive_;
};

// The highest value of a curve over the grid and where it lies.
struct CurveMaximum {
    double value;
    double frequency;
};
CurveMaximum maximumOver(const std::vector<double>& curve);

}  // namespace ventbox

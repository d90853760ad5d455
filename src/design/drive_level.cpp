// SPDX-License-Identifier: GPL-3.0-or-later
#include "drive_level.hpp"

#include <cmath>
#include <numbers>

namespace ventbox {

namespace {

constexpr double kCentimetre = 0.01;  // m

double fromDb(double db) { return std::pow(10.0, db / 20); }

}  // namespace

DriveModel::DriveModel(const Response& response, const TDesign& design,
                       const TDesignResults& results, double Ql, const Drive& drive)
    : response_(response),
      fb_(results.fd),
      Ql_(Ql),
      ductArea_(std::numbers::pi * std::pow(results.r * kCentimetre, 2)),
      coneArea_(std::numbers::pi * std::pow(design.a * kCentimetre, 2)),
      drive_(drive) {}

// A sound pressure level is of the rms pressure; the flows are peaks.
double DriveModel::radiatedFlow(double f) const {
    const double peakPressure = std::numbers::sqrt2 * kReferencePressure * fromDb(drive_.levelDb);
    return peakPressure * fromDb(response_.ventedDb(f)) / (kAirDensity * f);
}

DrivePoint DriveModel::at(double f) const {
    const double flow = radiatedFlow(f);
    const double ratio = fb_ / f;
    const double coneFlow = flow * std::hypot(1 - ratio * ratio, ratio / Ql_);
    const double omega = 2 * std::numbers::pi * f;
    return {flow * ratio * ratio / ductArea_, coneFlow / (omega * coneArea_) * 1000};
}

double DriveModel::levelAtExcursion(double f, double xmaxMm) const {
    return drive_.levelDb + response_.ventedDb(f) + 20 * std::log10(xmaxMm / at(f).excursion);
}

DriveCurves DriveModel::overGrid() const {
    DriveCurves curves;
    for (int k = 0; k < kGridPoints; ++k) {
        const double f = gridFrequency(k);
        const DrivePoint point = at(f);
        curves.ductSpeed.push_back(point.ductSpeed);
        curves.excursion.push_back(point.excursion);
        if (drive_.xmaxMm) curves.maxLevel.push_back(levelAtExcursion(f, *drive_.xmaxMm));
    }
    return curves;
}

CurveMaximum maximumOver(const std::vector<double>& curve) {
    CurveMaximum highest{curve.at(0), gridFrequency(0)};
    for (int k = 1; k < static_cast<int>(curve.size()); ++k) {
        if (curve[k] > highest.value) highest = {curve[k], gridFrequency(k)};
    }
    return highest;
}

}  // namespace ventbox

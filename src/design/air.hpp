// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace ventbox {

// The air the models take: its density, that of the duct mass's
// 0.0012 g/cm³, the speed of sound at 20 °C, and the reference of sound
// pressure levels.
inline constexpr double kAirDensity = 1.2;           // kg/m³
inline constexpr double kSoundSpeed = 343.0;         // m/s
inline constexpr double kReferencePressure = 20e-6;  // Pa

}  // namespace ventbox

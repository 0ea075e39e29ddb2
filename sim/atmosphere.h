// sim/atmosphere.h: the standard atmosphere the demo's flight model flies in.
#pragma once

namespace sim {

struct Air {
    double temperature;   // K
    double pressure;      // Pa
    double density;       // kg/m^3
    double sound;         // speed of sound, m/s
};

// Standard atmosphere to 86 km, then an isothermal layer whose pressure keeps
// falling exponentially, so the air thins out to nothing instead of ending.
Air atmosphere(double altitude_m);

constexpr double kSeaLevelDensity = 1.225;
constexpr double kG0 = 9.80665;
constexpr double kEarthRadius = 6378137.0;   // m, as the host's projection uses
constexpr double kEarthGM = 6.67e-11 * 5.98e24;   // m^3/s^2, the planet the plug-in assumes

}  // namespace sim

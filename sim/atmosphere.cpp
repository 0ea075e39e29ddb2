// sim/atmosphere.cpp: layers of the 1976 standard atmosphere by geopotential height.
#include "atmosphere.h"

#include <algorithm>
#include <cmath>

namespace sim {

namespace {

constexpr double kR = 287.053;            // J/(kg K), dry air
constexpr double kGamma = 1.4;
constexpr double kEarthRadiusGeo = 6356766.0;

struct Layer {
    double base_m;        // geopotential
    double base_t;        // K
    double lapse;         // K/m
    double base_p;        // Pa
};

constexpr Layer kLayers[] = {
    {0.0, 288.15, -0.0065, 101325.0},
    {11000.0, 216.65, 0.0, 22632.06},
    {20000.0, 216.65, 0.001, 5474.889},
    {32000.0, 228.65, 0.0028, 868.0187},
    {47000.0, 270.65, 0.0, 110.9063},
    {51000.0, 270.65, -0.0028, 66.93887},
    {71000.0, 214.65, -0.002, 3.956420},
    {84852.0, 186.946, 0.0, 0.3734},      // continued isothermally upwards
};

}  // namespace

Air atmosphere(double altitude_m)
{
    const double z = std::max(altitude_m, -1000.0);
    const double h = kEarthRadiusGeo * z / (kEarthRadiusGeo + z);

    int i = 0;
    const int n = static_cast<int>(sizeof(kLayers) / sizeof(kLayers[0]));
    while (i + 1 < n && h >= kLayers[i + 1].base_m)
        ++i;
    const Layer& l = kLayers[i];

    Air a{};
    const double dh = h - l.base_m;
    if (l.lapse == 0.0) {
        a.temperature = l.base_t;
        a.pressure = l.base_p * std::exp(-kG0 * dh / (kR * l.base_t));
    } else {
        a.temperature = l.base_t + l.lapse * dh;
        a.pressure = l.base_p * std::pow(a.temperature / l.base_t, -kG0 / (kR * l.lapse));
    }
    a.density = a.pressure / (kR * a.temperature);
    a.sound = std::sqrt(kGamma * kR * a.temperature);
    return a;
}

}  // namespace sim

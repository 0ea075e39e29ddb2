// common/hostvalues.cpp
#include "common/hostvalues.h"
#include <cmath>

int HostClampInt(int value, int low, int high)
{
    return value < low ? low : value > high ? high : value;
}

int HostSize(int pixels) { return HostClampInt(pixels, 0, HostPixelLimit); }

int HostCoordinate(int pixels) { return HostClampInt(pixels, -HostPixelLimit, HostPixelLimit); }

int HostFloorPixel(float pixels)
{
    return HostFloatToInt(std::floor(static_cast<double>(pixels)), -HostPixelLimit, HostPixelLimit, 0);
}

// Only a value strictly inside the bounds is converted; converting one
// outside int's range would be undefined.
int HostFloatToInt(double value, int low, int high, int ifNaN)
{
    if (std::isnan(value))
        return ifNaN;
    if (value <= low)
        return low;
    if (value >= high)
        return high;
    return static_cast<int>(value);
}

int HostIndex(int value, int count, int fallback)
{
    return value >= 0 && value < count ? value : fallback;
}

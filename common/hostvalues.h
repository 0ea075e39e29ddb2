// common/hostvalues.h: range checks for numbers read from the host. A
// simulator variable holds whatever the host, an aircraft file or another
// plug-in put there, NaN and INT_MIN included. Nothing read from one takes
// part in int arithmetic, becomes an int or picks an array element before it
// has passed through here; a float that a loop keeps and feeds back into
// itself is clamped too, so one bad reading cannot stick for the whole flight.
#pragma once
#include <cmath>

// No window, screen, panel or mouse coordinate lies farther out than this, so
// the offsets and products the geometry adds to one stay far from overflow.
enum { HostPixelLimit = 1 << 20 };

int   HostClampInt(int value, int low, int high);
int   HostSize(int pixels);                      // window or screen size, 0 to HostPixelLimit
int   HostCoordinate(int pixels);                // a position, -HostPixelLimit to HostPixelLimit
int   HostFloorPixel(float pixels);              // floor of a float position, as HostCoordinate; NaN gives 0
int   HostFloatToInt(double value, int low, int high, int ifNaN);   // truncated toward zero, then clamped
int   HostIndex(int value, int count, int fallback);                // 0 to count - 1, else fallback

// The float checks are inline: the data window and the models pass whole
// arrays of readings through them every frame and tick.
inline float HostClampFloat(float value, float low, float high, float ifNaN)
{
    if (std::isnan(value))
        return ifNaN;
    return value < low ? low : value > high ? high : value;
}

// A reading that is not finite counts as ifNotFinite (an infinite reading is
// no nearer the truth than NaN); any other is clamped.
inline float HostFiniteFloat(float value, float low, float high, float ifNotFinite)
{
    if (!std::isfinite(value))
        return ifNotFinite;
    return value < low ? low : value > high ? high : value;
}

// No altitude, speed, angle, load factor, trim or tank the models fly by lies
// farther out (1e7 ft is 3,000 km): squares and cubes of readings stay finite.
constexpr float HostReadingLimit = 1.0e7f;
// A reading a model flies by and writes from: one that is not finite keeps
// the last good one (0 when there is none), any other is held within
// HostReadingLimit, so the simulator is never sent a NaN or an infinity made
// of one bad reading.
inline float HostReading(float value, float last)
{
    const float fallback = HostFiniteFloat(last, -HostReadingLimit, HostReadingLimit, 0.0f);
    return HostFiniteFloat(value, -HostReadingLimit, HostReadingLimit, fallback);
}

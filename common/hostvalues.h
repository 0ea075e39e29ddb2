// common/hostvalues.h: range checks for numbers read from the host. A
// simulator variable holds whatever the host, an aircraft file or another
// plug-in put there, NaN and INT_MIN included. Nothing read from one takes
// part in int arithmetic, becomes an int or picks an array element before it
// has passed through here; a float that a loop keeps and feeds back into
// itself is clamped too, so one bad reading cannot stick for the whole flight.
#pragma once

// No window, screen, panel or mouse coordinate lies farther out than this, so
// the offsets and products the geometry adds to one stay far from overflow.
enum { HostPixelLimit = 1 << 20 };

int   HostClampInt(int value, int low, int high);
int   HostSize(int pixels);                      // window or screen size, 0 to HostPixelLimit
int   HostCoordinate(int pixels);                // a position, -HostPixelLimit to HostPixelLimit
int   HostFloorPixel(float pixels);              // floor of a float position, as HostCoordinate; NaN gives 0
int   HostFloatToInt(double value, int low, int high, int ifNaN);   // truncated toward zero, then clamped
int   HostIndex(int value, int count, int fallback);                // 0 to count - 1, else fallback
float HostClampFloat(float value, float low, float high, float ifNaN);

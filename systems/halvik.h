// systems/halvik.h: the Halvik VTOL's take-off load and its two engine modes.
#pragma once
#include "aircraft/families.h"

extern int RamMode;                  // 0 turbo, 1 ram

void HalvikPreset();                 // the first variant's payload and take-off mode
void HalvikFirstAction();            // both engine modes' figures
void HalvikReset(ResetReason why);   // the key's mode cycle and the engine mode as at start
void HalvikKey();                    // the QZT key: take-off mode, or engine mode from Mach 1

// Engine mode requests: 2 ram, 1 turbo, 0 hand the throttles back at
// `throttle` and announce the engine now running. A switch takes the
// throttles to 0.1 until the release.
enum { RamRelease = 0, RamTurbo = 1, RamRam = 2 };
void RamEngine(int request, float throttle);

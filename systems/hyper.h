// systems/hyper.h: the hypersonic business jet: water injection from the
// jettison load, the thrust factor it gives, the wing schedule. The puffers
// switch enables the automatic sweep; the firing mode is the water selector
// (0 off, 1 or 2 automatic, 3 dump). The carrier's panel page shows the water
// figures (water, WASSERverbrauch, thrust_maximum live in carrier/carrier.h).
#pragma once
#include "aircraft/families.h"

extern float swdirqst1, dihedral1, thrust_maximum1;   // last written; 99 after a load so the first pass writes

float CheckHyper(float elapsedSinceLastCall, float elapsedTimeSinceLastFlightLoop, int counter, void* refcon);
void  HyperWings();                  // tick 1: dihedral and sweep by Mach, altitude and airspeed; lights
void  HyperWater();                  // tick 3: injection, dump, thrust factor

void HyperPreset();                  // rated thrust, wing and thrust copies, camera views
void HyperFirstAction();             // tanks and the water for the injection
void HyperReset(ResetReason why);    // the loop's state as at start

// sim/aircraft.h: the two aircraft the demo flies, as their aircraft files
// would describe them to the simulator.
#pragma once

#include "model.h"

namespace sim {

// Description texts the plug-in recognises (slots 37 and 45).
extern const char* const kCarrierDescription;
extern const char* const kOrbiterDescription;

// The carrier: four turbo-ramjets, two JATO rockets (engines 5 and 6), a
// bay for the orbiter and a water-injection tank.
Airframe carrier_airframe();
// The orbiter: engine 1 a small jet for the way home, engine 2 the rocket
// fed from tank 2.
Airframe orbiter_airframe();

// Stations as the carrier leaves the hangar.
constexpr int   kJatoStation = 1, kJatoType = 19;
constexpr float kJatoMass = 900.0f;
constexpr int   kBayStation = 2, kOrbiterType = 9;
constexpr float kOrbiterMass = 8000.0f;

}  // namespace sim

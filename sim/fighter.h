// sim/fighter.h: the Stormfalk jet fighter and its flight: a JATO take-off,
// the drop tanks used and dropped, and a bomb whose flight the plug-in's
// custom data box measures.
#pragma once

#include "model.h"
#include "scenarios.h"

namespace sim {

extern const char* const kFighterDescription;   // recognised as slot 9

// Two turbojets and the host's own JATO, fitted as a unit on station 0.
Airframe fighter_airframe();

Outcome fly_fighter(Runner& runner);

}  // namespace sim

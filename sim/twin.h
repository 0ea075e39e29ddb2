// sim/twin.h: the Korva light twin and its flight with the external cameras.
#pragma once

#include "model.h"
#include "runner.h"
#include "scenarios.h"

namespace sim {

// Description text the plug-in recognises (slot 52, the utility twin with
// the yoke-steered camera 0).
extern const char* const kTwinDescription;

// A light twin of two small turbine engines; stations 0 to 2 carry its
// cameras: under the nose, on the fin, at the right wing tip.
Airframe twin_airframe();

Outcome fly_twin(Runner& r);

}  // namespace sim

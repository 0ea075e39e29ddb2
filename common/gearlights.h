// common/gearlights.h: landing lights follow the gear handle on the carrier,
// the hypersonic jet and the store-carrying models.
#pragma once
#include <cstdint>

extern uint8_t gear_handle_status1;  // handle at the last check
extern int     landlights_was;       // landing-light switch remembered at gear-up

// Reads the gear handle; on a change, gear up stores and switches off the
// landing lights, gear down restores them.
void LightsFollowGear();

// Forgets the handle and the stored switch, as at start.
void GearLightsReset();

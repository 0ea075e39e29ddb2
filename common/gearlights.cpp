// common/gearlights.cpp
#include "common/gearlights.h"
#include "frame/datarefs.h"

uint8_t gear_handle_status1 = 0;
int     landlights_was = 0;

void LightsFollowGear()
{
    gear_handle_status = XPLMGetDatai(dr_gear_handle_status) != 0;
    if (gear_handle_status == gear_handle_status1)
        return;
    if (gear_handle_status) {
        landing_lights_on = landlights_was;
    } else {
        landing_lights_on = XPLMGetDatai(dr_landing_lights_on);
        landlights_was = landing_lights_on;
        landing_lights_on = 0;
    }
    XPLMSetDatai(dr_landing_lights_on, landing_lights_on);
    gear_handle_status1 = gear_handle_status;
}

void GearLightsReset()
{
    gear_handle_status1 = 0;
    landlights_was = 0;
}

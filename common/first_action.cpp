// common/first_action.cpp: FIRSTAct, five seconds after a load, airport change
// or crash. By then the host has set the aircraft up from its own file, so
// this is where lights, payload, fuel and weapons are overridden.
#include "common/first_action.h"
#include "aircraft/families.h"
#include "aircraft/models.h"
#include "display/handbook.h"
#include "frame/datarefs.h"

uint8_t FirstActReg = 0;
float   critalt1 = 0.0f, macheff1 = 0.0f, critalt2 = 0.0f, macheff2 = 0.0f;
int     WEAPONnumber = 0;
int     WEAPONstat[8] = {};

static void Lights()
{
    beacon_lights_on = 0;
    landing_lights_on = 0;
    nav_lights_on = 1;
    strobe_lights_on = 0;
    taxi_light_on = 0;
    XPLMSetDatai(dr_beacon_lights_on, beacon_lights_on);
    XPLMSetDatai(dr_landing_lights_on, landing_lights_on);
    XPLMSetDatai(dr_nav_lights_on, nav_lights_on);
    XPLMSetDatai(dr_strobe_lights_on, strobe_lights_on);
    XPLMSetDatai(dr_taxi_light_on, taxi_light_on);
}

float FIRSTAct(float, float, int, void*)
{
    ind_airspeed = XPLMGetDataf(dr_ind_airspeed);
    CurrentAlt = XPLMGetDataf(dr_altitude);
    Lights();

    const PlaneFamily& family = FamilyOf(Ident);
    if (family.firstAction)
        family.firstAction();

    INFOon = INFOon1;
    if (!INFOon)
        INFOfirstview = 0;

    FirstActReg = 0;
    return 0.0f;
}

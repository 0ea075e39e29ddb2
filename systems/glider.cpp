// systems/glider.cpp: the motor glider's folding engine.
#include "systems/glider.h"
#include "display/geometry.h"
#include "frame/controls.h"
#include "frame/datarefs.h"

uint8_t engOn = 1, gearstat = 1, propstat = 1, mixstat = 1;
float   swdi_ist = 0.0f;
float   rangeKM = 0.0f;

void GliderPreset()
{
    PARAMETERlinUP = 4;
    PARAMETERlinDOWN = 1;
    engOn = gearstat = propstat = mixstat = 1;
    swdirqst = 0.0f;
    XPLMSetDataf(dr_swdirqst, swdirqst);
    acf_gear_leglen[0] = 0.6096f;
    acf_gear_leglen[1] = 0.6096f;
    acf_gear_leglen[2] = 0.41f;
    acf_gear_leglen[3] = 0.41f;
    XPLMSetDatavf(dr_acf_gear_leglen[0], acf_gear_leglen, 0, 4);
    num_thrustpoints = 1;
    XPLMSetDatai(dr_num_thrustpoints, num_thrustpoints);
    engine_Mix[0] = 1.0f;
    WriteMixtures(1);
}

// The glider's two weapon selectors double as its engine and ballast switches.
void GliderFirstAction()
{
    WriteFiringMode(1);
    firing_rate = 1;
    XPLMSetDatai(dr_firing_rate, firing_rate);
    mass_shift = 125.0f;
    m_fixed = 10.0f * firing_rate - 10.0f;
    XPLMSetDataf(dr_m_fixed, m_fixed);
    XPLMSetDataf(dr_mass_shift, mass_shift);
    swdirqst = 0.0f;
    XPLMSetDataf(dr_swdirqst, swdirqst);
}

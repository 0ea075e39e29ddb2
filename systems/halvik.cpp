// systems/halvik.cpp: the Halvik VTOL.
#include "systems/halvik.h"
#include "aircraft/models.h"
#include "common/first_action.h"
#include "common/keys.h"
#include "frame/controls.h"
#include "frame/datarefs.h"
#include "prefs/prefs.h"

void HalvikPreset()
{
    if (Ident != 1)
        return;
    WriteFixedMass(500.0f);
    Halv_TO_mode = 3;
    fuel_tot = static_cast<float>(HalvTakeOff[3].fuel / 2.204623);
}

// The turbo mode is the aircraft file's own engine; ram mode has no critical
// altitude and reaches Mach 7.8.
void HalvikFirstAction()
{
    critalt1 = XPLMGetDataf(dr_critalt_curr);
    macheff1 = XPLMGetDataf(dr_macheff_curr);
    critalt2 = 0.0f;
    macheff2 = 7.8f;
}

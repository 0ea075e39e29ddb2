// systems/vessa.cpp: the Vessa Air and the Vessa Space.
#include "systems/vessa.h"
#include "frame/controls.h"
#include "frame/datarefs.h"

// Engine 3 is the space drive; it stays off until the key arms it.
void VessaFirstAction()
{
    engine_Mix[0] = 1.0f;
    engine_Mix[1] = 1.0f;
    engine_Mix[2] = 0.0f;
    WriteFixedMass(250.0f);
    elvator_trim = 0.0f;
    XPLMSetDataf(dr_elvator_trim, elvator_trim);
    WriteMixtures(3);
    ap_altitude = 65000.0f;
    XPLMSetDataf(dr_ap_altitude, ap_altitude);
}

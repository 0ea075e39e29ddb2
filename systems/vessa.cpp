// systems/vessa.cpp: the Vessa Air and the Vessa Space.
#include "systems/vessa.h"
#include "XPLMUtilities.h"
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

// Engine 3 of the Vessa Space is its space drive, armed only above 60,000 ft;
// above 200,000 ft the drive's burn time is filled up again.
void VessaKey()
{
    CurrentAlt = XPLMGetDataf(dr_altitude);
    // The pilot's own mixtures, not what an earlier aircraft left in the copy.
    ReadMixtures(4);
    if (CurrentAlt >= 60000.0f) {
        engine_Mix[2] = engine_Mix[2] == 0.0f ? 1.0f : 0.0f;
        WriteMixtures(4);
    } else {
        engine_Mix[2] = 0.0f;
        WriteMixtures(4);
        XPLMSpeakString("Space-Drive ON only above 60,000 feet");
    }
    if (CurrentAlt > 200000.0f) {
        XPLMSetDataf(dr_JATOduration, 30.0f);
        JATOleft = 30.0f;
        XPLMSetDataf(dr_JATOleft, JATOleft);
    }
}

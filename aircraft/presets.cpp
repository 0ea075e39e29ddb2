// aircraft/presets.cpp: the load preset of each model. Runs after every
// recognition, airport load and crash; fuel and most payloads follow five
// seconds later in the first action, once the host has set the aircraft up.
#include "aircraft/presets.h"
#include "aircraft/families.h"
#include "aircraft/models.h"
#include "carrier/zoom.h"
#include "common/timers.h"
#include "display/geometry.h"
#include "display/handbook.h"
#include "frame/datarefs.h"
#include "prefs/prefs.h"
#include "systems/stores.h"

int     MetricALTx = 0, MetricALTy = 0;
uint8_t UNITisENGLISH = 0;

static void CommonStart()
{
    engine_thro_use[0] = 1.0f;
    engine_thro_use[1] = 1.0f;
    XPLMSetDatavf(dr_engine_thro_use[0], engine_thro_use, 0, 2);
    currmaxFWD2 = 1.0f;
    XPLMSetDataf(dr_throtmax_FWD, currmaxFWD2);
    // 99 is never a station status, so the first station check sees a change.
    Weapon_status1[2] = 99;

    takeoff = 0;
    JATOon = 0;
    DTANKgauge = HWKgauge = JATOgauge = JATO287gauge = 0;
    FUELisGallon = 0;
    DTANKempty = DTANKfuel = 0.0f;
    Tstoff = Cstoff = 0.0f;
    DTANKnumber = TTANKnumber = DTANKstation = 0;
    TIMER_1 = TIMER_2 = TIMER_3 = 0;
    TIMERval_1 = TIMERval_2 = TIMERval_3 = 0;
}

void PlanePreset()
{
    const int slot = (Ident >= 0 && Ident < IdPlaneRows) ? Ident : 0;
    const PlaneFamily& family = FamilyOf(slot);

    CommonStart();
    // A crash or an airport load lets go of whatever the model held, like a load.
    ResetFamily(ResetPreset);
    if (family.metricX || family.metricY) {
        MetricALTx = family.metricX;
        MetricALTy = family.metricY;
    }
    UNITisENGLISH = family.englishUnits;
    if (family.preset)
        family.preset();

    // The handbook box is sized by its line count; geometry follows below.
    INFOlin = IdPlane[slot].infoCount + IdPlane[slot].extraCount + 4;
    INFOon1 = showInitialInfo;
    MeasurePanel();
}

// carrier/carrier_load.cpp: what the carrier starts with after a load, and the
// state its loop leaves behind, cleared when another aircraft comes.
#include "carrier/carrier.h"
#include <cmath>
#include "carrier/camera.h"
#include "carrier/panel.h"
#include "carrier/zoom.h"
#include "common/timers.h"
#include "frame/datarefs.h"
#include "systems/stores.h"

// The carrier's views start at 2; 7 to 9 are filled but never selected by the key.
static const CameraView CarrierViews[] = {
    {2, 360.0f, 5.0f, 90.0f, 90.0f, -60.0f, -5.0f},
    {3, 360.0f, -5.0f, 90.0f, 90.0f, -60.0f, -5.0f},
    {4, 360.0f, 0.0f, 90.0f, 60.0f, -90.0f, 5.0f},
    {5, 360.0f, 0.0f, 90.0f, 60.0f, -90.0f, 5.0f},
    {6, 360.0f, 180.0f, 90.0f, 90.0f, -10.0f, 5.0f},
    {7, 170.0f, 180.0f, 40.0f, 30.0f, -30.0f, 0.0f},
    {8, 360.0f, 0.0f, 90.0f, 60.0f, -60.0f, 0.0f},
    {9, 360.0f, 90.0f, 90.0f, 60.0f, -60.0f, 0.0f},
};

void CarrierPreset()
{
    JATOmass = 1400.0f;
    system21mes = system22mes = system23mes = system24mes = system25mes = 0;
    CameraReset(2);

    trimincr = 0.0037f;
    zlevel1 = 72000.0f;
    zlevel2 = 75000.0f;
    zspeed1 = 6.5f;
    zendlevel = 60000.0f;
    zendspeed = 3.3f;

    currmaxFWD2 = 1.0f;
    maxFWD2 = 1.0f;
    minFuel = 9000.0f;
    maxFuel = 16000.0f;

    // The rating is read once per load: after an airport change or a crash
    // the host holds the thrust the injection last wrote, not the rating.
    if (tmax_acf <= 0.0f)
        tmax_acf = XPLMGetDataf(dr_tmax);
    tmax_curr = tmax_acf;
    water = 0;
    flaps = 0.0f;
    XPLMSetDataf(dr_flaps, flaps);

    zoom_on = 0;
    prop_sync_on1 = 0;
    // Opposite last-written states make the first pass write both wing requests.
    ISsweep = 1;
    ISsweep1 = 0;
    ISdihedral = 0;
    ISdihedral1 = 1;
    ORBfuelgone = 0;
    ORBemergout = 0;

    // Station 2 is the bay: the orbiter weighs 8000 kg. The other stations
    // keep the masses the simulator gives them.
    total_weapon_mass_max[BayStation] = 8000.0f;
    XPLMSetDatavf(dr_total_weapon_mass_max[0], &total_weapon_mass_max[BayStation], BayStation, 1);

    system21mes = system22mes = system23mes = 0;
    SetCameraViews(CarrierViews);
}

// The zoom cannot go on without the plug-in, so a disable ends it: the
// throttle range comes back, the zoom master goes off (the pilot switches it
// on again once the plug-in is enabled) and the injection stops with the
// rated thrust written back. A JATO pack still burning goes out. What the
// loop knows of the bay and the stations stays, so an enabled loop does not
// take the loaded bay for a store just dropped.
static void ZoomEndsWithDisable()
{
    currmaxFWD2 = 1.0f;
    XPLMSetDataf(dr_throtmax_FWD, currmaxFWD2);
    if (XPLMGetDatai(dr_prop_sync_on) != 0) {
        prop_sync_on = 0;
        XPLMSetDatai(dr_prop_sync_on, prop_sync_on);
    }
    prop_sync_on1 = 0;
    if (tmax_acf > 0.0f && std::isfinite(tmax_acf)) {   // a rating read as no number is none
        tmax_curr = tmax_acf;
        XPLMSetDataf(dr_tmax, tmax_curr);
    }
    water = 0;
    WASSERverbrauch = 0.0f;
    thrust_maximum = 1.0f;
    if (JATOon)
        SHjatoOut();
}

// Everything the loop and the zoom keep between calls goes back to how the
// plug-in started, so a carrier loaded again starts as the first one did. The
// rated thrust read at the load stays until another aircraft comes.
void CarrierReset(ResetReason why)
{
    zoom_on = 0;
    schalt1 = 0;
    TARGETalt = 0;
    floatBuffer1 = floatBuffer2 = floatBuffer3 = floatBuffer4 = 0.0f;
    flight_director_pitch = 0.0f;
    flight_director_roll = 0.0f;
    SHOISTactive = 0;
    SHOISTfromLOC = 0;
    SHOISTdone = 0;
    system21mes = system22mes = system23mes = 0;
    TIMER_1 = TIMER_2 = TIMER_3 = 0;
    TIMERval_1 = TIMERval_2 = TIMERval_3 = 0;
    if (why == ResetDisable) {
        ZoomEndsWithDisable();
        return;
    }

    CurrentAltKM = 0.0f;
    prop_sync_on1 = 0;
    water_scoop1 = 0;
    BAYladen = BAYladen1 = 0;
    BAYtrim = 0;
    ORBfuelgone = 0;
    ORBemergout = 0;
    water = 0;
    WASSERverbrauch = 0.0f;
    thrust_maximum = 1.0f;
    if (why == ResetCleanUp)
        tmax_acf = tmax_curr = 0.0f;
    ISdihedral = ISdihedral1 = 0;
    ISsweep = ISsweep1 = 0;
    for (float& t : tempc)
        t = 0.0f;
    system24mes = system25mes = 0;
    takeoff = 0;
    JATOon = 0;
}

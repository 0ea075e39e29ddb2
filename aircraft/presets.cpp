// aircraft/presets.cpp: the load preset of each model. Runs after every
// recognition, airport load and crash; fuel and most payloads follow five
// seconds later in the first action, once the host has set the aircraft up.
#include "aircraft/presets.h"
#include "aircraft/models.h"
#include "carrier/camera.h"
#include "carrier/carrier.h"
#include "carrier/panel.h"
#include "carrier/zoom.h"
#include "common/keys.h"
#include "common/timers.h"
#include "display/geometry.h"
#include "display/handbook.h"
#include "frame/datarefs.h"
#include "prefs/prefs.h"
#include "systems/glider.h"
#include "systems/hyper.h"
#include "systems/korva.h"
#include "systems/stores.h"

uint8_t DROPequip = 0;
uint8_t MetricAUTOequip = 0;
int     MetricALTx = 0, MetricALTy = 0;
uint8_t UNITisENGLISH = 0;

static bool InRange(int slot, int first, int last) { return slot >= first && slot <= last; }

struct CameraView {
    int   view;
    float fieldX, orX, fieldY1, fieldY2, fieldY3, orY;
};

static void SetViews(const CameraView* views, int count)
{
    for (int i = 0; i < count; ++i) {
        const CameraView& v = views[i];
        CAMERAfieldX[v.view] = v.fieldX;
        CAMERAorX[v.view] = v.orX;
        CAMERAfieldY1[v.view] = v.fieldY1;
        CAMERAfieldY2[v.view] = v.fieldY2;
        CAMERAfieldY3[v.view] = v.fieldY3;
        CAMERAorY[v.view] = v.orY;
    }
}

// The jet's four views look forward, sideways and back along the fuselage.
static const CameraView HyperViews[] = {
    {0, 360.0f, 0.0f, 90.0f, 90.0f, -60.0f, 0.0f},
    {1, 270.0f, 0.0f, 90.0f, 90.0f, -60.0f, 0.0f},
    {2, 270.0f, 180.0f, 90.0f, 90.0f, -60.0f, 0.0f},
    {3, 270.0f, 180.0f, 90.0f, 90.0f, -60.0f, 0.0f},
};

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

static const CameraView KorvaViews[] = {
    {0, 360.0f, 0.0f, 90.0f, 90.0f, -60.0f, 0.0f},
    {1, 270.0f, 0.0f, 90.0f, 90.0f, -60.0f, 0.0f},
    {2, 270.0f, 90.0f, 90.0f, 90.0f, -60.0f, 0.0f},
};

template <int N>
static void SetViews(const CameraView (&views)[N]) { SetViews(views, N); }

// Cameras are off after a load until the first QZT key press takes the view.
static void CameraReset(int32_t view)
{
    CAMERAid = view;
    CAMERAzoom = 1.0f;
    CAMERAon = 0;
    CAMERAoff = 1;
}

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

// Set only, never cleared here: the clean-up before the next recognition clears it.
static void MetricEquipment(int slot)
{
    if (InRange(slot, 9, 15)) {
        MetricAUTOequip = 1;
        MetricALTx = 182;
        MetricALTy = 340;
    } else if (InRange(slot, 22, 25)) {
        MetricAUTOequip = 1;
        MetricALTx = 310;
        MetricALTy = 388;
    } else if (InRange(slot, 26, 27)) {
        MetricAUTOequip = 1;
        MetricALTx = 202;
        MetricALTy = 568;
    }
}

// The bombers' JATO packs are engines 7 and 8, idle until ignition.
static void BomberEngines()
{
    JATOmass = 100.0f;
    num_thrustpoints = 8;
    XPLMSetDatai(dr_num_thrustpoints, num_thrustpoints);
    num_engines = 8;
    XPLMSetDatai(dr_num_engines, num_engines);
    XPLMGetDatavf(dr_engine_Mix[0], engine_Mix, 0, 8);
    engine_Mix[6] = 0.0f;
    engine_Mix[7] = 0.0f;
    XPLMSetDatavf(dr_engine_Mix[0], engine_Mix, 0, 8);
}

static void HalvikLoad()
{
    m_fixed = 500.0f;
    XPLMSetDataf(dr_m_fixed, m_fixed);
    Halv_TO_mode = 3;
    fuel_tot = static_cast<float>(HalvTakeOff[3].fuel / 2.204623);
}

// The glider starts with its engine out: long main legs, one thrust point.
static void GliderLoad()
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
    XPLMSetDatavf(dr_engine_Mix[0], engine_Mix, 0, 1);
}

static void HyperLoad()
{
    tmax_acf = XPLMGetDataf(dr_tmax);
    tmax_curr = tmax_acf;
    // The jet writes wing and thrust values only when they change.
    swdirqst1 = dihedral1 = thrust_maximum1 = 99.0f;
    CameraReset(0);
    SetViews(HyperViews);
}

static void CarrierLoad()
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

    // Station 2 is the bay: the orbiter weighs 8000 kg.
    total_weapon_mass_max[2] = 8000.0f;
    XPLMSetDatavf(dr_total_weapon_mass_max[0], total_weapon_mass_max, 0, 4);

    system21mes = system22mes = system23mes = 0;
    SetViews(CarrierViews);
}

static void KorvaLoad(int slot)
{
    CameraReset(slot <= 51 ? 1 : 0);
    if (slot == 52)
        CAMERAheadingMax = 90.0f;
    else if (slot == 53)
        CAMERAheadingMax = 45.0f;
    SetViews(KorvaViews);
}

void PlanePreset()
{
    const int slot = (Ident >= 0 && Ident < IdPlaneRows) ? Ident : 0;

    CommonStart();
    MetricEquipment(slot);
    if (InRange(slot, 26, 27))
        BomberEngines();
    DROPequip = InRange(slot, 9, 27);
    if (slot == 1)
        HalvikLoad();
    if (slot == 7)
        GliderLoad();
    if (slot == 28)
        HyperLoad();
    if (slot == 37)
        CarrierLoad();
    UNITisENGLISH = InRange(slot, 18, 21);
    if (InRange(slot, 50, 53))
        KorvaLoad(slot);
    DROPequip = InRange(slot, 9, 27);

    // The handbook box is sized by its line count; geometry follows below.
    INFOlin = IdPlane[slot].infoCount + IdPlane[slot].extraCount + 4;
    INFOon1 = showInitialInfo;
    MeasurePanel();
}

// systems/hyper.cpp: the hypersonic business jet. Once a second it schedules
// the wings (tick 1) and runs the water injection and the thrust factor it
// gives (tick 3).
#include "systems/hyper.h"
#include <cfloat>
#include <cmath>
#include "XPLMDataAccess.h"
#include "aircraft/models.h"
#include "carrier/camera.h"
#include "carrier/carrier.h"
#include "common/hostvalues.h"
#include "common/gearlights.h"
#include "common/timers.h"
#include "frame/controls.h"
#include "frame/datarefs.h"

float swdirqst1 = 99.0f, dihedral1 = 99.0f, thrust_maximum1 = 99.0f;

// The jet's four views look forward, sideways and back along the fuselage.
static const CameraView HyperViews[] = {
    {0, 360.0f, 0.0f, 90.0f, 90.0f, -60.0f, 0.0f},
    {1, 270.0f, 0.0f, 90.0f, 90.0f, -60.0f, 0.0f},
    {2, 270.0f, 180.0f, 90.0f, 90.0f, -60.0f, 0.0f},
    {3, 270.0f, 180.0f, 90.0f, 90.0f, -60.0f, 0.0f},
};

void HyperPreset()
{
    // An airport change or a crash runs the preset again while the engines
    // carry the jet's own reduced thrust: the rated thrust read at the load
    // stays (the hand-back clears it for the next load).
    if (!(tmax_acf > 0.0f))                        // not read yet, or read as no number
        tmax_acf = XPLMGetDataf(dr_tmax);
    tmax_curr = tmax_acf;
    // The jet writes wing and thrust values only when they change.
    swdirqst1 = dihedral1 = thrust_maximum1 = 99.0f;
    CameraReset(0);
    SetCameraViews(HyperViews);
}

// Tank loads in kg, single precision as the jet's fuel table gives them.
static const float FuelSolace = 6047.29248f;

// The jettisonable load is the water for the injection, sized by the fuel.
void HyperFirstAction()
{
    fuel_1 = fuel_2 = fuel_3 = FuelSolace;
    WriteTanks(true);
    m_jettison = static_cast<float>((fuel_1 + fuel_2 + fuel_3) * 0.1 * 0.75);
    XPLMSetDataf(dr_m_jettison, m_jettison);
    WriteFiringMode(1);
}

// The rated thrust read at the load stays over an airport change, a crash
// and a disable (the engines then still carry the jet's own thrust); the
// injection stops with a disable, and the engines get their rated thrust
// back, since nothing would meter the water while the plug-in is off.
void HyperReset(ResetReason why)
{
    if (why == ResetDisable && tmax_acf > 0.0f && std::isfinite(tmax_acf)) {
        tmax_curr = tmax_acf;
        XPLMSetDataf(dr_tmax, tmax_curr);
    }
    water = 0;
    WASSERverbrauch = 0.0f;
    thrust_maximum = 1.0f;
    if (why == ResetCleanUp)
        tmax_acf = tmax_curr = 0.0f;
    dihedral = 0.0f;
    swdirqst = 0.0f;
    swdirqst1 = dihedral1 = thrust_maximum1 = 99.0f;
}

// A reading the host cannot mean (not a number, infinite) keeps the last one.
static void Keep(float& copy, float reading)
{
    if (std::isfinite(reading))
        copy = reading;
}

// Fuel flow of one engine as the consumption may use it: none for a reading
// that is no flow at all, and never more than a tonne a second.
static long double Flow(float kgPerSecond) { return HostFiniteFloat(kgPerSecond, 0.0f, 1000.0f, 0.0f); }

static float WaterLeft() { return HostFiniteFloat(XPLMGetDataf(dr_m_jettison), 0.0f, FLT_MAX, 0.0f); }

// The tank never goes below empty, and nothing is taken while paused.
static void TakeWater(float kg)
{
    m_jettison = WaterLeft();
    if (paused)
        return;
    const long double left = static_cast<long double>(m_jettison) - kg;
    m_jettison = left > 0.0L ? static_cast<float>(left) : 0.0f;
    XPLMSetDataf(dr_m_jettison, m_jettison);
}

void HyperWings()
{
    Keep(CurrentAlt, XPLMGetDataf(dr_altitude));
    Keep(machno, XPLMGetDataf(dr_machno));
    Keep(ind_airspeed, XPLMGetDataf(dr_ind_airspeed));
    puffers_on = XPLMGetDatai(dr_puffers_on) != 0;

    // Between the bounds the request keeps its value, so it cannot flutter.
    if (machno <= 0.45f)
        dihedral = 1.0f;
    if (machno >= 0.5f)
        dihedral = 0.0f;
    if (dihedral != dihedral1) {
        XPLMSetDataf(dr_dihedral, dihedral);
        dihedral1 = dihedral;
    }

    if (puffers_on) {
        if (machno <= 0.9f)
            swdirqst = 0.0f;
        if (machno >= 0.95f) {
            if (CurrentAlt < 50000.0f) {
                swdirqst = 1.0f;
            } else {
                // High up the wing opens by indicated airspeed; 620 to 630 kt holds.
                if (ind_airspeed < 620.0f)
                    swdirqst = 0.5f;
                if (ind_airspeed < 575.0f)
                    swdirqst = 0.0f;
                if (ind_airspeed > 630.0f)
                    swdirqst = 1.0f;
            }
        }
        if (swdirqst != swdirqst1) {
            XPLMSetDataf(dr_swdirqst, swdirqst);
            swdirqst1 = swdirqst;
        }
    }

    LightsFollowGear();
}

void HyperWater()
{
    paused = XPLMGetDatai(dr_paused) != 0;
    firing_mode = XPLMGetDatai(dr_firing_mode);
    m_jettison = WaterLeft();
    if (m_jettison <= 0.0f)
        WASSERverbrauch = 0.0f;

    // Injection comes on at 10,000 ft and goes off only at 9,750 ft.
    if ((firing_mode == 1 || firing_mode == 2) && CurrentAlt >= 10000.0f)
        water = 1;
    if (CurrentAlt <= 9750.0f) {
        water = 0;
        WASSERverbrauch = 0.0f;
    }
    if (firing_mode == 3) {
        water = 0;
        TakeWater(30.0f);
        WASSERverbrauch = 30.0f;
    }
    if (firing_mode == 0) {
        water = 0;
        WASSERverbrauch = 0.0f;
    }

    const long double mach = machno, alt = CurrentAlt;
    const long double offDesign = (mach - 2.0L) / 2.0L;
    long double factor = 1.0L;
    if (water) {
        if (mach > 2.0L)
            factor = 1.0L - 0.85 * offDesign * offDesign;
        XPLMGetDatavf(dr_engine_FF[0], engine_FF, 0, 2);
        // a tenth of the fuel flow at 80,000 ft; below 10,000 ft, where the
        // injection stays on down to 9,750 ft, nothing is used and nothing added
        long double use = (Flow(engine_FF[0]) + Flow(engine_FF[1])) * 0.1 * (alt - 10000.0L) / 70000.0L;
        if (use < 0.0L)
            use = 0.0L;
        WASSERverbrauch = static_cast<float>(use);
        TakeWater(WASSERverbrauch);
    } else if (alt > 10000.0L) {
        factor = 1.0L - 0.85 * offDesign * offDesign - alt / 100000.0L;
    }
    if (factor < 0.0L)
        factor = 0.0L;
    thrust_maximum = static_cast<float>(factor);

    tmax_curr = static_cast<float>(static_cast<long double>(tmax_acf) * thrust_maximum);
    if (thrust_maximum != thrust_maximum1 && std::isfinite(tmax_curr)) {
        XPLMSetDataf(dr_tmax, tmax_curr);
        thrust_maximum1 = thrust_maximum;
    }
}

float CheckHyper(float elapsedSinceLastCall, float, int, void*)
{
    Timer();
    switch (sectimer) {
    case 1: HyperWings(); break;
    case 3: HyperWater(); break;
    default:              break;
    }
    return TickInterval(elapsedSinceLastCall, CheckHyperCallback);
}

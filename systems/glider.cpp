// systems/glider.cpp: the motor glider's folding engine, its pilot position
// and ballast, and the glide figures of the custom data window.
#include "systems/glider.h"
#include "XPLMDataAccess.h"
#include "aircraft/models.h"
#include "common/hostvalues.h"
#include "common/timers.h"
#include "display/geometry.h"
#include "frame/controls.h"
#include "frame/datarefs.h"

uint8_t engOn = 1, gearstat = 1, propstat = 1, mixstat = 1;
float   swdi_ist = 0.0f;
float   rangeKM = 0.0f;
int     firing_mode1 = 1;
int     firing_rate1 = 0;

// The pilot's seat positions: the payload written while the shift is set, and
// the shifted mass.
struct PilotSeat {
    float fixed, shift;
};
static const PilotSeat PilotSeats[4] = {{76.0f, 75.0f}, {126.0f, 125.0f}, {136.0f, 135.0f}, {141.0f, 140.0f}};
static int SeatApplied = 1;          // the row an unknown selector falls back to

// Leg lengths, m: main legs 1 and 2, tail legs 3 and 4.
static const float LegsEngineOut[4] = {0.6096f, 0.6096f, 0.41f, 0.41f};
static const float LegsStowed[4] = {0.8096f, 0.8096f, 0.03f, 0.03f};

static void WriteLegs(const float (&legs)[4])
{
    for (int i = 0; i < 4; ++i)
        acf_gear_leglen[i] = legs[i];
    XPLMSetDatavf(dr_acf_gear_leglen[0], acf_gear_leglen, 0, 4);
}

static void WriteThrustPoints(int count)
{
    num_thrustpoints = count;
    XPLMSetDatai(dr_num_thrustpoints, num_thrustpoints);
}

static void WriteEngineMixture(float mixture)
{
    engine_Mix[0] = mixture;
    WriteMixtures(1);
}

void GliderPreset()
{
    PARAMETERlinUP = 4;
    PARAMETERlinDOWN = 1;
    engOn = gearstat = propstat = mixstat = 1;
    swdirqst = 0.0f;
    XPLMSetDataf(dr_swdirqst, swdirqst);
    WriteLegs(LegsEngineOut);
    WriteThrustPoints(1);
    WriteEngineMixture(1.0f);
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

// A disable keeps the record of the folding passage: the mechanism stands
// where the loop last saw it, and the loop goes on from there once enabled.
void GliderReset(ResetReason why)
{
    if (why == ResetDisable)
        return;
    engOn = gearstat = propstat = mixstat = 1;
    swdi_ist = 0.0f;
    rangeKM = 0.0f;
    firing_mode1 = 1;
    firing_rate1 = 0;
    SeatApplied = 1;
}

// A figure for the data window: what the host cannot mean shows as 0, and
// nothing is large enough to overflow the products below.
static float Figure(float reading) { return HostFiniteFloat(reading, -1.0e6f, 1.0e6f, 0.0f); }

void GliderFigures()
{
    true_airspeed = Figure(XPLMGetDataf(dr_true_airspeed)) * 3.6f;
    sim_vvi = Figure(XPLMGetDataf(dr_sim_vvi));
    CurrentAlt = Figure(XPLMGetDataf(dr_altitude));
    l_o_d = Figure(XPLMGetDataf(dr_l_o_d));
    // The window shows kilometres: the altitude goes from feet to metres first.
    rangeKM = static_cast<float>(CurrentAlt * 0.3048 * l_o_d / 1000.0);
}

// Strictly inside: a position on a bound does not trigger the step.
static bool Inside(float position, float low, float high) { return position > low && position < high; }

void GliderRetraction()
{
    swdi_ist = XPLMGetDataf(dr_swdi);
    swdirqst = XPLMGetDataf(dr_swdirqst);

    // Each step happens once per passage: its flag records it. A window
    // jumped over within one tick is missed for this passage.
    if (swdirqst < 0.05f) {
        // deploying: gear shape first, then the propeller, the mixture last
        if (!gearstat && Inside(swdi_ist, 0.75f, 0.8f)) {
            WriteLegs(LegsEngineOut);
            gearstat = 1;
        }
        if (!propstat && Inside(swdi_ist, 0.15f, 0.2f)) {
            WriteThrustPoints(1);
            propstat = 1;
        }
        if (!mixstat && Inside(swdi_ist, 0.01f, 0.1f)) {
            WriteEngineMixture(1.0f);
            mixstat = 1;
        }
    }
    if (swdirqst > 0.95f) {
        // stowing: the engine stops first, then the propeller and its trims go,
        // the gear takes its stowed shape last
        if (gearstat && Inside(swdi_ist, 0.75f, 0.8f)) {
            WriteLegs(LegsStowed);
            gearstat = 0;
        }
        if (propstat && Inside(swdi_ist, 0.25f, 0.3f)) {
            WriteThrustPoints(0);
            XPLMSetDataf(dr_ail_trim, 0.0f);
            XPLMSetDataf(dr_rud_trim, 0.0f);
            propstat = 0;
        }
        if (mixstat && Inside(swdi_ist, 0.01f, 0.1f)) {
            WriteEngineMixture(0.0f);
            mixstat = 0;
        }
    }
}

// Ballast in 10 kg steps above the first; a payload is never negative.
static float Ballast(int selector)
{
    const double kg = 10.0 * selector - 10.0;
    return kg > 0.0 ? static_cast<float>(kg) : 0.0f;
}

void GliderLoading()
{
    firing_mode = XPLMGetDatai(dr_firing_mode);
    if (firing_mode != firing_mode1) {
        // The shift is set with the seat's payload aboard, then the payload
        // goes back to what it was; an unknown selector repeats the last seat.
        if (firing_mode >= 0 && firing_mode <= 3)
            SeatApplied = firing_mode;
        const PilotSeat& seat = PilotSeats[SeatApplied];
        const float payload = XPLMGetDataf(dr_m_fixed);
        XPLMSetDataf(dr_m_fixed, seat.fixed);
        mass_shift = seat.shift;
        XPLMSetDataf(dr_mass_shift, mass_shift);
        XPLMSetDataf(dr_m_fixed, payload);
        mass_shift = XPLMGetDataf(dr_mass_shift);
        firing_mode1 = firing_mode;
    }

    firing_rate = XPLMGetDatai(dr_firing_rate);
    if (firing_rate != firing_rate1) {
        m_fixed = Ballast(firing_rate);
        XPLMSetDataf(dr_m_fixed, m_fixed);
        m_fixed = XPLMGetDataf(dr_m_fixed);
        firing_rate1 = firing_rate;
    }
}

float CheckGlider(float elapsedSinceLastCall, float, int, void*)
{
    Timer();
    GliderFigures();
    GliderRetraction();
    if (sectimer == 5)
        GliderLoading();
    return TickInterval(elapsedSinceLastCall, CheckGliderCallback);
}

// The QZT key folds the engine away or brings it out.
void GliderKey()
{
    engOn = engOn == 1 ? 0 : 1;
    swdirqst = 1.0f - engOn;
    XPLMSetDataf(dr_swdirqst, swdirqst);
}

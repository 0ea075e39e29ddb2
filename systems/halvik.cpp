// systems/halvik.cpp: the Halvik VTOL.
#include "systems/halvik.h"
#include "XPLMUtilities.h"
#include "aircraft/models.h"
#include "common/first_action.h"
#include "common/hostvalues.h"
#include "common/keys.h"
#include "frame/controls.h"
#include "frame/datarefs.h"
#include "prefs/prefs.h"

int RamMode = 0;

void HalvikPreset()
{
    WriteFixedMass(500.0f);
    Halv_TO_mode = 3;
    fuel_tot = static_cast<float>(HalvTakeOff[3].fuel / 2.204623);
}

// The turbo mode is the aircraft file's own engine; ram mode has no critical
// altitude and reaches Mach 7.8.
// A figure read as no number is not the file's: the last good one stays.
void HalvikFirstAction()
{
    critalt1 = HostReading(XPLMGetDataf(dr_critalt_curr), critalt1);
    macheff1 = HostReading(XPLMGetDataf(dr_macheff_curr), macheff1);
    critalt2 = 0.0f;
    macheff2 = 7.8f;
}

// A Halvik loaded again has its aircraft file's turbo engine, so the mode
// starts as turbo; the key's cycle starts again at its first mode, unless a
// disable has left it to announce the plug-in with its next press.
void HalvikReset(ResetReason why)
{
    if (why != ResetCleanUp)
        return;
    RamMode = 0;
    if (keystat1 > 0)
        keystat1 = 0;
}

static void WriteThrottles(float throttle)
{
    engine_thro_use[0] = engine_thro_use[1] = throttle;
    XPLMSetDatavf(dr_engine_thro_use[0], engine_thro_use, 0, 2);
}

// Throttles at 0.1 while the engine changes over; the parameters in the order
// critical altitude, spool time, Mach efficiency, forward throttle limit.
static void SwitchEngine(float critalt, float spooltime, float macheff, float throtmax)
{
    WriteHeldControl(HeldThrottles, 1);
    override_throttles = 1;
    WriteThrottles(0.1f);
    XPLMSetDataf(dr_critalt_curr, critalt);
    XPLMSetDataf(dr_spooltime_jet, spooltime);
    XPLMSetDataf(dr_macheff_curr, macheff);
    XPLMSetDataf(dr_throtmax_FWD, throtmax);
    XPLMSpeakString("Altering Engine Mode...");
}

// No loop of the Halvik keeps the Mach number and the altitude, so each
// request reads them: values another aircraft's loop left are not this one's.
void RamEngine(int request, float throttle)
{
    machno = XPLMGetDataf(dr_machno);
    CurrentAlt = XPLMGetDataf(dr_altitude);

    switch (request) {
    case RamRam:
        if (machno > 2.8f && CurrentAlt > 45000.0f) {
            SwitchEngine(critalt2, 0.5f, macheff2, 0.85f);
            RamMode = 1;
        } else {
            XPLMSpeakString("RAM Mode only above mach 2.8 and 45,000 feet !");
        }
        break;
    case RamTurbo:
        if (machno < 2.6f) {
            SwitchEngine(critalt1, 1.0f, macheff1, 1.0f);
            RamMode = 0;
        } else {
            XPLMSpeakString("Turbo Mode only below mach 2.6!");
        }
        break;
    case RamRelease:
        WriteThrottles(throttle);
        WriteHeldControl(HeldThrottles, 0);
        override_throttles = 0;
        XPLMSpeakString(RamMode == 1 ? "RAM Engine!" : "Turbo Engine!");
        break;
    default:
        break;
    }
}

// Each press moves the take-off mode on, also above Mach 1, where it selects
// nothing but hands the throttles back, at full, and asks for the other
// engine mode.
void HalvikKey()
{
    machno = XPLMGetDataf(dr_machno);
    CurrentAlt = XPLMGetDataf(dr_altitude);
    ++keystat1;
    if (machno < 1.0f) {
        if (keystat1 < 0 || keystat1 >= HalvTakeOffRows || HalvTakeOff[keystat1].mode == 99)
            keystat1 = 1;
        Halv_TO_mode = keystat1;
        fuel_tot = static_cast<float>(HalvTakeOff[keystat1].fuel / 2.204623);
        XPLMSpeakString(HalvTakeOff[keystat1].text);
    } else {
        RamEngine(RamRelease, 1.0f);
        if (!autoEngineRam)
            RamEngine(RamMode == 1 ? RamTurbo : RamRam, 1.0f);
    }
}

// carrier/zoom.cpp: SHdoZoom, the zoom-climb autopilot. It flies the carrier
// through its launch: a climb to 72,000 ft past Mach 6.3, a trim pull-up into
// a ballistic zoom to about 300,000 ft, the orbiter's release at the top, the
// pull-out and the descent to 60,000 ft, where the host's autopilot takes over.
#include "carrier/zoom.h"
#include <cmath>
#include "XPLMDataAccess.h"
#include "XPLMUtilities.h"
#include "carrier/carrier.h"
#include "carrier/orbiter.h"
#include "carrier/panel.h"
#include "common/hostvalues.h"
#include "common/keys.h"
#include "common/timers.h"
#include "frame/controls.h"
#include "frame/datarefs.h"
#include "frame/log.h"
#include "prefs/prefs.h"

int     zoom_on = 0;
int     schalt1 = 0;
float   zlevel1 = 0.0f, zlevel2 = 0.0f;
float   zspeed1 = 0.0f;
float   zendlevel = 0.0f, zendspeed = 0.0f;
float   trimincr = 0.0f;
float   minFuel = 0.0f, maxFuel = 0.0f;
float   maxFWD2 = 1.0f, currmaxFWD2 = 1.0f;
uint8_t TARGETalt = 0;
int     INDEXstored = 0;
float   floatBuffer1 = 0.0f, floatBuffer2 = 0.0f, floatBuffer3 = 0.0f, floatBuffer4 = 0.0f;

// Zoom entry window and the altitude the zoom must pass for a release.
static const float ZoomEntryLow = 71000.0f, ZoomEntryHigh = 72500.0f, ZoomEntryMach = 6.3f;
static const float TargetAltitude = 295000.0f;

static void SetMachTarget(float mach)
{
    XPLMSetDatai(dr_ap_ismach, 1);
    XPLMSetDataf(dr_ap_speed, mach);
}

static void SetAutopilotMode(int mode)
{
    autopilot_mode = mode;
    XPLMSetDatai(dr_autopilot_mode, autopilot_mode);
}

static void SetThrottleLimit(float limit)
{
    XPLMSetDataf(dr_throtmax_FWD, limit);
}

// Altitude hold at zendlevel and zendspeed, the recovery set-up.
static void SetRecoveryTargets()
{
    XPLMSetDataf(dr_ap_altitude, zendlevel);
    XPLMSetDataf(dr_ap_vertical_velocity, 6000.0f);
    SetMachTarget(zendspeed);
}

// The throttle limit is worked out of the fuel aboard.
static void ReadTanks()
{
    fuel_1 = HostReading(XPLMGetDataf(dr_fuel_1), fuel_1);
    fuel_2 = HostReading(XPLMGetDataf(dr_fuel_2), fuel_2);
    fuel_3 = HostReading(XPLMGetDataf(dr_fuel_3), fuel_3);
    fuel_tot = fuel_1 + fuel_2 + fuel_3;
}

static void PhaseStart()
{
    if (SHOISTfromLOC)
        XPLMSetDataf(dr_ap_heading_true, ap_heading_true);
    ap_flags = 163;
    zoom_on = 1;
    override_flightdir_pitch = 1;
    override_flightdir_roll = 0;
    flight_director_roll = 0.0f;
}

// Too much fuel for the zoom is dumped down to maxFuel.
static void DumpExcessFuel()
{
    dumping_fuel = XPLMGetDatai(dr_dumping_fuel) != 0;
    ReadTanks();
    if (fuel_tot > maxFuel && !dumping_fuel) {
        dumping_fuel = 1;
        WriteHeldControl(HeldFuelDump, 1);
        system22mes = 18;
    }
    if (fuel_tot <= maxFuel && dumping_fuel) {
        dumping_fuel = 0;
        WriteHeldControl(HeldFuelDump, 0);
        system22mes = 0;
    }
}

// Throttle limit for the zoom: a little below 1 with less fuel, a little above
// it in warm air.
static void ZoomThrottleLimit()
{
    ReadTanks();
    floatBuffer3 = 0.0f;
    if (maxFuel > minFuel)
        floatBuffer3 = (fuel_tot - minFuel) * 0.03f / (maxFuel - minFuel) - 0.03f;
    floatBuffer4 = (temperature_ambc + 100.0f) * 0.001f / 60.0f - 0.001f;
    currmaxFWD2 = maxFWD2 + floatBuffer3 + floatBuffer4;
    SetThrottleLimit(currmaxFWD2);
}

// Climb to zlevel1 on the autopilot, accelerating by a Mach schedule.
static void PhaseClimb()
{
    DumpExcessFuel();

    if (schalt1 == 0) {
        EngageAutopilot(ap_flags);
        SetMachTarget(0.9f);
        SetAutopilotMode(2);
        XPLMSetDataf(dr_ap_altitude, zlevel1);
        schalt1 = 1;
    }

    // 10 deg climb, 1 deg through the transonic band, 8 deg above 73,000 ft
    floatBuffer2 = (machno > 0.95f && machno < 1.55f) ? -9.0f : 0.0f;
    floatBuffer3 = CurrentAlt > 73000.0f ? -2.0f : 0.0f;
    flight_director_pitch = (zlevel1 + 2100.0f - CurrentAlt) / 2250.0f + alpha;
    if (flight_director_pitch >= 10.0f)
        flight_director_pitch = 10.0f + floatBuffer2 + floatBuffer3;
    else if (flight_director_pitch <= -5.0f)
        flight_director_pitch = -5.0f;

    if (schalt1 == 1 && CurrentAlt > 15000.0f) {
        SetMachTarget(1.8f);
        schalt1 = 2;
    }
    if (schalt1 == 2 && CurrentAlt > 30000.0f) {
        SetMachTarget(2.25f);
        schalt1 = 3;
    }
    if (schalt1 == 3 && CurrentAlt > 40000.0f) {
        XPLMSetDatai(dr_fuel_tank_transfer, 2);
        SetMachTarget(3.25f);
        schalt1 = 4;
    }
    if (schalt1 == 4 && CurrentAlt > zlevel1 - 14000.0f) {
        SetMachTarget(zspeed1);
        XPLMSetDataf(dr_ap_altitude, zlevel1);
        system22mes = 22;
        system23mes = 56;
        schalt1 = 6;
    }

    if (schalt1 == 6 && CurrentAlt > ZoomEntryLow && CurrentAlt < ZoomEntryHigh && machno > ZoomEntryMach) {
        // cleared in memory only: the host keeps the last climb command until
        // the pull-up's top sets new ones
        override_flightdir_pitch = 0;
        schalt1 = 0;
        zoom_on = 2;
        system22mes = 35;
        system23mes = 0;
        SetAutopilotMode(1);
        SetMachTarget(9.0f);
        ZoomThrottleLimit();
    }

    WriteFlightDirector();
}

// Pull-up by elevator trim, easing off as the airspeed decays over the top.
static void PhasePullUp()
{
    // the trim grows ever more slowly above 4.1 g
    floatBuffer1 = 1.0f;
    if (g_nrml > 4.1f)
        floatBuffer1 = std::pow(1.0f / (g_nrml - 3.1f), 3.0f);

    if (schalt1 == 0) {
        elvator_trim += trimincr * floatBuffer1;
        if (elvator_trim > 0.8f)
            elvator_trim = 0.8f;
        floatBuffer2 = elvator_trim;
        if (ind_airspeed < 140.0f) {
            SetMachTarget(2.0f);
            system22mes = 23;
            schalt1 = 1;
        }
    }
    if (schalt1 == 1) {
        const float r = ind_airspeed / 140.0f;
        elvator_trim = r * r * floatBuffer2;
        if (ind_airspeed < 60.0f) {
            system22mes = 36;
            schalt1 = 2;
        }
    }
    if (schalt1 == 2) {
        const float r = ind_airspeed / 60.0f;
        elvator_trim = r * r * r * 0.2f;
        if (ind_airspeed < 15.0f) {
            elvator_trim = 0.012f;
            SetThrottleLimit(0.1f);   // currmaxFWD2 keeps the zoom's limit
            schalt1 = 3;
        }
    }
    // the nose has come down over the top: hold 20 deg towards the recovery
    if (schalt1 == 3 && pitch_elect <= 21.5f) {
        XPLMSetDatai(dr_autopilot_mode, 0);
        ap_flags = 164;
        EngageAutopilot(ap_flags);
        SetAutopilotMode(2);
        XPLMSetDataf(dr_ap_altitude, zendlevel);
        SetMachTarget(zendspeed);
        override_flightdir_pitch = 1;
        override_flightdir_roll = 1;
        flight_director_pitch = 20.0f;
        TIMERval_1 = 0;
        TIMER_1 = 1;
        schalt1 = 4;
    }
    if (schalt1 == 4 && TIMERval_1 >= 50) {
        if (CurrentAlt > TargetAltitude) {
            TARGETalt = 1;
            system22mes = 37;
        } else {
            TARGETalt = 0;
            system22mes = 38;
            system23mes = 25;
        }
        TIMER_1 = 0;
        schalt1 = 0;
        zoom_on = 3;
    }
    if (schalt1 < 4)
        XPLMSetDataf(dr_elvator_trim, elvator_trim);

    WriteFlightDirector();
}

// A value that is no number is stored as the preferences file keeps it, as
// 0, so the orbiter never flies to NaN (a latitude of 0 marks an empty record).
static double Stored(double v) { return std::isfinite(v) ? v : 0.0; }
static float Stored(float v) { return std::isfinite(v) ? v : 0.0f; }

// The whole release into the record this run fills: position, velocity,
// attitude and the figures the dialog shows. That record is then the latest
// release the file names and the one the next orbiter starts from.
static void StoreRelease()
{
    if (INDEXtostore < 1 || INDEXtostore >= OrbRecords)
        return;
    const int i = INDEXtostore;
    orb_latitude[i] = Stored(XPLMGetDatad(dr_latitude));
    orb_longitude[i] = Stored(XPLMGetDatad(dr_longitude));
    orb_elevation[i] = Stored(XPLMGetDatad(dr_elevation));
    orb_local_vx[i] = Stored(XPLMGetDataf(dr_local_vx));
    orb_local_vy[i] = Stored(XPLMGetDataf(dr_local_vy));
    orb_local_vz[i] = Stored(XPLMGetDataf(dr_local_vz));
    // A host that gives fewer than four values leaves no older attitude behind.
    float q[4] = {};
    XPLMGetDatavf(dr_Quaternion[0], q, 0, 4);
    for (int k = 0; k < 4; ++k)
        orb_quaternion[i][k] = Stored(q[k]);
    ORBreleaseFigures(i);
    INDEXstored = i;
    orbindex_last = i;
    orbindex_active = i;
}

// Once per release, what the record finally holds.
static void LogRelease()
{
    const int i = INDEXtostore;
    if (i < 1 || i >= OrbRecords) {
        LogLine("orbiter released; no release record to store it in");
        return;
    }
    const double v = std::sqrt(double(orb_local_vx[i]) * orb_local_vx[i] + double(orb_local_vy[i]) * orb_local_vy[i] +
                               double(orb_local_vz[i]) * orb_local_vz[i]);
    LogLine("release stored in record %d: latitude %.5f, longitude %.5f, elevation %.0f m, speed %.1f m/s", i,
            orb_latitude[i], orb_longitude[i], orb_elevation[i], v);
}

// Release on timer 2: doors, "Orbiter out" at 2 s, lowered over 1 to 6 s,
// released at 6.0 and 6.1 s, done at 6.5 s.
static void ReleaseSequence()
{
    if (sim_vvi <= 275.0f && !TIMER_2) {
        SHopenBay();
        system22mes = 32;
        system23mes = 0;
        TIMER_2 = 1;
        TIMERval_2 = 0;
    }
    if (TIMERval_2 == 20) {
        system22mes = 32;
        system23mes = 6;
        XPLMSpeakString("Orbiter out");
    }
    if (TIMERval_2 >= 10 && TIMERval_2 <= 59) {
        WeaponsY_wpn_att[2] -= 0.1f;
        WriteBayAttachment();
    }
    if (TIMERval_2 == 60 || TIMERval_2 == 61) {
        StoreRelease();
        WriteHeldControl(HeldFireKey, 1);
    }
    if (TIMERval_2 > 64) {
        system22mes = 11;
        system23mes = 8;
        system24mes = 12;
        XPLMSpeakString("Launch successful");
        LogRelease();
        WriteHeldControl(HeldFireKey, 0);
        TIMER_2 = 0;
        schalt1 = 2;
    }
}

static void PhaseRelease()
{
    if (schalt1 == 0) {
        // a count left from an earlier release must not end this one at once
        TIMER_2 = 0;
        TIMERval_2 = 0;
        currmaxFWD2 = 1.0f;
        SetThrottleLimit(currmaxFWD2);
        schalt1 = 1;
    }
    if (schalt1 == 1) {
        if (TARGETalt)
            ReleaseSequence();
        else
            schalt1 = 2;
    }
    // the carrier has started down: doors shut, set up the re-entry
    if (schalt1 == 2 && sim_vvi <= 0.0f) {
        water_scoop = water_scoop1 = 0;
        XPLMSetDatai(dr_water_scoop, 0);
        SetRecoveryTargets();
        SetAutopilotMode(2);
        if (Weapon_status[2] == 0) {
            system22mes = 31;
            system23mes = 25;
            XPLMSpeakString("Launch failed, proceeding automatic reentry");
        } else if (Weapon_status[2] == 1) {
            system22mes = 31;
            system23mes = 25;
            XPLMSpeakString("Baydoors closed, proceeding automatic reentry");
        }
        schalt1 = 3;
    }
    if (schalt1 == 3) {
        if (flight_director_pitch > 6.0f) {
            flight_director_pitch -= 0.05f;
        } else {
            flight_director_pitch = 5.0f;
            schalt1 = 0;
            zoom_on = 4;
        }
    }

    WriteFlightDirector();
}

static void PhasePullOut()
{
    if (CurrentAlt <= 95000.0f && schalt1 == 0) {
        schalt1 = 1;
        ap_flags = 163;
        WriteHeldControl(HeldMissilesArmed, 0);
        WriteHeldControl(HeldFireKey, 0);
    }
    if (schalt1 == 1) {
        override_flightdir_pitch = 1;
        override_flightdir_roll = 1;
        flight_director_pitch = -3.0f;
        flight_director_roll = 0.0f;
        system22mes = 0;
        system23mes = 0;
        schalt1 = 0;
        zoom_on = 5;
    }

    WriteFlightDirector();
}

static void PhaseDescent()
{
    flight_director_pitch = (zendlevel - CurrentAlt) / 2500.0f + alpha;
    if (flight_director_pitch > 6.0f)
        flight_director_pitch = 6.0f;
    if (flight_director_pitch < -6.0f)
        flight_director_pitch = -6.0f;

    if (CurrentAlt > zendlevel + 2000.0f && CurrentAlt < zendlevel + 12000.0f) {
        override_flightdir_pitch = 0;
        override_flightdir_roll = 0;
        WriteHeldControl(HeldFlightDirPitch, 0);
        WriteHeldControl(HeldFlightDirRoll, 0);
        // The state bits as read in this call would go back here; written to
        // the autopilot they would press every engaged mode's button and
        // switch those modes off, so nothing is written.
        SetRecoveryTargets();
        schalt1 = 0;
        zoom_on = 6;
    }

    WriteFlightDirector();
}

// Hand-over: the stick and the autopilot are the pilot's again.
static void PhaseHandOver()
{
    // "LAUNCH STORED" and the record number only when a release was stored:
    // a zoom that missed its altitude still says so at the end.
    system21mes = 34;
    system22mes = TARGETalt ? 47 : 38;
    system23mes = TARGETalt ? 48 : 0;

    if (override_joystick) {
        override_joystick = 0;
        WriteHeldControl(HeldJoystick, 0);
    }
    if (!SHOISTfromLOC) {
        ap_flags = 163;
        SetAutopilotMode(0);
        EngageAutopilot(ap_flags);
        SetAutopilotMode(2);
        SetRecoveryTargets();
    }

    prop_sync_on = 0;
    XPLMSetDatai(dr_prop_sync_on, 0);
    SHOISTactive = 0;
    SHOISTdone = 1;
}

void SHdoZoom()
{
    ind_airspeed = HostReading(XPLMGetDataf(dr_ind_airspeed), ind_airspeed);
    sim_vvi = HostReading(XPLMGetDataf(dr_sim_vvi), sim_vvi);
    pitch_elect = HostReading(XPLMGetDataf(dr_pitch_elect), pitch_elect);
    alpha = HostReading(XPLMGetDataf(dr_alpha), alpha);
    autopilot_mode = XPLMGetDatai(dr_autopilot_mode);

    // a phase that ends hands straight on to the next within the same call
    if (zoom_on == 0)
        PhaseStart();
    if (zoom_on == 1)
        PhaseClimb();
    if (zoom_on == 2)
        PhasePullUp();
    if (zoom_on == 3)
        PhaseRelease();
    if (zoom_on == 4)
        PhasePullOut();
    if (zoom_on == 5)
        PhaseDescent();
    if (zoom_on == 6)
        PhaseHandOver();
}

// carrier/orbiter.cpp: the orbit release table and CheckOrbiter.
// The orbiter waits on the ground until the pilot first lets the parking brake
// go, is then put at the stored release as if it had just left the carrier, and
// flies its rocket ascent to orbital speed on the drive switch (prop sync).
#include "carrier/orbiter.h"
#include <cmath>
#include "XPLMDataAccess.h"
#include "XPLMGraphics.h"
#include "XPLMUtilities.h"
#include "aircraft/models.h"
#include "carrier/carrier.h"
#include "carrier/zoom.h"
#include "common/hostvalues.h"
#include "common/timers.h"
#include "display/handbook.h"
#include "frame/controls.h"
#include "frame/datarefs.h"
#include "prefs/prefs.h"

double orb_latitude[OrbRecords] = {};
double orb_longitude[OrbRecords] = {};
double orb_elevation[OrbRecords] = {};
float  orb_local_vx[OrbRecords] = {}, orb_local_vy[OrbRecords] = {}, orb_local_vz[OrbRecords] = {};
float  orb_quaternion[OrbRecords][4] = {};
float  orb_pitch[OrbRecords] = {}, orb_roll[OrbRecords] = {}, orb_head[OrbRecords] = {};
float  orb_speed[OrbRecords] = {};

double G_konst = 6.67e-11;
double Planet_masse = 5.98e18;
float  Planet_radius = 6378.0f;

float   groundspeedKMS = 0.0f, orbspeedKMS = 0.0f, ORB_AltKM = 250.0f;
float   fuel_2full = 0.0f;
int     mis_time_hold1 = 0;
uint8_t ORBcut = 0;

// No tank holds more, whatever the host reads out.
static const float MaxTankKg = 1.0e6f;
static void WriteThrottles() { XPLMSetDatavf(dr_engine_thro_use[0], engine_thro_use, 0, 2); }

// Circular orbit speed at the present height, sqrt(G M / r) in km/s: the
// planet mass is kept in units of 10^6 kg and r in km, hence the two powers
// of ten and the factor 0.1.
static void ORBspeed()
{
    const long double r = (static_cast<long double>(Planet_radius) + CurrentAltKM) * 1e7L;
    if (!(r > 0.0L))
        return;   // a height below the planet's centre is no reading to fly by
    const long double gm = static_cast<long double>(G_konst) * Planet_masse * 1e6L;
    orbspeedKMS = static_cast<float>(0.1L * std::sqrt(gm / r));
}

// ---------------------------------------------------------------- the release records

static const double DegPerRad = 57.29577951308232;

// The host's attitude quaternion of a heading, pitch and roll in degrees.
static void QuaternionOf(double head, double pitch, double roll, float q[4])
{
    const double h = head / DegPerRad / 2, p = pitch / DegPerRad / 2, r = roll / DegPerRad / 2;
    q[0] = static_cast<float>(std::cos(h) * std::cos(p) * std::cos(r) + std::sin(h) * std::sin(p) * std::sin(r));
    q[1] = static_cast<float>(std::cos(h) * std::cos(p) * std::sin(r) - std::sin(h) * std::sin(p) * std::cos(r));
    q[2] = static_cast<float>(std::cos(h) * std::sin(p) * std::cos(r) + std::sin(h) * std::cos(p) * std::sin(r));
    q[3] = static_cast<float>(-std::cos(h) * std::sin(p) * std::sin(r) + std::sin(h) * std::cos(p) * std::cos(r));
}

// The attitude a record puts the orbiter in, always a unit quaternion: its
// own; without one (a file from before releases kept theirs, a host that gave
// none) its heading, pitch and roll when set; else nose along its velocity,
// wings level. A zero quaternion is no attitude at all to the host.
static void RecordAttitude(int rec, float q[4])
{
    const float* own = orb_quaternion[rec];
    const double n = std::sqrt(double(own[0]) * own[0] + double(own[1]) * own[1] + double(own[2]) * own[2] +
                               double(own[3]) * own[3]);
    if (std::isfinite(n) && n >= 0.5) {
        for (int i = 0; i < 4; ++i)
            q[i] = static_cast<float>(own[i] / n);
        return;
    }
    const double head = orb_head[rec], pitch = orb_pitch[rec], roll = orb_roll[rec];
    if (std::isfinite(head + pitch + roll) && (head != 0.0 || pitch != 0.0 || roll != 0.0)) {
        QuaternionOf(head, pitch, roll, q);
        return;
    }
    // x east, y up, z south: heading 0 points along -z.
    const double vx = orb_local_vx[rec], vy = orb_local_vy[rec], vz = orb_local_vz[rec];
    const double level = std::hypot(vx, vz);
    const bool moving = std::isfinite(level + vy) && (level > 0.0 || vy != 0.0);
    QuaternionOf(moving && level > 0.0 ? std::atan2(vx, -vz) * DegPerRad : 0.0,
                 moving ? std::atan2(vy, level) * DegPerRad : 0.0, 0.0, q);
}

void ORBreleaseFigures(int rec)
{
    if (rec < 1 || rec >= OrbRecords)
        return;
    // Figures an older release left in the record must not stand in for a
    // quaternion this host did not give.
    orb_head[rec] = orb_pitch[rec] = orb_roll[rec] = 0.0f;
    float q[4];
    RecordAttitude(rec, q);
    const double q0 = q[0], q1 = q[1], q2 = q[2], q3 = q[3];
    double head = std::atan2(2.0 * (q0 * q3 + q1 * q2), 1.0 - 2.0 * (q2 * q2 + q3 * q3)) * DegPerRad;
    if (head < 0.0)
        head += 360.0;
    const double sinPitch = 2.0 * (q0 * q2 - q3 * q1);
    orb_head[rec] = static_cast<float>(head >= 360.0 ? 0.0 : head);
    orb_pitch[rec] = static_cast<float>(std::asin(sinPitch > 1.0 ? 1.0 : sinPitch < -1.0 ? -1.0 : sinPitch) * DegPerRad);
    orb_roll[rec] = static_cast<float>(std::atan2(2.0 * (q0 * q1 + q2 * q3), 1.0 - 2.0 * (q1 * q1 + q2 * q2)) * DegPerRad);
    const double v = std::sqrt(double(orb_local_vx[rec]) * orb_local_vx[rec] +
                               double(orb_local_vy[rec]) * orb_local_vy[rec] +
                               double(orb_local_vz[rec]) * orb_local_vz[rec]);
    orb_speed[rec] = std::isfinite(v) ? static_cast<float>(v / 1000.0) : 0.0f;
}

// The record the orbiter starts from: the one the dialog shows, which is the
// latest release unless the pilot chose another. One no release has filled
// (a latitude of exactly 0) means the default record 0.
static int ORBstartRecord()
{
    const int rec = (orbindex_active >= 0 && orbindex_active < OrbRecords) ? orbindex_active : 0;
    return orb_latitude[rec] != 0.0 ? rec : 0;
}

// The record's place, speed and attitude in the simulator's coordinates;
// false when it is no place at all (a file edited to a longitude of 1e300).
static float PlaceAttitude[4];

static bool RecordPlace(int rec)
{
    XPLMWorldToLocal(orb_latitude[rec], orb_longitude[rec], orb_elevation[rec], &local_x, &local_y, &local_z);
    local_vx = orb_local_vx[rec];
    local_vy = orb_local_vy[rec];
    local_vz = orb_local_vz[rec];
    RecordAttitude(rec, PlaceAttitude);
    bool finite = std::isfinite(local_x) && std::isfinite(local_y) && std::isfinite(local_z) &&
                  std::isfinite(local_vx) && std::isfinite(local_vy) && std::isfinite(local_vz);
    for (float q : PlaceAttitude)
        finite = finite && std::isfinite(q);
    return finite;
}

// Puts the orbiter at the stored release of the chosen record, position,
// speed and attitude all from it. A record that is no place falls back to
// record 0; if that is none either, the orbiter stays where it is.
static void ORBplace()
{
    go_initial = 0;

    ap_flags = 164;
    EngageAutopilot(ap_flags);
    prop_sync_on = 1;
    XPLMSetDatai(dr_prop_sync_on, prop_sync_on);
    ORB_AltKM = 250.0f;

    int rec = ORBstartRecord();
    bool place = RecordPlace(rec);
    if (!place && rec != 0)
        place = RecordPlace(rec = 0);
    if (place) {
        XPLMSetDatad(dr_local_x, local_x);
        XPLMSetDatad(dr_local_y, local_y);
        XPLMSetDatad(dr_local_z, local_z);
        XPLMSetDataf(dr_local_vx, local_vx);
        XPLMSetDataf(dr_local_vy, local_vy);
        XPLMSetDataf(dr_local_vz, local_vz);
        XPLMSetDatavf(dr_Quaternion[0], PlaceAttitude, 0, 4);
    }

    XPLMCommandButtonPress(xplm_joy_gear_up);
    XPLMCommandButtonRelease(xplm_joy_gear_up);

    // Engine 1 is the air-breather for the way home; engine 2 the rocket. The
    // other engines are not the orbiter's to set.
    engine_Mix[0] = 0.0f;
    engine_Mix[1] = 1.0f;
    WriteMixtures(2);
    override_throttles = 1;
    WriteHeldControl(HeldThrottles, override_throttles);
    engine_thro_use[0] = 0.0f;
    engine_thro_use[1] = 1.0f;
    WriteThrottles();

    autopilot_mode = 2;
    override_flightdir_pitch = 1;
    override_flightdir_roll = 1;
    flight_director_pitch = 20.0f;
    flight_director_roll = 0.0f;
    XPLMSetDatai(dr_autopilot_mode, autopilot_mode);
    // The ascent's first steps fly on this 20 deg command. It goes to the host
    // now: the ascent program, later in this same call, drops the pitch
    // override from what it writes until it steers the pitch itself.
    WriteHeldControl(HeldFlightDirPitch, override_flightdir_pitch);
    XPLMSetDataf(dr_flight_director_pitch, flight_director_pitch);

    mis_time_hold1 = mis_seconds_tenth;
    fuel_tank_selector = 2;
    XPLMSetDatai(dr_fuel_tank_selector, fuel_tank_selector);
    schalt1 = 0;

    // The throttle schedule measures the burn against the tank as it is now.
    fuel_2full = fuel_2;
    ORBcut = 0;
}

// Throttle back as the rocket tank empties: full power at a full tank,
// falling towards a quarter at an empty one, but never below 40 %.
// Called only while the tank holds more than 1 kg.
static void ORBthrottle()
{
    // A tank refilled beyond its content at placement counts as full.
    if (fuel_2full < fuel_2)
        fuel_2full = fuel_2;
    engine_thro_use[0] = 0.0f;
    if (engine_thro_use[1] > 0.4f) {
        engine_thro_use[1] = 1.0f - 0.75f * (fuel_2full - fuel_2) / fuel_2full;
        if (engine_thro_use[1] <= 0.4f)
            engine_thro_use[1] = 0.4f;
    }
    WriteThrottles();
}

// Orbital speed reached or tank empty: the rocket is shut down for good (its
// remaining fuel is discarded), the autopilot let go, engine 1 restarted at a
// low throttle limit, and the spent booster released.
static void ORBcutEngine()
{
    mis_time_hold1 = mis_seconds_tenth;
    bombs_armed = 1;
    WriteHeldControl(HeldBombsArmed, bombs_armed);

    prop_sync_on = 0;
    XPLMSetDatai(dr_prop_sync_on, prop_sync_on);
    // All modes off: a write of 0 presses no button, so the host keeps its
    // modes, and the autopilot goes off with its mode below.
    ap_flags = 0;
    autopilot_mode = 1;
    XPLMSetDatai(dr_autopilot_mode, autopilot_mode);
    elvator_trim = 0.0f;
    XPLMSetDataf(dr_elvator_trim, elvator_trim);
    fuel_2 = 0.0f;
    XPLMSetDataf(dr_fuel_2, fuel_2);

    override_throttles = 1;
    WriteHeldControl(HeldThrottles, override_throttles);
    engine_thro_use[0] = 0.0f;
    engine_thro_use[1] = 0.0f;
    WriteThrottles();
    override_throttles = 0;
    WriteHeldControl(HeldThrottles, override_throttles);
    XPLMSetDataf(dr_throtmax_FWD, 0.05f);

    engine_Mix[0] = 1.0f;
    engine_Mix[1] = 0.0f;
    WriteMixtures(2);

    autopilot_mode = 0;
    XPLMSetDatai(dr_autopilot_mode, autopilot_mode);
    // Only in memory: the host keeps the override flags and commands last written.
    override_flightdir_pitch = 0;
    override_flightdir_roll = 0;
    flight_director_pitch = 0.0f;
    flight_director_roll = 0.0f;
    schalt1 = 3;
    ORBcut = 1;

    WriteHeldControl(HeldFireKey, 1);
}

// One call of the ascent program while the drive is on and tank 2 selected.
// Step 0 trims the nose up by pitch, step 1 eases the trim until the nose is
// down to 20 deg, step 2 flies the flight director to 250 km at orbital speed.
static void ORBascent()
{
    // Wings level throughout; the pitch command stays as last written until step 2.
    override_flightdir_pitch = 0;
    override_flightdir_roll = 1;
    flight_director_roll = 0.0f;

    if (schalt1 == 0) {
        elvator_trim = 1.0f - pitch_elect / 80.0f;
        XPLMSetDataf(dr_elvator_trim, elvator_trim);
    }
    if (schalt1 == 1) {
        elvator_trim -= 0.000001f;
        XPLMSetDataf(dr_elvator_trim, elvator_trim);
    }
    if (schalt1 == 2) {
        // Climbs while below the orbit and short of orbital speed; the
        // command falls to 0 as either gap closes.
        override_flightdir_pitch = 1;
        flight_director_pitch = (ORB_AltKM - CurrentAltKM) * 0.2f * (orbspeedKMS - groundspeedKMS) / 10.0f;
        if (flight_director_pitch >= 20.0f)
            flight_director_pitch = 20.0f;
    }

    if (schalt1 == 0 && sim_vvi >= 360.0f && mis_seconds_tenth - mis_time_hold1 > 200)
        schalt1 = 1;
    if (schalt1 == 1 && pitch_elect <= 20.0f) {
        elvator_trim = 0.0f;
        XPLMSetDataf(dr_elvator_trim, elvator_trim);
        schalt1 = 2;
    }

    // An empty tank is cut below before the schedule would measure it.
    if (schalt1 == 2 && fuel_2 > 1.0f)
        ORBthrottle();

    if ((schalt1 == 2 && groundspeedKMS >= orbspeedKMS - 0.02f) || fuel_2 <= 1.0f)
        ORBcutEngine();
}

// The cut has turned the drive off, so this step runs whatever the drive
// switch says: 3 s after the cut the booster release is disarmed and tank 1
// selected, which lets the clutch go 3 s later.
static void ORBafterCut()
{
    if (mis_seconds_tenth < mis_time_hold1 + 30)
        return;
    bombs_armed = 0;
    WriteHeldControl(HeldBombsArmed, bombs_armed);
    WriteHeldControl(HeldFireKey, 0);
    fuel_tank_selector = 1;
    XPLMSetDatai(dr_fuel_tank_selector, fuel_tank_selector);
    mis_time_hold1 = mis_seconds_tenth;
    ORBcut = 0;
}

// A disable ends the ascent program: its overrides go back with the held
// controls and the drive switch goes off, so the program does not start again
// by itself once the plug-in is enabled. A placement still due stays due.
void OrbiterReset(ResetReason why)
{
    if (why == ResetDisable && XPLMGetDatai(dr_prop_sync_on) != 0) {
        prop_sync_on = 0;
        XPLMSetDatai(dr_prop_sync_on, prop_sync_on);
    }
    groundspeedKMS = 0.0f;
    orbspeedKMS = 0.0f;
    ORB_AltKM = 250.0f;
    fuel_2full = 0.0f;
    mis_time_hold1 = 0;
    ORBcut = 0;
    schalt1 = 0;
    flight_director_pitch = 0.0f;
    flight_director_roll = 0.0f;
}

float CheckOrbiter(float elapsedSinceLastCall, float, int, void*)
{
    Timer();

    // The ascent writes the trim and the flight director from these.
    CurrentAlt = HostReading(XPLMGetDataf(dr_altitude), CurrentAlt);
    CurrentAltKM = CurrentAlt * 0.0003048f;
    groundspeedKMS = HostReading(XPLMGetDataf(dr_groundspeed), groundspeedKMS * 1000.0f) / 1000.0f;
    sim_vvi = HostReading(XPLMGetDataf(dr_sim_vvi), sim_vvi);
    pitch_elect = HostReading(XPLMGetDataf(dr_pitch_elect), pitch_elect);
    prop_sync_on = XPLMGetDatai(dr_prop_sync_on) != 0;
    fuel_tank_selector = XPLMGetDatai(dr_fuel_tank_selector);
    elvator_trim = HostReading(XPLMGetDataf(dr_elvator_trim), elvator_trim);

    ORBspeed();
    // The throttle schedule keeps the content at placement: an unusable
    // reading then would hold for the whole ascent.
    fuel_2 = HostClampFloat(XPLMGetDataf(dr_fuel_2), 0.0f, MaxTankKg, fuel_2);

    if (go_initial && sectimer == 0)
        ORBplace();

    if (fuel_tank_selector == 2) {
        if (prop_sync_on)
            ORBascent();
        if (ORBcut)
            ORBafterCut();
    }

    if (fuel_tank_selector == 1 && mis_seconds_tenth >= mis_time_hold1 + 30)
        XPLMSetDatai(dr_clutch_engage, 0);

    WriteFlightDirector();
    return TickInterval(elapsedSinceLastCall, CheckOrbiterCallback);
}

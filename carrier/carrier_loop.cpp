// carrier/carrier_loop.cpp: CheckSkyhoist, the carrier's 0.1 s loop.
#include "carrier/carrier.h"
#include <cstring>
#include "XPLMDataAccess.h"
#include "aircraft/models.h"
#include "carrier/panel.h"
#include "carrier/zoom.h"
#include "common/hostvalues.h"
#include "common/timers.h"
#include "frame/controls.h"
#include "frame/datarefs.h"
#include "systems/stores.h"

float   CurrentAltKM = 0.0f;
uint8_t prop_sync_on1 = 0;
uint8_t water_scoop1 = 0;
uint8_t BAYladen = 0, BAYladen1 = 0;
uint8_t BAYtrim = 0;
uint8_t ORBfuelgone = 0;
uint8_t ORBemergout = 0;
uint8_t water = 0;
float   WASSERverbrauch = 0.0f;
float   thrust_maximum = 1.0f;
float   tmax_acf = 0.0f, tmax_curr = 0.0f;
uint8_t ISdihedral = 0, ISdihedral1 = 0;
uint8_t ISsweep = 0, ISsweep1 = 0;
float   tempc[6] = {};
uint8_t SHOISTactive = 0;
uint8_t SHOISTfromLOC = 0;
uint8_t SHOISTdone = 0;

// Station statuses are compared over their first 15 bytes: stations 0 to 2
// and the low bytes of station 3, where the bay and the JATO pack show up.
enum { StationStatusBytes = 15, CheckedStations = 6 };

// A gap between calls far beyond the 0.1 s interval: the loop was (re)started.
static const float RestartGap = 1.0f;

// Engines 5 and 6 are the JATO rockets.
static void SetJatoMixture(float mixture)
{
    ReadMixtures(6);
    engine_Mix[4] = mixture;
    engine_Mix[5] = mixture;
    WriteMixtures(6);
}

static void PressWeaponRelease(int down)
{
    WriteHeldControl(HeldBombsArmed, down);
    WriteHeldControl(HeldFireKey, down);
}

static void ReadSwitches()
{
    prop_sync_on = XPLMGetDatai(dr_prop_sync_on) != 0;
    water_scoop = XPLMGetDatai(dr_water_scoop) != 0;
    firing_mode = XPLMGetDatai(dr_firing_mode);
    auto_feather_mode = XPLMGetDatai(dr_auto_feather_mode);
    puffers_on = XPLMGetDatai(dr_puffers_on) != 0;
    CurrentAltKM = CurrentAlt * 0.0003048f;

    // no zoom with a dumped or abandoned orbiter
    if (ORBfuelgone || ORBemergout) {
        prop_sync_on = 0;
        XPLMSetDatai(dr_prop_sync_on, 0);
    }
    // the pilot's stick is centred and disconnected while the zoom switch is on
    if (prop_sync_on && override_joystick != 1) {
        override_joystick = 1;
        WriteHeldControl(HeldJoystick, 1);
        XPLMSetDataf(dr_yolk_pitch_ratio, 0.0f);
        XPLMSetDataf(dr_yolk_roll_ratio, 0.0f);
        XPLMSetDataf(dr_yolk_heading_ratio, 0.0f);
    }
    if (!prop_sync_on && override_joystick) {
        override_joystick = 0;
        WriteHeldControl(HeldJoystick, 0);
    }
}

// A new status on the weapon stations: the bay's load and, on the ground,
// the JATO set-up. In the air a change is the drop of a store, so the
// weapon release is pressed.
static void StationsChanged()
{
    XPLMGetDatavi(dr_Weapon_type[0], Weapon_type, 0, CheckedStations);
    XPLMGetDatavf(dr_total_weapon_mass_max[0], total_weapon_mass_max, 0, CheckedStations);

    if (Weapon_type[2] == 9 && Weapon_status[2] == 0) {
        BAYladen = 1;
        ORBfuelgone = 0;
        ORBemergout = 0;
        system24mes = 11;
    } else {
        BAYladen = 0;
        total_weapon_mass_max[2] = 0.0f;   // the page's bay load; the host keeps its own
        system24mes = 12;
    }

    if (machno >= 0.05f) {
        PressWeaponRelease(1);
    } else if (Weapon_type[1] != 19) {
        system21mes = 0;
        system22mes = 0;
        JATOmass = 0.0f;
        SetEngineCount(4);
        takeoff = 0;
    } else {
        JATOmass = 1400.0f;
        SetEngineCount(6);
        SetJatoMixture(0.0f);
        fuel_2 = 15422.0f;
        fuel_1 = fuel_3 = fuel_2 * 0.5f;
        XPLMSetDataf(dr_fuel_2, fuel_2);
        XPLMSetDataf(dr_fuel_1, fuel_1);
        XPLMSetDataf(dr_fuel_3, fuel_3);
        system21mes = 42;
        system22mes = 39;
        takeoff = 1;
    }
}

// Bay and JATO check, once a second.
static void CheckBayAndJato()
{
    XPLMGetDatavi(dr_Weapon_status[0], Weapon_status, 0, CheckedStations);
    if (std::memcmp(Weapon_status, Weapon_status1, StationStatusBytes) != 0) {
        StationsChanged();
        std::memcpy(Weapon_status1, Weapon_status, StationStatusBytes);
    }

    if (!takeoff)
        return;
    if (JATOon)
        JATOmass -= 70.0f;
    // the pack lights by itself on the take-off run
    if (machno > 0.15f && !JATOon) {
        SetJatoMixture(1.0f);
        JATOon = 1;
        system22mes = 40;
    }
    // 20 s of burn: the spent pack is dropped
    if (JATOmass == 0.0f) {
        SetJatoMixture(0.0f);
        PressWeaponRelease(1);
        system22mes = 41;
    }
    if (JATOmass <= -70.0f) {
        PressWeaponRelease(0);
        SetEngineCount(4);
        system21mes = 0;
        system22mes = 0;
        JATOon = 0;
        takeoff = 0;
    }
}

void SHjatoOut()
{
    SetJatoMixture(0.0f);
    system21mes = 0;
    system22mes = 0;
    JATOon = 0;
    takeoff = 0;
}

void SHzoomCancel(bool clearMessages)
{
    if (clearMessages) {
        system21mes = 0;
        system22mes = 0;
        system23mes = 0;
    }
    if (currmaxFWD2 != 1.0f)
        currmaxFWD2 = 1.0f;
    XPLMSetDataf(dr_throtmax_FWD, currmaxFWD2);
    zoom_on = 0;
    schalt1 = 0;
    SHOISTactive = 0;
}

static void ZoomSwitchChanged()
{
    if (ORBfuelgone || ORBemergout) {
        XPLMSetDatai(dr_prop_sync_on, 0);
    } else if (!prop_sync_on) {
        // The zoom's own switch-off at the hand-over leaves its completion
        // messages up until the pilot moves the switch again.
        SHzoomCancel(!SHOISTdone);
    } else {
        if (SHOISTdone) {
            system22mes = 0;
            system23mes = 0;
            SHOISTdone = 0;
        }
        system21mes = 28;
    }
    prop_sync_on1 = prop_sync_on;
}

float CheckSkyhoist(float elapsedSinceLastCall, float, int, void*)
{
    Timer();

    // The zoom writes the trim, the flight director and the throttle limit
    // from these: one bad reading must not become a NaN in the simulator.
    CurrentAlt = HostReading(XPLMGetDataf(dr_altitude), CurrentAlt);
    machno = HostReading(XPLMGetDataf(dr_machno), machno);
    g_nrml = HostReading(XPLMGetDataf(dr_g_nrml), g_nrml);
    elvator_trim = HostReading(XPLMGetDataf(dr_elvator_trim), elvator_trim);
    ap_flags = XPLMGetDatai(dr_ap_flags);

    // The first call after a (re)start comes seconds after the last one. The
    // switches are read at once then: the steps before this second's step 1
    // must not act on positions left from an earlier flight.
    if (elapsedSinceLastCall > RestartGap && sectimer != 1)
        ReadSwitches();

    switch (sectimer) {
    case 1: ReadSwitches();    break;
    case 2: CheckBayAndJato(); break;
    case 4: SHdoNavigation();  break;
    case 7: SHdoEngine();      break;
    case 8: SHdoSystem();      break;
    case 9: SHdoDisplay();     break;
    default:                   break;
    }

    if (prop_sync_on != prop_sync_on1)
        ZoomSwitchChanged();

    if (SHOISTactive)
        SHdoZoom();

    return TickInterval(elapsedSinceLastCall, CheckSkyhoistCallback);
}

// Engagement of the zoom autopilot. On a navigated leg the pilot arms it by
// dialling 99,900 ft; the zoom then keeps the heading set at that moment.
void SHdoNavigation()
{
    if (!prop_sync_on)
        return;

    if (!SHOISTactive) {
        if (ap_flags < 4001) {
            SHOISTfromLOC = 0;
            SHOISTactive = 1;
        } else {
            system21mes = 30;
            ap_altitude = XPLMGetDataf(dr_ap_altitude);
            if (ap_altitude == 99900.0f) {
                ap_heading_true = XPLMGetDataf(dr_ap_heading_true);
                SHOISTfromLOC = 1;
                SHOISTactive = 1;
            }
        }
    }

    // a navigated zoom has ended: give the autopilot its navigation state back
    if (SHOISTfromLOC && !SHOISTactive) {
        ap_flags = 4405;
        EngageAutopilot(ap_flags);
        SHOISTfromLOC = 0;
        prop_sync_on = 0;
    }
}

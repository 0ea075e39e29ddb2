// carrier/carrier_systems.cpp: the carrier's engine, systems and temperatures,
// once a second each (ticks 7, 8 and 9 of the carrier loop).
#include <cmath>
#include "XPLMDataAccess.h"
#include "XPLMUtilities.h"
#include "carrier/carrier.h"
#include "carrier/panel.h"
#include "common/gearlights.h"
#include "common/hostvalues.h"
#include "common/timers.h"
#include "display/geometry.h"
#include "frame/controls.h"
#include "frame/datarefs.h"

// The water aboard: a reading that is no number counts as an empty tank.
static float WaterAboard() { return HostFiniteFloat(XPLMGetDataf(dr_m_jettison), 0.0f, HostReadingLimit, 0.0f); }

// Takes water from the injection tank; the tank never goes below empty.
static void UseWater(float kg)
{
    m_jettison = WaterAboard();
    if (paused)
        return;
    m_jettison -= kg;
    if (m_jettison < 0.0f)
        m_jettison = 0.0f;
    XPLMSetDataf(dr_m_jettison, m_jettison);
}

// Water injection and thrust. Later steps replace the earlier steps' message.
void SHdoEngine()
{
    // A rated thrust read as no number at the load is read again until the
    // host gives one; until then the engines keep theirs.
    if (!std::isfinite(tmax_acf))
        tmax_acf = XPLMGetDataf(dr_tmax);
    paused = XPLMGetDatai(dr_paused) != 0;
    m_jettison = WaterAboard();
    const bool empty = m_jettison <= 0.0f;
    if (empty) {
        WASSERverbrauch = 0.0f;
        m_jettison = 0.0f;
        water = 0;              // no injection, and no thrust gain, without water
        system25mes = 14;
    }

    if (!empty && (firing_mode == 1 || firing_mode == 2) && CurrentAlt >= 60000.0f && machno > 3.6f) {
        water = 1;
        system25mes = 17;
    }
    if (CurrentAlt <= 59500.0f || machno < 3.5f) {
        water = 0;
        WASSERverbrauch = 0.0f;
        system25mes = 16;
    }
    if (firing_mode == 3) {
        water = 0;
        tmax_curr = tmax_acf;
        UseWater(30.0f);
        WASSERverbrauch = 30.0f;
        system25mes = 13;
    }
    if (firing_mode == 0) {
        water = 0;
        WASSERverbrauch = 0.0f;
        tmax_curr = tmax_acf;
        system25mes = 15;
    }

    if (water) {
        const float m = (machno - 3.5f) / 3.5f;
        thrust_maximum = 1.0f - 0.5f * m * m;
        tmax_curr = tmax_acf * thrust_maximum;
        XPLMGetDatavf(dr_engine_FF[0], engine_FF, 0, 4);
        // no engine burns a tonne a second; a flow that is no number is none
        float flow = 0.0f;
        for (int e = 0; e < 4; ++e)
            flow += HostFiniteFloat(engine_FF[e], 0.0f, 1000.0f, 0.0f);
        // a tenth of the fuel flow at 90,000 ft; none below 60,000 ft, where
        // the injection is still on until 59,500 ft
        WASSERverbrauch = flow * 0.1f * (CurrentAlt - 60000.0f) / 30000.0f;
        if (WASSERverbrauch < 0.0f)
            WASSERverbrauch = 0.0f;
        UseWater(WASSERverbrauch);
    } else {
        thrust_maximum = 1.0f;
        tmax_curr = tmax_acf;
    }

    if (std::isfinite(tmax_curr))
        XPLMSetDataf(dr_tmax, tmax_curr);
}

// Only the bay's station: the copies of the others hold whatever was read
// last, maybe by another aircraft, and the simulator keeps their own masses.
static void WriteStationMasses()
{
    XPLMSetDatavf(dr_Weapon_total_weapon_mass_now[0], &total_weapon_mass_now[BayStation], BayStation, 1);
    XPLMSetDatavf(dr_total_weapon_mass_max[0], &total_weapon_mass_max[BayStation], BayStation, 1);
}

void WriteBayAttachment()
{
    XPLMSetDatavf(dr_WeaponsY_wpn_att[0], &WeaponsY_wpn_att[BayStation], BayStation, 1);
}

// Abandon the orbiter through the open bay. Seen once a second on timer 3:
// doors at once, "Orbiter out" at 2 s, lowered at 3 s, released at 4 s,
// doors shut at 5 s.
// Opens the bay for a release: the doors, marked as the carrier's own move so
// the door protection leaves them open, and the release armed.
void SHopenBay()
{
    water_scoop = water_scoop1 = 1;
    XPLMSetDatai(dr_water_scoop, 1);
    WriteHeldControl(HeldMissilesArmed, 1);
    XPLMSpeakString("Baydoors open");
}

static void AbandonOrbiter()
{
    if (!TIMER_3) {
        SHopenBay();
        system21mes = 51;
        system22mes = 52;
        system23mes = 0;
        TIMER_3 = 1;
        TIMERval_3 = 0;
    }
    if (TIMERval_3 == 20) {
        system21mes = 51;
        system22mes = 53;
        system23mes = 0;
        XPLMSpeakString("Orbiter out");
    }
    if (TIMERval_3 == 30) {
        WeaponsY_wpn_att[BayStation] = -5.0f;
        WriteBayAttachment();
    }
    if (TIMERval_3 == 40)
        WriteHeldControl(HeldFireKey, 1);
    if (TIMERval_3 > 44) {
        system21mes = 0;
        system22mes = 55;
        system23mes = 54;
        water_scoop = water_scoop1 = 0;
        XPLMSetDatai(dr_water_scoop, 0);
        XPLMSpeakString("Orbiter abandoned");
        WriteHeldControl(HeldFireKey, 0);
        TIMER_3 = 0;
        ORBemergout = 1;
    }
}

// The orbiter switch off starts the emergency chosen on the selector.
static void OrbiterEmergency()
{
    if (ORBfuelgone || ORBemergout) {
        puffers_on = 0;
        XPLMSetDatai(dr_puffers_on, 0);
        return;
    }
    prop_sync_on = 0;
    XPLMSetDatai(dr_prop_sync_on, 0);
    autopilot_mode = 1;
    XPLMSetDatai(dr_autopilot_mode, autopilot_mode);
    // The zoom is cancelled here, before the procedure shows its own lines,
    // so the switch-off does not wipe them again later in this call.
    if (prop_sync_on1) {
        SHzoomCancel(true);
        prop_sync_on1 = 0;
    }

    if (auto_feather_mode == 1) {
        total_weapon_mass_now[2] = 3000.0f;
        total_weapon_mass_max[2] = 3000.0f;
        WriteStationMasses();
        ORBfuelgone = 1;
        system22mes = 49;
        system23mes = 50;
    } else if (auto_feather_mode == 2) {
        AbandonOrbiter();
    }
}

// After the orbiter left, fuel is moved until the outer tanks hold as much as
// the centre tank.
static void FuelTrim()
{
    if (BAYladen != BAYladen1) {
        if (BAYladen) {
            XPLMSetDatai(dr_fuel_tank_transfer_from, 0);
            XPLMSetDatai(dr_fuel_tank_transfer, 2);
        } else {
            XPLMSetDatai(dr_fuel_tank_transfer, 0);
            XPLMSetDatai(dr_fuel_tank_transfer_from, 2);
            BAYtrim = 1;
            system22mes = 20;
        }
        BAYladen1 = BAYladen;
    }
    if (!BAYladen && BAYtrim) {
        fuel_1 = XPLMGetDataf(dr_fuel_1);
        fuel_2 = XPLMGetDataf(dr_fuel_2);
        fuel_3 = XPLMGetDataf(dr_fuel_3);
        if (fuel_1 + fuel_3 >= fuel_2) {
            XPLMSetDatai(dr_fuel_tank_transfer, 0);
            XPLMSetDatai(dr_fuel_tank_transfer_from, 0);
            BAYtrim = 0;
            system22mes = 33;
        }
    }
}

// Wing schedule with hysteresis: dihedral from Mach 2.5 (off at 2.25),
// sweep below Mach 0.6 (off from 0.8). Requests are written on a change only.
static void WingSchedule()
{
    if (machno <= 2.25f) {
        dihedral = 0.0f;
        ISdihedral = 0;
    }
    if (machno >= 2.5f) {
        dihedral = 1.0f;
        ISdihedral = 1;
    }
    if (machno <= 0.6f) {
        swdirqst = 1.0f;
        ISsweep = 1;
    }
    if (machno >= 0.8f) {
        swdirqst = 0.0f;
        ISsweep = 0;
    }
    if (ISsweep != ISsweep1) {
        XPLMSetDataf(dr_swdirqst, swdirqst);
        ISsweep1 = ISsweep;
    }
    if (ISdihedral != ISdihedral1) {
        XPLMSetDataf(dr_dihedral, dihedral);
        ISdihedral1 = ISdihedral;
    }
}

// The pilot may open the bay doors only below 80 kt indicated. The carrier's
// own sequences mark their door moves as seen, so they are not undone here.
static void BayDoorProtection()
{
    if (water_scoop == water_scoop1)
        return;
    ind_airspeed = XPLMGetDataf(dr_ind_airspeed);
    if (water_scoop && ind_airspeed > 80.0f) {
        water_scoop = 0;
        XPLMSetDatai(dr_water_scoop, 0);
    }
    if (water_scoop && ind_airspeed < 80.0f)
        XPLMSetDatai(dr_water_scoop, 1);
    water_scoop1 = water_scoop;
}

void SHdoSystem()
{
    if (!puffers_on)
        OrbiterEmergency();
    FuelTrim();
    WingSchedule();
    BayDoorProtection();
    LightsFollowGear();
}

// Airframe temperatures from the leading-edge temperature; read-outs 2 and 4
// build up over a long flight.
void SHdoDisplay()
{
    // Read-outs 2 and 4 build on their own last value: an unusable reading
    // keeps the last good one, so it cannot stay on the panel for good.
    temperature_ambc = HostClampFloat(XPLMGetDataf(dr_temperature_ambc), -273.15f, 10000.0f, temperature_ambc);
    temperature_lec = HostClampFloat(XPLMGetDataf(dr_temperature_lec), -273.15f, 10000.0f, temperature_lec);
    const float L = temperature_lec;
    const float M = static_cast<float>(mis_minutes);

    tempc[1] = L * 0.8f;
    tempc[2] = L * 0.76f + M * tempc[2] / 1800.0f;
    tempc[3] = L * 0.78f;
    tempc[4] = L * 0.78f + (M + 2.0f) * tempc[4] / 1800.0f;
    tempc[5] = L * 0.76f;

    // hot read-outs go from green-blue to red in steps of 150 deg C
    for (int i = 1; i <= 5; ++i) {
        if (tempc[i] > 120.0f) {
            const float k = std::floor(tempc[i] / 150.0f) * 0.1f;
            colorT[i][0] = k;
            colorT[i][1] = 1.1f - k;
            colorT[i][2] = 0.6f - k;
        } else {
            colorT[i][0] = 0.4f;
            colorT[i][1] = 0.5f;
            colorT[i][2] = 1.0f;
        }
    }
}

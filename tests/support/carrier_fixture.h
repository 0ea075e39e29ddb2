// tests/support/carrier_fixture.h: the carrier (slot 37) loaded into a fresh
// stand-in host, and helpers to run its loop one call at a time.
//
// The loop is called directly, one call per 0.1 s tick, without moving the
// host's clock, so the registered loop and the first action never run on
// their own; timings are counted in calls. Tests that run the host's clock
// see the registered loop instead.
#pragma once
#include <cmath>
#include <cstring>
#include <string>
#include <vector>
#include "support/plugin_fixture.h"
#include "aircraft/models.h"
#include "carrier/carrier.h"
#include "carrier/orbiter.h"
#include "carrier/panel.h"
#include "carrier/zoom.h"
#include "common/gearlights.h"
#include "common/keys.h"
#include "common/timers.h"
#include "display/geometry.h"
#include "frame/datarefs.h"
#include "prefs/prefs.h"
#include "systems/stores.h"

namespace carrier_paths {
inline const char* const Alt = "sim/flightmodel/misc/h_ind";
inline const char* const Mach = "sim/flightmodel/misc/machno";
inline const char* const G = "sim/flightmodel/forces/g_nrml";
inline const char* const Trim = "sim/flightmodel/controls/elv_trim";
inline const char* const ApFlags = "sim/cockpit/autopilot/autopilot_state";
inline const char* const ApMode = "sim/cockpit/autopilot/autopilot_mode";
inline const char* const ApAlt = "sim/cockpit/autopilot/altitude";
inline const char* const ApHeading = "sim/cockpit/autopilot/heading";
inline const char* const ApSpeed = "sim/cockpit/autopilot/airspeed";
inline const char* const ApIsMach = "sim/cockpit/autopilot/airspeed_is_mach";
inline const char* const ApVvi = "sim/cockpit/autopilot/vertical_velocity";
inline const char* const FdPitch = "sim/cockpit/autopilot/flight_director_pitch";
inline const char* const FdRoll = "sim/cockpit/autopilot/flight_director_roll";
inline const char* const FdRollOverride = "sim/operation/override/override_flightdir_roll";
inline const char* const Ias = "sim/flightmodel/position/indicated_airspeed";
inline const char* const Vvi = "sim/flightmodel/position/vh_ind";
inline const char* const Pitch = "sim/cockpit/gyros/the_ind_deg3";
inline const char* const Alpha = "sim/flightmodel/position/alpha";
inline const char* const ZoomSwitch = "sim/cockpit/switches/prop_sync_on";
inline const char* const OrbiterSwitch = "sim/cockpit/switches/puffers_on";
inline const char* const EmergencySelector = "sim/cockpit/switches/auto_feather_mode";
inline const char* const BayDoors = "sim/cockpit/switches/water_scoop";
inline const char* const WaterSelector = "sim/cockpit/weapons/firing_mode";
inline const char* const Water = "sim/flightmodel/weight/m_jettison";
inline const char* const MissilesArmed = "sim/cockpit/weapons/missiles_armed";
inline const char* const BombsArmed = "sim/cockpit/weapons/bombs_armed";
inline const char* const FireKey = "sim/joystick/fire_key_is_down";
inline const char* const StationType = "sim/weapons/type";
inline const char* const StationStatus = "sim/weapons/action_mode";
inline const char* const StationMassMax = "sim/weapons/total_weapon_mass_max";
inline const char* const StationMassNow = "sim/weapons/total_weapon_mass_now";
inline const char* const StationYAtt = "sim/weapons/y_wpn_att";
inline const char* const Mixture = "sim/flightmodel/engine/ENGN_mixt";
inline const char* const FuelFlow = "sim/flightmodel/engine/ENGN_FF_";
inline const char* const Fuel1 = "sim/flightmodel/weight/m_fuel1";
inline const char* const Fuel2 = "sim/flightmodel/weight/m_fuel2";
inline const char* const Fuel3 = "sim/flightmodel/weight/m_fuel3";
inline const char* const FuelDump = "sim/cockpit/switches/dumping_fuel";
inline const char* const Transfer = "sim/cockpit/engine/fuel_tank_transfer";
inline const char* const TransferFrom = "sim/cockpit/engine/fuel_tank_transfer_from";
inline const char* const Engines = "sim/aircraft/engine/acf_num_engines";
inline const char* const ThrustPoints = "sim/aircraft/overflow/acf_num_thrustpoints";
inline const char* const Tmax = "sim/aircraft/engine/acf_tmax";
inline const char* const ThrottleLimit = "sim/aircraft/engine/acf_throtmax_FWD";
inline const char* const StickOverride = "sim/operation/override/override_joystick";
inline const char* const YokePitch = "sim/joystick/yoke_pitch_ratio";
inline const char* const YokeRoll = "sim/joystick/yoke_roll_ratio";
inline const char* const YokeHeading = "sim/joystick/yoke_heading_ratio";
inline const char* const Paused = "sim/time/paused";
inline const char* const Sweep = "sim/flightmodel/controls/swdirqst";
inline const char* const Dihedral = "sim/flightmodel/controls/dihed_rqst";
inline const char* const GearHandle = "sim/cockpit/switches/gear_handle_status";
inline const char* const LandingLights = "sim/cockpit/electrical/landing_lights_on";
inline const char* const AmbientC = "sim/weather/aircraft/temperature_ambient_deg_c";
inline const char* const LeadingEdgeC = "sim/weather/aircraft/temperature_leadingedge_deg_c";
inline const char* const Latitude = "sim/flightmodel/position/latitude";
inline const char* const Longitude = "sim/flightmodel/position/longitude";
inline const char* const Elevation = "sim/flightmodel/position/elevation";
inline const char* const LocalVx = "sim/flightmodel/position/local_vx";
inline const char* const LocalVy = "sim/flightmodel/position/local_vy";
inline const char* const LocalVz = "sim/flightmodel/position/local_vz";
inline const char* const Quaternion = "sim/flightmodel/position/q";
inline const char* const EcamMode = "sim/cockpit/switches/ECAM_mode";
inline const char* const ViewType = "sim/graphics/view/view_type";
inline const char* const PanelLeft = "sim/graphics/view/panel_total_pnl_l";
inline const char* const PanelBottom = "sim/graphics/view/panel_total_pnl_b";
}  // namespace carrier_paths

// Writes of one path among a list of writes.
inline std::vector<xphost::Write> WritesOf(const std::vector<xphost::Write>& ws, const std::string& path)
{
    std::vector<xphost::Write> out;
    for (const auto& w : ws)
        if (w.path == path)
            out.push_back(w);
    return out;
}

inline bool Wrote(const std::vector<xphost::Write>& ws, const std::string& path, double value)
{
    for (const auto& w : ws)
        if (w.path == path && !w.values.empty() && std::abs(w.values[0] - value) < 1e-4)
            return true;
    return false;
}

inline bool WroteAny(const std::vector<xphost::Write>& ws, const std::string& path)
{
    return !WritesOf(ws, path).empty();
}

// Index of the first write of path in ws, or -1.
inline int IndexOf(const std::vector<xphost::Write>& ws, const std::string& path, int from = 0)
{
    for (int i = from; i < static_cast<int>(ws.size()); ++i)
        if (ws[i].path == path)
            return i;
    return -1;
}

inline double LastWritten(const std::string& path)
{
    const auto ws = xphost::writes_to(path);
    return ws.empty() || ws.back().values.empty() ? -12345.0 : ws.back().values[0];
}

inline int SpokenCount(const std::string& text)
{
    int n = 0;
    for (const auto& s : xphost::spoken_texts())
        if (s == text)
            ++n;
    return n;
}

// Every global the carrier keeps between calls, back to the state of a fresh
// process, so a test file also passes when run whole.
inline void ResetCarrierGlobals()
{
    sectimer = 0;
    mis_minutes = 0;
    TIMER_1 = TIMER_2 = TIMER_3 = 0;
    TIMERval_1 = TIMERval_2 = TIMERval_3 = 0;
    zoom_on = schalt1 = 0;
    SHOISTactive = SHOISTfromLOC = SHOISTdone = 0;
    TARGETalt = 0;
    INDEXstored = 0;
    override_joystick = 0;
    override_flightdir_pitch = override_flightdir_roll = 0;
    flight_director_pitch = flight_director_roll = 0.0f;
    prop_sync_on = prop_sync_on1 = 0;
    puffers_on = 0;
    water_scoop = water_scoop1 = 0;
    BAYladen = BAYladen1 = BAYtrim = 0;
    ORBfuelgone = ORBemergout = 0;
    water = 0;
    WASSERverbrauch = 0.0f;
    thrust_maximum = 1.0f;
    takeoff = JATOon = 0;
    gear_handle_status = gear_handle_status1 = 0;
    landlights_was = 0;
    dumping_fuel = 0;
    paused = 0;
    for (auto& v : Weapon_status) v = 0;
    for (auto& v : Weapon_status1) v = 0;
    for (auto& v : Weapon_type) v = 0;
    for (auto& v : WeaponsY_wpn_att) v = 0.0f;
    for (auto& v : total_weapon_mass_max) v = 0.0f;
    for (auto& v : total_weapon_mass_now) v = 0.0f;
    for (auto& v : engine_Mix) v = 0.0f;
    for (auto& v : tempc) v = 0.0f;
    for (int i = 0; i < OrbRecords; ++i) {
        orb_latitude[i] = orb_longitude[i] = orb_elevation[i] = 0.0;
        orb_local_vx[i] = orb_local_vy[i] = orb_local_vz[i] = 0.0f;
        for (auto& q : orb_quaternion[i]) q = 0.0f;
    }
    system21mes = system22mes = system23mes = system24mes = system25mes = 0;
    PanelEdgesKnown = 0;
}

class CarrierTest : public PluginTest {
protected:
    void SetUp() override
    {
        PluginTest::SetUp();
        ResetCarrierGlobals();
        INDEXtostore = 1;
        // a carrier on the ground, orbiter switch on (operable)
        xphost::set_f(carrier_paths::Tmax, 300000.0f);
        xphost::set_i(carrier_paths::OrbiterSwitch, 1);
        xphost::set_f(carrier_paths::Water, 2000.0f);
        LoadCarrier();
        xphost::clear_writes();
    }

    // Every access used the simulator's own type of the variable.
    void TearDown() override
    {
        for (const auto& m : xphost::type_mismatches())
            ADD_FAILURE() << m.call << " on " << m.path;
    }

    // The pilot loads the carrier: recognition, load preset, loop and page registered.
    void LoadCarrier()
    {
        xphost::load_aircraft(std::string(IdPlane[37].descrip) + " with orbiter");
        ASSERT_EQ(Ident, 37);
    }

    // One call of the loop; returns what it wrote.
    std::vector<xphost::Write> Tick()
    {
        const size_t before = xphost::writes().size();
        last_return_ = CheckSkyhoist(0.1f, 0.1f, 0, nullptr);
        const auto& all = xphost::writes();
        return std::vector<xphost::Write>(all.begin() + static_cast<long>(before), all.end());
    }

    // Calls until the call that runs step `step` of the second (0 to 9).
    std::vector<xphost::Write> RunStep(int step)
    {
        std::vector<xphost::Write> ws;
        do {
            auto w = Tick();
            ws.insert(ws.end(), w.begin(), w.end());
        } while (sectimer != step);
        return ws;
    }

    std::vector<xphost::Write> Ticks(int n)
    {
        std::vector<xphost::Write> ws;
        for (int i = 0; i < n; ++i) {
            auto w = Tick();
            ws.insert(ws.end(), w.begin(), w.end());
        }
        return ws;
    }

    // Stations 0 to 5 as the host shows them.
    static void SetStations(const std::vector<int>& types, const std::vector<int>& statuses)
    {
        xphost::set_vi(carrier_paths::StationType, types);
        xphost::set_vi(carrier_paths::StationStatus, statuses);
    }
    static void OrbiterAboard(bool jato = false)
    {
        SetStations({0, jato ? 19 : 0, 9, 0, 0, 0}, {0, 0, 0, 0, 0, 0});
    }

    float last_return_ = -1.0f;
};

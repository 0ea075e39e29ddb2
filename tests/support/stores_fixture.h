// tests/support/stores_fixture.h: a fighter or bomber loaded into a fresh
// stand-in host, its weapon stations as the host shows them, and the stores'
// loop run one call at a time.
//
// Like the carrier's fixture, the loop is called directly without moving the
// host's clock, so the registered loop and the first action do not run on
// their own; timings are counted in calls of 0.1 s.
#pragma once
#include <cmath>
#include <string>
#include <vector>
#include "support/plugin_fixture.h"
#include "aircraft/models.h"
#include "aircraft/presets.h"
#include "common/first_action.h"
#include "common/gearlights.h"
#include "common/timers.h"
#include "display/geometry.h"
#include "display/parameter.h"
#include "frame/controls.h"
#include "frame/datarefs.h"
#include "systems/stores.h"

namespace stores_paths {
inline const char* const Type = "sim/weapons/type";
inline const char* const Status = "sim/weapons/action_mode";
inline const char* const FuelMax = "sim/weapons/fuel_warhead_mass_max";
inline const char* const MassMax = "sim/weapons/total_weapon_mass_max";
inline const char* const MassNow = "sim/weapons/total_weapon_mass_now";
inline const char* const Speed = "sim/weapons/V_msc";
inline const char* const X = "sim/weapons/x";
inline const char* const Y = "sim/weapons/y";
inline const char* const Z = "sim/weapons/z";
inline const char* const JatoLeft = "sim/flightmodel/misc/jato_left";
inline const char* const Tas = "sim/flightmodel/position/true_airspeed";
inline const char* const Gear = "sim/cockpit/switches/gear_handle_status";
inline const char* const LandingLights = "sim/cockpit/electrical/landing_lights_on";
inline const char* const Bombs = "sim/cockpit/weapons/bombs_armed";
inline const char* const FireKey = "sim/joystick/fire_key_is_down";
inline const char* const FiringMode = "sim/cockpit/weapons/firing_mode";
inline const char* const Mixture = "sim/flightmodel/engine/ENGN_mixt";
inline const char* const FuelFlow = "sim/flightmodel/engine/ENGN_FF_";
inline const char* const Engines = "sim/aircraft/engine/acf_num_engines";
inline const char* const ThrustPoints = "sim/aircraft/overflow/acf_num_thrustpoints";
inline const char* const Jettison = "sim/flightmodel/weight/m_jettison";
inline const char* const Puffers = "sim/cockpit/switches/puffers_on";
inline const char* const Paused = "sim/time/paused";
inline const char* const Fuel2 = "sim/flightmodel/weight/m_fuel2";
inline const char* const Selector = "sim/cockpit/engine/fuel_tank_selector";
}  // namespace stores_paths

// Full masses of the stores the loop recognises, kg.
constexpr float kJatoUnit = 124.7f;
constexpr float kRocketUnit = 140.2f;
constexpr float kTstoffTank = 29.5f;

// One weapon station as the host shows it.
struct Station {
    int   type = 0;
    int   status = 0;       // 0 aboard, 1 released
    float fuelMax = 0.0f;   // fuel capacity, kg
    float massMax = 0.0f;   // full mass, kg
};

inline Station DropTank(float fuelMax, float empty) { return Station{23, 0, fuelMax, fuelMax + empty}; }
inline Station TstoffTank() { return Station{23, 0, 0.0f, kTstoffTank}; }
inline Station Jato() { return Station{19, 0, 0.0f, kJatoUnit}; }
inline Station RocketUnit() { return Station{7, 0, 0.0f, kRocketUnit}; }

class StoresTest : public PluginTest {
protected:
    void SetUp() override
    {
        PluginTest::SetUp();
        // What a fresh process holds; a test file's tests may share one.
        sectimer = 0;
        JATOreleasing = 0;
        WEAPONnumber = 0;
        PARAMETERon = 0;
        gear_handle_status = gear_handle_status1 = 0;
        landlights_was = 0;
        fuel_tank_selector = 0;
        puffers_on = 0;
        for (auto& v : Weapon_status) v = 0;
        for (auto& v : Weapon_status1) v = 0;
        for (auto& v : engine_Mix) v = 0.0f;
        for (auto& v : engine_FF) v = 0.0f;
        PARAMETERClearRecords();
        xphost::set_i(stores_paths::Gear, 1);
        xphost::set_f(stores_paths::Tas, 0.0f);
    }

    void TearDown() override
    {
        for (const auto& m : xphost::type_mismatches())
            ADD_FAILURE() << m.call << " on " << m.path;
    }

    // The pilot loads the model of this slot with these stores on stations 0 on.
    static void Load(int slot, const std::vector<Station>& stations = {})
    {
        SetStations(stations);
        xphost::load_aircraft(std::string("QZTdesign ") + IdPlane[slot].descrip);
        ASSERT_EQ(Ident, slot);
        xphost::clear_writes();
    }

    static void SetStations(const std::vector<Station>& stations)
    {
        std::vector<int> type(25, 0), status(25, 0);
        std::vector<float> fuel(25, 0.0f), mass(25, 0.0f);
        for (size_t i = 0; i < stations.size(); ++i) {
            type[i] = stations[i].type;
            status[i] = stations[i].status;
            fuel[i] = stations[i].fuelMax;
            mass[i] = stations[i].massMax;
        }
        xphost::set_vi(stores_paths::Type, type);
        xphost::set_vi(stores_paths::Status, status);
        xphost::set_vf(stores_paths::FuelMax, fuel);
        xphost::set_vf(stores_paths::MassMax, mass);
        xphost::set_vf(stores_paths::MassNow, mass);
    }

    // The host marks a station released.
    static void Release(int station) { xphost::set_vi(stores_paths::Status, {1}, station); }

    // One call of the loop; returns what it wrote.
    std::vector<xphost::Write> Tick()
    {
        const size_t before = xphost::writes().size();
        last_return_ = CheckDROP(0.1f, 0.1f, 0, nullptr);
        const auto& all = xphost::writes();
        return std::vector<xphost::Write>(all.begin() + static_cast<long>(before), all.end());
    }

    // Calls up to and including the next one that runs tick `step` of the second.
    std::vector<xphost::Write> RunStep(int step)
    {
        std::vector<xphost::Write> ws;
        do {
            auto w = Tick();
            ws.insert(ws.end(), w.begin(), w.end());
        } while (sectimer != step);
        return ws;
    }

    std::vector<xphost::Write> Seconds(int n)
    {
        std::vector<xphost::Write> ws;
        for (int i = 0; i < 10 * n; ++i) {
            auto w = Tick();
            ws.insert(ws.end(), w.begin(), w.end());
        }
        return ws;
    }

    // The load as the loop sees it after its next evaluation.
    std::vector<xphost::Write> Evaluate() { return RunStep(5); }

    static std::vector<xphost::Write> Of(const std::vector<xphost::Write>& ws, const std::string& path)
    {
        std::vector<xphost::Write> out;
        for (const auto& w : ws)
            if (w.path == path)
                out.push_back(w);
        return out;
    }
    static bool Wrote(const std::vector<xphost::Write>& ws, const std::string& path, double value)
    {
        for (const auto& w : Of(ws, path))
            if (!w.values.empty() && std::abs(w.values[0] - value) < 1e-4)
                return true;
        return false;
    }

    float last_return_ = -1.0f;
};

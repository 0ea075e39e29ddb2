// tests/support/flights.h: each family of models flown through the stand-in
// host into the states its loop, drawing and windows take in the simulator,
// for the measurements of what the plug-in costs: the steady-state test and
// the benchmarks. The plug-in is the one linked into the program.
//
// A flight is a list of stages; a stage sets what the simulator shows and
// takes 0.1 s steps (the caller decides what a step is: a frame-by-frame
// advance of the host, or one call of the model's loop) until the plug-in has
// moved on. A stage returns false when the plug-in did not.
#pragma once
#include <algorithm>
#include <cstdio>
#include <fstream>
#include <functional>
#include <iterator>
#include <ostream>
#include <string>
#include <vector>
#include "XPLMDisplay.h"
#include "support/linked_plugin.h"
#include "XPLMProcessing.h"
#include "xphost.h"
#include "aircraft/models.h"
#include "carrier/carrier.h"
#include "carrier/orbiter.h"
#include "carrier/zoom.h"
#include "common/first_action.h"
#include "common/timers.h"
#include "display/geometry.h"
#include "display/handbook.h"
#include "display/parameter.h"
#include "frame/datarefs.h"
#include "frame/plugin.h"
#include "prefs/prefs.h"
#include "systems/glider.h"
#include "systems/hyper.h"
#include "systems/korva.h"
#include "systems/stores.h"

namespace flights {

namespace path {
inline const char* const Alt = "sim/flightmodel/misc/h_ind";
inline const char* const Mach = "sim/flightmodel/misc/machno";
inline const char* const Ias = "sim/flightmodel/position/indicated_airspeed";
inline const char* const Tas = "sim/flightmodel/position/true_airspeed";
inline const char* const Vvi = "sim/flightmodel/position/vh_ind";
inline const char* const Pitch = "sim/cockpit/gyros/the_ind_deg3";
inline const char* const G = "sim/flightmodel/forces/g_nrml";
inline const char* const Groundspeed = "sim/flightmodel/position/groundspeed";
inline const char* const ParkBrake = "sim/flightmodel/controls/parkbrake";
inline const char* const Tmax = "sim/aircraft/engine/acf_tmax";
inline const char* const Water = "sim/flightmodel/weight/m_jettison";
inline const char* const FiringMode = "sim/cockpit/weapons/firing_mode";
inline const char* const FiringRate = "sim/cockpit/weapons/firing_rate";
inline const char* const Puffers = "sim/cockpit/switches/puffers_on";
inline const char* const PropSync = "sim/cockpit/switches/prop_sync_on";
inline const char* const EcamMode = "sim/cockpit/switches/ECAM_mode";
inline const char* const ViewType = "sim/graphics/view/view_type";
inline const char* const Fuel1 = "sim/flightmodel/weight/m_fuel1";
inline const char* const Fuel2 = "sim/flightmodel/weight/m_fuel2";
inline const char* const Fuel3 = "sim/flightmodel/weight/m_fuel3";
inline const char* const FuelFlow = "sim/flightmodel/engine/ENGN_FF_";
inline const char* const AmbientC = "sim/weather/aircraft/temperature_ambient_deg_c";
inline const char* const Gear = "sim/cockpit/switches/gear_handle_status";
inline const char* const JatoLeft = "sim/flightmodel/misc/jato_left";
inline const char* const Type = "sim/weapons/type";
inline const char* const Status = "sim/weapons/action_mode";
inline const char* const FuelMax = "sim/weapons/fuel_warhead_mass_max";
inline const char* const MassMax = "sim/weapons/total_weapon_mass_max";
inline const char* const MassNow = "sim/weapons/total_weapon_mass_now";
inline const char* const WeaponSpeed = "sim/weapons/V_msc";
inline const char* const WeaponX = "sim/weapons/x";
inline const char* const WeaponY = "sim/weapons/y";
inline const char* const WeaponZ = "sim/weapons/z";
inline const char* const SweepRequest = "sim/flightmodel/controls/swdirqst";
inline const char* const Sweep = "sim/flightmodel/controls/swdi";
inline const char* const Battery = "sim/cockpit/electrical/battery_on";
inline const char* const Avionics = "sim/cockpit/electrical/avionics_on";
inline const char* const CockpitLights = "sim/cockpit/electrical/cockpit_lights_on";
inline const char* const YokeRoll = "sim/joystick/yoke_roll_ratio";
inline const char* const YokePitch = "sim/joystick/yoke_pitch_ratio";
}  // namespace path

using Step = std::function<void()>;

struct Stage {
    std::string name;
    std::function<bool(const Step&)> fly;
};

struct Flight {
    std::string     key;         // a short name for reports
    std::string     family;      // the family's role, as the table names it
    int             slot = 0;    // the model flown
    XPLMFlightLoop_f loop = nullptr;
    std::function<void()> ready; // before the load: the aircraft file and the pilot's switches
    bool            camera = false;   // the QZT key starts an external camera
    std::vector<Stage> stages;
};

inline void PrintTo(const Flight& f, std::ostream* os) { *os << f.family << " (slot " << f.slot << ")"; }

// ---------------------------------------------------------------- the host and the aircraft

// A fresh stand-in host with the plug-in of this program started and enabled.
// A model still loaded from an earlier flight is cleaned up by the plug-in
// first, through the host it was loaded into.
inline void Start(double framesPerSecond)
{
    static bool started = false;
    // The preferences file the first start wrote, put in place for the later
    // ones: a first start's save waits for the disk.
    static std::string prefs;
    const auto prefsFile = [] { return xphost::system_path() + "Resources/plugins/QZTgov_Preferences.txt"; };
    if (started)
        xphost::load_aircraft("another maker's aircraft");
    xphost::reset();
    if (started) {
        std::ofstream(prefsFile(), std::ios::binary) << prefs;
    }
    xphost::attach(LinkedPlugin());
    // The tick count goes on across loads in the simulator; from 0, every
    // flight takes the same course each time it is flown.
    sectimer = 0;
    mis_seconds_tenth = 0;
    xphost::start();
    if (!started) {
        std::ifstream in(prefsFile(), std::ios::binary);
        prefs.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        started = true;
    }
    xphost::enable();
    xphost::set_frame_rate(framesPerSecond);
}

struct Store {
    int   type = 0;
    float fuel = 0.0f;    // fuel capacity, kg
    float mass = 0.0f;    // full mass, kg
};

inline void Stations(const std::vector<Store>& stores)
{
    std::vector<int> type(25, 0), status(25, 0);
    std::vector<float> fuel(25, 0.0f), mass(25, 0.0f), x(25), y(25), z(25);
    for (size_t i = 0; i < stores.size(); ++i) {
        type[i] = stores[i].type;
        fuel[i] = stores[i].fuel;
        mass[i] = stores[i].mass;
    }
    for (int i = 0; i < 25; ++i) {
        x[i] = 1.5f * (i % 2 ? 1 : -1) * (i + 1);
        y[i] = -1.0f;
        z[i] = 0.5f * i;
    }
    xphost::set_vi(path::Type, type);
    xphost::set_vi(path::Status, status);
    xphost::set_vf(path::FuelMax, fuel);
    xphost::set_vf(path::MassMax, mass);
    xphost::set_vf(path::MassNow, mass);
    xphost::set_vf(path::WeaponX, x);
    xphost::set_vf(path::WeaponY, y);
    xphost::set_vf(path::WeaponZ, z);
}

inline bool Fail(const std::string& why)
{
    std::fprintf(stderr, "flight: %s\n", why.c_str());
    return false;
}

// What happens between two steps besides the simulator's values (the pilot's
// keys and clicks, a frame drawn) goes through here, so that a measurement of
// the steps can leave it out.
inline std::function<void(const std::function<void()>&)>& BetweenHook()
{
    static std::function<void(const std::function<void()>&)> hook = [](const std::function<void()>& act) { act(); };
    return hook;
}
inline void Between(const std::function<void()>& act) { BetweenHook()(act); }
inline void PressQZT() { Between([] { xphost::press_key(static_cast<char>(QZTkey)); }); }

// Clicks the strips of the custom data box and of the handbook where either is hidden.
inline void ShowWindows()
{
    const int stripY = window_h * 3 / 4;
    if (!PARAMETERon)
        Between([stripY] { xphost::click(10, stripY); });
    if (Ident > 0 && IdPlane[Ident].infoFirst > 0 && !INFOon)
        Between([stripY] { xphost::click(window_w - 10, stripY); });
}

// Loads the flight's model at the airport, brake set, and lets it settle past
// its first action; then both windows are shown and, where the model has one,
// its external camera is started, as a pilot who wants to see everything would.
inline bool Load(const Flight& f)
{
    xphost::set_f(path::ParkBrake, 1.0f);
    xphost::set_i(path::Gear, 1);
    if (f.ready)
        f.ready();
    xphost::load_aircraft(f.slot > 0 ? std::string("QZTdesign ") + IdPlane[f.slot].descrip
                                     : std::string("another maker's aircraft"));
    if (Ident != f.slot)
        return Fail("slot " + std::to_string(f.slot) + " was not recognised");
    xphost::advance(6.0);
    ShowWindows();
    if (f.camera)
        PressQZT();
    xphost::advance(0.5);
    return true;
}

// Steps until done() holds, at most `limit` steps.
inline bool Until(const Step& step, const std::function<bool()>& done, int limit, const char* what)
{
    for (int i = 0; i < limit; ++i) {
        if (done())
            return true;
        step();
    }
    return done() || Fail(std::string("no ") + what + " within " + std::to_string(limit) + " steps");
}

inline bool Steps(const Step& step, int n)
{
    for (int i = 0; i < n; ++i)
        step();
    return true;
}

inline void Air(float altitude, float mach, float ias, float vvi)
{
    xphost::set_f(path::Alt, altitude);
    xphost::set_f(path::Mach, mach);
    xphost::set_f(path::Ias, ias);
    xphost::set_f(path::Tas, ias * 0.5144f / std::max(0.2f, 1.0f - altitude / 150000.0f));
    xphost::set_f(path::Vvi, vvi);
}

// ---------------------------------------------------------------- the families

// The Skyhoist's zoom, phase by phase (the zoom's own start and hand-over run
// within the first climb call and the last descent call).
inline Flight Carrier()
{
    Flight f;
    f.key = "skyhoist";
    f.family = "Skyhoist carrier";
    f.slot = 37;
    f.loop = CheckSkyhoist;
    f.camera = true;
    f.ready = [] {
        xphost::set_f(path::Tmax, 300000.0f);
        xphost::set_i(path::Puffers, 1);                  // the orbiter switch
        xphost::set_f(path::Water, 2000.0f);
        xphost::set_f(path::Fuel1, 4000.0f);
        xphost::set_f(path::Fuel2, 6000.0f);
        xphost::set_f(path::Fuel3, 4000.0f);
        xphost::set_f(path::G, 1.0f);
        xphost::set_vf(path::FuelFlow, {2.0f, 2.0f, 2.0f, 2.0f});
        Stations({{0}, {19, 0, 400.0f}, {9, 0, 8000.0f}});   // JATO pack, orbiter
    };
    f.stages = {
        {"ground", [](const Step& s) { return Steps(s, 30); }},
        {"climb", [](const Step& s) {
             Air(10000, 0.8f, 300, 50);
             xphost::set_f(path::Pitch, 10.0f);
             xphost::set_f(path::AmbientC, -56.5f);
             xphost::set_i(path::PropSync, 1);
             if (!Until(s, [] { return zoom_on == 1; }, 30, "zoom start"))
                 return false;
             for (float alt : {16000.0f, 31000.0f, 41000.0f, 60000.0f}) {
                 Air(alt, 3.0f, 450, 60);
                 Steps(s, 5);
             }
             Air(72000, 6.4f, 450, 20);
             return Until(s, [] { return zoom_on == 2; }, 10, "pull-up");
         }},
        {"pull-up", [](const Step& s) {
             xphost::set_f(path::Pitch, 40.0f);
             xphost::set_f(path::G, 4.5f);
             Steps(s, 10);
             for (float ias : {100.0f, 50.0f, 10.0f}) {
                 Air(150000, 3.0f, ias, 500);
                 s();
             }
             xphost::set_f(path::Pitch, 21.0f);
             xphost::set_f(path::G, 0.5f);
             Air(300000, 0.5f, 5, 300);
             return Until(s, [] { return zoom_on == 3; }, 60, "release phase");
         }},
        {"release", [](const Step& s) {
             xphost::set_f(path::Vvi, 275.0f);
             if (!Until(s, [] { return schalt1 == 2; }, 80, "release"))
                 return false;
             // the host lets the orbiter go
             xphost::set_vi(path::Status, {1}, 2);
             xphost::set_f(path::Vvi, -100.0f);
             return Until(s, [] { return zoom_on == 4; }, 400, "pull-out");
         }},
        {"pull-out", [](const Step& s) {
             Air(200000, 2.0f, 40, -300);
             Steps(s, 10);
             Air(95000, 3.0f, 200, -150);
             return Until(s, [] { return zoom_on == 5; }, 10, "descent");
         }},
        {"descent", [](const Step& s) {
             Air(90000, 3.0f, 300, -60);
             Steps(s, 10);
             Air(65000, 2.5f, 350, -30);
             return Until(s, [] { return !SHOISTactive; }, 10, "hand-over");
         }},
    };
    return f;
}

// The orbiter from its placement at the default release: trim up, ease down,
// steer to orbit, the cut and what follows it.
inline Flight Orbiter()
{
    Flight f;
    f.key = "ascender";
    f.family = "Ascender orbiter";
    f.slot = 45;
    f.loop = CheckOrbiter;
    f.ready = [] { xphost::set_f(path::Fuel2, 20000.0f); };
    f.stages = {
        {"on the pad", [](const Step& s) { return Steps(s, 20); }},
        {"ascent", [](const Step& s) {
             xphost::set_f(path::ParkBrake, 0.0f);     // the first release: placed within a second
             Between([] { xphost::run_flight_loop(CheckBrake); });   // its own loop sees it, not the model's
             if (!Until(s, [] { return !go_initial && prop_sync_on; }, 40, "placement"))
                 return false;
             ShowWindows();                            // the brake release closed the handbook
             Air(330000, 10.0f, 20, 400);
             xphost::set_f(path::Pitch, 60.0f);
             xphost::set_f(path::Groundspeed, 3000.0f);
             if (!Until(s, [] { return schalt1 == 1; }, 260, "step 1"))
                 return false;
             xphost::set_f(path::Pitch, 19.0f);
             if (!Until(s, [] { return schalt1 == 2; }, 10, "step 2"))
                 return false;
             for (int i = 0; i < 30; ++i) {
                 xphost::set_f(path::Fuel2, 15000.0f - 100.0f * i);
                 xphost::set_f(path::Groundspeed, 6000.0f + 50.0f * i);
                 s();
             }
             return true;
         }},
        {"cut", [](const Step& s) {
             xphost::set_f(path::Groundspeed, 8000.0f);           // orbital speed at 100 km and more
             if (!Until(s, [] { return ORBcut == 1; }, 10, "engine cut"))
                 return false;
             return Until(s, [] { return ORBcut == 0; }, 40, "booster release disarmed") && Steps(s, 40);
         }},
    };
    return f;
}

// The hypersonic jet: water injection on the climb, the cruise with the sweep
// scheduled by airspeed, both pages of the panel, the dump.
inline Flight Jet()
{
    Flight f;
    f.key = "solace";
    f.family = "Solace hypersonic jet";
    f.slot = 28;
    f.loop = CheckHyper;
    f.camera = true;
    f.ready = [] {
        xphost::set_f(path::Tmax, 120000.0f);
        xphost::set_i(path::Puffers, 1);                  // automatic sweep
        xphost::set_i(path::ViewType, 1000);
        xphost::set_vf(path::FuelFlow, {1.5f, 1.5f});
    };
    f.stages = {
        {"climb", [](const Step& s) {
             xphost::set_i(path::FiringMode, 1);
             for (float alt = 2000; alt <= 50000; alt += 4000) {
                 Air(alt, 0.3f + alt / 20000.0f, 300 + alt / 250.0f, 40);
                 Steps(s, 3);
             }
             return true;
         }},
        {"cruise", [](const Step& s) {
             for (float ias : {560.0f, 600.0f, 640.0f}) {
                 Air(62000, 3.8f, ias, 0);
                 Steps(s, 10);
             }
             xphost::set_i(path::EcamMode, 1);
             Steps(s, 20);
             return true;
         }},
        {"dump", [](const Step& s) {
             Air(9000, 0.6f, 280, -20);
             xphost::set_i(path::FiringMode, 3);
             return Steps(s, 40);
         }},
    };
    return f;
}

// A fighter or bomber with its stores: the flight uses and drops them with
// the custom data box open.
inline Flight Stores(const std::string& key, const std::string& family, int slot, std::vector<Store> stores,
                     bool rocket)
{
    Flight f;
    f.key = key;
    f.family = family;
    f.slot = slot;
    f.loop = CheckDROP;
    f.ready = [stores] {
        Stations(stores);
        xphost::set_f(path::Fuel2, 300.0f);
        xphost::set_vf(path::FuelFlow, {0.3f, 0.3f, 0.0f, 0.0f});
    };
    f.stages = {
        {"take-off", [](const Step& s) {
             xphost::set_f(path::ParkBrake, 0.0f);
             for (int i = 0; i < 30; ++i) {
                 Air(0, 0.1f + 0.01f * i, 10.0f + 5 * i, 0);
                 xphost::set_f(path::JatoLeft, i < 25 ? 25.0f - i : 0.0f);
                 s();
                 if (i == 5)
                     ShowWindows();                    // the brake release closed the handbook
             }
             return Steps(s, 40);
         }},
        {"cruise", [rocket](const Step& s) {
             xphost::set_i(path::Gear, 0);
             Air(10000, 0.6f, 300, 0);
             if (rocket) {
                 PressQZT();                           // the rocket on
                 xphost::set_vf(path::FuelFlow, {0.3f, 0.3f, 2.0f, 2.0f});
             }
             for (int i = 0; i < 50; ++i) {
                 std::vector<float> now = xphost::get_vf(path::MassNow);
                 for (float& m : now)
                     m = m > 1.0f ? m - 0.3f : m;
                 xphost::set_vf(path::MassNow, now);
                 s();
             }
             return true;
         }},
        {"stores away", [](const Step& s) {
             // every store but the first leaves and flies on
             std::vector<int> status = xphost::get_vi(path::Status);
             std::vector<float> speed(25, 250.0f);
             for (size_t i = 1; i < status.size(); ++i)
                 status[i] = xphost::get_vi(path::Type)[i] != 0 ? 1 : 0;
             xphost::set_vi(path::Status, status);
             xphost::set_vf(path::WeaponSpeed, speed);
             for (int i = 0; i < 60; ++i) {
                 std::vector<float> z = xphost::get_vf(path::WeaponZ);
                 for (float& v : z)
                     v -= 25.0f;
                 xphost::set_vf(path::WeaponZ, z);
                 s();
             }
             return true;
         }},
    };
    return f;
}

// The motor glider: seat and ballast, the engine folded away and out again.
inline Flight Glider()
{
    Flight f;
    f.key = "windling";
    f.family = "Windling motor glider";
    f.slot = 7;
    f.loop = CheckGlider;
    f.stages = {
        {"climb", [](const Step& s) {
             xphost::set_i(path::FiringMode, 2);
             xphost::set_i(path::FiringRate, 3);
             Air(1500, 0.08f, 45, 1.5f);
             return Steps(s, 30);
         }},
        {"fold and glide", [](const Step& s) {
             xphost::set_f(path::SweepRequest, 1.0f);
             for (int i = 1; i <= 40; ++i) {
                 xphost::set_f(path::Sweep, i / 40.0f);
                 s();
             }
             Air(1400, 0.07f, 40, -1.2f);
             return Steps(s, 30);
         }},
        {"unfold", [](const Step& s) {
             xphost::set_f(path::SweepRequest, 0.0f);
             for (int i = 39; i >= 0; --i) {
                 xphost::set_f(path::Sweep, i / 40.0f);
                 s();
             }
             return Steps(s, 10);
         }},
    };
    return f;
}

// The light twin with its cameras, the yoke and the mouse steering them, and
// the overlay.
inline Flight Twin()
{
    Flight f;
    f.key = "korva";
    f.family = "Korva light twin";
    f.slot = 52;
    f.loop = CheckKorva;
    f.camera = true;
    f.ready = [] {
        xphost::set_i(path::Battery, 1);
        xphost::set_i(path::Avionics, 1);
        xphost::set_i(path::CockpitLights, 1);
    };
    f.stages = {
        {"camera 0", [](const Step& s) {
             Air(3000, 0.25f, 140, 5);
             for (int i = 0; i < 30; ++i) {
                 xphost::set_f(path::YokeRoll, (i % 10) / 10.0f - 0.5f);
                 xphost::set_f(path::YokePitch, 0.2f);
                 s();
             }
             return true;
         }},
        {"camera 1", [](const Step& s) {
             PressQZT();
             for (int i = 0; i < 30; ++i) {
                 xphost::set_mouse(100 + 25 * i, 700);
                 s();
             }
             xphost::set_i(path::Avionics, 0);
             return Steps(s, 10);
         }},
    };
    return f;
}

// Families without a loop of their own: their windows are all they draw.
inline Flight Parked(const std::string& key, const std::string& family, int slot)
{
    Flight f;
    f.key = key;
    f.family = family;
    f.slot = slot;
    f.stages = {{"parked", [](const Step& s) { return Steps(s, 30); }}};
    return f;
}

// One flight per row of the table of families, with the stores that set each
// store-carrying family's gauges going.
inline std::vector<Flight> EveryFamily()
{
    const Store jato{19, 0.0f, 124.7f}, tank300{23, 243.0f, 283.0f}, gallonTank{23, 506.0f, 533.2f};
    const Store tstoff{23, 0.0f, 29.5f}, rocketUnit{7, 0.0f, 140.2f}, bomb{9, 0.0f, 250.0f};
    return {
        Parked("none", "no model", 0),
        Parked("halvik", "Halvik VTOL", 1),
        Parked("vessa", "Vessa", 4),
        Parked("tessel", "Tessel two-seater", 6),
        Glider(),
        Stores("stormfalk", "Stormfalk jet fighter", 9, {jato, {0}, tank300, tank300, bomb}, false),
        Stores("stormfalk-rocket", "Stormfalk jet fighter, rocket", 13, {{0}, {0}, tstoff, {0}, bomb}, true),
        Stores("brannoc", "Brannoc twin fighter", 18, {{0}, gallonTank, gallonTank, bomb}, false),
        Stores("veyra", "Veyra flying wing", 23, {{0}, rocketUnit, tstoff, tank300}, true),
        Stores("grauhorn", "Grauhorn bomber", 26, {{0}, jato, tank300, bomb, bomb}, false),
        Jet(),
        Parked("lumen", "Lumen airliner", 30),
        Carrier(),
        Parked("skyhoist2", "Skyhoist II carrier", 38),
        Orbiter(),
        Parked("ascender-c", "Ascender orbiter variant", 46),
        Twin(),
    };
}

}  // namespace flights

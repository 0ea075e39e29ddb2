// The first action five seconds after a load, run by the host's clock: what it
// writes per family, in order and to single precision, and what it leaves.
#include <string>
#include <vector>
#include "support/plugin_fixture.h"
#include "support/write_log.h"
#include "aircraft/presets.h"
#include "display/geometry.h"
#include "display/handbook.h"
#include "frame/datarefs.h"
#include "prefs/prefs.h"

namespace {

using Lines = std::vector<std::string>;
const Lines LightsSet = {"beacon_lights_on: 0", "landing_lights_on: 0", "nav_lights_on: 1",
                         "strobe_lights_on: 0", "taxi_light_on: 0"};

Lines Plus(Lines a, const Lines& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

std::string Fuel(int tank, float kg) { return "m_fuel" + std::to_string(tank) + ": " + F9(kg); }

class FirstAction : public PluginTest {
protected:
    // The model loops are stopped after their first call at 4 s, so the
    // writes around 5 s are the first action's alone.
    Lines RunAfterLoad(const std::string& description)
    {
        xphost::load_aircraft(description);
        return RunPending();
    }

    Lines RunPending()
    {
        CheckGliderCallback = CheckDROPCallback = CheckHyperCallback = 0.0f;
        CheckSkyhoistCallback = CheckOrbiterCallback = CheckKorvaCallback = 0.0f;
        const int before = xphost::loop_calls(FIRSTAct);
        xphost::advance(4.9);
        EXPECT_EQ(xphost::loop_calls(FIRSTAct), before);
        xphost::clear_writes();
        xphost::advance(0.3);
        EXPECT_EQ(xphost::loop_calls(FIRSTAct), before + 1);
        EXPECT_EQ(FirstActReg, 0);
        return WriteLines();
    }
};

struct Case {
    const char* description;
    Lines after;             // what follows the lights
};

TEST_F(FirstAction, WritesPerFamilyInOrder)
{
    const float sf1 = 729.149597f;
    const float wingMain = 758.406311f, wingRear = 478.993469f, bomberMain = 664.966309f;
    const float g6 = 758.009399f, g6t = 1516.0188f, solace = 6047.29248f;
    // The wing shares are taken in double precision and rounded when stored.
    const float share666 = static_cast<float>(bomberMain * 0.666);
    const float share5 = static_cast<float>(bomberMain * 0.5);
    const float water = static_cast<float>((solace + solace + solace) * 0.1 * 0.75);

    const Case cases[] = {
        {"QZT Lumen 220 airliner", {}},
        {"QZT Skyhoist orbital carrier", {}},
        {"QZT Ascender orbiter", {}},
        {"QZT Ascender-L lander", {}},
        {"QZT Halvik VTOL transport", {}},
        {"QZT Windling motor hang glider",
         {"firing_mode: 1", "firing_rate: 1", "m_fixed: 0", "acf_mass_shift: 125", "swdirqst: 0"}},
        {"QZT Vessa Air", {"m_fixed: 250", "elv_trim: 0", "ENGN_mixt: 1 1 0", "altitude: 65000"}},
        {"QZT Vessa Space", {"m_fixed: 250", "elv_trim: 0", "ENGN_mixt: 1 1 0", "altitude: 65000"}},
        {"QZT Tessel two-seater", {"m_fixed: 150"}},
        // tank 3 of the first fighters keeps what the aircraft file gave it
        {"QZT Stormfalk SF-1",
         {"m_fixed: 100", "HUD_on: 0", Fuel(1, sf1), Fuel(2, sf1 / 2), "fuel_tank_selector: 2"}},
        {"QZT Stormfalk SF-2 interceptor",
         {"m_fixed: 100", "HUD_on: 0", Fuel(1, sf1), Fuel(2, 364.574799f), "fuel_tank_selector: 2"}},
        {"QZT Stormfalk SF-3 swept wing", {"m_fixed: 100", "HUD_on: 0"}},
        {"QZT Stormfalk SF-3R rocket booster",
         {"m_fixed: 100", "HUD_on: 0", "ENGN_mixt: 1 1 0 0", "firing_mode: 1"}},
        {"QZT Brannoc B.3 night fighter", {"m_fixed: 100", "HUD_on: 0", "fuel_tank_transfer: 2"}},
        {"QZT Veyra flying wing fighter",
         {"m_fixed: 100", "HUD_on: 0", Fuel(1, wingMain), Fuel(2, wingRear), Fuel(3, wingMain),
          "fuel_tank_selector: 4", "fuel_tank_transfer: 2"}},
        {"QZT Veyra rocket wing",
         {"m_fixed: 100", "HUD_on: 0", "ENGN_mixt: 1 1 0 0", "firing_mode: 1", Fuel(1, wingMain),
          Fuel(2, wingRear), Fuel(3, wingMain), "fuel_tank_selector: 4", "fuel_tank_transfer: 2"}},
        {"QZT Veyra JATO bomber",
         {"m_fixed: 100", "HUD_on: 0", Fuel(1, share666), Fuel(2, bomberMain), Fuel(3, share666),
          "fuel_tank_selector: 4", "fuel_tank_transfer: 2"}},
        {"QZT Veyra flying wing trainer",
         {"m_fixed: 100", "HUD_on: 0", Fuel(1, share5), Fuel(2, bomberMain), Fuel(3, share5),
          "fuel_tank_selector: 4", "fuel_tank_transfer: 2"}},
        {"QZT Grauhorn G-6 bomber",
         {Fuel(1, g6), Fuel(2, g6 * 4), Fuel(3, g6), "fuel_tank_selector: 2", "m_fixed: 300"}},
        {"QZT Grauhorn G-6T glide bomb carrier",
         {Fuel(1, g6t), Fuel(2, g6t * 2), Fuel(3, g6t), "fuel_tank_selector: 2", "m_fixed: 300"}},
        {"QZT Solace HX hypersonic business jet",
         {Fuel(1, solace), Fuel(2, solace), Fuel(3, solace), "m_jettison: " + F9(water), "firing_mode: 1"}},
        {"QZT Korva K-2 light twin", {"m_fixed: 330"}},
        {"QZT Korva K-2T turbo twin", {"m_fixed: 330"}},
        {"QZT Korva K-3 utility twin", {"m_fixed: 180"}},
        {"QZT Korva K-4 trainer twin", {"m_fixed: 180"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.description);
        xphost::set_vf("sim/flightmodel/engine/ENGN_mixt", {0.3f, 0.3f, 0.7f, 0.7f});
        EXPECT_EQ(RunAfterLoad(c.description), Plus(LightsSet, c.after));
    }
    // The documented nine-digit values of the shares and the water load.
    EXPECT_EQ(F9(share666), "442.867554");
    EXPECT_EQ(F9(share5), "332.483154");
    EXPECT_EQ(F9(water), "1360.64075");
}

TEST_F(FirstAction, FirstReadingsAndHalvikEngineModes)
{
    xphost::set_f("sim/flightmodel/position/indicated_airspeed", 123.5f);
    xphost::set_f("sim/flightmodel/misc/h_ind", 4567.0f);
    xphost::set_f("sim/aircraft/engine/acf_critalt", 30000.0f);
    xphost::set_f("sim/aircraft/engine/acf_max_mach_eff", 2.5f);
    RunAfterLoad("QZT Halvik-S VTOL scout");
    EXPECT_EQ(ind_airspeed, 123.5f);
    EXPECT_EQ(CurrentAlt, 4567.0f);
    EXPECT_EQ(critalt1, 30000.0f);
    EXPECT_EQ(macheff1, 2.5f);
    EXPECT_EQ(critalt2, 0.0f);
    EXPECT_EQ(macheff2, 7.8f);
}

// Only the wing stations 0 to 7 are counted; 8 and 9 are read but never listed.
TEST_F(FirstAction, CountsTrackedWeaponsOnStationsZeroToSeven)
{
    xphost::set_vi("sim/weapons/type", {0, 9, 0, 21, 5, 0, 22, 23, 9, 21});
    xphost::set_vi("sim/weapons/action_mode", {0, 1, 0, 1, 0, 0, 1, 1, 0, 4});
    xphost::set_vf("sim/weapons/fuel_warhead_mass_max", {0, 0, 0, 0, 0, 0, 0, 0, 0, 66.0f});
    xphost::set_vf("sim/weapons/total_weapon_mass_max", {0, 0, 0, 0, 0, 0, 0, 0, 0, 77.0f});
    RunAfterLoad("QZT Veyra flying wing fighter");
    EXPECT_EQ(WEAPONnumber, 4);
    EXPECT_EQ(std::vector<int>(WEAPONstat, WEAPONstat + 4), (std::vector<int>{1, 3, 6, 7}));
    EXPECT_EQ(PARAMETERlinDOWN, 5);
    EXPECT_EQ(Weapon_type[9], 21);
    EXPECT_EQ(Weapon_status[9], 4);
    EXPECT_EQ(fuel_warhead_mass_max[9], 66.0f);
    EXPECT_EQ(total_weapon_mass_max[9], 77.0f);

    // Nothing tracked on the wing stations: the count is 0, and nothing of
    // the last aircraft's stations is left in the lower lines.
    xphost::set_vi("sim/weapons/type", {0, 0, 0, 0, 0, 0, 0, 0, 9, 9});
    RunAfterLoad("QZT Brannoc B.2 twin fighter");
    EXPECT_EQ(WEAPONnumber, 0);
    EXPECT_LE(PARAMETERlinDOWN, 1);

    // A model without stores does not look at the stations at all.
    xphost::set_vi("sim/weapons/type", {9, 9, 9, 9, 9, 9, 9, 9, 9, 9});
    RunAfterLoad("QZT Lumen 240 airliner");
    EXPECT_EQ(WEAPONnumber, 0);
}

// With the brake set the first showing stays open past its first frame.
TEST_F(FirstAction, HandbookOpensOnlyByPreference)
{
    xphost::set_f("sim/flightmodel/controls/parkbrake", 1.0f);
    showInitialInfo = 0;
    RunAfterLoad("QZT Skyhoist orbital carrier");
    EXPECT_EQ(INFOon, 0);
    EXPECT_EQ(INFOfirstview, 0);

    showInitialInfo = 1;
    RunAfterLoad("QZT Ascender orbiter");
    EXPECT_EQ(INFOon, 1);
    EXPECT_EQ(INFOfirstview, 1);
}

// A crash with no model applies slot 0's preset and a first action that
// only sets the lights, the handbook flag and its own flag.
TEST_F(FirstAction, CrashWithoutModel)
{
    xphost::load_aircraft("Piper PA-44 Seminole");
    xphost::advance(10.0);
    EXPECT_EQ(xphost::loop_calls(FIRSTAct), 0);

    showInitialInfo = 1;
    xphost::load_airport();
    xphost::crash();
    EXPECT_EQ(RunPending(), LightsSet);
    EXPECT_EQ(INFOon, 1);
}

// Once per registration: a load runs it once however long the flight, and
// a crash followed by an airport load schedules it once more.
TEST_F(FirstAction, RunsOncePerRegistration)
{
    const char* const lights = "sim/cockpit/electrical/nav_lights_on";
    xphost::load_aircraft("QZT Stormfalk SF-1");
    xphost::advance(20.0);
    EXPECT_EQ(xphost::writes_to(lights).size(), 1u);
    xphost::crash();
    xphost::load_airport();
    xphost::advance(20.0);
    EXPECT_EQ(xphost::writes_to(lights).size(), 2u);
    EXPECT_EQ(FirstActReg, 0);
}

}  // namespace

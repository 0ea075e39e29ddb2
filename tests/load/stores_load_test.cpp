// The built plug-in file with a fighter or a bomber: its loop and its custom
// data strip through a disable, the release of spent JATO units cut short by a
// crash or an airport load, and the data box across an aircraft change.
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "xphost.h"
#include "support/built_file.h"

namespace {

const char* const Fighter = "QZTdesign QZT Stormfalk SF-1";
const char* const Bomber = "QZTdesign QZT Grauhorn G-6 bomber";
const char* const JatoLeft = "sim/flightmodel/misc/jato_left";
const char* const Tas = "sim/flightmodel/position/true_airspeed";
const char* const FireKey = "sim/joystick/fire_key_is_down";
const char* const Bombs = "sim/cockpit/weapons/bombs_armed";

class BuiltFileStores : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(StartBuiltFile(20));
        // A JATO unit on station 0.
        xphost::set_vi("sim/weapons/type", {19});
        xphost::set_vf("sim/weapons/total_weapon_mass_max", {124.7f});
    }

    void TearDown() override
    {
        for (const auto& m : xphost::type_mismatches())
            ADD_FAILURE() << m.call << " on " << m.path;
        xphost::reset();
    }

    // Loops the host still calls, and the interval they asked for.
    static std::vector<xphost::FlightLoop> Running()
    {
        std::vector<xphost::FlightLoop> out;
        for (const auto& loop : xphost::flight_loops())
            if (loop.active)
                out.push_back(loop);
        return out;
    }

    static bool BoxShows(const std::string& text)
    {
        xphost::draw_now();
        for (const auto& op : xphost::find_text(text))
            if (op.x == 0)
                return true;
        return false;
    }
};

TEST_F(BuiltFileStores, AFighterGetsItsLoopAndTheStripAndADisableHoldsEverything)
{
    xphost::load_aircraft(Fighter);
    xphost::advance(6.0);
    auto running = Running();
    ASSERT_EQ(running.size(), 2u);                     // the stores' loop, then the brake watch
    EXPECT_NEAR(running[0].last_interval, 0.1, 1e-6);
    const auto jato = xphost::writes_to(JatoLeft);
    ASSERT_FALSE(jato.empty());                        // it found the unit on station 0
    EXPECT_EQ(jato.back().values.at(0), 30.0);

    // The strip at the left edge and the handbook's at the right.
    bool strip = false;
    for (const auto& w : xphost::windows())
        strip = strip || (w.left == 0 && w.right == 50 && w.top == 744 && w.bottom == 384);
    EXPECT_TRUE(strip);
    EXPECT_EQ(xphost::windows().size(), 2u);
    EXPECT_FALSE(BoxShows(" JATO:      sec"));
    ASSERT_TRUE(xphost::click(25, 600));
    EXPECT_TRUE(BoxShows(" JATO:      sec"));
    EXPECT_TRUE(BoxShows(" TRUE:         kmh"));

    // The simulator calls nothing of a disabled plug-in; enabled, the loop
    // and the box go on with the unit it found.
    xphost::disable();
    xphost::clear_writes();
    const int calls = Running()[0].calls;
    xphost::advance(5.0);
    EXPECT_EQ(Running()[0].calls, calls);
    EXPECT_TRUE(xphost::writes().empty());
    EXPECT_FALSE(BoxShows(" TRUE:         kmh"));
    xphost::enable();
    xphost::advance(1.0);
    EXPECT_GE(Running()[0].calls - calls, 9);
    EXPECT_TRUE(BoxShows(" JATO:      sec"));

    xphost::load_aircraft(Fighter);
    xphost::advance(6.0);
    EXPECT_EQ(Running().size(), 2u);
    EXPECT_FALSE(xphost::writes_to(JatoLeft).empty());
}

// A crash or an airport load at any second of the release of spent JATO
// units lets go of it: no fire key held and nothing armed afterwards, which
// would drop every armed store.
TEST(BuiltFileJatoRelease, ACrashOrAnAirportLoadAtEveryStepLetsGoOfTheRelease)
{
    struct Model { const char* name; int station; float burn; int steps; };
    // The fighter's unit burns out on the host's count; the bomber's packs
    // burn 100 kg at 3 kg a second as engines 7 and 8.
    for (const Model& m : {Model{Fighter, 0, 0.0f, 8}, Model{Bomber, 1, 34.0f, 6}}) {
        for (int step = 0; step < m.steps; ++step) {
            for (bool crash : {true, false}) {
                SCOPED_TRACE(std::string(m.name) + ", second " + std::to_string(step) +
                             (crash ? ", crash" : ", airport"));
                ASSERT_NO_FATAL_FAILURE(StartBuiltFile(10));
                std::vector<int> type(10, 0);
                std::vector<float> mass(10, 0.0f);
                type[m.station] = 19;
                mass[m.station] = 124.7f;
                xphost::set_vi("sim/weapons/type", type);
                xphost::set_vf("sim/weapons/total_weapon_mass_max", mass);
                xphost::set_i("sim/cockpit/switches/gear_handle_status", 1);
                xphost::load_aircraft(m.name);
                xphost::advance(6.0);
                xphost::set_f(Tas, 70.0f);
                xphost::set_f(JatoLeft, 0.0f);          // the fighter's unit has burnt out
                xphost::advance(m.burn + step);
                if (crash)
                    xphost::crash();
                else
                    xphost::load_airport();
                xphost::set_f(Tas, 0.0f);               // standing, no sequence starts again
                xphost::advance(30.0);
                EXPECT_EQ(xphost::get_i(FireKey), 0);
                EXPECT_EQ(xphost::get_i(Bombs), 0);
            }
        }
    }
    xphost::reset();
}

// The box lists the stations of the aircraft loaded now, never the last one's.
TEST_F(BuiltFileStores, TheDataBoxForgetsTheLastAircraftsStations)
{
    auto kinds = [] {
        xphost::draw_now();
        return xphost::find_text(" WEAPON KIND").size();
    };
    auto box = [] {
        for (const auto& op : xphost::display_list())
            if (op.kind == xphost::DrawOp::Box)
                return op.bottom;
        return -1;
    };
    // The box of the twin fighter without weapons, on its own.
    xphost::set_vi("sim/weapons/type", {0});
    xphost::load_aircraft("QZTdesign QZT Brannoc B.2 twin fighter");
    ASSERT_TRUE(xphost::click(25, 600));
    xphost::advance(6.0);
    ASSERT_EQ(kinds(), 0u);
    const int bottom = box();

    ASSERT_NO_FATAL_FAILURE(StartBuiltFile(20));
    xphost::set_vi("sim/weapons/type", {0, 9, 0, 9, 0, 9});    // three bombs
    xphost::load_aircraft(Fighter);
    xphost::advance(6.0);
    ASSERT_TRUE(xphost::click(25, 600));
    ASSERT_EQ(kinds(), 3u);

    xphost::set_vi("sim/weapons/type", {0, 0, 0, 0, 0, 0});
    xphost::load_aircraft("QZTdesign QZT Brannoc B.2 twin fighter");
    EXPECT_EQ(kinds(), 0u);                             // before its first action (the box stays shown)
    EXPECT_NE(box(), -1);
    xphost::advance(6.0);
    EXPECT_EQ(kinds(), 0u);
    EXPECT_EQ(box(), bottom);                           // and no empty rows for them
}

}  // namespace

// The built plug-in file with a fighter: its loop and its custom data strip,
// and a disable that stops the loop until the next load.
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "xphost.h"
#include "support/built_file.h"

namespace {

const char* const Fighter = "QZTdesign QZT Stormfalk SF-1";
const char* const JatoLeft = "sim/flightmodel/misc/jato_left";

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

TEST_F(BuiltFileStores, AFighterGetsItsLoopAndTheStripAndADisableStopsTheLoop)
{
    xphost::load_aircraft(Fighter);
    xphost::advance(6.0);
    auto running = Running();
    ASSERT_EQ(running.size(), 1u);
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

    xphost::disable();
    EXPECT_TRUE(Running().empty());
    xphost::enable();
    xphost::clear_writes();
    xphost::advance(5.0);
    EXPECT_TRUE(Running().empty());
    EXPECT_TRUE(xphost::writes().empty());
    EXPECT_TRUE(BoxShows(" TRUE:         kmh"));        // the window stays with the aircraft

    xphost::load_aircraft(Fighter);
    xphost::advance(6.0);
    EXPECT_EQ(Running().size(), 1u);
    EXPECT_FALSE(xphost::writes_to(JatoLeft).empty());
}

}  // namespace

// The hypersonic jet: water injection, the thrust factor it gives and the
// wing schedule, one call of its loop per 0.1 s tick.
#include <cmath>
#include <limits>
#include <string>
#include <vector>
#include "support/carrier_fixture.h"
#include "systems/hyper.h"

using namespace carrier_paths;

namespace {

const char* const Ind = "sim/flightmodel/position/indicated_airspeed";
const char* const SweepSwitch = "sim/cockpit/switches/puffers_on";
const float Rated = 40000.0f;

// The factor as the jet works it out: in extended precision, stored single.
float Factor(long double mach, long double alt, bool water)
{
    const long double m = (mach - 2.0L) / 2.0L;
    long double f = 1.0L;
    if (water && mach > 2.0L)
        f = 1.0L - 0.85 * m * m;
    if (!water && alt > 10000.0L)
        f = 1.0L - 0.85 * m * m - alt / 100000.0L;
    return static_cast<float>(f < 0 ? 0 : f);
}

class Jet : public PluginTest {
protected:
    void SetUp() override
    {
        PluginTest::SetUp();
        ResetCarrierGlobals();
        CurrentAlt = machno = ind_airspeed = 0.0f;
        dihedral = swdirqst = 0.0f;
        tmax_acf = tmax_curr = 0.0f;                 // as the last model's hand-back leaves them
        xphost::set_f(Tmax, Rated);
        xphost::set_f(Water, 1000.0f);
        xphost::set_i(WaterSelector, 1);
        xphost::load_aircraft(std::string("QZTdesign ") + IdPlane[28].descrip);
        ASSERT_EQ(Ident, 28);
        xphost::clear_writes();
    }

    void TearDown() override
    {
        for (const auto& m : xphost::type_mismatches())
            ADD_FAILURE() << m.call << " on " << m.path;
    }

    // One second of the loop, from tick 4 to the water step at tick 3.
    std::vector<xphost::Write> Second()
    {
        const size_t before = xphost::writes().size();
        do {
            EXPECT_EQ(CheckHyper(0.1f, 0.1f, 0, nullptr), 0.1f);
        } while (sectimer != 3);
        const auto& all = xphost::writes();
        return std::vector<xphost::Write>(all.begin() + static_cast<long>(before), all.end());
    }

    std::vector<xphost::Write> Fly(float alt, float mach, float ias = 300.0f)
    {
        xphost::set_f(Alt, alt);
        xphost::set_f(Mach, mach);
        xphost::set_f(Ind, ias);
        return Second();
    }
};

TEST_F(Jet, InjectionComesOnAt10000FtAndGoesOffAt9750)
{
    struct Case { float alt; bool on; };
    const Case climbAndDescent[] = {
        {9999, false}, {10000, true}, {12000, true}, {9900, true}, {9751, true},
        {9750, false}, {9900, false}, {10000, true},
    };
    for (const auto& c : climbAndDescent) {
        Fly(c.alt, 0.8f);
        EXPECT_EQ(water != 0, c.on) << c.alt << " ft";
    }
    xphost::set_i(WaterSelector, 0);                 // the selector ends it anywhere
    Fly(30000, 0.8f);
    EXPECT_FALSE(water);
    EXPECT_EQ(WASSERverbrauch, 0.0f);
}

TEST_F(Jet, ThrustFactorWithoutWaterFallsWithAltitudeAndOffDesignMach)
{
    xphost::set_i(WaterSelector, 0);
    struct Case { float alt, mach, factor; };
    const Case cases[] = {
        {50000, 2.0f, 0.5f},                         // 0.5 lower at 50,000 ft
        {10001, 2.0f, Factor(2.0L, 10001.0L, false)},
        {10000, 3.0f, 1.0f},                         // full thrust at 10,000 ft and below
        {30000, 0.8f, Factor(0.8f, 30000.0L, false)},
        {50000, 4.5f, 0.0f},                         // never negative
    };
    for (const auto& c : cases) {
        const auto ws = Fly(c.alt, c.mach);
        EXPECT_EQ(thrust_maximum, c.factor) << c.alt << " ft, Mach " << c.mach;
        EXPECT_EQ(LastWritten(Tmax), static_cast<double>(static_cast<float>(Rated * static_cast<long double>(c.factor))));
    }
    Fly(10001, 2.0f);
    EXPECT_LT(thrust_maximum, 0.9f);                 // just under 0.9
    EXPECT_GT(thrust_maximum, 0.8999f);
}

TEST_F(Jet, ThrustFactorWithWaterIsFullUpToMach2)
{
    struct Case { float mach, factor; };
    const Case cases[] = {{0.8f, 1.0f}, {2.0f, 1.0f}, {3.0f, 0.7875f}, {4.0f, 0.15f}, {5.2f, 0.0f}};
    for (const auto& c : cases) {
        Fly(40000, c.mach);
        ASSERT_TRUE(water);
        EXPECT_FLOAT_EQ(thrust_maximum, c.factor) << "Mach " << c.mach;
        EXPECT_EQ(thrust_maximum, Factor(c.mach, 40000.0L, true)) << "Mach " << c.mach;
    }
}

TEST_F(Jet, InjectionUsesATenthOfTheFuelFlowAt80000Ft)
{
    xphost::set_vf(FuelFlow, {1.0f, 1.4f, 9.0f});    // engines 1 and 2 only
    Fly(80000, 3.0f);
    EXPECT_FLOAT_EQ(WASSERverbrauch, 0.24f);
    EXPECT_FLOAT_EQ(xphost::get_f(Water), 1000.0f - 0.24f);
    Fly(45000, 3.0f);
    EXPECT_EQ(WASSERverbrauch, static_cast<float>(2.4L * 0.1 * 35000.0L / 70000.0L));

    // paused: the figures go on, the tank does not
    xphost::set_i(Paused, 1);
    const float left = xphost::get_f(Water);
    auto ws = Fly(60000, 2.5f);
    EXPECT_FALSE(WroteAny(ws, Water));
    EXPECT_EQ(xphost::get_f(Water), left);
    EXPECT_GT(WASSERverbrauch, 0.0f);
    EXPECT_EQ(LastWritten(Tmax), static_cast<double>(static_cast<float>(Rated * static_cast<long double>(Factor(2.5f, 60000, true)))));
}

// Still injecting on the way down between 9,750 and 10,000 ft: nothing is
// used and nothing added to the tank.
TEST_F(Jet, ConsumptionIsNeverNegative)
{
    xphost::set_vf(FuelFlow, {2.0f, 2.0f});
    Fly(20000, 0.8f);
    ASSERT_TRUE(water);
    const float left = xphost::get_f(Water);
    for (float alt : {9990.0f, 9900.0f, 9800.0f}) {
        Fly(alt, 0.8f);
        ASSERT_TRUE(water) << alt;
        EXPECT_EQ(WASSERverbrauch, 0.0f) << alt;
        EXPECT_EQ(xphost::get_f(Water), left) << alt;
    }
    EXPECT_EQ(thrust_maximum, 1.0f);
}

TEST_F(Jet, DumpEmptiesTheTankAt30KgASecondAndStopsAtEmpty)
{
    xphost::set_f(Water, 70.0f);
    xphost::set_i(WaterSelector, 3);
    const float expected[] = {40.0f, 10.0f, 0.0f, 0.0f};
    for (float kg : expected) {
        Fly(30000, 0.8f);
        EXPECT_FALSE(water);
        EXPECT_EQ(WASSERverbrauch, 30.0f);
        EXPECT_EQ(xphost::get_f(Water), kg);
    }
    EXPECT_EQ(thrust_maximum, Factor(0.8f, 30000.0L, false));   // no thrust gain while dumping

    // an empty tank keeps injection on with its factor; it stays empty
    xphost::set_vf(FuelFlow, {2.0f, 2.0f});
    xphost::set_i(WaterSelector, 1);
    Fly(50000, 3.0f);
    EXPECT_TRUE(water);
    EXPECT_GT(WASSERverbrauch, 0.0f);
    EXPECT_EQ(thrust_maximum, 0.7875f);
    EXPECT_EQ(xphost::get_f(Water), 0.0f);

    xphost::set_i(WaterSelector, 3);
    xphost::set_f(Water, 25.0f);
    xphost::set_i(Paused, 1);
    const auto ws = Fly(30000, 0.8f);
    EXPECT_FALSE(WroteAny(ws, Water));
}

TEST_F(Jet, DihedralAndSweepKeepTheirValueInsideTheirBands)
{
    xphost::set_i(SweepSwitch, 1);
    struct Case { float alt, mach, ias, dihedral, sweep; };
    const Case schedule[] = {
        {1000, 0.30f, 200, 1, 0},
        {5000, 0.48f, 300, 1, 0},      // between Mach 0.45 and 0.5: kept
        {5000, 0.50f, 320, 0, 0},
        {5000, 0.46f, 290, 0, 0},      // kept on the way back too
        {5000, 0.45f, 280, 1, 0},
        {20000, 0.95f, 400, 0, 1},
        {20000, 0.92f, 390, 0, 1},     // between Mach 0.9 and 0.95: kept
        {20000, 0.90f, 380, 0, 0},
        {20000, 0.93f, 390, 0, 0},
        {50000, 2.0f, 600, 0, 0.5f},   // high up by airspeed
        {50000, 2.0f, 625, 0, 0.5f},   // 620 to 630 kt: kept
        {50000, 2.5f, 631, 0, 1},
        {55000, 2.4f, 620, 0, 1},      // kept
        {55000, 2.2f, 574, 0, 0},
        {55000, 2.3f, 575, 0, 0.5f},
        {49999, 1.5f, 500, 0, 1},
    };
    for (const auto& c : schedule) {
        Fly(c.alt, c.mach, c.ias);
        EXPECT_EQ(xphost::get_f(Dihedral), c.dihedral) << c.alt << " ft, Mach " << c.mach << ", " << c.ias << " kt";
        EXPECT_EQ(xphost::get_f(Sweep), c.sweep) << c.alt << " ft, Mach " << c.mach << ", " << c.ias << " kt";
    }
}

TEST_F(Jet, SweepIsNeverWrittenWithItsSwitchOff)
{
    xphost::set_i(SweepSwitch, 0);
    xphost::set_f(Sweep, 0.25f);                       // wherever the pilot left it
    std::vector<xphost::Write> all;
    for (float mach : {0.3f, 0.95f, 2.0f, 0.85f}) {
        const auto ws = Fly(mach > 1 ? 60000.0f : 20000.0f, mach, 640);
        all.insert(all.end(), ws.begin(), ws.end());
    }
    EXPECT_FALSE(WroteAny(all, Sweep));
    EXPECT_TRUE(WroteAny(all, Dihedral));
}

TEST_F(Jet, WingsAndThrustAreWrittenOnlyWhenTheyChange)
{
    xphost::set_i(SweepSwitch, 1);
    auto ws = Fly(20000, 0.3f);                      // the first pass writes all three
    EXPECT_EQ(WritesOf(ws, Dihedral).size(), 1u);
    EXPECT_EQ(WritesOf(ws, Sweep).size(), 1u);
    EXPECT_EQ(WritesOf(ws, Tmax).size(), 1u);
    for (int i = 0; i < 3; ++i) {
        ws = Fly(20000, 0.3f);
        EXPECT_FALSE(WroteAny(ws, Dihedral));
        EXPECT_FALSE(WroteAny(ws, Sweep));
        EXPECT_FALSE(WroteAny(ws, Tmax));
    }
    ws = Fly(40000, 3.0f);
    EXPECT_EQ(WritesOf(ws, Dihedral).size(), 1u);
    EXPECT_EQ(WritesOf(ws, Sweep).size(), 1u);
    EXPECT_EQ(WritesOf(ws, Tmax).size(), 1u);

    // the same jet loaded again writes them all on its first pass
    xphost::load_aircraft(std::string("QZTdesign ") + IdPlane[28].descrip);
    ws = Fly(40000, 3.0f);
    EXPECT_EQ(WritesOf(ws, Dihedral).size(), 1u);
    EXPECT_EQ(WritesOf(ws, Sweep).size(), 1u);
    EXPECT_EQ(WritesOf(ws, Tmax).size(), 1u);
}

// The preset runs again at an airport change and after a crash, when the
// engines still carry the thrust the jet cut: the factor keeps applying to
// the rated thrust.
TEST_F(Jet, AirportChangesAndCrashesKeepTheRatedThrust)
{
    const float cut = static_cast<float>(Rated * static_cast<long double>(0.7875f));
    Fly(40000, 3.0f);
    ASSERT_EQ(xphost::get_f(Tmax), cut);
    xphost::load_airport();
    Fly(40000, 3.0f);
    EXPECT_EQ(xphost::get_f(Tmax), cut);
    xphost::crash();
    Fly(40000, 3.0f);
    EXPECT_EQ(xphost::get_f(Tmax), cut);

    // a new load takes the aircraft's own rating
    xphost::set_f(Tmax, 50000.0f);
    xphost::load_aircraft(std::string("QZTdesign ") + IdPlane[28].descrip);
    Fly(40000, 3.0f);
    EXPECT_EQ(xphost::get_f(Tmax), static_cast<float>(50000.0f * static_cast<long double>(0.7875f)));
}

TEST_F(Jet, LandingLightsFollowTheGearHandle)
{
    xphost::set_i(GearHandle, 1);
    Fly(1000, 0.3f);
    xphost::set_i(LandingLights, 1);
    xphost::set_i(GearHandle, 0);
    Fly(1500, 0.35f);
    EXPECT_EQ(xphost::get_i(LandingLights), 0);
    xphost::set_i(GearHandle, 1);
    Fly(1000, 0.3f);
    EXPECT_EQ(xphost::get_i(LandingLights), 1);
}

// Readings the host cannot mean never reach the engine or the tank.
TEST_F(Jet, ReadingsThatAreNoNumbersWriteNothingBroken)
{
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    Fly(40000, 3.0f);
    xphost::set_vf(FuelFlow, {nan, inf});
    xphost::set_f(Water, nan);
    auto ws = Fly(nan, nan, nan);
    for (const auto& w : ws)
        for (double v : w.values)
            EXPECT_TRUE(std::isfinite(v)) << w.path;
    EXPECT_EQ(thrust_maximum, 0.7875f);              // the last good Mach and altitude
    xphost::set_f(Water, 500.0f);
    xphost::set_vf(FuelFlow, {-3.0f, 1.0e30f});
    ws = Fly(80000, 1.0e30f);
    EXPECT_EQ(thrust_maximum, 0.0f);
    EXPECT_GE(xphost::get_f(Water), 0.0f);
    EXPECT_TRUE(std::isfinite(WASSERverbrauch));
}

}  // namespace

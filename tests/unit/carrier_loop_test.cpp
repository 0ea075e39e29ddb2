// The carrier's loop: its schedule over the second, the zoom switch and the
// stick, the bay and JATO check, and the zoom engagement.
#include "support/carrier_fixture.h"

using namespace carrier_paths;

class CarrierLoop : public CarrierTest {};

TEST_F(CarrierLoop, OnceASecondWorkRunsOnItsOwnTickAndTheLoopKeepsItsInterval)
{
    ASSERT_EQ(sectimer, 0);
    std::vector<int> tmaxCalls, sweepCalls;
    for (int call = 1; call <= 20; ++call) {
        const auto ws = Tick();
        if (WroteAny(ws, Tmax))
            tmaxCalls.push_back(sectimer);
        if (WroteAny(ws, Sweep))
            sweepCalls.push_back(sectimer);
    }
    EXPECT_EQ(tmaxCalls, (std::vector<int>{7, 7}));   // the engine step
    EXPECT_EQ(sweepCalls, (std::vector<int>{8}));     // the systems step; written once, on the first pass
    EXPECT_FLOAT_EQ(last_return_, 0.1f);

    CheckSkyhoistCallback = 0.0f;                     // what the clean-up does
    Tick();
    EXPECT_EQ(last_return_, 0.0f);
}

TEST_F(CarrierLoop, ZoomSwitchCentresAndTakesTheStickAndGivesItBack)
{
    xphost::set_i(ApFlags, 5000);                     // a navigation state: no engagement
    xphost::set_i(ZoomSwitch, 1);
    auto ws = RunStep(1);
    EXPECT_TRUE(Wrote(ws, StickOverride, 1));
    EXPECT_TRUE(Wrote(ws, YokePitch, 0));
    EXPECT_TRUE(Wrote(ws, YokeRoll, 0));
    EXPECT_TRUE(Wrote(ws, YokeHeading, 0));
    EXPECT_EQ(system21mes, 28);                       // ZOOM AP ON

    ws = Ticks(10);                                   // the stick is taken once, not every second
    EXPECT_FALSE(WroteAny(ws, StickOverride));

    xphost::set_i(ZoomSwitch, 0);
    ws = RunStep(1);
    EXPECT_TRUE(Wrote(ws, StickOverride, 0));
    EXPECT_TRUE(Wrote(ws, ThrottleLimit, 1.0));
    EXPECT_EQ(system21mes, 0);
}

TEST_F(CarrierLoop, DumpedOrAbandonedOrbiterHoldsTheZoomSwitchOff)
{
    for (uint8_t* latch : {&ORBfuelgone, &ORBemergout}) {
        ORBfuelgone = ORBemergout = 0;
        *latch = 1;
        xphost::set_i(ZoomSwitch, 1);
        xphost::clear_writes();
        RunStep(9);
        const auto ws = Ticks(10);
        EXPECT_TRUE(Wrote(ws, ZoomSwitch, 0));
        EXPECT_FALSE(WroteAny(ws, StickOverride));
        EXPECT_FALSE(SHOISTactive);
        EXPECT_NE(system21mes, 28);
    }
}

TEST_F(CarrierLoop, FirstBayCheckAfterALoadAlwaysSeesTheBay)
{
    OrbiterAboard();
    auto ws = RunStep(2);
    EXPECT_EQ(system24mes, 11);                       // Z3 ORBITER
    EXPECT_TRUE(BAYladen);
    // on the ground without a pack: four engines, no JATO
    EXPECT_TRUE(Wrote(ws, Engines, 4));
    EXPECT_TRUE(Wrote(ws, ThrustPoints, 4));
    EXPECT_FALSE(takeoff);
    EXPECT_EQ(JATOmass, 0.0f);

    ws = RunStep(2);                                  // nothing changed: nothing configured
    EXPECT_FALSE(WroteAny(ws, Engines));

    // the orbiter has gone (released): the bay shows empty with no load
    SetStations({0, 0, 9, 0, 0, 0}, {0, 0, 1, 0, 0, 0});
    ws = RunStep(2);
    EXPECT_EQ(system24mes, 12);                       // BAY EMPTY
    EXPECT_FALSE(BAYladen);
    EXPECT_EQ(total_weapon_mass_max[2], 0.0f);
    EXPECT_FALSE(WroteAny(ws, StationMassMax));       // only the page's copy is cleared
}

TEST_F(CarrierLoop, EmptyBayIsSeenOnTheFirstCheckToo)
{
    RunStep(2);
    EXPECT_EQ(system24mes, 12);
    EXPECT_FALSE(BAYladen);
}

TEST_F(CarrierLoop, NewOrbiterInTheBayClearsTheEmergencyLatches)
{
    ORBfuelgone = ORBemergout = 1;
    OrbiterAboard();
    RunStep(2);
    EXPECT_FALSE(ORBfuelgone);
    EXPECT_FALSE(ORBemergout);
}

TEST_F(CarrierLoop, JatoTakeOffIgnitesBurnsTwentySecondsAndDropsThePack)
{
    xphost::set_vf(Mixture, {1, 1, 1, 1, 1, 1});
    OrbiterAboard(true);
    auto ws = RunStep(2);
    EXPECT_TRUE(takeoff);
    EXPECT_EQ(JATOmass, 1400.0f);
    EXPECT_TRUE(Wrote(ws, Engines, 6));
    EXPECT_TRUE(Wrote(ws, ThrustPoints, 6));
    EXPECT_EQ(xphost::get_vf(Mixture, 0, 6), (std::vector<float>{1, 1, 1, 1, 0, 0}));
    // tanks written centre first, then the outer ones
    const int t2 = IndexOf(ws, Fuel2), t1 = IndexOf(ws, Fuel1), t3 = IndexOf(ws, Fuel3);
    ASSERT_GE(t2, 0);
    EXPECT_LT(t2, t1);
    EXPECT_LT(t1, t3);
    EXPECT_FLOAT_EQ(xphost::get_f(Fuel2), 15422.0f);
    EXPECT_FLOAT_EQ(xphost::get_f(Fuel1), 7711.0f);
    EXPECT_FLOAT_EQ(xphost::get_f(Fuel3), 7711.0f);
    EXPECT_EQ(system21mes, 42);                       // AUTOMATIC
    EXPECT_EQ(system22mes, 39);                       // JATO READY

    // the take-off run: nothing below Mach 0.15
    xphost::set_f(Mach, 0.15f);
    RunStep(2);
    EXPECT_FALSE(JATOon);
    xphost::set_f(Mach, 0.16f);
    RunStep(2);
    EXPECT_TRUE(JATOon);
    EXPECT_EQ(system22mes, 40);                       // JATO ACTIVE
    EXPECT_EQ(xphost::get_vf(Mixture, 4, 2), (std::vector<float>{1, 1}));

    xphost::set_f(Mach, 0.4f);
    for (int second = 1; second < 20; ++second) {
        ws = RunStep(2);
        ASSERT_FALSE(WroteAny(ws, FireKey)) << "dropped after " << second << " s";
    }
    ws = RunStep(2);                                  // the twentieth second of burn
    EXPECT_TRUE(Wrote(ws, BombsArmed, 1));
    EXPECT_TRUE(Wrote(ws, FireKey, 1));
    EXPECT_EQ(xphost::get_vf(Mixture, 4, 2), (std::vector<float>{0, 0}));
    EXPECT_EQ(system22mes, 41);                       // JATO DROPPED
    EXPECT_FALSE(WroteAny(ws, Engines));

    ws = RunStep(2);                                  // one second later: four engines again
    EXPECT_TRUE(Wrote(ws, BombsArmed, 0));
    EXPECT_TRUE(Wrote(ws, FireKey, 0));
    EXPECT_TRUE(Wrote(ws, Engines, 4));
    EXPECT_TRUE(Wrote(ws, ThrustPoints, 4));
    EXPECT_EQ(system21mes, 0);
    EXPECT_EQ(system22mes, 0);
    EXPECT_FALSE(takeoff);
    EXPECT_FALSE(JATOon);

    ws = Ticks(30);
    EXPECT_FALSE(WroteAny(ws, FireKey));
}

TEST_F(CarrierLoop, StationChangeSeenWhileMovingPressesTheWeaponRelease)
{
    OrbiterAboard(true);
    xphost::set_f(Mach, 0.05f);
    auto ws = RunStep(2);
    EXPECT_TRUE(Wrote(ws, BombsArmed, 1));
    EXPECT_TRUE(Wrote(ws, FireKey, 1));
    EXPECT_FALSE(WroteAny(ws, Engines));              // no JATO set-up in the air
    EXPECT_FALSE(takeoff);
}

TEST_F(CarrierLoop, ZoomEngagesAtOnceOutsideANavigationState)
{
    xphost::set_i(ApFlags, 4000);
    xphost::set_i(ZoomSwitch, 1);
    auto ws = RunStep(3);
    EXPECT_FALSE(SHOISTactive);
    ws = RunStep(4);
    EXPECT_TRUE(SHOISTactive);
    EXPECT_FALSE(SHOISTfromLOC);
    EXPECT_EQ(zoom_on, 1);                            // the zoom ran within the same call
    EXPECT_TRUE(Wrote(ws, ApFlags, 163));
    EXPECT_FALSE(WroteAny(ws, ApHeading));
}

TEST_F(CarrierLoop, OnANavigatedLegTheZoomWaitsForTheDialled99900Feet)
{
    xphost::set_i(ApFlags, 4001);
    xphost::set_f(ApAlt, 50000.0f);
    xphost::set_f(ApHeading, 123.0f);
    xphost::set_i(ZoomSwitch, 1);
    RunStep(4);
    EXPECT_FALSE(SHOISTactive);
    EXPECT_EQ(system21mes, 30);                       // ZOOM AP STBY
    RunStep(4);
    EXPECT_FALSE(SHOISTactive);

    xphost::set_f(ApAlt, 99900.0f);
    const auto ws = RunStep(4);
    EXPECT_TRUE(SHOISTactive);
    EXPECT_TRUE(SHOISTfromLOC);
    EXPECT_TRUE(Wrote(ws, ApHeading, 123.0));         // the zoom flies the heading set then
}

TEST_F(CarrierLoop, NavigatedZoomThatHasEndedGivesTheAutopilotItsStateBack)
{
    SHOISTfromLOC = 1;                                // a navigated zoom has handed over
    xphost::set_i(ApFlags, 4500);
    xphost::set_f(ApAlt, 60000.0f);
    xphost::set_i(ZoomSwitch, 1);
    auto ws = RunStep(4);
    EXPECT_TRUE(Wrote(ws, ApFlags, 4405));
    EXPECT_FALSE(SHOISTfromLOC);
    EXPECT_FALSE(SHOISTactive);
    EXPECT_EQ(system21mes, 0);                        // seen as the switch going off
}

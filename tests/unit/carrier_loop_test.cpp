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
    EXPECT_EQ(sweepCalls, (std::vector<int>{8}));     // the systems step; written on the first pass only
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
    for (const char* yoke : {YokePitch, YokeRoll, YokeHeading})
        EXPECT_TRUE(Wrote(ws, yoke, 0)) << yoke;
    EXPECT_EQ(system21mes, 28);                       // ZOOM AP ON
    ws = Ticks(10);                                   // taken once, not every second
    EXPECT_FALSE(WroteAny(ws, StickOverride));

    xphost::set_i(ZoomSwitch, 0);
    ws = RunStep(1);
    EXPECT_TRUE(Wrote(ws, StickOverride, 0));
    EXPECT_TRUE(Wrote(ws, ThrottleLimit, 1.0));
    EXPECT_EQ(system21mes, 0);
}

TEST_F(CarrierLoop, DumpedOrAbandonedOrbiterHoldsTheZoomSwitchOffUntilANewOneIsAboard)
{
    SetStations({0, 0, 9, 0, 0, 0}, {0, 0, 1, 0, 0, 0});   // the bay is empty
    for (uint8_t* latch : {&ORBfuelgone, &ORBemergout}) {
        *latch = 1;
        xphost::set_i(ZoomSwitch, 1);
        RunStep(9);
        const auto ws = Ticks(10);
        EXPECT_TRUE(Wrote(ws, ZoomSwitch, 0));
        EXPECT_FALSE(WroteAny(ws, StickOverride));
        EXPECT_FALSE(SHOISTactive);
        EXPECT_NE(system21mes, 28);
        *latch = 0;
    }
    ORBfuelgone = ORBemergout = 1;
    OrbiterAboard();                                  // a new orbiter in the bay
    RunStep(2);
    EXPECT_FALSE(ORBfuelgone || ORBemergout);
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

    SetStations({0, 0, 9, 0, 0, 0}, {0, 0, 1, 0, 0, 0});   // released
    ws = RunStep(2);
    EXPECT_EQ(system24mes, 12);                       // BAY EMPTY
    EXPECT_FALSE(BAYladen);
    EXPECT_EQ(total_weapon_mass_max[2], 0.0f);
    EXPECT_FALSE(WroteAny(ws, StationMassMax));       // only the page's copy is cleared
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
    EXPECT_TRUE(t2 >= 0 && t2 < t1 && t1 < t3);
    EXPECT_FLOAT_EQ(xphost::get_f(Fuel2), 15422.0f);
    EXPECT_FLOAT_EQ(xphost::get_f(Fuel1), 7711.0f);
    EXPECT_FLOAT_EQ(xphost::get_f(Fuel3), 7711.0f);
    EXPECT_EQ(system21mes, 42);                       // AUTOMATIC
    EXPECT_EQ(system22mes, 39);                       // JATO READY

    xphost::set_f(Mach, 0.15f);                       // the take-off run: not yet
    RunStep(2);
    EXPECT_FALSE(JATOon);
    xphost::set_f(Mach, 0.16f);
    RunStep(2);
    EXPECT_TRUE(JATOon);
    EXPECT_EQ(system22mes, 40);                       // JATO ACTIVE
    EXPECT_EQ(xphost::get_vf(Mixture, 4, 2), (std::vector<float>{1, 1}));

    xphost::set_f(Mach, 0.4f);
    for (int second = 1; second < 20; ++second)
        ASSERT_FALSE(WroteAny(RunStep(2), FireKey)) << "dropped after " << second << " s";
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
    EXPECT_FALSE(takeoff || JATOon);
    EXPECT_FALSE(WroteAny(Ticks(30), FireKey));
}

TEST_F(CarrierLoop, StationChangeSeenWhileMovingPressesTheWeaponRelease)
{
    OrbiterAboard(true);
    xphost::set_f(Mach, 0.05f);
    const auto ws = RunStep(2);
    EXPECT_TRUE(Wrote(ws, BombsArmed, 1));
    EXPECT_TRUE(Wrote(ws, FireKey, 1));
    EXPECT_FALSE(WroteAny(ws, Engines));              // no JATO set-up in the air
    EXPECT_FALSE(takeoff);
}

TEST_F(CarrierLoop, ZoomEngagesAtOnceOrOnANavigatedLegAtTheDialled99900Feet)
{
    xphost::set_i(ApFlags, 4001);                     // autothrottle, altitude arm, nav and glide slope
    xphost::set_f(ApAlt, 50000.0f);
    xphost::set_f(ApHeading, 123.0f);
    xphost::set_i(ZoomSwitch, 1);
    RunStep(4);
    RunStep(4);
    EXPECT_FALSE(SHOISTactive);
    EXPECT_EQ(system21mes, 30);                       // ZOOM AP STBY

    xphost::set_f(ApAlt, 99900.0f);
    RunStep(3);
    auto ws = Tick();                                 // step 4
    EXPECT_TRUE(SHOISTactive);
    EXPECT_TRUE(SHOISTfromLOC);
    EXPECT_EQ(zoom_on, 1);                            // the zoom ran within the same call
    EXPECT_TRUE(Wrote(ws, ApHeading, 123.0));         // it flies the heading set then
    // Only the heading button is pressed: it takes the lateral axis from the
    // nav mode, and the modes already engaged stay on.
    EXPECT_EQ(WritesOf(ws, ApFlags).size(), 1u);
    EXPECT_TRUE(Wrote(ws, ApFlags, 2));
    EXPECT_EQ(xphost::get_i(ApFlags), 4001 - 512 + 2);

    // outside a navigation state the zoom starts at once
    xphost::set_i(ZoomSwitch, 0);
    RunStep(1);
    ASSERT_FALSE(SHOISTactive);
    xphost::set_i(ApFlags, 4000);
    xphost::set_i(ZoomSwitch, 1);
    RunStep(1);
    RunStep(3);
    ws = Tick();
    EXPECT_TRUE(SHOISTactive);
    EXPECT_FALSE(SHOISTfromLOC);
    EXPECT_FALSE(WroteAny(ws, ApHeading));
}

TEST_F(CarrierLoop, NavigatedZoomThatHasEndedGivesTheAutopilotItsStateBack)
{
    SHOISTfromLOC = 1;                                // a navigated zoom has handed over
    xphost::set_i(ApFlags, 4096 | 163);               // the zoom's modes with the FMS armed
    xphost::set_f(ApAlt, 60000.0f);
    xphost::set_i(ZoomSwitch, 1);
    auto ws = RunStep(4);
    EXPECT_EQ(xphost::get_i(ApFlags), 4405);          // reached by pressing what was not on
    EXPECT_TRUE(Wrote(ws, ApFlags, 4405 & ~(4096 | 163)));
    EXPECT_FALSE(SHOISTfromLOC || SHOISTactive);
    EXPECT_EQ(system21mes, 0);                        // seen as the switch going off
}

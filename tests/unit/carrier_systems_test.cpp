// The carrier's once-a-second systems: water injection and thrust, orbiter
// emergencies, fuel trim, wings, bay doors, lights and temperatures.
#include "support/carrier_fixture.h"

using namespace carrier_paths;

class CarrierSystems : public CarrierTest {
protected:
    // One whole second of the loop, ending after the temperature step.
    std::vector<xphost::Write> Second() { return RunStep(9); }

    void Fly(float altitude, float mach)
    {
        xphost::set_f(Alt, altitude);
        xphost::set_f(Mach, mach);
    }
};

TEST_F(CarrierSystems, WaterInjectionSwitchesWithHysteresis)
{
    xphost::set_i(WaterSelector, 1);
    struct Case { float alt, mach; bool on; int message; };
    const Case flight[] = {
        {60000, 3.6f, false, 0},      // not above Mach 3.6 yet
        {59900, 3.7f, false, 0},      // not at 60,000 ft yet
        {60000, 3.7f, true, 17},
        {59600, 3.55f, true, 17},     // between the limits: stays on
        {59500, 3.7f, false, 16},     // off at 59,500 ft
        {59900, 3.7f, false, 16},     // between the limits: stays off
        {65000, 3.7f, true, 17},
        {65000, 3.49f, false, 16},    // off below Mach 3.5
    };
    for (const auto& c : flight) {
        Fly(c.alt, c.mach);
        Second();
        EXPECT_EQ(water != 0, c.on) << c.alt << " ft, Mach " << c.mach;
        if (c.message) {
            EXPECT_EQ(system25mes, c.message) << c.alt << " ft, Mach " << c.mach;
        }
    }
}

TEST_F(CarrierSystems, InjectionTradesWaterForThrust)
{
    xphost::set_i(WaterSelector, 2);
    xphost::set_vf(FuelFlow, {1.0f, 1.0f, 1.0f, 1.0f});
    Fly(75000, 5.25f);
    const auto ws = Second();
    EXPECT_TRUE(water);
    // a twentieth of the fuel flow half way between 60,000 and 90,000 ft
    EXPECT_NEAR(WASSERverbrauch, 0.2f, 1e-5);
    EXPECT_NEAR(xphost::get_f(Water), 1999.8f, 1e-3);
    EXPECT_NEAR(thrust_maximum, 0.875f, 1e-6);
    EXPECT_NEAR(LastWritten(Tmax), 300000.0 * 0.875, 0.5);
    EXPECT_EQ(WritesOf(ws, Tmax).size(), 1u);
}

TEST_F(CarrierSystems, ConsumptionIsNeverNegativeJustBelow60000Feet)
{
    xphost::set_i(WaterSelector, 1);
    xphost::set_vf(FuelFlow, {2.0f, 2.0f, 2.0f, 2.0f});
    Fly(61000, 4.0f);
    Second();
    ASSERT_TRUE(water);
    const float left = xphost::get_f(Water);
    Fly(59700, 4.0f);                 // still injecting on the way down
    Second();
    EXPECT_TRUE(water);
    EXPECT_EQ(WASSERverbrauch, 0.0f);
    EXPECT_LE(xphost::get_f(Water), left);   // the tank never fills up
}

TEST_F(CarrierSystems, SelectorOffAndDumpOverrideTheAutomatic)
{
    Fly(70000, 5.0f);
    xphost::set_i(WaterSelector, 0);
    Second();
    EXPECT_FALSE(water);
    EXPECT_EQ(system25mes, 15);       // WATER SHUT
    EXPECT_EQ(LastWritten(Tmax), 300000.0);

    xphost::set_i(WaterSelector, 3);
    xphost::set_f(Water, 40.0f);
    Second();
    EXPECT_FALSE(water);
    EXPECT_EQ(system25mes, 13);       // DUMPING WATER
    EXPECT_EQ(WASSERverbrauch, 30.0f);
    EXPECT_FLOAT_EQ(xphost::get_f(Water), 10.0f);
    Second();                         // 10 kg left: the tank stops at empty
    EXPECT_EQ(xphost::get_f(Water), 0.0f);
    Second();
    EXPECT_EQ(xphost::get_f(Water), 0.0f);
}

TEST_F(CarrierSystems, NoWaterIsTakenWhilePaused)
{
    xphost::set_i(Paused, 1);
    xphost::set_vf(FuelFlow, {1.0f, 1.0f, 1.0f, 1.0f});
    xphost::set_i(WaterSelector, 1);
    Fly(80000, 6.0f);
    auto ws = Second();
    EXPECT_TRUE(water);
    EXPECT_FALSE(WroteAny(ws, Water));
    xphost::set_i(WaterSelector, 3);
    ws = Second();
    EXPECT_FALSE(WroteAny(ws, Water));
    EXPECT_EQ(xphost::get_f(Water), 2000.0f);
}

TEST_F(CarrierSystems, EmptyTankGivesNoInjectionAndNoExtraThrust)
{
    xphost::set_f(Water, 0.0f);
    xphost::set_i(WaterSelector, 1);
    xphost::set_vf(FuelFlow, {1.0f, 1.0f, 1.0f, 1.0f});
    Fly(80000, 6.0f);
    Second();
    EXPECT_FALSE(water);
    EXPECT_EQ(system25mes, 14);       // WATER EMPTY
    EXPECT_EQ(thrust_maximum, 1.0f);
    EXPECT_EQ(WASSERverbrauch, 0.0f);
    EXPECT_EQ(xphost::get_f(Water), 0.0f);
}

TEST_F(CarrierSystems, AbandonSequenceRunsOnItsSecondsEvenAtSpeed)
{
    xphost::set_f(Ias, 300.0f);
    RunStep(9);
    xphost::set_i(EmergencySelector, 2);
    xphost::set_i(OrbiterSwitch, 0);
    xphost::set_vf(StationYAtt, {0, 0, 0, 0, 0, 0});

    auto ws = RunStep(8);             // at once: doors open
    EXPECT_TRUE(Wrote(ws, BayDoors, 1));
    EXPECT_TRUE(Wrote(ws, MissilesArmed, 1));
    EXPECT_TRUE(Wrote(ws, ZoomSwitch, 0));
    EXPECT_TRUE(Wrote(ws, ApMode, 1));
    EXPECT_EQ(system21mes, 51);
    EXPECT_EQ(system22mes, 52);
    EXPECT_EQ(xphost::spoken_texts(), (std::vector<std::string>{"Baydoors open"}));
    EXPECT_EQ(xphost::get_i(BayDoors), 1);    // not undone by the door protection

    ws = Ticks(10);                   // 1 s
    EXPECT_FALSE(WroteAny(ws, StationYAtt));
    EXPECT_EQ(xphost::spoken_texts().size(), 1u);
    ws = Ticks(10);                   // 2 s
    EXPECT_EQ(xphost::spoken_texts().back(), "Orbiter out");
    EXPECT_EQ(system22mes, 53);
    ws = Ticks(10);                   // 3 s: lowered
    ASSERT_TRUE(WroteAny(ws, StationYAtt));
    EXPECT_FLOAT_EQ(xphost::get_vf(StationYAtt, 2, 1)[0], -5.0f);
    EXPECT_FALSE(WroteAny(ws, FireKey));
    ws = Ticks(10);                   // 4 s: released
    EXPECT_TRUE(Wrote(ws, FireKey, 1));
    EXPECT_FALSE(ORBemergout);
    ws = Ticks(10);                   // 5 s: doors closed
    EXPECT_TRUE(Wrote(ws, BayDoors, 0));
    EXPECT_TRUE(Wrote(ws, FireKey, 0));
    EXPECT_EQ(xphost::spoken_texts().back(), "Orbiter abandoned");
    EXPECT_TRUE(ORBemergout);
    EXPECT_EQ(system22mes, 55);
    EXPECT_EQ(system23mes, 54);

    // latched: the switch is held off and nothing else happens
    ws = Ticks(30);
    EXPECT_TRUE(Wrote(ws, OrbiterSwitch, 0));
    EXPECT_FALSE(WroteAny(ws, ApMode));
    EXPECT_FALSE(WroteAny(ws, BayDoors));
    EXPECT_EQ(xphost::spoken_texts().size(), 3u);
}

TEST_F(CarrierSystems, FuelDumpEmergencyLightensTheOrbiterAndLatches)
{
    xphost::set_vf(StationMassMax, {100, 200, 8000, 400, 500, 600});
    OrbiterAboard();
    RunStep(9);                       // the bay check has read the station masses
    xphost::set_i(EmergencySelector, 1);
    xphost::set_i(OrbiterSwitch, 0);
    auto ws = RunStep(8);
    EXPECT_TRUE(ORBfuelgone);
    EXPECT_EQ(system22mes, 49);
    EXPECT_EQ(system23mes, 50);
    EXPECT_EQ(xphost::get_vf(StationMassMax, 0, 4), (std::vector<float>{100, 200, 3000, 400}));
    EXPECT_EQ(xphost::get_vf(StationMassNow, 0, 4), (std::vector<float>{0, 0, 3000, 0}));
    EXPECT_TRUE(Wrote(ws, ApMode, 1));

    ws = RunStep(8);
    EXPECT_TRUE(Wrote(ws, OrbiterSwitch, 0));
    EXPECT_FALSE(WroteAny(ws, StationMassMax));
    EXPECT_FALSE(WroteAny(ws, ApMode));
}

TEST_F(CarrierSystems, EmergencyCancelsARunningZoomAndKeepsItsOwnLines)
{
    OrbiterAboard();
    xphost::set_i(ZoomSwitch, 1);
    xphost::set_f(Alt, 30000.0f);
    RunStep(9);
    ASSERT_TRUE(SHOISTactive);
    xphost::set_i(EmergencySelector, 1);
    xphost::set_i(OrbiterSwitch, 0);
    auto ws = RunStep(9);
    EXPECT_FALSE(SHOISTactive);
    EXPECT_EQ(zoom_on, 0);
    EXPECT_TRUE(Wrote(ws, ThrottleLimit, 1.0));
    EXPECT_EQ(system21mes, 0);
    EXPECT_EQ(system22mes, 49);                   // ORBITER INOPERATIVE
    EXPECT_EQ(system23mes, 50);                   // ORBITER FUEL DUMPED
    ws = Ticks(20);
    EXPECT_EQ(system22mes, 49);
    EXPECT_EQ(system23mes, 50);
    EXPECT_FALSE(WroteAny(ws, ApSpeed));
}

TEST_F(CarrierSystems, OrbiterSwitchOffWithoutAProcedureOnlyHoldsTheZoomOff)
{
    xphost::set_i(OrbiterSwitch, 0);
    xphost::set_i(EmergencySelector, 0);
    RunStep(9);
    for (int second = 0; second < 3; ++second) {
        const auto ws = RunStep(8);
        EXPECT_TRUE(Wrote(ws, ZoomSwitch, 0));
        EXPECT_TRUE(Wrote(ws, ApMode, 1));
        EXPECT_FALSE(WroteAny(ws, BayDoors));
        EXPECT_FALSE(WroteAny(ws, StationMassMax));
    }
    EXPECT_FALSE(ORBfuelgone || ORBemergout);
}

TEST_F(CarrierSystems, StaleSwitchesFromAnEarlierFlightDoNotStartAnEmergency)
{
    puffers_on = 0;                   // left from a flight that abandoned its orbiter
    auto_feather_mode = 2;
    sectimer = 7;                     // the first call after the start is step 8
    const size_t before = xphost::writes().size();
    CheckSkyhoist(4.0f, 4.0f, 1, nullptr);
    const std::vector<xphost::Write> ws(xphost::writes().begin() + static_cast<long>(before), xphost::writes().end());
    EXPECT_FALSE(WroteAny(ws, BayDoors));
    EXPECT_FALSE(WroteAny(ws, ApMode));
    EXPECT_TRUE(xphost::spoken_texts().empty());
    EXPECT_FALSE(TIMER_3);
}

TEST_F(CarrierSystems, FuelIsTrimmedAfterTheBayEmpties)
{
    OrbiterAboard();
    auto ws = Second();
    EXPECT_TRUE(Wrote(ws, TransferFrom, 0));
    EXPECT_TRUE(Wrote(ws, Transfer, 2));

    xphost::set_f(Fuel1, 2000);
    xphost::set_f(Fuel2, 6000);
    xphost::set_f(Fuel3, 2000);
    SetStations({0, 0, 9, 0, 0, 0}, {0, 0, 1, 0, 0, 0});   // released
    ws = Second();
    EXPECT_TRUE(Wrote(ws, Transfer, 0));
    EXPECT_TRUE(Wrote(ws, TransferFrom, 2));
    EXPECT_EQ(system22mes, 20);       // FUEL TRIM FORE

    xphost::set_f(Fuel1, 2900);
    xphost::set_f(Fuel2, 5900);
    xphost::set_f(Fuel3, 2900);
    ws = Second();
    EXPECT_FALSE(WroteAny(ws, Transfer));
    EXPECT_TRUE(BAYtrim);

    xphost::set_f(Fuel1, 3000);
    xphost::set_f(Fuel2, 6000);
    xphost::set_f(Fuel3, 3000);
    ws = Second();
    EXPECT_TRUE(Wrote(ws, Transfer, 0));
    EXPECT_TRUE(Wrote(ws, TransferFrom, 0));
    EXPECT_EQ(system22mes, 33);       // FUEL TRIMMED
    EXPECT_FALSE(BAYtrim);
}

TEST_F(CarrierSystems, WingScheduleHasHysteresisBands)
{
    struct Case { float mach; int sweepWrite, dihedralWrite; };   // -1: not written
    const Case flight[] = {
        {0.5f, 1, 0},                 // first pass writes both requests
        {0.7f, -1, -1},
        {0.8f, 0, -1},
        {0.6f, 1, -1},
        {0.79f, -1, -1},
        {2.4f, 0, -1},
        {2.5f, -1, 1},
        {2.26f, -1, -1},
        {2.25f, -1, 0},
        {2.49f, -1, -1},
    };
    for (const auto& c : flight) {
        xphost::set_f(Mach, c.mach);
        const auto ws = Second();
        const auto sweep = WritesOf(ws, Sweep), dihedral = WritesOf(ws, Dihedral);
        if (c.sweepWrite < 0) {
            EXPECT_TRUE(sweep.empty()) << "Mach " << c.mach;
        } else {
            ASSERT_EQ(sweep.size(), 1u) << "Mach " << c.mach;
            EXPECT_EQ(sweep[0].values[0], c.sweepWrite) << "Mach " << c.mach;
        }
        if (c.dihedralWrite < 0) {
            EXPECT_TRUE(dihedral.empty()) << "Mach " << c.mach;
        } else {
            ASSERT_EQ(dihedral.size(), 1u) << "Mach " << c.mach;
            EXPECT_EQ(dihedral[0].values[0], c.dihedralWrite) << "Mach " << c.mach;
        }
    }
}

TEST_F(CarrierSystems, BayDoorsOpenedAtSpeedCloseAgainBeforeAnyZoom)
{
    xphost::set_f(Ias, 250.0f);
    xphost::set_i(BayDoors, 1);
    auto ws = Second();
    EXPECT_TRUE(Wrote(ws, BayDoors, 0));
    EXPECT_EQ(xphost::get_i(BayDoors), 0);

    xphost::set_f(Ias, 60.0f);
    xphost::set_i(BayDoors, 1);
    ws = Second();
    EXPECT_TRUE(Wrote(ws, BayDoors, 1));
    ws = Second();                    // no change, nothing written
    EXPECT_FALSE(WroteAny(ws, BayDoors));
}

TEST_F(CarrierSystems, LandingLightsFollowTheGearHandle)
{
    xphost::set_i(GearHandle, 1);
    Second();
    xphost::set_i(LandingLights, 1);  // the pilot's switch
    xphost::set_i(GearHandle, 0);     // gear up: lights off, remembered
    Second();
    EXPECT_EQ(LastWritten(LandingLights), 0);
    xphost::set_i(GearHandle, 1);     // gear down: lights back on
    Second();
    EXPECT_EQ(LastWritten(LandingLights), 1);
}

TEST_F(CarrierSystems, HotReadOutsTurnRedInSteps)
{
    xphost::set_f(LeadingEdgeC, 400.0f);
    xphost::set_f(AmbientC, -50.0f);
    mis_minutes = 30;
    tempc[2] = 300.0f;
    Second();
    EXPECT_FLOAT_EQ(temperature_ambc, -50.0f);
    EXPECT_FLOAT_EQ(tempc[1], 320.0f);
    EXPECT_FLOAT_EQ(tempc[2], 400.0f * 0.76f + 30.0f * 300.0f / 1800.0f);
    EXPECT_FLOAT_EQ(tempc[5], 304.0f);
    // 320 deg C: two steps of 150
    EXPECT_NEAR(colorT[1][0], 0.2f, 1e-6);
    EXPECT_NEAR(colorT[1][1], 0.9f, 1e-6);
    EXPECT_NEAR(colorT[1][2], 0.4f, 1e-6);

    xphost::set_f(LeadingEdgeC, 140.0f);    // 112 and 106 deg C: not hot
    mis_minutes = 0;
    Second();
    for (int i : {1, 5}) {
        EXPECT_FLOAT_EQ(colorT[i][0], 0.4f);
        EXPECT_FLOAT_EQ(colorT[i][1], 0.5f);
        EXPECT_FLOAT_EQ(colorT[i][2], 1.0f);
    }
    xphost::set_f(LeadingEdgeC, 151.0f);    // 120.8 deg C: hot, still in the first step
    Second();
    EXPECT_FLOAT_EQ(colorT[1][0], 0.0f);
    EXPECT_FLOAT_EQ(colorT[1][1], 1.1f);
    EXPECT_FLOAT_EQ(colorT[1][2], 0.6f);
}

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
        EXPECT_EQ(system25mes, c.message) << c.alt << " ft, Mach " << c.mach;
    }
}

TEST_F(CarrierSystems, InjectionTradesWaterForThrustButNeverAddsWater)
{
    xphost::set_i(WaterSelector, 2);
    xphost::set_vf(FuelFlow, {1.0f, 1.0f, 1.0f, 1.0f});
    Fly(75000, 5.25f);
    auto ws = Second();
    // a twentieth of the fuel flow half way between 60,000 and 90,000 ft
    EXPECT_NEAR(WASSERverbrauch, 0.2f, 1e-5);
    EXPECT_NEAR(xphost::get_f(Water), 1999.8f, 1e-3);
    EXPECT_NEAR(thrust_maximum, 0.875f, 1e-6);
    EXPECT_NEAR(LastWritten(Tmax), 300000.0 * 0.875, 0.5);

    xphost::set_i(Paused, 1);                     // nothing is taken while paused
    ws = Second();
    EXPECT_FALSE(WroteAny(ws, Water));
    xphost::set_i(WaterSelector, 3);
    ws = Second();
    EXPECT_FALSE(WroteAny(ws, Water));
    xphost::set_i(Paused, 0);
    xphost::set_i(WaterSelector, 2);
    Fly(61000, 4.0f);
    Second();

    const float left = xphost::get_f(Water);
    Fly(59700, 4.0f);                             // still injecting on the way down
    Second();
    EXPECT_TRUE(water);
    EXPECT_EQ(WASSERverbrauch, 0.0f);
    EXPECT_LE(xphost::get_f(Water), left);
}

// An airport change or a crash during an injection keeps the carrier's rated
// thrust; only a new load reads the aircraft's own.
TEST_F(CarrierSystems, AirportChangesAndCrashesKeepTheRatedThrust)
{
    xphost::set_i(WaterSelector, 2);
    xphost::set_vf(FuelFlow, {1.0f, 1.0f, 1.0f, 1.0f});
    Fly(75000, 5.25f);
    Second();
    ASSERT_NEAR(xphost::get_f(Tmax), 300000.0 * 0.875, 0.5);
    xphost::load_airport();
    Second();
    EXPECT_NEAR(LastWritten(Tmax), 300000.0 * 0.875, 0.5);
    xphost::crash();
    Second();
    EXPECT_NEAR(LastWritten(Tmax), 300000.0 * 0.875, 0.5);

    xphost::set_f(Tmax, 200000.0f);
    LoadCarrier();
    Fly(75000, 5.25f);
    Second();
    EXPECT_NEAR(LastWritten(Tmax), 200000.0 * 0.875, 0.5);
}

TEST_F(CarrierSystems, SelectorOffAndDumpOverrideTheAutomaticAndTheTankStopsAtEmpty)
{
    Fly(70000, 5.0f);
    xphost::set_i(WaterSelector, 0);
    Second();
    EXPECT_FALSE(water);
    EXPECT_EQ(system25mes, 15);                   // WATER SHUT
    EXPECT_EQ(LastWritten(Tmax), 300000.0);

    xphost::set_i(WaterSelector, 3);
    xphost::set_f(Water, 40.0f);
    Second();
    EXPECT_FALSE(water);
    EXPECT_EQ(system25mes, 13);                   // DUMPING WATER
    EXPECT_EQ(WASSERverbrauch, 30.0f);
    EXPECT_FLOAT_EQ(xphost::get_f(Water), 10.0f);
    Second();                                     // 10 kg left
    EXPECT_EQ(xphost::get_f(Water), 0.0f);
    Second();
    EXPECT_EQ(xphost::get_f(Water), 0.0f);
}

TEST_F(CarrierSystems, EmptyTankGivesNoInjectionAndNoExtraThrust)
{
    xphost::set_f(Water, 0.0f);
    xphost::set_i(WaterSelector, 1);
    xphost::set_vf(FuelFlow, {1.0f, 1.0f, 1.0f, 1.0f});
    Fly(80000, 6.0f);
    Second();
    EXPECT_FALSE(water);
    EXPECT_EQ(system25mes, 14);                   // WATER EMPTY
    EXPECT_EQ(thrust_maximum, 1.0f);
    EXPECT_EQ(WASSERverbrauch, 0.0f);
}

TEST_F(CarrierSystems, AbandonSequenceRunsOnItsSecondsEvenAtSpeed)
{
    xphost::set_f(Ias, 300.0f);
    RunStep(9);
    xphost::set_i(EmergencySelector, 2);
    xphost::set_i(OrbiterSwitch, 0);

    auto ws = RunStep(8);                         // at once: doors open
    EXPECT_TRUE(Wrote(ws, BayDoors, 1));
    EXPECT_TRUE(Wrote(ws, MissilesArmed, 1));
    EXPECT_TRUE(Wrote(ws, ZoomSwitch, 0));
    EXPECT_TRUE(Wrote(ws, ApMode, 1));
    EXPECT_EQ(system21mes, 51);
    EXPECT_EQ(system22mes, 52);
    EXPECT_EQ(xphost::spoken_texts(), (std::vector<std::string>{"Baydoors open"}));
    EXPECT_EQ(xphost::get_i(BayDoors), 1);        // not undone by the door protection

    std::vector<int> lowered, released, closed, spoken;
    for (int second = 1; second <= 5; ++second) {
        const size_t said = xphost::spoken_texts().size();
        ws = Ticks(10);
        if (WroteAny(ws, StationYAtt))
            lowered.push_back(second);
        if (Wrote(ws, FireKey, 1))
            released.push_back(second);
        if (Wrote(ws, BayDoors, 0))
            closed.push_back(second);
        if (xphost::spoken_texts().size() > said)
            spoken.push_back(second);
    }
    EXPECT_EQ(spoken, (std::vector<int>{2, 5}));
    EXPECT_EQ(lowered, (std::vector<int>{3}));
    EXPECT_EQ(released, (std::vector<int>{4}));
    EXPECT_EQ(closed, (std::vector<int>{5}));
    EXPECT_EQ(xphost::spoken_texts(),
              (std::vector<std::string>{"Baydoors open", "Orbiter out", "Orbiter abandoned"}));
    EXPECT_FLOAT_EQ(xphost::get_vf(StationYAtt, 2, 1)[0], -5.0f);
    EXPECT_EQ(xphost::get_i(FireKey), 0);
    EXPECT_TRUE(ORBemergout);
    EXPECT_EQ(system22mes, 55);                   // ORBITER ABANDONED
    EXPECT_EQ(system23mes, 54);                   // BAYDOORS CLOSED

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
    RunStep(9);                                   // the bay check has read the station masses
    xphost::set_i(EmergencySelector, 1);
    xphost::set_i(OrbiterSwitch, 0);
    auto ws = RunStep(8);
    EXPECT_TRUE(ORBfuelgone);
    EXPECT_EQ(system22mes, 49);                   // ORBITER INOPERATIVE
    EXPECT_EQ(system23mes, 50);                   // ORBITER FUEL DUMPED
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
    ws = Ticks(20);
    EXPECT_EQ(system22mes, 49);
    EXPECT_EQ(system23mes, 50);
    EXPECT_FALSE(WroteAny(ws, ApSpeed));
}

TEST_F(CarrierSystems, OrbiterSwitchOffWithoutAProcedureOnlyHoldsTheZoomOff)
{
    xphost::set_i(OrbiterSwitch, 0);
    RunStep(9);
    for (int second = 0; second < 3; ++second) {
        const auto ws = RunStep(8);
        EXPECT_TRUE(Wrote(ws, ZoomSwitch, 0));
        EXPECT_TRUE(Wrote(ws, ApMode, 1));
        EXPECT_FALSE(WroteAny(ws, BayDoors) || WroteAny(ws, StationMassMax));
    }
    EXPECT_FALSE(ORBfuelgone || ORBemergout);
}

TEST_F(CarrierSystems, StaleSwitchesFromAnEarlierFlightDoNotStartAnEmergency)
{
    puffers_on = 0;                               // left from a flight that abandoned its orbiter
    auto_feather_mode = 2;
    sectimer = 7;                                 // the first call after the start is step 8
    const size_t before = xphost::writes().size();
    CheckSkyhoist(4.0f, 4.0f, 1, nullptr);
    const std::vector<xphost::Write> ws(xphost::writes().begin() + static_cast<long>(before),
                                        xphost::writes().end());
    EXPECT_FALSE(WroteAny(ws, BayDoors) || WroteAny(ws, ApMode));
    EXPECT_TRUE(xphost::spoken_texts().empty());
    EXPECT_FALSE(TIMER_3);
}

TEST_F(CarrierSystems, FuelIsTrimmedAfterTheBayEmpties)
{
    OrbiterAboard();
    auto ws = Second();
    EXPECT_TRUE(Wrote(ws, TransferFrom, 0));
    EXPECT_TRUE(Wrote(ws, Transfer, 2));

    auto tanks = [](float outer, float centre) {
        xphost::set_f(Fuel1, outer);
        xphost::set_f(Fuel2, centre);
        xphost::set_f(Fuel3, outer);
    };
    tanks(2000, 6000);
    SetStations({0, 0, 9, 0, 0, 0}, {0, 0, 1, 0, 0, 0});   // released
    ws = Second();
    EXPECT_TRUE(Wrote(ws, Transfer, 0));
    EXPECT_TRUE(Wrote(ws, TransferFrom, 2));
    EXPECT_EQ(system22mes, 20);                   // FUEL TRIM FORE
    tanks(2900, 5900);
    EXPECT_FALSE(WroteAny(Second(), Transfer));
    tanks(3000, 6000);
    ws = Second();
    EXPECT_TRUE(Wrote(ws, Transfer, 0));
    EXPECT_TRUE(Wrote(ws, TransferFrom, 0));
    EXPECT_EQ(system22mes, 33);                   // FUEL TRIMMED
    EXPECT_FALSE(BAYtrim);
}

TEST_F(CarrierSystems, WingScheduleHasHysteresisBands)
{
    // expected writes of the sweep and dihedral requests; -1 = none
    struct Case { float mach; int sweep, dihedral; };
    const Case flight[] = {
        {0.5f, 1, 0},                             // first pass writes both
        {0.7f, -1, -1}, {0.8f, 0, -1}, {0.6f, 1, -1}, {0.79f, -1, -1}, {2.4f, 0, -1},
        {2.5f, -1, 1}, {2.26f, -1, -1}, {2.25f, -1, 0}, {2.49f, -1, -1},
    };
    auto written = [](const std::vector<xphost::Write>& ws, const char* path) {
        const auto w = WritesOf(ws, path);
        return w.empty() ? -1 : w.size() > 1 ? -2 : static_cast<int>(w[0].values[0]);
    };
    for (const auto& c : flight) {
        xphost::set_f(Mach, c.mach);
        const auto ws = Second();
        EXPECT_EQ(written(ws, Sweep), c.sweep) << "Mach " << c.mach;
        EXPECT_EQ(written(ws, Dihedral), c.dihedral) << "Mach " << c.mach;
    }
}

TEST_F(CarrierSystems, BayDoorsOpenedAtSpeedCloseAgainBeforeAnyZoom)
{
    xphost::set_f(Ias, 250.0f);
    xphost::set_i(BayDoors, 1);
    EXPECT_TRUE(Wrote(Second(), BayDoors, 0));
    EXPECT_EQ(xphost::get_i(BayDoors), 0);

    xphost::set_f(Ias, 60.0f);
    xphost::set_i(BayDoors, 1);
    EXPECT_TRUE(Wrote(Second(), BayDoors, 1));
    EXPECT_FALSE(WroteAny(Second(), BayDoors));   // no change, nothing written
}

TEST_F(CarrierSystems, LandingLightsFollowTheGearHandle)
{
    xphost::set_i(GearHandle, 1);
    Second();
    xphost::set_i(LandingLights, 1);              // the pilot's switch
    xphost::set_i(GearHandle, 0);                 // gear up: lights off, remembered
    Second();
    EXPECT_EQ(LastWritten(LandingLights), 0);
    xphost::set_i(GearHandle, 1);                 // gear down: lights back on
    Second();
    EXPECT_EQ(LastWritten(LandingLights), 1);
}

TEST_F(CarrierSystems, HotReadOutsTurnRedInStepsOf150Degrees)
{
    xphost::set_f(LeadingEdgeC, 400.0f);
    mis_minutes = 30;
    tempc[2] = 300.0f;
    Second();
    EXPECT_FLOAT_EQ(tempc[1], 320.0f);
    EXPECT_FLOAT_EQ(tempc[2], 400.0f * 0.76f + 30.0f * 300.0f / 1800.0f);   // builds up
    EXPECT_FLOAT_EQ(tempc[5], 304.0f);
    const float two[3] = {0.2f, 0.9f, 0.4f};      // 320 deg C: two steps
    for (int c = 0; c < 3; ++c)
        EXPECT_NEAR(colorT[1][c], two[c], 1e-6);

    xphost::set_f(LeadingEdgeC, 140.0f);          // 112 deg C: not hot
    Second();
    EXPECT_EQ(std::vector<float>(colorT[1], colorT[1] + 3), (std::vector<float>{0.4f, 0.5f, 1.0f}));
    xphost::set_f(LeadingEdgeC, 151.0f);          // 120.8 deg C: hot, first step
    Second();
    EXPECT_EQ(std::vector<float>(colorT[1], colorT[1] + 3), (std::vector<float>{0.0f, 1.1f, 0.6f}));
}

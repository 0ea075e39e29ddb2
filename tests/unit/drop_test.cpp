// The stores' loop: what it recognises on the weapon stations and how it sets
// the aircraft up for it, and its once-a-second sequences (JATO of the
// fighters and of the bombers, the rocket's propellant, the drop-tank fuel).
#include "support/stores_fixture.h"

using namespace stores_paths;

namespace {

class Stores : public StoresTest {};

// ---- what hangs on the stations

struct TankCase {
    float above, below;     // the window, exclusive
    int size;
    float empty;
    uint8_t gallon;
};
const TankCase kTanks[] = {
    {241.38f, 244.62f, 300, 20.41f, 0},
    {403.38f, 406.62f, 500, 35.38f, 0},
    {808.38f, 811.62f, 1000, 45.36f, 0},
    {499.89673908f, 512.16414372f, 165, 27.22f, 1},
    {760.57908768f, 772.84649232f, 250, 31.75f, 1},
    {913.92164568f, 926.18905032f, 300, 46.27f, 1},
};

TEST_F(Stores, EachDropTankWindowRecognisesItsTankAndNotItsBounds)
{
    for (const TankCase& t : kTanks) {
        SCOPED_TRACE(t.size);
        const float inside = (t.above + t.below) / 2.0f;
        Load(9, {Station{}, Station{}, DropTank(inside, t.empty)});
        Evaluate();
        EXPECT_EQ(DTANKnumber, 1);
        EXPECT_EQ(DTANKsize[2], t.size);
        EXPECT_FLOAT_EQ(DTANKempty, t.empty);
        EXPECT_EQ(FUELisGallon, t.gallon);
        EXPECT_EQ(DTANKgauge, 1);
        EXPECT_EQ(DTANKstation, 1);
        EXPECT_EQ(PARAMETERlinUP, 2);

        for (float bound : {t.above, t.below}) {
            Load(9, {Station{}, Station{}, DropTank(bound, t.empty)});
            Evaluate();
            EXPECT_EQ(DTANKnumber, 0) << bound;
            EXPECT_EQ(DTANKgauge, 0);
            EXPECT_EQ(PARAMETERlinUP, 0);
        }
    }
}

TEST_F(Stores, TanksCountOnlyWhileAboardAndOfTheDropTankType)
{
    Station released = DropTank(243.0f, 20.41f);
    released.status = 1;
    Station otherType = DropTank(243.0f, 20.41f);
    otherType.type = 22;
    Station onNine = DropTank(243.0f, 20.41f);
    Load(12, {DropTank(405.0f, 35.38f), released, otherType, Station{}, Station{}, Station{}, Station{},
              DropTank(505.0f, 27.22f), Station{}, onNine});
    Evaluate();
    EXPECT_EQ(DTANKnumber, 2);                          // stations 0 and 7; station 9 is never looked at
    EXPECT_FLOAT_EQ(DTANKempty, 35.38f + 27.22f);
    EXPECT_EQ(FUELisGallon, 1);                         // the last tank found decides the units
    EXPECT_EQ(DTANKstation, 6);
}

TEST_F(Stores, TstoffTanksFuelTheRocketAtEveryEvaluationThatFindsOne)
{
    xphost::set_vf(FuelFlow, {0.0f, 0.0f, 0.002f, 0.003f});
    Load(13, {Station{}, Station{}, Station{}, TstoffTank(), TstoffTank(), DropTank(243.0f, 20.41f)});
    Evaluate();
    EXPECT_EQ(TTANKnumber, 2);
    EXPECT_EQ(HWKgauge, 1);
    EXPECT_EQ(PARAMETERlinUP, 3);
    EXPECT_FLOAT_EQ(Tstoff, 972.0f);
    EXPECT_FLOAT_EQ(Cstoff, 324.0f);

    RunStep(8);                                         // 5 kg of T-Stoff burnt
    ASSERT_FLOAT_EQ(Tstoff, 967.0f);

    // Dropping the drop tank refills the rocket while a T-Stoff tank hangs on.
    Release(5);
    Evaluate();
    EXPECT_FLOAT_EQ(Tstoff, 972.0f);
    EXPECT_EQ(HWKgauge, 1);

    // Without a T-Stoff tank there is no propellant and no rocket gauge.
    Release(3);
    Release(4);
    Evaluate();
    EXPECT_EQ(TTANKnumber, 0);
    EXPECT_EQ(Tstoff, 0.0f);
    EXPECT_EQ(HWKgauge, 0);

    // Only the rocket-boosted variant has a rocket.
    Load(12, {Station{}, TstoffTank()});
    Evaluate();
    EXPECT_EQ(TTANKnumber, 1);
    EXPECT_EQ(HWKgauge, 0);
}

TEST_F(Stores, TheRocketWingNeedsItsRocketUnitOnStationOneForAThirdEngine)
{
    Load(23, {Station{}, RocketUnit(), TstoffTank()});
    auto ws = Evaluate();
    EXPECT_EQ(HWKgauge, 1);
    EXPECT_TRUE(Wrote(ws, Engines, 3));
    EXPECT_TRUE(Wrote(ws, ThrustPoints, 3));
    EXPECT_TRUE(Of(ws, Mixture).empty());

    // The unit on another station, or T-Stoff alone: two engines, the rocket's mixtures shut.
    xphost::set_vf(Mixture, {1, 1, 1, 1});
    Load(23, {RocketUnit(), Station{}, TstoffTank()});
    ws = Evaluate();
    EXPECT_EQ(HWKgauge, 0);
    EXPECT_TRUE(Wrote(ws, Engines, 2));
    const auto mix = Of(ws, Mixture);
    ASSERT_EQ(mix.size(), 1u);
    EXPECT_EQ(mix[0].values, (std::vector<double>{1, 1, 0, 0}));

    Station released = RocketUnit();
    released.status = 1;
    Load(23, {Station{}, released, TstoffTank()});
    EXPECT_TRUE(Wrote(Evaluate(), Engines, 2));
}

TEST_F(Stores, JatoUnitsHangOnStationZeroOfTheFightersAndStationOneOfTheBombers)
{
    for (int slot : {9, 13, 18, 22, 25}) {
        SCOPED_TRACE(slot);
        Load(slot, {Jato()});
        auto ws = Evaluate();
        EXPECT_EQ(JATOgauge, 1);
        EXPECT_EQ(PARAMETERlinUP, 3);
        EXPECT_TRUE(Wrote(ws, JatoLeft, 30.0));
        EXPECT_EQ(JATO287gauge, 0);
    }
    // Outside the window, or on station 1 of a fighter: none, and the host's JATO emptied.
    for (const std::vector<Station>& load : {std::vector<Station>{Station{19, 0, 0, 124.2842902f}},
                                            std::vector<Station>{Station{}, Jato()}}) {
        Load(9, load);
        auto ws = Evaluate();
        EXPECT_EQ(JATOgauge, 0);
        EXPECT_TRUE(Wrote(ws, JatoLeft, 0.0));
    }

    xphost::set_vf(Mixture, {1, 1, 1, 1, 1, 1, 1, 1});
    Load(26, {Station{}, Jato()});
    auto ws = Evaluate();
    EXPECT_EQ(JATO287gauge, 1);
    EXPECT_EQ(JATOgauge, 0);
    EXPECT_TRUE(Of(ws, JatoLeft).empty());
    EXPECT_TRUE(Wrote(ws, FiringMode, 1));
    EXPECT_TRUE(Wrote(ws, Engines, 8));
    EXPECT_EQ(Of(ws, Mixture).back().values, (std::vector<double>{1, 1, 1, 1, 1, 1, 0, 0}));
    EXPECT_TRUE(Wrote(ws, Jettison, 100.0));
    EXPECT_FLOAT_EQ(JATOmass, 100.0f);

    Load(27, {Jato()});                                 // station 0 of a bomber is not the JATO's
    ws = Evaluate();
    EXPECT_EQ(JATO287gauge, 0);
    EXPECT_TRUE(Wrote(ws, Engines, 6));
    EXPECT_TRUE(Wrote(ws, Jettison, 0.0));
    EXPECT_EQ(JATOmass, 0.0f);
}

// Between changes of the stations the pilot's own settings stand.
TEST_F(Stores, NoEvaluationWhileTheStationsStayTheSame)
{
    Load(23, {Jato(), Station{}, TstoffTank()});
    Evaluate();
    auto ws = Seconds(5);
    for (const char* path : {Engines, ThrustPoints, Mixture, JatoLeft})
        EXPECT_TRUE(Of(ws, path).empty()) << path;

    // A change on station 6 counts; one on station 7 does not.
    Release(7);
    EXPECT_TRUE(Of(Evaluate(), Engines).empty());
    Release(6);
    EXPECT_FALSE(Of(Evaluate(), Engines).empty());
}

// ---- the fighters' JATO

class FighterJato : public StoresTest {
protected:
    void SetUp() override
    {
        StoresTest::SetUp();
        Load(9, {Jato()});
        Evaluate();
        ASSERT_EQ(JATOgauge, 1);
    }

    // Once-a-second checks until the burn-out is seen; returns its writes.
    std::vector<xphost::Write> BurnOut()
    {
        xphost::set_f(JatoLeft, 0.05f);
        return RunStep(8);
    }
};

TEST_F(FighterJato, TheSpentUnitIsDroppedTwoSecondsAfterBurnOutAndTheReleaseLetGo)
{
    xphost::set_i(Gear, 0);                             // the pilot raises the gear: it comes down again
    auto ws = RunStep(8);
    EXPECT_TRUE(Wrote(ws, Gear, 1));

    xphost::set_f(Tas, 55.0f);
    ws = BurnOut();
    EXPECT_TRUE(Of(ws, FireKey).empty());
    ws = Seconds(1);
    EXPECT_TRUE(Of(ws, FireKey).empty());
    ws = Seconds(1);                                    // the second check after the burn-out
    EXPECT_TRUE(Wrote(ws, Bombs, 1));
    EXPECT_TRUE(Wrote(ws, FireKey, 1));
    EXPECT_TRUE(Wrote(ws, Gear, 0));
    EXPECT_EQ(JATOreleasing, 1);

    // The unit leaves the station: the next evaluation clears the gauge and
    // the host's JATO, and the release is still let go on its own time.
    Release(0);
    ws = Evaluate();
    EXPECT_EQ(JATOgauge, 0);
    EXPECT_TRUE(Wrote(ws, JatoLeft, 0.0));
    ws = RunStep(8);                                    // the third check
    EXPECT_TRUE(Of(ws, FireKey).empty());
    ws = Seconds(1);
    EXPECT_TRUE(Of(ws, FireKey).empty());
    ws = Seconds(1);                                    // the fifth check
    EXPECT_TRUE(Wrote(ws, FireKey, 0));
    EXPECT_TRUE(Wrote(ws, Bombs, 0));
    EXPECT_EQ(ControlHeld[HeldFireKey], 0);
    EXPECT_EQ(JATOreleasing, 0);
    ws = Seconds(5);
    EXPECT_TRUE(Of(ws, FireKey).empty());
    EXPECT_TRUE(Of(ws, Gear).empty());
}

TEST_F(FighterJato, WithTheUnitStillAboardTheGaugeClearsFiveSecondsAfterBurnOut)
{
    xphost::set_f(Tas, 55.0f);
    BurnOut();
    auto ws = Seconds(4);
    EXPECT_TRUE(Wrote(ws, FireKey, 1));
    EXPECT_EQ(JATOgauge, 1);
    ws = Seconds(1);
    EXPECT_TRUE(Wrote(ws, FireKey, 0));
    EXPECT_EQ(JATOgauge, 0);
}

TEST_F(FighterJato, TooSlowAtBurnOutTheUnitIsRefilledAndTheNextRunTimedAfresh)
{
    xphost::set_f(Tas, 35.0f);
    BurnOut();
    auto ws = Seconds(2);
    EXPECT_TRUE(Wrote(ws, JatoLeft, 30.0));
    EXPECT_TRUE(Of(ws, FireKey).empty());
    EXPECT_EQ(JATOgauge, 1);

    // The pilot fires it again a while later and it burns out fast enough:
    // dropped two seconds after this burn-out, not cleared at once.
    xphost::set_f(JatoLeft, 30.0f);
    Seconds(20);
    xphost::set_f(Tas, 70.0f);
    BurnOut();
    ws = Seconds(1);
    EXPECT_EQ(JATOgauge, 1);
    EXPECT_TRUE(Of(ws, FireKey).empty());
    ws = Seconds(1);
    EXPECT_TRUE(Wrote(ws, FireKey, 1));
}

// ---- the bombers' JATO

TEST_F(Stores, BomberJatoIgnitesBurnsThreeKilogramsASecondAndIsDropped)
{
    Load(26, {Station{}, Jato()});
    Evaluate();
    xphost::set_f(Tas, 55.0f);
    auto ws = Seconds(3);
    EXPECT_TRUE(Of(ws, Mixture).empty());               // not below 60 m/s
    EXPECT_FLOAT_EQ(JATOmass, 100.0f);

    xphost::set_f(Tas, 65.0f);
    ws = RunStep(8);
    ASSERT_FALSE(Of(ws, Mixture).empty());
    EXPECT_EQ(Of(ws, Mixture).back().values, (std::vector<double>{0, 0, 0, 0, 0, 0, 1, 1}));
    EXPECT_FLOAT_EQ(JATOmass, 97.0f);
    Seconds(32);
    EXPECT_FLOAT_EQ(JATOmass, 1.0f);

    ws = Seconds(1);                                    // empty
    EXPECT_EQ(JATOmass, 0.0f);
    ws = Seconds(2);                                    // shut down about 2 s later
    EXPECT_EQ(Of(ws, Mixture).back().values, (std::vector<double>{0, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_TRUE(Of(ws, FireKey).empty());
    ws = Seconds(1);                                    // dropped 3 s after empty
    EXPECT_TRUE(Wrote(ws, FiringMode, 1));
    EXPECT_TRUE(Wrote(ws, Bombs, 1));
    EXPECT_TRUE(Wrote(ws, FireKey, 1));

    // The units leave station 1; the evaluation clears the gauge, and the
    // sequence still ends 4 s after empty.
    Release(1);
    ws = Seconds(1);
    EXPECT_EQ(JATO287gauge, 0);
    EXPECT_TRUE(Wrote(ws, Engines, 6));
    EXPECT_TRUE(Wrote(ws, FireKey, 0));
    EXPECT_TRUE(Wrote(ws, FiringMode, 0));
    EXPECT_TRUE(Wrote(ws, Bombs, 0));
    EXPECT_EQ(JATOreleasing, 0);
    EXPECT_TRUE(Of(Seconds(3), FireKey).empty());
}

// ---- the rocket engine

class Rocket : public StoresTest {
protected:
    void SetUp() override
    {
        StoresTest::SetUp();
        xphost::set_vf(FuelFlow, {0.1f, 0.1f, 0.002f, 0.003f});
        Load(13, {Station{}, TstoffTank()});
        Evaluate();
        ASSERT_EQ(HWKgauge, 1);
    }
};

TEST_F(Rocket, MetersTstoffAndCstoffFromTheRocketsFuelFlow)
{
    auto ws = RunStep(8);
    EXPECT_FLOAT_EQ(verbrauch_tstoff, 5.0f);
    EXPECT_FLOAT_EQ(Tstoff, 967.0f);
    EXPECT_FLOAT_EQ(Cstoff, 967.0f * 0.333333f);
    ASSERT_EQ(Of(ws, Jettison).size(), 1u);
    EXPECT_FLOAT_EQ(static_cast<float>(Of(ws, Jettison)[0].values[0]), Tstoff + Cstoff);
    EXPECT_FLOAT_EQ(TCduration, 967.0f / 5.0f);
    EXPECT_TRUE(Wrote(ws, Puffers, 1));

    // No flow (or none the host can mean): the duration at the fixed rate, no division by zero.
    xphost::set_vf(FuelFlow, {0.1f, 0.1f, 0.0f, NAN});
    Seconds(1);
    EXPECT_EQ(verbrauch_tstoff, 0.0f);
    EXPECT_FLOAT_EQ(Tstoff, 967.0f);
    EXPECT_FLOAT_EQ(TCduration, 967.0f / 5.555555f);
}

TEST_F(Rocket, StopsAtOneKilogramAndNeverWritesANegativeMass)
{
    Tstoff = 3.0f;
    xphost::set_vf(Mixture, {1, 1, 1, 1});
    auto ws = RunStep(8);                               // 5 kg asked for, 3 kg left
    EXPECT_FLOAT_EQ(Tstoff, -2.0f);
    EXPECT_TRUE(Wrote(ws, Jettison, 0.0));
    EXPECT_TRUE(Of(ws, Mixture).empty());

    ws = Seconds(1);
    EXPECT_FLOAT_EQ(Tstoff, 1.0f);
    EXPECT_FLOAT_EQ(Cstoff, 0.333333f);
    EXPECT_EQ(Of(ws, Mixture).back().values, (std::vector<double>{1, 1, 0, 0}));
    EXPECT_TRUE(Wrote(ws, Puffers, 0));
    EXPECT_NEAR(Of(ws, Jettison).back().values[0], 1.333333, 1e-5);
}

// ---- drop-tank fuel

TEST_F(Stores, DropTankFuelAndThePuffersLightAtTwoKilograms)
{
    Load(9, {Station{}, Station{}, DropTank(243.0f, 20.41f), DropTank(243.0f, 20.41f)});
    Evaluate();
    ASSERT_EQ(DTANKgauge, 1);
    xphost::set_vf(MassNow, {100.0f, 60.0f}, 2);
    auto ws = RunStep(8);
    EXPECT_FLOAT_EQ(DTANKfuel, 160.0f - 2 * 20.41f);
    EXPECT_TRUE(Wrote(ws, Puffers, 1));

    xphost::set_vf(MassNow, {21.0f, 21.0f}, 2);         // about a kilogram left
    ws = Seconds(1);
    EXPECT_FLOAT_EQ(DTANKfuel, 42.0f - 2 * 20.41f);
    EXPECT_TRUE(Wrote(ws, Puffers, 0));
}

// A single tank on station 0 is read together with station 1, not from before the array.
TEST_F(Stores, ATankOnStationZeroIsReadWithStationOne)
{
    Load(9, {DropTank(405.0f, 35.38f), Station{}});
    Evaluate();
    ASSERT_EQ(DTANKstation, -1);
    xphost::set_vf(MassNow, {300.0f, 5.0f});
    RunStep(8);
    EXPECT_FLOAT_EQ(DTANKfuel, 305.0f - 35.38f);
    EXPECT_EQ(puffers_on, 1);
}

TEST_F(Stores, NothingOfTheOnceASecondWorkWhilePaused)
{
    xphost::set_vf(FuelFlow, {0.1f, 0.1f, 0.002f, 0.003f});
    Load(13, {Jato(), TstoffTank(), DropTank(243.0f, 20.41f)});
    Evaluate();
    xphost::set_f(JatoLeft, 0.0f);
    xphost::set_f(Tas, 80.0f);
    xphost::set_i(Paused, 1);
    auto ws = Seconds(5);
    for (const char* path : {Jettison, Puffers, FireKey, Gear})
        EXPECT_TRUE(Of(ws, path).empty()) << path;
    EXPECT_FLOAT_EQ(Tstoff, 972.0f);
    EXPECT_EQ(TIMER_1, 0);

    xphost::set_i(Paused, 0);
    ws = RunStep(8);
    EXPECT_FALSE(Of(ws, Jettison).empty());
    EXPECT_EQ(TIMER_1, 1);
}

// ---- tick 2

TEST_F(Stores, TankTwoRunDrySwitchesTheSelectorOnTheFirstFightersAndTheBombers)
{
    struct Case { int slot; float fuel2; bool switched; };
    for (const Case& c : {Case{9, 0.0f, true}, Case{11, 0.5f, false}, Case{12, 0.0f, false},
                          Case{26, 2.9f, true}, Case{27, 3.0f, false}}) {
        SCOPED_TRACE(c.slot);
        Load(c.slot);
        fuel_tank_selector = 2;                         // as the first action left it
        xphost::set_f(Fuel2, c.fuel2);
        const auto ws = RunStep(2);
        EXPECT_EQ(Wrote(ws, Selector, 4), c.switched);
    }
}

TEST_F(Stores, LandingLightsFollowTheGearHandle)
{
    Load(20);
    RunStep(2);
    xphost::set_i(LandingLights, 1);
    xphost::set_i(Gear, 0);
    EXPECT_TRUE(Wrote(RunStep(2), LandingLights, 0));
    xphost::set_i(Gear, 1);
    EXPECT_TRUE(Wrote(RunStep(2), LandingLights, 1));
}

// ---- the loop's life

// A disabled plug-in is called by nothing: the release it pressed goes back
// at once, and the stores go on where they were once it is enabled.
TEST_F(Stores, TheLoopRunsWhileLoadedAndResumesAfterADisable)
{
    Load(24, {Jato()});
    xphost::advance(5.0);
    ASSERT_TRUE(xphost::loop_active(CheckDROP));
    EXPECT_EQ(JATOgauge, 1);
    const int calls = xphost::loop_calls(CheckDROP);
    xphost::advance(1.0);
    EXPECT_GE(xphost::loop_calls(CheckDROP) - calls, 9);

    JATOreleasing = 1;
    WriteHeldControl(HeldFireKey, 1);
    xphost::disable();
    EXPECT_EQ(xphost::get_i(FireKey), 0);               // what it held goes back
    EXPECT_EQ(JATOreleasing, 0);
    const int disabledAt = xphost::loop_calls(CheckDROP);
    xphost::advance(5.0);
    EXPECT_EQ(xphost::loop_calls(CheckDROP), disabledAt);

    xphost::enable();
    xphost::advance(2.0);
    EXPECT_GE(xphost::loop_calls(CheckDROP) - disabledAt, 19);
    EXPECT_EQ(JATOgauge, 1);
    EXPECT_EQ(JATOleft, 30.0f);

    // Another aircraft: the loop is gone for good.
    xphost::load_aircraft("QZT Lumen 220 airliner");
    EXPECT_EQ(xphost::loop_registrations(CheckDROP), 0);
    EXPECT_EQ(CheckDROPCallback, 0.0f);
}

}  // namespace

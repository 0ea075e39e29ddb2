// The zoom-climb autopilot flown through the host: the climb and its speed
// schedule, the zoom entry, the trim pull-up, the release at the top with its
// record, the recovery and the hand-over.
#include <functional>
#include "support/carrier_fixture.h"

using namespace carrier_paths;

class Zoom : public CarrierTest {
protected:
    void SetUp() override
    {
        CarrierTest::SetUp();
        xphost::set_f(Fuel1, 4000);
        xphost::set_f(Fuel2, 6000);
        xphost::set_f(Fuel3, 4000);
        xphost::set_f(AmbientC, -56.5f);
        xphost::set_f(Ias, 300.0f);
        xphost::set_f(Vvi, 50.0f);
        xphost::set_f(Pitch, 10.0f);
        xphost::set_f(G, 1.0f);
        OrbiterAboard();
    }

    void Air(float altitude, float mach)
    {
        xphost::set_f(Alt, altitude);
        xphost::set_f(Mach, mach);
    }

    // The pilot sets the zoom switch; the zoom starts at step 4 of the second.
    std::vector<xphost::Write> Engage()
    {
        xphost::set_i(ZoomSwitch, 1);
        auto ws = RunStep(1);
        const auto engage = RunStep(4);
        ws.insert(ws.end(), engage.begin(), engage.end());
        EXPECT_EQ(zoom_on, 1);
        return ws;
    }

    // Climbs through the schedule to the zoom entry and starts the pull-up.
    void ClimbToPullUp()
    {
        Air(10000, 0.8f);
        Engage();
        for (float alt : {16000.0f, 31000.0f, 41000.0f, 60000.0f}) {
            Air(alt, 3.0f);
            Tick();
        }
        ASSERT_EQ(schalt1, 6);
        Air(72000, 6.4f);
        Tick();
        ASSERT_EQ(zoom_on, 2);
        xphost::set_f(Pitch, 40.0f);              // nose up into the zoom
    }

    // Flies the pull-up over the top; the timer after the nose came down ends
    // the phase at `top` feet.
    void PullUpToTop(float top)
    {
        xphost::set_f(Ias, 100.0f);
        Tick();
        xphost::set_f(Ias, 50.0f);
        Tick();
        xphost::set_f(Ias, 10.0f);
        Tick();
        xphost::set_f(Pitch, 21.0f);
        Air(top, 0.5f);
        xphost::set_f(Vvi, 300.0f);
        Tick();
        ASSERT_EQ(schalt1, 4);
        Ticks(50);
        ASSERT_EQ(zoom_on, 3);
    }

    void FlyToTop(float top)
    {
        ClimbToPullUp();
        PullUpToTop(top);
    }

    // What the calls of the release did, counted from the call that opened
    // the doors (call 0).
    struct ReleaseLog {
        std::vector<std::vector<xphost::Write>> calls;
        std::vector<int> lowered, fired, spokenAt;
    };
    ReleaseLog Release(int count, const std::function<void(int)>& before = {})
    {
        ReleaseLog log;
        xphost::set_f(Vvi, 275.0f);
        int start = -1;
        for (int i = 0; start < 0 || i - start < count; ++i) {
            if (before && start >= 0)
                before(i - start);
            const size_t spoken = xphost::spoken_texts().size();
            auto ws = Tick();
            if (start < 0) {
                if (!WroteAny(ws, BayDoors)) {
                    if (i > 20)
                        break;
                    continue;
                }
                start = i;
            }
            const int n = i - start;
            if (WroteAny(ws, StationYAtt))
                log.lowered.push_back(n);
            if (Wrote(ws, FireKey, 1))
                log.fired.push_back(n);
            if (xphost::spoken_texts().size() > spoken)
                log.spokenAt.push_back(n);
            log.calls.push_back(ws);
        }
        return log;
    }

    // Down from the top to the hand-over at 70,000 ft.
    void Recover()
    {
        xphost::set_f(Vvi, -10.0f);
        Air(250000, 1.0f);
        for (int i = 0; i < 400 && zoom_on == 3; ++i)
            Tick();
        ASSERT_EQ(zoom_on, 4);
        Air(95000, 3.0f);
        Tick();
        ASSERT_EQ(zoom_on, 5);
        Air(70000, 3.3f);
        Tick();
    }
};

TEST_F(Zoom, ClimbFollowsTheSpeedScheduleAndItsPitchLimits)
{
    xphost::set_f(Fuel2, 9000);                   // 17,000 kg: too heavy for the zoom
    Air(5000, 0.8f);
    auto ws = Engage();
    EXPECT_EQ(xphost::get_i(ApFlags), 163);       // from an autopilot with no mode on
    EXPECT_TRUE(Wrote(ws, ApMode, 2));
    EXPECT_TRUE(Wrote(ws, ApAlt, 72000));
    EXPECT_TRUE(Wrote(ws, ApSpeed, 0.9));
    EXPECT_FLOAT_EQ(LastWritten(FdPitch), 10.0f);
    EXPECT_EQ(xphost::get_i(FuelDump), 1);
    EXPECT_EQ(system22mes, 18);                   // DUMPING FUEL
    xphost::set_f(Fuel2, 8000);                   // back at 16,000 kg
    Tick();
    EXPECT_EQ(xphost::get_i(FuelDump), 0);
    EXPECT_EQ(system22mes, 0);

    struct Step { float alt; double mach; };
    const Step schedule[] = {{15001, 1.8}, {30001, 2.25}, {40001, 3.25}, {58001, 6.5}};
    for (const auto& st : schedule) {
        Air(st.alt - 2, 1.2f);                    // not yet; transonic pitch of 1 deg
        ws = Ticks(3);
        EXPECT_FALSE(WroteAny(ws, ApSpeed)) << st.alt;
        if (st.alt < 50000) {
            EXPECT_FLOAT_EQ(LastWritten(FdPitch), 1.0f);
        }
        Air(st.alt, 2.0f);
        ws = Tick();
        const auto speeds = WritesOf(ws, ApSpeed);
        ASSERT_EQ(speeds.size(), 1u) << st.alt;
        EXPECT_NEAR(speeds[0].values[0], st.mach, 1e-5);
        const int i = IndexOf(ws, ApSpeed);       // every speed target is given in Mach
        ASSERT_GT(i, 0);
        EXPECT_EQ(ws[i - 1].path, ApIsMach);
        EXPECT_EQ(ws[i - 1].values[0], 1);
        EXPECT_EQ(Wrote(ws, Transfer, 2), st.alt == 40001) << st.alt;
    }
    EXPECT_TRUE(Wrote(ws, ApAlt, 72000));
    EXPECT_EQ(system22mes, 22);                   // ACCELERATING
    EXPECT_EQ(system23mes, 56);                   // TO MACH 6.3

    Air(73500, 6.0f);                             // above the target the command eases
    Tick();
    EXPECT_FLOAT_EQ(LastWritten(FdPitch), (72000.0f + 2100.0f - 73500.0f) / 2250.0f);
    Air(90000, 6.0f);
    Tick();
    EXPECT_FLOAT_EQ(LastWritten(FdPitch), -5.0f);
}

TEST_F(Zoom, ZoomStartsOnlyInsideTheWindowAboveMach63)
{
    Air(10000, 0.8f);
    Engage();
    Air(60000, 5.0f);
    Tick();
    ASSERT_EQ(schalt1, 6);
    RunStep(9);                                   // the ambient temperature is read

    const float outside[][2] = {{72000, 6.3f}, {70999, 6.5f}, {72500, 6.6f}, {74000, 6.8f}};
    for (const auto& a : outside) {
        Air(a[0], a[1]);
        Ticks(20);
        EXPECT_EQ(zoom_on, 1) << a[0] << " ft, Mach " << a[1];
    }
    Air(72000, 6.31f);
    const auto ws = Tick();
    EXPECT_EQ(zoom_on, 2);
    EXPECT_EQ(system22mes, 35);                   // ZOOM TO 6 G
    EXPECT_EQ(system23mes, 0);
    EXPECT_TRUE(Wrote(ws, ApMode, 1));
    EXPECT_TRUE(Wrote(ws, ApSpeed, 9.0));
    EXPECT_FALSE(WroteAny(ws, FdPitch));          // the host keeps the last command until the top
    // a little below 1 with 14,000 kg aboard, in air of -56.5 deg C
    const float limit = 1.0f + ((14000.0f - 9000.0f) * 0.03f / 7000.0f - 0.03f) +
                        ((-56.5f + 100.0f) * 0.001f / 60.0f - 0.001f);
    EXPECT_NEAR(LastWritten(ThrottleLimit), limit, 1e-5);
}

TEST_F(Zoom, TrimGrowsByTheIncrementUpTo41GAndNeverPast08)
{
    ClimbToPullUp();
    auto trims = [](const std::vector<xphost::Write>& ws) {
        std::vector<double> v;
        for (const auto& w : WritesOf(ws, Trim))
            v.push_back(w.values[0]);
        return v;
    };

    xphost::set_f(Trim, 0.1f);
    xphost::set_f(G, 4.1f);
    auto v = trims(Ticks(10));
    ASSERT_EQ(v.size(), 10u);                     // once per call
    EXPECT_NEAR(v[0], 0.1 + 0.0037, 1e-6);
    for (size_t i = 1; i < v.size(); ++i)
        EXPECT_NEAR(v[i] - v[i - 1], 0.0037, 1e-6);

    xphost::set_f(G, 5.1f);                       // an eighth as fast
    v = trims(Ticks(3));
    EXPECT_NEAR(v[2] - v[1], 0.0037 / 8, 1e-6);
    xphost::set_f(G, 6.1f);                       // a 27th
    v = trims(Ticks(3));
    EXPECT_NEAR(v[2] - v[1], 0.0037 / 27, 1e-6);

    xphost::set_f(G, 3.0f);
    xphost::set_f(Trim, 0.798f);
    v = trims(Ticks(3));
    EXPECT_EQ(v, (std::vector<double>{0.8f, 0.8f, 0.8f}));
}

TEST_F(Zoom, PullUpEasesOverTheTopAndChecksTheTargetFiveSecondsLater)
{
    ClimbToPullUp();
    xphost::set_f(Trim, 0.5f);
    xphost::set_f(Ias, 130.0f);                   // below 140 kt: engines to idle
    auto ws = Tick();
    EXPECT_TRUE(Wrote(ws, ApSpeed, 2.0));
    EXPECT_EQ(system22mes, 23);                   // ENGINE IDLE
    const double held = 0.5f + 0.0037f;           // the trim reached, then eased with the airspeed
    EXPECT_NEAR(LastWritten(Trim), (130.0 / 140.0) * (130.0 / 140.0) * held, 1e-6);
    xphost::set_f(Ias, 70.0f);
    Tick();
    EXPECT_NEAR(LastWritten(Trim), 0.25 * held, 1e-6);
    xphost::set_f(Ias, 30.0f);                    // below 60 kt: parabolic flight
    Tick();
    EXPECT_EQ(system22mes, 36);
    EXPECT_NEAR(LastWritten(Trim), 0.125 * 0.2, 1e-6);
    xphost::set_f(Ias, 14.0f);
    ws = Tick();
    EXPECT_NEAR(LastWritten(Trim), 0.012, 1e-7);
    EXPECT_TRUE(Wrote(ws, ThrottleLimit, 0.1));

    ws = Ticks(10);                               // still going up at 40 deg
    EXPECT_FALSE(WroteAny(ws, ApFlags));
    xphost::set_f(Pitch, 21.5f);                  // the nose comes down
    Air(200000, 0.5f);
    ws = Tick();
    const int off = IndexOf(ws, ApMode), flags = IndexOf(ws, ApFlags);
    ASSERT_GE(off, 0);
    EXPECT_EQ(ws[off].values[0], 0);
    ASSERT_GT(flags, off);
    // The wing leveller's button alone: it takes the lateral axis from the
    // heading mode; the autothrottle, on an axis of its own, stays.
    EXPECT_EQ(ws[flags].values[0], 4);
    EXPECT_EQ(xphost::get_i(ApFlags), 164 | 1);
    EXPECT_EQ(ws[IndexOf(ws, ApMode, flags)].values[0], 2);
    EXPECT_TRUE(Wrote(ws, ApAlt, 60000));
    EXPECT_TRUE(Wrote(ws, ApSpeed, 3.3));
    EXPECT_TRUE(Wrote(ws, FdPitch, 20));
    EXPECT_TRUE(Wrote(ws, FdRollOverride, 1));
    EXPECT_TRUE(Wrote(ws, FdRoll, 0));
    EXPECT_FALSE(WroteAny(ws, Trim));

    Air(295000, 0.5f);                            // the arc is still rising
    Ticks(49);
    EXPECT_EQ(zoom_on, 2);
    Air(295001, 0.5f);
    xphost::set_f(Vvi, 300.0f);
    Tick();                                       // 5 s after the nose came down
    EXPECT_EQ(zoom_on, 3);
    EXPECT_TRUE(TARGETalt);
    EXPECT_EQ(system22mes, 37);                   // TARGET ALTITUDE
}

TEST_F(Zoom, ReleaseAtTheTopOpensLowersReleasesAndStoresTheRecord)
{
    INDEXtostore = 4;
    const size_t logged = xphost::debug_log().size();
    FlyToTop(300000);
    EXPECT_EQ(LastWritten(ThrottleLimit), 1.0);   // full throttle range again

    xphost::set_f(Vvi, 280.0f);                   // still climbing fast: doors stay shut
    auto ws = Ticks(10);
    EXPECT_FALSE(WroteAny(ws, BayDoors));

    xphost::set_d(Latitude, 10.0);
    xphost::set_d(Longitude, 20.0);
    xphost::set_d(Elevation, 91000.0);
    xphost::set_f(LocalVx, 1.0f);
    xphost::set_f(LocalVy, 2.0f);
    xphost::set_f(LocalVz, 3.0f);
    xphost::set_vf(Quaternion, {0.5f, 0.5f, 0.5f, 0.5f});
    xphost::set_vf(StationYAtt, {0, 0, 0, 0, 0, 0});

    const auto log = Release(71, [](int n) {
        if (n == 61) {                            // the second store keeps later values
            EXPECT_DOUBLE_EQ(orb_latitude[4], 10.0);
            xphost::set_d(Latitude, 10.5);
            xphost::set_f(LocalVz, 3.5f);
        }
    });
    ASSERT_FALSE(log.calls.empty());
    EXPECT_TRUE(Wrote(log.calls[0], MissilesArmed, 1));
    const std::vector<std::string> spoken{"Baydoors open", "Orbiter out", "Launch successful"};
    EXPECT_EQ(xphost::spoken_texts(), spoken);
    EXPECT_EQ(log.spokenAt, (std::vector<int>{0, 20, 65}));   // doors, 2 s, 6.5 s
    ASSERT_EQ(log.lowered.size(), 50u);           // from 1 s to 6 s, 0.1 per call
    EXPECT_EQ(log.lowered.front(), 10);
    EXPECT_EQ(log.lowered.back(), 59);
    EXPECT_NEAR(xphost::get_vf(StationYAtt, 2, 1)[0], -5.0f, 1e-4);
    EXPECT_EQ(log.fired, (std::vector<int>{60, 61}));
    EXPECT_TRUE(Wrote(log.calls[65], FireKey, 0));
    EXPECT_EQ(system22mes, 11);                   // Z3 ORBITER
    EXPECT_EQ(system23mes, 8);                    // UNDER WAY
    EXPECT_EQ(system24mes, 12);                   // BAY EMPTY

    EXPECT_DOUBLE_EQ(orb_latitude[4], 10.5);
    EXPECT_DOUBLE_EQ(orb_longitude[4], 20.0);
    EXPECT_DOUBLE_EQ(orb_elevation[4], 91000.0);
    EXPECT_FLOAT_EQ(orb_local_vx[4], 1.0f);
    EXPECT_FLOAT_EQ(orb_local_vy[4], 2.0f);
    EXPECT_FLOAT_EQ(orb_local_vz[4], 3.5f);
    // The whole release in its own record: attitude, and heading 90, pitch 0,
    // roll 90 and the speed in km/s for the dialog. Record 1 keeps its own.
    EXPECT_EQ(std::vector<float>(orb_quaternion[4], orb_quaternion[4] + 4),
              (std::vector<float>{0.5f, 0.5f, 0.5f, 0.5f}));
    EXPECT_NEAR(orb_head[4], 90.0f, 1e-3f);
    EXPECT_NEAR(orb_pitch[4], 0.0f, 1e-3f);
    EXPECT_NEAR(orb_roll[4], 90.0f, 1e-3f);
    EXPECT_NEAR(orb_speed[4], std::sqrt(1.0f + 4.0f + 12.25f) / 1000.0f, 1e-7f);
    EXPECT_EQ(std::vector<float>(orb_quaternion[1], orb_quaternion[1] + 4), std::vector<float>(4, 0.0f));
    EXPECT_EQ(orb_head[1], 0.0f);
    EXPECT_EQ(INDEXtostore, 4);
    EXPECT_EQ(INDEXstored, 4);
    // The latest release: the file's index names it, the next orbiter starts from it.
    EXPECT_EQ(orbindex_last, 4);
    EXPECT_EQ(orbindex_active, 4);

    // One line in the simulator's log for the whole flight to the release:
    // what the record finally holds.
    ASSERT_EQ(xphost::debug_log().size(), logged + 1);
    EXPECT_EQ(xphost::debug_log().back(), "QZTgov: release stored in record 4: latitude 10.50000, longitude "
                                          "20.00000, elevation 91000 m, speed 4.2 m/s\n");
}

TEST_F(Zoom, AltitudeNotReachedKeepsTheDoorsShutAndStoresNothing)
{
    FlyToTop(250000);
    EXPECT_FALSE(TARGETalt);
    EXPECT_EQ(system22mes, 38);                   // ALTITUDE NOT REACHED
    EXPECT_EQ(system23mes, 25);                   // RE-ENTRY
    EXPECT_EQ(schalt1, 2);                        // straight on to waiting for the descent

    xphost::set_f(Vvi, 100.0f);
    auto ws = Ticks(80);
    EXPECT_FALSE(WroteAny(ws, BayDoors));
    EXPECT_FALSE(WroteAny(ws, FireKey));
    xphost::set_f(Vvi, -1.0f);
    ws = Tick();
    EXPECT_TRUE(Wrote(ws, BayDoors, 0));
    EXPECT_TRUE(Wrote(ws, ApAlt, 60000));
    EXPECT_TRUE(Wrote(ws, ApVvi, 6000));
    EXPECT_TRUE(Wrote(ws, ApSpeed, 3.3));
    EXPECT_EQ(system22mes, 31);                   // BAYDOORS CLOSED
    EXPECT_EQ(xphost::spoken_texts(),
              (std::vector<std::string>{"Launch failed, proceeding automatic reentry"}));
    for (int i = 0; i < OrbRecords; ++i)
        EXPECT_EQ(orb_latitude[i], 0.0) << i;
    EXPECT_EQ(INDEXstored, 0);

    // The hand-over does not claim a stored launch.
    Recover();
    EXPECT_FALSE(SHOISTactive);
    EXPECT_EQ(system21mes, 34);                   // PROCEDURE COMPLETE
    EXPECT_EQ(system22mes, 38);                   // ALTITUDE NOT REACHED
    EXPECT_EQ(system23mes, 0);
}

TEST_F(Zoom, RecoveryPullsOutDescendsAndHandsOverWithItsMessagesKept)
{
    INDEXtostore = 3;
    FlyToTop(300000);
    Release(66);
    SetStations({0, 0, 9, 0, 0, 0}, {0, 0, 1, 0, 0, 0});   // the host shows the orbiter gone
    xphost::set_f(Vvi, 10.0f);
    Ticks(10);

    xphost::set_f(Vvi, -10.0f);
    Air(280000, 0.6f);
    auto ws = Tick();
    EXPECT_TRUE(Wrote(ws, BayDoors, 0));
    EXPECT_TRUE(Wrote(ws, ApMode, 2));
    EXPECT_EQ(xphost::spoken_texts().back(), "Baydoors closed, proceeding automatic reentry");
    EXPECT_EQ(system22mes, 31);
    EXPECT_EQ(system23mes, 25);
    EXPECT_NEAR(LastWritten(FdPitch), 19.95, 1e-4);

    // the flight director eases from 20 deg to 6 deg, then holds 5
    ws = Ticks(400);
    ASSERT_EQ(zoom_on, 4);
    const auto pitch = WritesOf(ws, FdPitch);
    ASSERT_GT(pitch.size(), 270u);
    EXPECT_NEAR(pitch[0].values[0], 19.90, 1e-4);
    EXPECT_NEAR(pitch[1].values[0] - pitch[0].values[0], -0.05, 1e-4);
    EXPECT_EQ(pitch.back().values[0], 5.0);

    Air(95001, 2.0f);
    ws = Ticks(5);
    EXPECT_EQ(zoom_on, 4);
    xphost::set_f(Alpha, 1.0f);
    Air(95000, 2.0f);
    ws = Tick();
    EXPECT_EQ(zoom_on, 5);
    EXPECT_TRUE(Wrote(ws, MissilesArmed, 0));
    EXPECT_TRUE(Wrote(ws, FireKey, 0));
    EXPECT_TRUE(Wrote(ws, FdPitch, -3));
    EXPECT_TRUE(Wrote(ws, FdRoll, 0));
    EXPECT_EQ(LastWritten(FdPitch), -6.0);        // the descent's limit, in the same call
    EXPECT_EQ(system22mes, 0);
    EXPECT_EQ(system23mes, 0);

    Air(61000, 3.0f);                             // below the hand-over band: keeps descending
    ws = Ticks(5);
    EXPECT_EQ(zoom_on, 5);
    EXPECT_NEAR(LastWritten(FdPitch), (60000.0 - 61000.0) / 2500.0 + 1.0, 1e-5);
    Air(72000, 3.0f);
    Ticks(3);
    EXPECT_EQ(zoom_on, 5);

    xphost::set_i(ApFlags, 777);                  // nav, speed by pitch, autothrottle: the pilot's modes now
    Air(71999, 3.3f);
    ws = Tick();
    EXPECT_FALSE(SHOISTactive);
    EXPECT_EQ(xphost::get_i(ZoomSwitch), 0);
    EXPECT_TRUE(Wrote(ws, "sim/operation/override/override_flightdir_roll", 0));
    EXPECT_TRUE(Wrote(ws, StickOverride, 0));
    // The state read is not written back (that would press every engaged
    // mode's button); the hand-over presses only what 163 lacks.
    const auto flags = WritesOf(ws, ApFlags);
    ASSERT_EQ(flags.size(), 1u);
    EXPECT_EQ(flags[0].values[0], 163 & ~777);
    EXPECT_EQ(xphost::get_i(ApFlags), 163 | 256);  // the nav arming stays
    EXPECT_EQ(xphost::get_i(ApMode), 2);
    EXPECT_EQ(LastWritten(ApAlt), 60000);
    EXPECT_NEAR(LastWritten(ApSpeed), 3.3, 1e-6);
    EXPECT_EQ(system21mes, 34);                   // PROCEDURE COMPLETE
    EXPECT_EQ(system22mes, 47);                   // LAUNCH STORED
    EXPECT_EQ(system23mes, 48);                   // INDEX NO.

    // the manoeuvre is over, its messages stay up
    ws = Ticks(50);
    EXPECT_EQ(zoom_on, 0);
    EXPECT_TRUE(Wrote(ws, ThrottleLimit, 1.0));
    EXPECT_FALSE(WroteAny(ws, FdPitch));
    EXPECT_EQ(system21mes, 34);
    EXPECT_EQ(system22mes, 47);
    EXPECT_EQ(system23mes, 48);
    // until the pilot moves the switch again
    xphost::set_i(ApFlags, 5000);
    xphost::set_i(ZoomSwitch, 1);
    RunStep(1);
    EXPECT_EQ(system21mes, 28);
    EXPECT_EQ(system22mes, 0);
    EXPECT_EQ(system23mes, 0);
}

TEST_F(Zoom, SecondManoeuvreOpensTheDoorsBeforeReportingALaunch)
{
    FlyToTop(300000);
    Release(66);
    Recover();
    ASSERT_FALSE(SHOISTactive);
    Ticks(10);

    ClimbToPullUp();
    PullUpToTop(300000);
    auto ws = Ticks(30);                          // still climbing at 300 m/s
    EXPECT_FALSE(WroteAny(ws, BayDoors));
    EXPECT_EQ(SpokenCount("Launch successful"), 1);
    EXPECT_EQ(schalt1, 1);

    const auto log = Release(66);
    EXPECT_EQ(log.spokenAt, (std::vector<int>{0, 20, 65}));
    EXPECT_EQ(log.fired, (std::vector<int>{60, 61}));
    EXPECT_EQ(SpokenCount("Launch successful"), 2);
}

TEST_F(Zoom, SwitchingOffCancelsTheManoeuvreInAnyPhase)
{
    ClimbToPullUp();
    Ticks(5);
    xphost::set_i(ZoomSwitch, 0);
    auto ws = RunStep(1);
    EXPECT_TRUE(Wrote(ws, ThrottleLimit, 1.0));
    EXPECT_EQ(currmaxFWD2, 1.0f);
    EXPECT_EQ(zoom_on, 0);
    EXPECT_EQ(schalt1, 0);
    EXPECT_FALSE(SHOISTactive);
    EXPECT_EQ(system21mes, 0);
    EXPECT_EQ(system22mes, 0);
    EXPECT_EQ(system23mes, 0);
    ws = Ticks(30);
    EXPECT_FALSE(WroteAny(ws, Trim));
    EXPECT_FALSE(WroteAny(ws, ApSpeed));
}

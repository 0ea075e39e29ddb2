// The time base of the model loops: ticks, mission clock, stopwatches and the
// part of the day read from the host's local time.
#include "support/plugin_fixture.h"
#include "common/timers.h"

namespace {

class Timers : public PluginTest {
protected:
    void SetUp() override
    {
        PluginTest::SetUp();
        sectimer = mis_seconds_tenth = 0;
        mis_seconds = mis_minutes = mis_hours = mis_days = 0;
        TIMER_1 = TIMER_2 = TIMER_3 = 0;
        TIMERval_1 = TIMERval_2 = TIMERval_3 = 0;
        daytime = 0;
    }

    static void Calls(int n)
    {
        for (int i = 0; i < n; ++i)
            Timer();
    }

    // The clock is read on the ninth tick of a second.
    static int PartOfDayAt(int hours, int minutes)
    {
        xphost::set_f("sim/time/local_time_sec", static_cast<float>(hours * 3600 + minutes * 60));
        sectimer = 0;
        Calls(9);
        return daytime;
    }
};

TEST_F(Timers, PartOfDayBoundaries)
{
    EXPECT_EQ(PartOfDayAt(4, 59), 4);
    EXPECT_EQ(PartOfDayAt(5, 0), 1);
    EXPECT_EQ(PartOfDayAt(11, 59), 1);
    EXPECT_EQ(PartOfDayAt(12, 0), 2);
    EXPECT_EQ(PartOfDayAt(17, 59), 2);
    EXPECT_EQ(PartOfDayAt(18, 0), 3);
    EXPECT_EQ(PartOfDayAt(21, 59), 3);
    EXPECT_EQ(PartOfDayAt(22, 0), 4);
    EXPECT_EQ(PartOfDayAt(0, 0), 4);
}

TEST_F(Timers, LocalAndZuluTimeSplit)
{
    xphost::set_f("sim/time/local_time_sec", 13 * 3600 + 7 * 60 + 59.9f);
    xphost::set_f("sim/time/zulu_time_sec", 23 * 3600 + 59 * 60 + 30.0f);
    Calls(8);
    EXPECT_EQ(daytime, 0);          // nothing read before the ninth tick
    Calls(1);
    EXPECT_EQ(local_hours, 13);
    EXPECT_EQ(local_minutes, 7);
    EXPECT_EQ(zulu_hours, 23);
    EXPECT_EQ(zulu_minutes, 59);

    // A time the host cannot mean counts as midnight rather than a garbage hour.
    xphost::set_f("sim/time/local_time_sec", -5.0f);
    Calls(10);
    EXPECT_EQ(local_hours, 0);
    EXPECT_EQ(local_minutes, 0);
}

// Seconds rise on every tenth call; the carry into minutes waits for the
// ninth tick of the following second.
TEST_F(Timers, MissionClockCarries)
{
    Calls(9);
    EXPECT_EQ(sectimer, 9);
    EXPECT_EQ(mis_seconds, 0);
    Calls(1);
    EXPECT_EQ(sectimer, 0);
    EXPECT_EQ(mis_seconds, 1);

    Calls(590);
    EXPECT_EQ(mis_seconds_tenth, 600);
    EXPECT_EQ(mis_seconds, 60);
    EXPECT_EQ(mis_minutes, 0);
    Calls(8);
    EXPECT_EQ(mis_seconds, 60);
    Calls(1);
    EXPECT_EQ(mis_seconds_tenth, 609);
    EXPECT_EQ(mis_seconds, 0);
    EXPECT_EQ(mis_minutes, 1);

    // Hours and days carry the same way.
    mis_seconds = 60;
    mis_minutes = 59;
    mis_hours = 23;
    sectimer = 8;
    Calls(1);
    EXPECT_EQ(mis_minutes, 0);
    EXPECT_EQ(mis_hours, 0);
    EXPECT_EQ(mis_days, 1);
}

TEST_F(Timers, StopwatchesCountOnlyWhileRunning)
{
    TIMER_1 = 1;
    TIMER_3 = 1;
    Calls(25);
    EXPECT_EQ(TIMERval_1, 25);
    EXPECT_EQ(TIMERval_2, 0);
    EXPECT_EQ(TIMERval_3, 25);
    TIMER_1 = 0;
    Calls(10);
    EXPECT_EQ(TIMERval_1, 25);      // a stopped stopwatch keeps its count
    EXPECT_EQ(TIMERval_3, 35);
}

// The mission clock is zeroed by a load but the tick count never is.
TEST_F(Timers, LoadZeroesMissionSeconds)
{
    Calls(35);
    xphost::load_aircraft("QZT Lumen 220 airliner");
    EXPECT_EQ(mis_seconds, 0);
    EXPECT_EQ(mis_seconds_tenth, 35);
}

}  // namespace

namespace {

// The simulator calls a loop on the first frame at or after its due time and
// counts the next interval from that call: at 30 frames a second a loop that
// always asked for 0.1 s would run every 0.133 s. Ten minutes at any frame
// rate are ten minutes of the mission clock and of the jet's water dump.
TEST_F(Timers, TenMinutesAtAnyFrameRateAreTenMinutesOfModelTime)
{
    struct Rate { const char* name; double fps; };
    for (const Rate& rate : {Rate{"30 fps", 30}, Rate{"45 fps", 45}, Rate{"22 to 65 fps", 0}}) {
        SCOPED_TRACE(rate.name);
        SetUp();
        if (rate.fps > 0)
            xphost::set_frame_rate(rate.fps);
        else
            xphost::set_frame_jitter(22, 65, 7);
        xphost::load_aircraft("QZT Solace HX hypersonic business jet");
        xphost::advance(6.0);                          // past the first action
        xphost::set_f("sim/flightmodel/weight/m_jettison", 20000.0f);
        xphost::set_i("sim/cockpit/weapons/firing_mode", 3);   // dump the water, 30 kg a second
        auto seconds = [] { return ((mis_days * 24 + mis_hours) * 60 + mis_minutes) * 60 + mis_seconds; };
        const int ticks = mis_seconds_tenth, clock = seconds();
        const double start = xphost::now();
        xphost::advance(600.0);
        const double elapsed = xphost::now() - start;
        EXPECT_NEAR(mis_seconds_tenth - ticks, elapsed * 10.0, 1.0);
        EXPECT_NEAR(seconds() - clock, elapsed, 1.0);
        EXPECT_NEAR(20000.0 - xphost::get_f("sim/flightmodel/weight/m_jettison"), 30.0 * elapsed, 30.0);
    }
}

}  // namespace

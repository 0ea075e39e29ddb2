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

// common/timers.cpp: Timer, the time base of every model loop. Ten calls make
// a second; the loops spread their once-a-second work over the ticks.
#include "common/timers.h"
#include <cmath>
#include "frame/datarefs.h"

int32_t sectimer = 0;
int32_t mis_seconds_tenth = 0;
int32_t mis_seconds = 0, mis_minutes = 0, mis_hours = 0, mis_days = 0;
uint8_t TIMER_1 = 0, TIMER_2 = 0, TIMER_3 = 0;
int32_t TIMERval_1 = 0, TIMERval_2 = 0, TIMERval_3 = 0;
int32_t local_hours = 0, local_minutes = 0, zulu_hours = 0, zulu_minutes = 0;
int32_t daytime = 0;

static void CarryMissionClock()
{
    if (mis_seconds > 59) {
        mis_seconds = 0;
        ++mis_minutes;
        if (mis_minutes > 59) {
            mis_minutes = 0;
            ++mis_hours;
            if (mis_hours > 23) {
                mis_hours = 0;
                ++mis_days;
            }
        }
    }
}

// Seconds since midnight into whole hours and minutes. A value the host
// cannot mean (not a number, negative, a day or more) counts as midnight.
static void SplitTime(float seconds, int32_t& hours, int32_t& minutes)
{
    double s = seconds;
    if (!std::isfinite(s) || s < 0.0 || s >= 86400.0)
        s = 0.0;
    hours = static_cast<int32_t>(std::floor(s / 3600.0));
    minutes = static_cast<int32_t>(std::floor(s - hours * 3600.0) / 60.0);
}

static int32_t PartOfDay(int32_t hours)
{
    if (hours >= 5 && hours <= 11)
        return 1;
    if (hours >= 12 && hours <= 17)
        return 2;
    if (hours >= 18 && hours <= 21)
        return 3;
    return 4;
}

float TickAsked = 0.1f;

// Lateness beyond a second is no frame's: the first call after a
// registration, or a stall. Neither is made up for.
static const float MostLate = 1.0f;
// Asked for when a call is more than a tick late: the next frame.
static const float NextFrame = 0.001f;

float TickInterval(float elapsedSinceLastCall, float interval)
{
    if (!(interval > 0.0f))
        return 0.0f;
    float late = elapsedSinceLastCall - TickAsked;
    if (!(late > 0.0f) || late >= MostLate)
        late = 0.0f;
    float next = interval - late;
    if (next < NextFrame)
        next = NextFrame;
    TickAsked = next;
    return next;
}

void Timer()
{
    ++sectimer;
    ++mis_seconds_tenth;
    if (TIMER_1)
        ++TIMERval_1;
    if (TIMER_2)
        ++TIMERval_2;
    if (TIMER_3)
        ++TIMERval_3;

    if (sectimer == 9) {
        CarryMissionClock();
        local_time_sec = XPLMGetDataf(dr_local_time_sec);
        zulu_time_sec = XPLMGetDataf(dr_zulu_time_sec);
        SplitTime(local_time_sec, local_hours, local_minutes);
        SplitTime(zulu_time_sec, zulu_hours, zulu_minutes);
        daytime = PartOfDay(local_hours);
    }

    if (sectimer > 9) {
        sectimer = 0;
        ++mis_seconds;
    }
}

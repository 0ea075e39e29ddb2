// common/timers.h: the 0.1 s tick, mission clock, stopwatches and time of day.
#pragma once
#include <cstdint>

extern int32_t sectimer;             // tick within the second, 0 to 9
extern int32_t mis_seconds_tenth;    // ticks since start, never reset
extern int32_t mis_seconds, mis_minutes, mis_hours, mis_days;

extern uint8_t TIMER_1, TIMER_2, TIMER_3;          // stopwatch running
extern int32_t TIMERval_1, TIMERval_2, TIMERval_3; // stopwatch counts, ticks

extern int32_t local_hours, local_minutes, zulu_hours, zulu_minutes;
extern int32_t daytime;              // 1 morning, 2 afternoon, 3 evening, 4 night; 0 before the first reading

void Timer();                        // once at the start of every model loop call

extern float TickAsked;              // the interval the model loop last asked for, s
// What a model loop returns: its interval global, less the lateness of this
// call. The simulator calls a loop on the first frame at or after its due
// time and counts the next interval from that call, so a fixed 0.1 s runs
// slow at most frame rates; this keeps ten ticks to the simulated second on
// average from 10 frames a second up. 0 (stopped) stays 0.
float TickInterval(float elapsedSinceLastCall, float interval);

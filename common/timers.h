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

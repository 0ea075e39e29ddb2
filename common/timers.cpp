// common/timers.cpp: Timer, the time base of every model loop.
#include "common/timers.h"

int32_t sectimer = 0;
int32_t mis_seconds_tenth = 0;
int32_t mis_seconds = 0, mis_minutes = 0, mis_hours = 0, mis_days = 0;
uint8_t TIMER_1 = 0, TIMER_2 = 0, TIMER_3 = 0;
int32_t TIMERval_1 = 0, TIMERval_2 = 0, TIMERval_3 = 0;
int32_t local_hours = 0, local_minutes = 0, zulu_hours = 0, zulu_minutes = 0;
int32_t daytime = 0;

void Timer() {}

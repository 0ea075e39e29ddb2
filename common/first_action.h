// common/first_action.h: the one-shot set-up five seconds after a load.
#pragma once
#include <cstdint>

extern uint8_t FirstActReg;          // FIRSTAct is registered and has not yet run
extern float   critalt1, macheff1;   // Halvik engine mode 1, as the aircraft file sets it
extern float   critalt2, macheff2;   // Halvik engine mode 2
extern int     WEAPONnumber;         // stations 0 to 7 carrying tracked weapons
extern int     WEAPONstat[8];        // their station indices, ascending

float FIRSTAct(float elapsedSinceLastCall, float elapsedSinceLastLoop, int counter, void* refcon);

// common/first_action.cpp: FIRSTAct, five seconds after a load, airport change or crash.
#include "common/first_action.h"

uint8_t FirstActReg = 0;
float   critalt1 = 0.0f, macheff1 = 0.0f, critalt2 = 0.0f, macheff2 = 0.0f;
int     WEAPONnumber = 0;
int     WEAPONstat[8] = {};

float FIRSTAct(float, float, int, void*)
{
    FirstActReg = 0;
    return 0.0f;
}

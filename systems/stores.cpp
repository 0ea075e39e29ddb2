// systems/stores.cpp: state of the drop-tank, JATO and rocket-engine logic.
#include "systems/stores.h"

uint8_t takeoff = 0;
uint8_t JATOon = 0;
float   JATOmass = 0.0f;
uint8_t DTANKgauge = 0, HWKgauge = 0, JATOgauge = 0, JATO287gauge = 0;
uint8_t FUELisGallon = 0;
float   DTANKempty = 0.0f, DTANKfuel = 0.0f;
float   Tstoff = 0.0f, Cstoff = 0.0f;
int     DTANKnumber = 0, TTANKnumber = 0, DTANKstation = 0;

// systems/stores.h: drop-tank, JATO and rocket-engine state of the store-carrying
// models (the carrier's JATO pack shares takeoff, JATOon and JATOmass).
#pragma once
#include <cstdint>

extern uint8_t takeoff;              // JATO take-off armed
extern uint8_t JATOon;               // JATO burning
extern float   JATOmass;             // JATO propellant or burn counter
extern uint8_t DTANKgauge, HWKgauge, JATOgauge, JATO287gauge;
extern uint8_t FUELisGallon;
extern float   DTANKempty, DTANKfuel;    // kg
extern float   Tstoff, Cstoff;           // rocket propellant, kg
extern int     DTANKnumber, TTANKnumber, DTANKstation;

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
extern float   verbrauch_tstoff;     // rocket propellant used, kg/s
extern float   TCduration;           // rocket burn time left, s

// The families' own parts of the first action: payload, HUD, fuel per tank
// and the weapon stations the custom data window lists.
void StormfalkFirstAction();         // jet fighters, slots 9 to 15
void BrannocFirstAction();           // twin propeller fighters, 18 to 21
void VeyraFirstAction();             // flying wings, 22 to 25
void GrauhornPreset();               // six-engine bombers: the JATO packs are engines 7 and 8
void GrauhornFirstAction();          // six-engine bombers, 26 and 27

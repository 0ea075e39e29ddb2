// systems/stores.h: drop-tank, JATO and rocket-engine state of the store-carrying
// models (the carrier's JATO pack shares takeoff, JATOon and JATOmass).
#pragma once
#include <cstdint>
#include "aircraft/families.h"

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
extern int     DTANKsize[9];         // nominal size of the tank on each station, litres or US gallons
extern uint8_t JATOreleasing;        // the release of spent JATO units is pressed

// The 0.1 s loop of the store-carrying models: lights with the gear and the
// tank switch (tick 2), what hangs on the stations (tick 5, when a station
// changed), the JATO, rocket and drop-tank sequences (tick 8).
float CheckDROP(float elapsedSinceLastCall, float elapsedTimeSinceLastFlightLoop, int counter, void* refcon);
void  DROPReset(ResetReason why);    // the stores' state as at start, a pressed release let go
void  RocketKey();                   // the QZT key of a rocket variant: the rocket on or off

// The families' own parts of the first action: payload, HUD, fuel per tank
// and the weapon stations the custom data window lists.
void StormfalkFirstAction();         // jet fighters, slots 9 to 15
void BrannocFirstAction();           // twin propeller fighters, 18 to 21
void VeyraFirstAction();             // flying wings, 22 to 25
void GrauhornPreset();               // six-engine bombers: the JATO packs are engines 7 and 8
void GrauhornFirstAction();          // six-engine bombers, 26 and 27

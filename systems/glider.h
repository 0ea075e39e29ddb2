// systems/glider.h: the motor glider's folding engine. The wing-sweep control
// is the folding mechanism (request 0 = engine out, 1 = stowed); the firing
// mode selects the pilot position and the firing rate the ballast.
#pragma once
#include <cstdint>
#include "aircraft/families.h"

extern uint8_t engOn;                // engine wanted out
extern uint8_t gearstat;             // undercarriage in its engine-out shape
extern uint8_t propstat;             // propeller thrust point present
extern uint8_t mixstat;              // mixture of engine 1 at full
extern float   swdi_ist;             // actual retraction position, 0 engine out to 1 stowed
extern float   rangeKM;              // glide range to sea level, km, shown in the custom data window
extern int     firing_mode1;         // pilot position last applied (1 at start)
extern int     firing_rate1;         // ballast selector last applied (0 at start)

float CheckGlider(float elapsedSinceLastCall, float elapsedTimeSinceLastFlightLoop, int counter, void* refcon);
void  GliderFigures();               // every tick: airspeed, sink, altitude, glide ratio and range
void  GliderRetraction();            // every tick: the steps along the folding passage
void  GliderLoading();               // tick 5: pilot position and ballast

void GliderPreset();                 // engine out: long main legs, one thrust point
void GliderFirstAction();            // engine and ballast selectors, pilot position
void GliderReset(ResetReason why);   // the loop's state as at start
void GliderKey();                    // the QZT key: engine out or stowed

// systems/glider.h: the motor glider's folding engine.
#pragma once
#include <cstdint>

extern uint8_t engOn;                // engine wanted out
extern uint8_t gearstat;             // undercarriage in its engine-out shape
extern uint8_t propstat;             // propeller thrust point present
extern uint8_t mixstat;              // mixture of engine 1 at full
extern float   swdi_ist;             // actual retraction position, 0 engine out to 1 stowed
extern float   rangeKM;              // glide range figure shown in the custom data window

void GliderPreset();                 // engine out: long main legs, one thrust point
void GliderFirstAction();            // engine and ballast selectors, pilot position
